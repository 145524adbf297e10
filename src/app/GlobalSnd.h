// The sound manager: every effect and piece of music is named in
// data/globalSnd.dat and played by name. Effects are fire-and-forget at the
// sound volume; music plays on one channel with a cross-fade to the next
// piece; the level-completed jingle has a channel of its own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "platform/Audio.h"

class TSoundData {
 public:
  std::string id;
  std::string url;
  plat::SoundPtr snd;
  plat::Channel chn[10] = {plat::kNoChannel, plat::kNoChannel, plat::kNoChannel, plat::kNoChannel,
                           plat::kNoChannel, plat::kNoChannel, plat::kNoChannel, plat::kNoChannel,
                           plat::kNoChannel, plat::kNoChannel};
  // Far in the past, so the very first start is never taken for a repeat.
  int lastTime = -1000000;

  void playMe(float volume);
  plat::Channel playMeSpec(float volume);
  void update();
};

class TMusicData {
 public:
  std::string id;
  std::string url;
  plat::SoundPtr snd;
  int levelMusic = 0;
  int loop = 0;
};

class TGlobalSnd : public TEkran {
 public:
  std::vector<std::shared_ptr<TMusicData>> musics;
  std::vector<std::shared_ptr<TSoundData>> sounds;
  std::vector<std::shared_ptr<TMusicData>> levelMusics;
  plat::Channel newMusicCHN = plat::kNoChannel;
  plat::Channel oldMusicCHN = plat::kNoChannel;
  plat::Channel winMusicCHN = plat::kNoChannel;
  float winMusicVol = 0, dWinMusicVol = 0;
  std::shared_ptr<TMusicData> oldMusicData, newMusicData;
  float newPer = 0, oldPer = 0;
  float musicVol = 0;
  int aktLevelMusic = 0;

  // Called after each effect is loaded (the loading screen's progress step).
  std::function<void()> onSoundLoaded;
  std::string dataFile = "data/globalSnd.dat";

  void setup() override;
  void _setupMusic();
  void _setupSounds();
  void _setupExactMusicByNR(int k);
  void _setupExactMusic(const std::string& musicId);

  void playMySound(const std::string& what, float volume);
  void playMySound(const std::shared_ptr<TSoundData>& what, float volume);
  std::shared_ptr<TSoundData> getSoundData(const std::string& name) const;
  std::shared_ptr<TMusicData> getMusicData(const std::string& name) const;

  void playCreateBonus();
  void playCreatePowerUp(int k);
  void playTileBreak();
  void playHammerBreak();
  void playChainBreak();
  void playDestroyChip();
  void playPuzzleMatched();
  void playPuzzleClick();
  void playBOMB(int k);
  void playSzu();
  void playAddToChain();
  void playCROSSFIRE(int k);
  void playFireWork();
  void playBadMatch();
  void playChipMove();
  void playChipFly();
  void playSwap() {}
  void click() {}

  void playMyMusic(const std::string& what);
  void playMyMusic(const std::shared_ptr<TMusicData>& what);
  int mustPlayNewMusic() const;
  void playLevelMusic();
  void shutDownMusic();
  void playWINMusic();
  void setMusicVol(float v);
  void setSoundVol(float v) {}
  void stopAllSounds();
  void resumeAllSounds();
  void update() override;
};

// The one sound manager.
TGlobalSnd& globalSnd();
