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
  o = parseHarnessOptions({"--bench-from", "300"}, err);
  ASSERT_TRUE(o) << err;
  EXPECT_TRUE(o->bench) << "asking where the figures start asks for them";
  EXPECT_EQ(o->benchFrom, 300);

  const std::vector<std::vector<std::string>> bad = {
      {"--frames"}, {"--frames", "ten"}, {"--frames", "-1"}, {"--seed", "x"}, {"--whatever"}, {"--script"},
      {"--bench-from", "-5"}};
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

#include "app/Canvas.h"
#include "platform/Clock.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"

TEST(HarnessFrames, ScriptEventsArriveOnTheirFrameAndFramesEndTheRun) {
  plat::PlatformConfig cfg;
  cfg.headless = true;
  ASSERT_TRUE(plat::init(cfg));
  ASSERT_TRUE(plat::gfx().openDisplay(1024, 768, false));
  setVirtualCanvas(1024, 768, 3);
  HarnessOptions o;
  o.headless = true;
  o.frames = 6;
  Harness& h = Harness::get();
  h.configure(o);
  std::string err;
  auto ev = parseScript("0 move 10 20\n2 key A\n3 click 300 400\n5 text \"hi\"\n", err);
  ASSERT_TRUE(ev) << err;
  h.setScript(*ev);
  h.install();
  auto& in = plat::input();
  EXPECT_FLOAT_EQ(canvasMouseX(), 10);  // frame 0 events precede the first frame
  int t0 = plat::millisecs();
  auto frame = [&] { plat::gfx().flip(0); };
  frame();  // frame 1 presented
  EXPECT_EQ(in.keyHit(plat::KEY_A), 0);
  frame();  // after frame 2 is presented, the events of frame 2 are in
  EXPECT_EQ(in.keyHit(plat::KEY_A), 1);
  EXPECT_TRUE(in.keyDown(plat::KEY_A));
  frame();
  EXPECT_FALSE(in.keyDown(plat::KEY_A)) << "a key is released on the next frame";
  EXPECT_TRUE(in.mouseDown(plat::MOUSE_LEFT));
  EXPECT_FLOAT_EQ(canvasMouseX(), 300);
  frame();
  EXPECT_FALSE(in.mouseDown(plat::MOUSE_LEFT));
  EXPECT_EQ(in.mouseHit(plat::MOUSE_LEFT), 1);
  EXPECT_FALSE(in.closeRequested());
  frame();
  EXPECT_EQ(in.getChar(), U'h');
  frame();
  EXPECT_TRUE(in.closeRequested()) << "--frames ends the run through the close path";
  EXPECT_EQ(h.frame(), 6);
  EXPECT_NEAR(plat::millisecs() - t0, 100, 1) << "the fake clock moves 1/60 s per frame";
  in.clearCloseRequest();
  plat::setFrameHook(nullptr);
  plat::shutdown();
}
