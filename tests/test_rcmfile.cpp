#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "data/RCMFile.h"
#include "data/StringSplit.h"

namespace {

namespace fs = std::filesystem;

const std::string kWorkedExample =
    "PLAYER {\n"
    "\tname = \"Player\"\n"
    "\tspeed = 0.500000000\n"
    "\tBEST {\n"
    "\t\tscores = 10, 20, 30\n"
    "\t}\n"
    "\n"
    "}\n"
    "\n";

class RCMFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/woofmere-rcm-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::shared_ptr<TRCMFile> load(const std::string& text) { return loadRCMFile(write("f.dat", text)); }

  std::string dir_;
};

TEST_F(RCMFileTest, WorkedExampleQueries) {
  auto f = load(kWorkedExample);
  struct Case {
    const char* path;
    int index;
    const char* text;
    double number;
  };
  const Case cases[] = {
      {"PLAYER::name", 0, "Player", 0},
      {"player::NAME", 0, "Player", 0},
      {"PLAYER::speed", 0, " 0.500000000", 0.5},
      {"PLAYER::BEST::scores", 0, " 10", 10},
      {"PLAYER::BEST::scores", 1, " 20", 20},
      {"PLAYER::BEST::scores", 2, " 30", 30},
      {"PLAYER::BEST::scores", 3, "", 0},   // past the last value
      {"PLAYER::BEST::scores", -1, "", 0},  // negative index
      {"PLAYER::missing", 0, "", 0},
      {"OTHER::x", 0, "", 0},
      {"PLAYER::BEST", 0, "", 0},  // a group is not an entry
      {"", 0, "", 0},
      {"::", 0, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(f->getString(c.path, c.index), c.text);
    EXPECT_DOUBLE_EQ(f->getFloat(c.path, c.index, 0), c.number);
  }
  EXPECT_EQ(f->_grupa->_id, "MAINGROUP");
  EXPECT_EQ(f->getGroup({"PLAYER", "BEST", "scores"})->getEntry("scores")->_type, TRCMEntry::NUMBER_ENTRY);
  EXPECT_EQ(f->getGroup({"PLAYER", "name"})->getEntry("name")->_type, TRCMEntry::STRING_ENTRY);
}

TEST_F(RCMFileTest, WorkedExampleRoundTripsByteForByte) {
  // Built by code, as a writer of the game does.
  auto built = createRCMFile();
  built->setString("PLAYER::name", "Player", 0);
  built->setFloat("PLAYER::speed", 0.5, 0);
  built->setFloat("PLAYER::BEST::scores", 10, 0);
  built->setFloat("PLAYER::BEST::scores", 20, 1);
  built->setFloat("PLAYER::BEST::scores", 30, 2);
  std::string out1 = dir_ + "/built.dat";
  ASSERT_TRUE(built->save(out1));
  EXPECT_EQ(slurp(out1), kWorkedExample);

  // Read back and written again, twice: no blank may creep in front of numbers.
  std::string current = out1;
  for (int round = 0; round < 2; ++round) {
    auto again = loadRCMFile(current);
    std::string next = dir_ + "/round" + std::to_string(round) + ".dat";
    ASSERT_TRUE(again->save(next));
    EXPECT_EQ(slurp(next), kWorkedExample) << "round " << round;
    current = next;
  }
}

TEST_F(RCMFileTest, SetFloatPastTheEndFillsTheGap) {
  auto f = load(kWorkedExample);
  f->setFloat("PLAYER::BEST::scores", 5, 4);
  auto e = f->getGroup({"PLAYER", "BEST", "x"})->getEntry("scores");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->_value, (std::vector<std::string>{" 10", " 20", " 30", "", "5.00000000"}));
  EXPECT_EQ(e->toTxt(), "scores = 10, 20, 30, 0, 5");
}

