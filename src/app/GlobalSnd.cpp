#include "app/GlobalSnd.h"

#include <strings.h>

#include <algorithm>
#include <iostream>

#include "app/Options.h"
#include "data/RCMFile.h"
#include "platform/Clock.h"
#include "platform/Random.h"

namespace {

float soundVolume() { return options().soundVol; }

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

TGlobalSnd& globalSnd() {
  static TGlobalSnd* g = new TGlobalSnd();  // lives for the whole run
  return *g;
}

// ---------------------------------------------------------------------------
// Effects

plat::Channel TSoundData::playMeSpec(float volume) {
  int now = plat::millisecs();
  // The same effect started by several chips in one frame is heard once.
  if (now - lastTime < 25) return plat::kNoChannel;
  lastTime = now;
  if (!snd) return plat::kNoChannel;
  plat::Channel c = plat::audio().play(snd, soundVolume() * volume);
  chn[0] = c;
  return c;
}

void TSoundData::playMe(float volume) { playMeSpec(volume); }

void TSoundData::update() {
  for (auto& c : chn)
    if (c != plat::kNoChannel && !plat::audio().playing(c)) c = plat::kNoChannel;
}

void TGlobalSnd::setup() {
  _setupMusic();
  _setupSounds();
}

void TGlobalSnd::_setupMusic() {
  musics.clear();
  levelMusics.clear();
  auto f = loadRCMFile(dataFile);
  int n = int(f->getFloat("globalSnd::musics"));
  for (int k = 1; k <= n; ++k) {
    std::string base = "globalSnd::music" + std::to_string(k) + "::";
    auto m = std::make_shared<TMusicData>();
    m->id = f->getString(base + "id");
    m->url = f->getString(base + "url");
    m->levelMusic = int(f->getFloat(base + "levelMusic"));
    m->loop = int(f->getFloat(base + "loop"));
    musics.push_back(m);
    if (m->levelMusic == 1) levelMusics.push_back(m);
  }
  // An empty pool draws nothing (and plays no level music).
  aktLevelMusic = levelMusics.empty() ? 0 : plat::randInt(1, int(levelMusics.size()));
}

void TGlobalSnd::_setupSounds() {
  sounds.clear();
  auto f = loadRCMFile(dataFile);
  int n = int(f->getFloat("globalSnd::sounds"));
  for (int k = 1; k <= n; ++k) {
    std::string base = "globalSnd::snd" + std::to_string(k) + "::";
    auto s = std::make_shared<TSoundData>();
    s->id = f->getString(base + "id");
    s->url = f->getString(base + "url");
    s->snd = plat::audio().loadSound(s->url, false);
    sounds.push_back(s);
    if (onSoundLoaded) onSoundLoaded();
  }
}

void TGlobalSnd::_setupExactMusicByNR(int k) {
  if (k < 1 || k > int(musics.size())) {
    std::cout << "Music piece " << k << " is not listed in " << dataFile << "; it stays silent." << std::endl;
    return;
  }
  auto& m = musics[size_t(k - 1)];
  if (!m->snd) m->snd = plat::audio().loadSound(m->url, m->loop == 1);
}

void TGlobalSnd::_setupExactMusic(const std::string& musicId) {
  for (size_t i = 0; i < musics.size(); ++i)
    if (musics[i]->id == musicId) return _setupExactMusicByNR(int(i) + 1);
}

void TGlobalSnd::playMySound(const std::string& what, float volume) {
  if (soundVolume() == 0 || what.empty()) return;
  playMySound(getSoundData(what), volume);
}

void TGlobalSnd::playMySound(const std::shared_ptr<TSoundData>& what, float volume) {
  if (soundVolume() == 0 || !what) return;
  what->playMe(volume);
}

std::shared_ptr<TSoundData> TGlobalSnd::getSoundData(const std::string& name) const {
  for (const auto& s : sounds)
    if (sameName(s->id, name)) return s;
  return nullptr;
}

std::shared_ptr<TMusicData> TGlobalSnd::getMusicData(const std::string& name) const {
  for (const auto& m : musics)
    if (sameName(m->id, name)) return m;
  return nullptr;
}

void TGlobalSnd::playCreateBonus() { playMySound("createBonus1", 1); }
void TGlobalSnd::playCreatePowerUp(int) {
  static const char* names[] = {"createPowerUp", "createPowerUp2", "createPowerUp3"};
  playMySound(names[plat::randInt(0, 2)], 1);
}
void TGlobalSnd::playTileBreak() { playMySound("tile-Break", 1); }
void TGlobalSnd::playHammerBreak() { playMySound("hammer-break-" + std::to_string(plat::randInt(1, 3)), 1); }
void TGlobalSnd::playChainBreak() { playMySound("chain-break", 1); }
void TGlobalSnd::playDestroyChip() { playMySound("chipDestroy1", 1); }
void TGlobalSnd::playPuzzleMatched() { playMySound("puzzle-matched", 1); }
void TGlobalSnd::playPuzzleClick() { playMySound("puzzle-clicked", 1); }
void TGlobalSnd::playBOMB(int k) {
  if (k >= 1 && k <= 3) playMySound("bomb" + std::to_string(k), 1);
}
void TGlobalSnd::playSzu() { playMySound("szu", 1); }
void TGlobalSnd::playAddToChain() { playMySound("chipMove2", 1); }
void TGlobalSnd::playCROSSFIRE(int k) {
  if (k >= 1 && k <= 3) playMySound("crossfire" + std::to_string(k), 1);
}
void TGlobalSnd::playFireWork() { playMySound("fireWork", 1); }
void TGlobalSnd::playBadMatch() { playMySound("bad-match", 1); }
void TGlobalSnd::playChipMove() { playMySound("chipMove", 1); }
void TGlobalSnd::playChipFly() { playMySound("chipMove", 1); }

// ---------------------------------------------------------------------------
// Music

int TGlobalSnd::mustPlayNewMusic() const {
  return (newMusicCHN == plat::kNoChannel || !plat::audio().playing(newMusicCHN)) ? 1 : 0;
}

void TGlobalSnd::playMyMusic(const std::string& what) {
  if (what.empty()) return;
  playMyMusic(getMusicData(what));
}

void TGlobalSnd::playMyMusic(const std::shared_ptr<TMusicData>& what) {
  if (!what) return;
  auto& a = plat::audio();
  if (mustPlayNewMusic()) {
    newPer = 0;
  } else {
    // The old piece may still be fading out from an earlier request: it is
    // cut now rather than left playing on a forgotten channel.
    if (oldMusicCHN != plat::kNoChannel && oldMusicCHN != newMusicCHN) a.stop(oldMusicCHN);
    oldMusicCHN = newMusicCHN;
    oldMusicData = newMusicData;
    a.setVolume(oldMusicCHN, musicVol * oldPer);
    oldPer = 1;
    newPer = 0;
  }
  newMusicData = what;
  newMusicCHN = what->snd ? a.play(what->snd, 0) : plat::kNoChannel;
}

void TGlobalSnd::playLevelMusic() {
  if (levelMusics.empty()) return;
  playMyMusic(levelMusics[size_t(plat::randInt(0, int(levelMusics.size()) - 1))]);
}

void TGlobalSnd::shutDownMusic() {
  auto& a = plat::audio();
  if (oldMusicCHN != plat::kNoChannel && oldMusicCHN != newMusicCHN) a.stop(oldMusicCHN);
  oldMusicCHN = newMusicCHN;
  oldMusicData = newMusicData;
  oldPer = 1;
  newPer = 0;
  newMusicCHN = plat::kNoChannel;
  newMusicData = nullptr;
}

void TGlobalSnd::playWINMusic() {
  winMusicVol = dWinMusicVol = 1;
  auto s = getSoundData("level-completed");
  winMusicCHN = s ? s->playMeSpec(0.5f) : plat::kNoChannel;
}

void TGlobalSnd::setMusicVol(float v) {
  if (v < 0.01f) v = 0;
  auto& a = plat::audio();
  if (musicVol == 0 && v > 0) {
    musicVol = v;
    playMyMusic(newMusicData);
  } else {
    a.setVolume(oldMusicCHN, v * oldPer);
    a.setVolume(newMusicCHN, v * newPer);
  }
  if (v == 0) {
    a.stop(oldMusicCHN);
    a.stop(newMusicCHN);
    oldMusicCHN = plat::kNoChannel;
    newMusicCHN = plat::kNoChannel;
  }
  musicVol = v;
}

void TGlobalSnd::stopAllSounds() {
  plat::audio().pause(oldMusicCHN);
  plat::audio().pause(newMusicCHN);
}

void TGlobalSnd::resumeAllSounds() {
  plat::audio().resume(oldMusicCHN);
  plat::audio().resume(newMusicCHN);
}

void TGlobalSnd::update() {
  auto& a = plat::audio();
  newPer = std::min(newPer + 0.05f * delta, 1.0f);
  oldPer = std::max(oldPer - 0.05f * delta, 0.0f);
  winMusicVol = easeToward(winMusicVol, dWinMusicVol, 0.04f * delta);
  if (oldMusicCHN != plat::kNoChannel && a.playing(oldMusicCHN)) {
    if (oldPer > 0) {
      a.setVolume(oldMusicCHN, musicVol * oldPer);
    } else {
      a.stop(oldMusicCHN);
      oldMusicCHN = plat::kNoChannel;
    }
  }
  if (newMusicCHN != plat::kNoChannel && a.playing(newMusicCHN)) a.setVolume(newMusicCHN, musicVol * newPer);
  for (auto& s : sounds) s->update();
  if (winMusicCHN != plat::kNoChannel && a.playing(winMusicCHN)) {
    a.setVolume(winMusicCHN, soundVolume() * winMusicVol * 0.5f);
    if (winMusicVol == 0) {
      a.stop(winMusicCHN);
      winMusicCHN = plat::kNoChannel;
    }
  }
}
