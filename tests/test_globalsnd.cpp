#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/GlobalSnd.h"
#include "app/Options.h"
#include "platform/Clock.h"

namespace {

// The sound manager over the silent audio backend with the game's own
// generated sound; the fake clock decides what is still playing.
struct SoundTest : ::testing::Test {
  TGlobalSnd snd;
  TempDir dir;
  void SetUp() override {
    std::string ogg = std::string(WOOFMERE_GAME_DIR) + "/gfx/music/test-loop.ogg";
    std::string effect = std::string(WOOFMERE_GAME_DIR) + "/gfx/sounds/click.ogg";
    if (readBytes(ogg).empty() || readBytes(effect).empty()) GTEST_SKIP() << "no generated sounds";
    writeBytes(dir.file("globalSnd.dat"),
               "globalSnd {\n\tsounds = 2\n\tsnd1 {\n\t\tid = \"pop\"\n\t\turl = \"" + effect +
                   "\"\n\t}\n\tsnd2 {\n\t\tid = \"level-completed\"\n\t\turl = \"" + effect +
                   "\"\n\t}\n\tmusics = 2\n\tmusic1 {\n\t\tid = \"one\"\n\t\turl = \"" + ogg +
                   "\"\n\t\tlevelMusic = 1\n\t\tloop = 1\n\t}\n\tmusic2 {\n\t\tid = \"two\"\n\t\turl = \"" + ogg +
                   "\"\n\t\tlevelMusic = 0\n\t\tloop = 1\n\t}\n}\n");
    plat::useFakeClock(5000);
    plat::audio().stopAll();
    options().soundVol = 0.5f;
    snd.dataFile = dir.file("globalSnd.dat");
    int steps = 0;
    snd.onSoundLoaded = [&] { ++steps; };
    snd.setup();
    EXPECT_EQ(steps, 2) << "one loading step per effect";
    snd._setupExactMusicByNR(1);
    snd._setupExactMusic("two");
    snd.setMusicVol(0.5f);
    delta = 1;
  }
};

}  // namespace

TEST_F(SoundTest, ReadsTheCatalogue) {
  ASSERT_EQ(snd.musics.size(), 2u);
  EXPECT_EQ(snd.levelMusics.size(), 1u);
  EXPECT_EQ(snd.aktLevelMusic, 1);
  EXPECT_TRUE(snd.musics[0]->snd && snd.musics[1]->snd);
  EXPECT_EQ(snd.getSoundData("POP"), snd.sounds[0]);
  EXPECT_EQ(snd.getMusicData("nothing"), nullptr);
}

TEST_F(SoundTest, TheSameEffectWithin25msPlaysOnce) {
  auto pop = snd.getSoundData("pop");
  snd.playMySound("pop", 1);
  plat::Channel first = pop->chn[0];
  EXPECT_NE(first, plat::kNoChannel);
  plat::advanceFakeClock(24);
  snd.playMySound("pop", 1);
  EXPECT_EQ(pop->chn[0], first);
  plat::advanceFakeClock(1);
  snd.playMySound("pop", 1);
  EXPECT_NE(pop->chn[0], first);
}

TEST_F(SoundTest, NoEffectsAtSoundVolumeZero) {
  options().soundVol = 0;
  snd.playMySound("pop", 1);
  EXPECT_EQ(snd.getSoundData("pop")->chn[0], plat::kNoChannel);
  snd.playMySound("unknown", 1);  // silently nothing
}

TEST_F(SoundTest, MusicCrossFadesAndComesBackWithTheVolume) {
  snd.playMyMusic("one");
  plat::Channel a = snd.newMusicCHN;
  EXPECT_TRUE(plat::audio().playing(a));
  snd.update();
  snd.playMyMusic("two");  // the next frame
  EXPECT_EQ(snd.oldMusicCHN, a);
  EXPECT_EQ(snd.newMusicData->id, "two");
  EXPECT_FLOAT_EQ(snd.oldPer, 1);
  for (int i = 0; i < 20; ++i) snd.update();
  EXPECT_FLOAT_EQ(snd.newPer, 1);
  EXPECT_FALSE(plat::audio().playing(a)) << "the old piece stops when faded out";
  EXPECT_EQ(snd.oldMusicCHN, plat::kNoChannel);
  // Volume 0 stops the music; raising it brings the same piece back.
  snd.setMusicVol(0.005f);
  EXPECT_EQ(snd.musicVol, 0.0f);
  EXPECT_EQ(snd.mustPlayNewMusic(), 1);
  snd.setMusicVol(0.4f);
  EXPECT_EQ(snd.mustPlayNewMusic(), 0);
  EXPECT_EQ(snd.newMusicData->id, "two");
}

TEST_F(SoundTest, ThreeQuickRequestsLeaveNoOrphanPlaying) {
  snd.playMyMusic("one");
  plat::Channel first = snd.newMusicCHN;
  snd.playMyMusic("two");
  snd.playMyMusic("one");
  EXPECT_FALSE(plat::audio().playing(first));
}

TEST_F(SoundTest, WinJingleFadesOut) {
  snd.playWINMusic();
  EXPECT_NE(snd.winMusicCHN, plat::kNoChannel);
  snd.dWinMusicVol = 0;
  for (int i = 0; i < 30 && snd.winMusicCHN != plat::kNoChannel; ++i) snd.update();
  EXPECT_EQ(snd.winMusicCHN, plat::kNoChannel);
}