TEST_F(RCMFileTest, ReadingRules) {
  struct Case {
    const char* what;
    std::string text;
    const char* path;
    int index;
    const char* value;
    double number;
  };
  const Case cases[] = {
      {"closing brace without final newline", "A {\n k = 1\n}", "A::k", 0, " 1", 1},
      {"negative number", "A {\n n = -5\n}\n", "A::n", 0, " -5", -5},
      {"leading point makes a string", "A {\n n = .5\n}\n", "A::n", 0, "", 0},
      {"leading plus makes a string", "A {\n n = +5\n}\n", "A::n", 0, "", 0},
      {"second = ends the value", "A {\n url = a=b\n}\n", "A::url", 0, "", 0},
      {"quoted comma", "A {\n name = \"a\", \"b, c\"\n}\n", "A::name", 1, "b, c", 0},
      {"first of two strings", "A {\n name = \"a\", \"b, c\"\n}\n", "A::name", 0, "a", 0},
      {"name on the line before the brace", "MAIN\n{\n a = 1\n}\n", "MAIN::a", 0, " 1", 1},
      {"entry after a sub-group", "A {\n B {\n x = 1\n }\n y = 2\n}\n", "A::y", 0, " 2", 2},
      {"sub-group entry", "A {\n B {\n x = 1\n }\n y = 2\n}\n", "a::b::X", 0, " 1", 1},
      {"first match wins", "A {\n k = 1\n K = 2\n}\na {\n k = 3\n}\n", "a::K", 0, " 1", 1},
      {"root entry", "k = 7\n", "k", 0, " 7", 7},
      {"last line without newline is not an entry", "k = 7", "k", 0, "", 0},
      {"nothing after =", "A {\n k =\n}\n", "A::k", 0, "", 0},
      {"string shorter than its quotes", "A {\n s = \"\n}\n", "A::s", 0, "", 0},
      {"empty string", "A {\n s = \"\"\n}\n", "A::s", 0, "", 0},
      {"Windows line ends", "A {\r\n s = \"x\"\r\n}\r\n", "A::s", 0, "x", 0},
      {"tab indentation", "A {\n\t\ts = \"x y\"\t\n}\n", "A::s", 0, "x y", 0},
      {"numeric prefix", "A {\n n = 12abc, 3e2\n}\n", "A::n", 0, " 12abc", 12},
      {"exponent", "A {\n n = 12abc, 3e2\n}\n", "A::n", 1, " 3e2", 300},
      {"characters after the root's end", "A {\n k = 1\n}\n}\nB {\n k = 2\n}\n{\n", "B::k", 0, "", 0},
      // A value typed by the player may hold structural characters.
      {"braces inside quotes", "A {\n s = \"a{b}\"\n}\n", "A::s", 0, "a{b}", 0},
      {"= inside quotes", "A {\n s = \"a=b\"\n}\n", "A::s", 0, "a=b", 0},
      {"stray quote ends with its line", "A {\n s = \"x\n}\nB {\n t = 1\n}\n", "B::t", 0, " 1", 1},
      {"UTF-8 text", "A {\n s = \"Zażółć\"\n}\n", "A::s", 0, "Zażółć", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto f = parseRCMText(c.text);
    EXPECT_EQ(f->getString(c.path, c.index), c.value);
    EXPECT_DOUBLE_EQ(f->getFloat(c.path, c.index), c.number);
  }
}

TEST_F(RCMFileTest, EntryTypesFollowTheFirstCharacter) {
  struct Case {
    const char* line;
    int type;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {"n = -5", TRCMEntry::NUMBER_ENTRY, {" -5"}},
      {"n = 1, 2", TRCMEntry::NUMBER_ENTRY, {" 1", " 2"}},
      {"n = .5", TRCMEntry::STRING_ENTRY, {""}},
      {"s = \"a\", \"b\"", TRCMEntry::STRING_ENTRY, {"a", "b"}},
      {"s =", TRCMEntry::STRING_ENTRY, {}},
      {"= 3", TRCMEntry::NUMBER_ENTRY, {" 3"}},
      {"novalue", TRCMEntry::STRING_ENTRY, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto e = TRCMFile::readEntry(c.line);
    EXPECT_EQ(e->_type, c.type);
    EXPECT_EQ(e->_value, c.values);
  }
}

TEST_F(RCMFileTest, UnbalancedBracesLeaveTheTreeEmpty) {
  testing::internal::CaptureStdout();
  auto f = load("A {\n B {\n k = 1\n}\n");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 2 \"}\" - 1\n");
  EXPECT_TRUE(f->_grupa->_listaGrup.empty());
  EXPECT_EQ(f->getString("A::B::k"), "");

  // Braces inside quotes are not counted.
  testing::internal::CaptureStdout();
  auto g = load("A {\n s = \"}\"\n}\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(g->getString("A::s"), "}");
}

TEST_F(RCMFileTest, MissingFileReadsEmpty) {
  std::string path = dir_ + "/nothing.dat";
  testing::internal::CaptureStdout();
  auto f = loadRCMFile(path);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Napotkano problem : Nie znaleziono pliku : " + path + "\n");
  EXPECT_EQ(f->getString("A::b"), "");
  EXPECT_EQ(f->getFloat("A::b"), 0);
  EXPECT_EQ(f->_path, path);
}

TEST_F(RCMFileTest, TooDeepNestingIsRefused) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "g {\n";
  for (int i = 0; i < 100000; ++i) deep += "}\n";
  testing::internal::CaptureStdout();
  auto f = parseRCMText(deep, "deep.dat");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Napotkano problem : Zbyt gleboko zagniezdzone grupy : deep.dat\n");
  EXPECT_TRUE(f->_grupa->_listaGrup.empty());

  // Nesting that real files use is fine.
  std::string ok, path;
  for (int i = 0; i < 50; ++i) ok += "g {\n", path += "g::";
  ok += "k = 4\n";
  for (int i = 0; i < 50; ++i) ok += "}\n";
  EXPECT_EQ(parseRCMText(ok)->getFloat(path + "k"), 4);
}

