#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Txt.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;

class TxtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/woofmere-txt-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    savedLang_ = lang;
    savedPhase_ = txtStartupPhase();
    lang = "eng";
  }
  void TearDown() override {
    lang = savedLang_;
    setTxtStartupPhase(savedPhase_);
    fs::remove_all(dir_);
  }
  std::string write(const std::string& rel, const std::string& bytes) {
    std::string path = dir_ + "/" + rel;
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string dir_, savedLang_;
  bool savedPhase_ = true;
};

TEST_F(TxtTest, SplitsLinesOnNewlineOnly) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\n\nb\n", {"a", "", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a\r", "b\r"}},
      {"", {}},
      {"\n", {""}},
      {"\n\n", {"", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitTxtLines(c.text).txt, c.lines);
    EXPECT_EQ(loadTxtPlain(write("plain.txt", c.text)).txt, c.lines);
  }
}

TEST_F(TxtTest, LineNumbersOutsideTheFileGiveTheMarker) {
  TTxtFile f = splitTxtLines("first\nsecond\nlast\n");
  ASSERT_EQ(f.lines(), 3);
  struct Case {
    int n;
    std::string text;
  };
  const Case cases[] = {
      {1, "first"}, {3, "last"}, {0, TXT_BEYOND}, {4, TXT_BEYOND}, {-1, TXT_BEYOND},
      {INT_MIN, TXT_BEYOND}, {INT_MAX, TXT_BEYOND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(txtLine(f, c.n), c.text);
  }
  EXPECT_EQ(std::string(TXT_BEYOND), "(BEYOND TEXT ARRAY LENGTH!)");
  EXPECT_EQ(txtLine(TTxtFile{}, 1), TXT_BEYOND);
}

TEST_F(TxtTest, LanguageFolderComesFromLangFile) {
  write("data/lang.txt", " deu\r\n");
  write("txt/deu/pause.txt", "Pause\n");
  loadLang(dir_ + "/data/lang.txt");
  EXPECT_EQ(lang, "deu");
  EXPECT_EQ(localizedTxtPath(dir_ + "/txt/pause.txt"), dir_ + "/txt/deu/pause.txt");
  EXPECT_EQ(txtLine(loadTxt(dir_ + "/txt/pause.txt"), 1), "Pause");
}

TEST_F(TxtTest, LocalizedPaths) {
  EXPECT_EQ(localizedTxtPath("txt/pause.txt"), "txt/eng/pause.txt");
  EXPECT_EQ(localizedTxtPath("a/b/c.txt"), "a/b/eng/c.txt");
  EXPECT_EQ(localizedTxtPath("pause.txt"), "eng/pause.txt");  // never "/eng/..."
}

TEST_F(TxtTest, MissingFilesAtStartupAreFatal) {
  setTxtStartupPhase(true);
  std::string langPath = dir_ + "/data/lang.txt";
  try {
    loadLang(langPath);
    FAIL() << "expected FatalContentError";
  } catch (const FatalContentError& e) {
    EXPECT_EQ(e.path(), langPath);
    EXPECT_NE(std::string(e.what()).find(langPath), std::string::npos);
  }
  EXPECT_EQ(lang, "eng");

  std::string expected = dir_ + "/txt/eng/names.txt";
  try {
    loadTxt(dir_ + "/txt/names.txt");
    FAIL() << "expected FatalContentError";
  } catch (const FatalContentError& e) {
    EXPECT_EQ(e.path(), expected);
    EXPECT_NE(std::string(e.what()).find(expected), std::string::npos);
  }
  EXPECT_THROW(loadTxtPlain(dir_ + "/data/free_levels.txt"), FatalContentError);
}

TEST_F(TxtTest, MissingFileMidGameIsReportedOnceAndReadsEmpty) {
  setTxtStartupPhase(false);
  std::string missing = dir_ + "/txt/eng/winScreen.txt";
  testing::internal::CaptureStdout();
  TTxtFile first = loadTxt(dir_ + "/txt/winScreen.txt");
  TTxtFile second = loadTxt(dir_ + "/txt/winScreen.txt");
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Napotkano problem : Nie znaleziono pliku : " + missing + "\n");
  EXPECT_EQ(first.lines(), 0);
  EXPECT_EQ(second.lines(), 0);
  EXPECT_EQ(txtLine(first, 2), TXT_BEYOND);
}

TEST_F(TxtTest, EncodingsBecomeUtf8) {
  // "Łapa\nżółw\n" as UTF-16 little-endian with its mark.
  std::u32string text = U"Łapa\nżółw\n";
  std::string le = "\xFF\xFE";
  for (char32_t c : text) {
    le += char(c & 0xFF);
    le += char(c >> 8);
  }
  write("txt/eng/dogs.txt", le);
  TTxtFile f = loadTxt(dir_ + "/txt/dogs.txt");
  ASSERT_EQ(f.lines(), 2);
  EXPECT_EQ(f.txt[0], "Łapa");
  EXPECT_EQ(plat::utf8Length(f.txt[1]), 4u);

  write("txt/eng/bom.txt", "\xEF\xBB\xBFżółw\n");
  EXPECT_EQ(txtLine(loadTxt(dir_ + "/txt/bom.txt"), 1), "żółw");
  write("txt/eng/latin.txt", "caf\xE9\n");
  EXPECT_EQ(txtLine(loadTxt(dir_ + "/txt/latin.txt"), 1), "café");
}

TEST_F(TxtTest, BracketedReferences) {
  write("txt/eng/mainMenu.txt", "Play\nOptions\nBack\n");
  std::string base = dir_ + "/txt/mainMenu.txt";
  struct Case {
    std::string ref;
    std::string text;
  };
  const Case cases[] = {
      {"[" + base + "|3]", "Back"},
      {"[" + base + "|1]", "Play"},
      {"[" + base + "|0]", TXT_BEYOND},
      {"[" + base + "|9]", TXT_BEYOND},
      {"[" + base + "|x]", TXT_BEYOND},
      {"[" + base + "]", TXT_BEYOND},
      {"[]", TXT_BEYOND},
      {"", TXT_BEYOND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ref);
    EXPECT_EQ(resolveTxtReference(c.ref), c.text);
  }
}

}  // namespace
