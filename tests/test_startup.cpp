#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/Globals.h"
#include "app/Options.h"
#include "app/Startup.h"
#include "platform/Platform.h"

TEST(UserDir, CreatedOnFirstStartAndReusedAfterwards) {
  TempDir dir;
  std::string u = prepareUserDir(dir.path());
  EXPECT_EQ(u, dir.path() + "/.Woofmere");
  EXPECT_TRUE(std::filesystem::is_directory(u + "/Data"));
  EXPECT_TRUE(std::filesystem::is_directory(u + "/Profiles"));
  writeBytes(u + "/Profiles/profiles.dat", "kept");
  EXPECT_EQ(prepareUserDir(dir.path()), u);
  EXPECT_EQ(readBytes(u + "/Profiles/profiles.dat"), "kept");
  // A base spelled with backslashes comes back with forward slashes.
  std::string odd = prepareUserDir(dir.path() + "\\sub");
  EXPECT_EQ(odd.find('\\'), std::string::npos);
}

TEST(ExitHandler, RunsOnceAndSavesOnlyWhatWasLoaded) {
  TempDir dir;
  int profileSaves = 0;
  startupWiring().saveProfiles = [&] { ++profileSaves; };
  startupWiring().sendPlayLogs = [] { throw std::runtime_error("network down"); };
  options() = TOptions();
  userDir = dir.path();
  plat::setExitHook(onExitSave);
  testing::internal::CaptureStdout();
  plat::runExitHook();
  plat::runExitHook();  // a second quit on the way out changes nothing
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(profileSaves, 1);
  EXPECT_NE(out.find("network down"), std::string::npos) << "a failing step is reported, not fatal";
  EXPECT_FALSE(std::filesystem::exists(dir.file("Data/settings.dat")))
      << "options that were never read must not overwrite the player's file";
  startupWiring() = StartupWiring{};
  plat::setExitHook(nullptr);
}