TEST_F(RCMFileTest, SettersCreateGroupsAndRemoveEntries) {
  auto f = createRCMFile();
  f->setString("A::B::s", "x", 0);
  EXPECT_EQ(f->getString("a::b::S"), "x");
  f->setString("A::B::s", "z", 2);  // keeps the type, fills the gap
  EXPECT_EQ(f->getGroup({"A", "B", "s"})->getEntry("s")->_value, (std::vector<std::string>{"x", "", "z"}));
  f->setString("A::B::s", "never", -1);  // a negative index changes nothing
  EXPECT_EQ(f->getGroup({"A", "B", "s"})->getEntry("s")->_value, (std::vector<std::string>{"x", "", "z"}));

  f->removeString("C::D::gone");  // creates the groups, removes nothing
  ASSERT_NE(f->getGroup({"C", "D", "gone"}), nullptr);
  EXPECT_TRUE(f->getGroup({"C", "D", "gone"})->_listaWpisow.empty());

  f->setFloat("A::n", 1, 0);
  f->setString("A::n", "2", 0);  // an existing number entry stays a number
  EXPECT_EQ(f->getGroup({"A", "n"})->getEntry("n")->_type, TRCMEntry::NUMBER_ENTRY);
  f->removeString("a::N");
  EXPECT_EQ(f->getString("A::n"), "");

  // Removing the first of two duplicates uncovers the second.
  auto d = parseRCMText("A {\n k = 1\n k = 2\n}\n");
  d->removeString("A::k");
  EXPECT_EQ(d->getFloat("A::k"), 2);
}

TEST_F(RCMFileTest, NumbersAreWrittenWithNineDigits) {
  struct Case {
    double number;
    const char* stored;
    const char* written;
  };
  const Case cases[] = {
      {0.5, "0.500000000", "n = 0.500000000"},
      {3, "3.00000000", "n = 3"},
      {-2, "-2.00000000", "n = -2"},
      {0, "0.00000000", "n = 0"},
      {1234567, "1234567.00", "n = 1234567"},
      {0.1f, "0.100000001", "n = 0.100000001"},
      {1e10, "1.00000000e+10", "n = 1.00000000e+10"},
      {std::nan(""), "0.00000000", "n = 0"},  // never letters in a number entry
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    auto f = createRCMFile();
    f->setFloat("G::n", c.number, 0);
    EXPECT_EQ(f->getString("G::n"), c.stored);
    EXPECT_EQ(f->getGroup({"G", "n"})->getEntry("n")->toTxt(), c.written);
  }
}

