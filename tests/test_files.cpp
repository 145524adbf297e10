#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestUtil.h"
#include "platform/Files.h"

using namespace plat;

TEST(TextFiles, RoundTripInEveryEncoding) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string text;       // UTF-8 as the game holds it
    std::string expectedBytes;
  };
  const Case cases[] = {
      {"ascii", "Hello\nWorld\n", "Hello\nWorld\n"},
      // Characters below 256 are written one byte each (Latin-1).
      {"latin1", "Caf\xC3\xA9 \xC3\xB1", std::string("Caf\xE9 \xF1")},
      // Anything above 255 switches the whole file to UTF-16 LE with a mark.
      {"utf16", "\xC5\x81\xC3\xB3" "d\xC5\xBA", std::string("\xFF\xFE\x41\x01\xF3\x00\x64\x00\x7A\x01", 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.file(c.name);
    ASSERT_TRUE(writeTextFile(path, c.text));
    EXPECT_EQ(readBytes(path), c.expectedBytes);
    auto back = readTextFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, c.text);
  }
}

TEST(TextFiles, ReadsEveryByteOrderMark) {
  TempDir dir;
  const std::string expected = "A\xC3\xA9\xE2\x82\xAC";  // "Aé€"
  const std::pair<const char*, std::string> files[] = {
      {"le", std::string("\xFF\xFE" "A\0\xE9\0\xAC\x20", 8)},
      {"be", std::string("\xFE\xFF\0A\0\xE9\x20\xAC", 8)},
      {"utf8", "\xEF\xBB\xBF" "A\xC3\xA9\xE2\x82\xAC"},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    writeBytes(dir.file(name), bytes);
    EXPECT_EQ(readTextFile(dir.file(name)).value_or("?"), expected);
  }
  EXPECT_FALSE(readTextFile(dir.file("missing")));
}

TEST(TextFiles, LinesKeepCarriageReturnsAndIgnoreTheFinalNewline) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "one\r\n\ntwo\n");
  auto lines = readLines(dir.file("t.txt"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{"one\r", "", "two"}));
}

namespace {
void crashBeforeRename() { ::_exit(42); }
}  // namespace

TEST(AtomicWrite, CrashBeforeRenameLeavesTheOldFileWhole) {
  TempDir dir;
  std::string path = dir.file("profile.dat");
  ASSERT_TRUE(writeFileAtomic(path, "old contents\n"));
  pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    plat::testing::setBeforeRenameHook(crashBeforeRename);
    writeFileAtomic(path, std::string(100000, 'x'));
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 42) << "the simulated crash did not happen";
  EXPECT_EQ(readBytes(path), "old contents\n");
}

TEST(AtomicWrite, FailureIsReportedAndKeepsTheOldFile) {
  TempDir dir;
  writeBytes(dir.file("plain"), "x");
  // A regular file used as a folder cannot hold anything, even for root.
  EXPECT_FALSE(writeFileAtomic(dir.file("plain/sub.dat"), "data"));
  EXPECT_EQ(readBytes(dir.file("plain")), "x");
  ASSERT_TRUE(writeFileAtomic(dir.file("a.dat"), "first"));
  ASSERT_TRUE(writeFileAtomic(dir.file("a.dat"), "second"));
  EXPECT_EQ(readBytes(dir.file("a.dat")), "second");
  EXPECT_FALSE(fileExists(dir.file("a.dat.tmp")));
}

TEST(Paths, CaseInsensitiveFallback) {
  TempDir dir;
  writeBytes(dir.file("gfx/gui/mainGame/linia.png"), "png");
  writeBytes(dir.file("gfx/gui/popUp/popUp.gui"), "gui");
  const std::pair<std::string, std::string> cases[] = {
      {"gfx/gui/maingame/linia.png", "gfx/gui/mainGame/linia.png"},
      {"GFX/GUI/MAINGAME/LINIA.PNG", "gfx/gui/mainGame/linia.png"},
      {"gfx/gui/popup/popUp.gui", "gfx/gui/popUp/popUp.gui"},
      {"gfx/gui/mainGame/linia.png", "gfx/gui/mainGame/linia.png"},
  };
  for (const auto& [asked, onDisk] : cases) {
    SCOPED_TRACE(asked);
    EXPECT_EQ(resolvePath(dir.file(asked)), dir.file(onDisk));
    EXPECT_EQ(readTextFile(dir.file(asked)).value_or(""), readBytes(dir.file(onDisk)));
    EXPECT_TRUE(fileExists(dir.file(asked)));
  }
  EXPECT_TRUE(folderExists(dir.file("GFX/Gui")));
  EXPECT_EQ(resolvePath(dir.file("gfx/nothing/here.png")), dir.file("gfx/nothing/here.png"));
  EXPECT_EQ(fileKind(dir.file("gfx/nothing/here.png")), FileKind::None);
}

TEST(Paths, Normalisation) {
  const std::pair<const char*, const char*> cases[] = {
      {"a/b/../c", "a/c"},       {"./a//b/", "a/b"},          {"C:\\Users\\me\\.Woofmere", "C:/Users/me/.Woofmere"},
      {"/x/../../y", "/y"},      {"../up/./here", "../up/here"}, {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(normalizePath(in), out) << in;
}

TEST(Paths, CreateFolderMakesParentsAndRefusesFiles) {
  TempDir dir;
  EXPECT_TRUE(createFolder(dir.file("a/b/c")));
  EXPECT_TRUE(folderExists(dir.file("a/b/c")));
  EXPECT_TRUE(createFolder(dir.file("a/b/c")));  // already there
  writeBytes(dir.file("f"), "x");
  EXPECT_FALSE(createFolder(dir.file("f/g")));
}

TEST(Utf8, CountsCharactersAndSurvivesMalformedInput) {
  EXPECT_EQ(utf8Length("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"), 6u);
  EXPECT_EQ(utf32ToUtf8(utf8ToUtf32("\xF0\x9F\x90\xB6 dog")), "\xF0\x9F\x90\xB6 dog");
  // Truncated and stray continuation bytes become replacement characters.
  EXPECT_EQ(utf8ToUtf32("a\xE2\x82"), (std::u32string{U'a', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(utf8ToUtf32("\x80z"), (std::u32string{0xFFFD, U'z'}));
}
