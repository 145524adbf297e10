#include <gtest/gtest.h>

#include "app/Harness.h"
#include "platform/Input.h"

TEST(HarnessOptions, ParsesEveryOptionAndRejectsBadOnes) {
  std::string err;
  auto o = parseHarnessOptions({"--headless", "--seed", "42", "--fixed-delta", "--frames", "120", "--script", "s.txt",
                                "--screenshot", "out.png", "--user-dir", "u", "--bench", "--windowed", "--data", "g"},
                               err);
  ASSERT_TRUE(o) << err;
  EXPECT_TRUE(o->headless && o->fixedDelta && o->bench && o->windowed);
  EXPECT_EQ(o->seed.value_or(0), 42u);
  EXPECT_EQ(o->frames, 120);
  EXPECT_EQ(o->script, "s.txt");
  EXPECT_EQ(o->screenshot, "out.png");
  EXPECT_EQ(o->userDir, "u");
  EXPECT_EQ(o->dataDir, "g");

  const std::vector<std::vector<std::string>> bad = {
      {"--frames"}, {"--frames", "ten"}, {"--frames", "-1"}, {"--seed", "x"}, {"--whatever"}, {"--script"}};
  for (const auto& args : bad) {
    err.clear();
    EXPECT_FALSE(parseHarnessOptions(args, err)) << args[0];
    EXPECT_FALSE(err.empty());
  }
}

TEST(HarnessScript, ParsesEventsInFrameOrderAndNamesBadLines) {
  std::string err;
  auto ev = parseScript("# comment\n"
                        "30 click 512 384\n"
                        "10 move 100.5 200\n"
                        "\n"
                        "20 key escape\n"
                        "25 text \"Hello there\"\n"
                        "40 focus lost\n"
                        "50 close\n",
                        err);
  ASSERT_TRUE(ev) << err;
  ASSERT_EQ(ev->size(), 6u);
  EXPECT_EQ((*ev)[0].command, "move");
  EXPECT_EQ((*ev)[0].frame, 10);
  EXPECT_EQ((*ev)[2].args[0], "Hello there");
  EXPECT_EQ((*ev)[3].command, "click");

  const std::pair<const char*, const char*> bad[] = {
      {"x move 1 2\n", "line 1"},       {"5 jump\n", "unknown command"}, {"5 move 1\n", "argument"},
      {"\n5 key NOPE\n", "line 2"},     {"5 press thumb\n", "button"},   {"5 focus maybe\n", "focus"},
      {"5 move a b\n", "numbers"},
  };
  for (const auto& [text, why] : bad) {
    err.clear();
    EXPECT_FALSE(parseScript(text, err)) << text;
    EXPECT_NE(err.find(why), std::string::npos) << text << " -> " << err;
  }
}

TEST(HarnessScript, KeyNames) {
  EXPECT_EQ(plat::keyFromName("escape"), plat::KEY_ESCAPE);
  EXPECT_EQ(plat::keyFromName("F4"), plat::KEY_F4);
  EXPECT_EQ(plat::keyFromName("a"), plat::KEY_A);
  EXPECT_EQ(plat::keyFromName("7"), plat::KEY_7);
  EXPECT_EQ(plat::keyFromName("LALT"), plat::KEY_LALT);
  EXPECT_EQ(plat::keyFromName("F13"), -1);
  EXPECT_EQ(plat::keyFromName(""), -1);
}