TEST_F(RCMFileTest, EntriesAreWrittenSoTheyReadBack) {
  struct Case {
    int type;
    std::string value;
    const char* line;
  };
  const Case cases[] = {
      {TRCMEntry::NUMBER_ENTRY, " 10", "n = 10"},
      {TRCMEntry::NUMBER_ENTRY, " 0.500000000", "n = 0.500000000"},
      {TRCMEntry::NUMBER_ENTRY, "", "n = 0"},
      {TRCMEntry::NUMBER_ENTRY, " 12abc", "n = 12"},
      {TRCMEntry::NUMBER_ENTRY, " 1.5abc", "n = 1.5"},  // text after a number is dropped
      {TRCMEntry::NUMBER_ENTRY, " 1.5\"{\"", "n = 1.5"},
      {TRCMEntry::NUMBER_ENTRY, " 1e3", "n = 1e3"},
      {TRCMEntry::NUMBER_ENTRY, " .5", "n = 0.5"},  // must still start like a number
      {TRCMEntry::NUMBER_ENTRY, " -.5", "n = -0.5"},
      {TRCMEntry::NUMBER_ENTRY, " +2.5", "n = 2.5"},
      {TRCMEntry::NUMBER_ENTRY, " abc", "n = 0"},
      {TRCMEntry::NUMBER_ENTRY, " 99999999999999999999", "n = 99999999999999999999"},
      {TRCMEntry::STRING_ENTRY, "say \"hi\"", "n = \"say 'hi'\""},  // no escapes exist
      {TRCMEntry::STRING_ENTRY, "{x}, y", "n = \"{x}, y\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    TRCMEntry e;
    e._id = "n";
    e._type = c.type;
    e._value = {c.value};
    EXPECT_EQ(e.toTxt(), c.line);
  }
  EXPECT_EQ(rcmToInt("99999999999999999999"), std::numeric_limits<long long>::max());
  EXPECT_EQ(rcmToInt(" -42x"), -42);
  EXPECT_EQ(rcmToNumber(" inf"), 0);
  EXPECT_EQ(rcmToNumber("nan"), 0);
}

TEST_F(RCMFileTest, GameWrittenValuesReadBack) {
  const std::vector<std::string> values = {
      "Ann", "", "a{b}c", "x = y", "one, two", "Zażółć gęślą", "é only", "tab\there", "::",
  };
  auto f = createRCMFile();
  for (size_t i = 0; i < values.size(); ++i) {
    f->setString("Profiles::Profile" + std::to_string(i + 1), values[i], 0);
    f->setString("Profiles::Profile" + std::to_string(i + 1), "ID", 1);
  }
  f->setFloat("Profiles::i", double(values.size()), 0);
  f->setFloat("Profiles::Deep::Deeper::x", 0.25, 0);
  std::string path = dir_ + "/profiles.dat";
  ASSERT_TRUE(f->save(path));

  auto back = loadRCMFile(path);
  for (size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE(values[i]);
    EXPECT_EQ(back->getString("profiles::profile" + std::to_string(i + 1), 0), values[i]);
    EXPECT_EQ(back->getString("profiles::profile" + std::to_string(i + 1), 1), "ID");
  }
  EXPECT_EQ(back->getFloat("Profiles::i"), double(values.size()));
  EXPECT_EQ(back->getFloat("Profiles::Deep::Deeper::x"), 0.25);

  // A newline or a double quote cannot be stored; neither may break the
  // lines after it.
  auto nl = createRCMFile();
  nl->setString("A::q", "a\"{b", 0);
  nl->setString("A::s", "two\nlines", 0);
  nl->setString("A::t", "after", 0);
  ASSERT_TRUE(nl->save(path));
  auto nlBack = loadRCMFile(path);
  EXPECT_EQ(nlBack->getString("A::s"), "two lines");
  EXPECT_EQ(nlBack->getString("A::t"), "after");
  EXPECT_EQ(nlBack->getString("A::q"), "a'{b");
}

TEST_F(RCMFileTest, WideCharactersAreStoredAsUtf16) {
  auto f = createRCMFile();
  f->setString("A::s", "gęś", 0);
  std::string path = dir_ + "/wide.dat";
  ASSERT_TRUE(f->save(path));
  std::string bytes = slurp(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(loadRCMFile(path)->getString("A::s"), "gęś");

  // Latin-1 only: one byte per character, read back the same.
  f->setString("A::s", "café", 0);
  ASSERT_TRUE(f->save(path));
  EXPECT_EQ(slurp(path), "A {\n\ts = \"caf\xE9\"\n}\n\n");
  EXPECT_EQ(loadRCMFile(path)->getString("A::s"), "café");
}

TEST_F(RCMFileTest, SaveWritesOnlyGroups) {
  auto f = createRCMFile();
  f->setString("rootOnly", "x", 0);
  std::string path = dir_ + "/root.dat";
  ASSERT_TRUE(f->save(path));
  EXPECT_EQ(slurp(path), "");

  // A reloaded file with number text keeps it, written without extra blanks.
  auto g = load("A {\n  speed =   0.25  \n\tE {\n\t}\n}\n");
  ASSERT_TRUE(g->save(path));
  EXPECT_EQ(slurp(path), "A {\n\tspeed = 0.25\n\tE {\n\n\t}\n\n}\n\n");
}

TEST_F(RCMFileTest, FailedSaveReportsAndKeepsGoing) {
  // A regular file used as a folder fails even for root.
  std::string blocker = write("plain.txt", "not a folder");
  std::string target = blocker + "/profile.dat";
  auto f = load(kWorkedExample);
  testing::internal::CaptureStdout();
  EXPECT_FALSE(f->save(target));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Napotkano problem : Nie mozna zapisac pliku : " + target), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(fs::exists(target + ".tmp"));
  EXPECT_EQ(slurp(blocker), "not a folder");
  // The tree is untouched and can still be saved elsewhere.
  EXPECT_TRUE(f->save(dir_ + "/ok.dat"));
  EXPECT_EQ(slurp(dir_ + "/ok.dat"), kWorkedExample);
}

TEST_F(RCMFileTest, ReadsUtf16Files) {
  // "A {\n s = "ż"\n}\n" as UTF-16 big-endian with its mark.
  std::string text = "A {\n s = \"\xC5\xBC\"\n}\n";
  std::u32string cps = {U'A', U' ', U'{', U'\n', U' ', U's', U' ', U'=', U' ', U'"', U'\u017C', U'"', U'\n', U'}', U'\n'};
  std::string be = "\xFE\xFF";
  for (char32_t c : cps) {
    be += char(c >> 8);
    be += char(c & 0xFF);
  }
  EXPECT_EQ(loadRCMFile(write("be.dat", be))->getString("A::s"), "\xC5\xBC");
}

TEST(StringSplitTest, SplitString) {
  struct Case {
    std::string text, sep, open, close;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {"a::b::", "::", "", "", {"a", "b"}},
      {"::a", "::", "", "", {"", "a"}},
      {"a,,b", ",", "", "", {"a", "", "b"}},
      {"", ",", "", "", {}},
      {",", ",", "", "", {""}},
      {"abc", "", "", "", {"abc"}},  // an empty separator never matches
      {"a \"b c\" d", " ", "\"", "\"", {"a", "b c", "d"}},
      {"x\"y", ",", "\"", "", {"xy"}},  // only an opening quote: dropped, no protection
      {"[a|b]|c", "|", "[", "]", {"a|b", "c"}},
      {"ż,ó", ",", "", "", {"ż", "ó"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitString(c.text, c.sep, c.open, c.close), c.pieces);
  }
}

TEST(StringSplitTest, SplitValueListKeepsQuotedSeparators) {
  struct Case {
    std::string text;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {" \"x, y\", \"z\"", {" \"x, y\"", " \"z\""}},
      {" 1, 2,3", {" 1", " 2", "3"}},
      {" \"unclosed, still one\"\"", {" \"unclosed, still one\"\""}},
      {" \"a\", ", {" \"a\"", " "}},
      {"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitValueList(c.text, ",", "", ""), c.pieces);
  }
}

TEST(StringSplitTest, TrimBlanks) {
  EXPECT_EQ(trimBlanks(" \t\r\n a b \x01\x1F"), "a b");
  EXPECT_EQ(trimBlanks("   "), "");
  EXPECT_EQ(trimBlanks("é "), "é");
}

}  // namespace
