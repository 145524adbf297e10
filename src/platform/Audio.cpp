// Both audio backends. Sounds are checked with libvorbisfile on load, so a
// corrupt file is caught the same way with or without a sound card; the
// real backend then hands the bytes to SDL2_mixer's channels.
#include <SDL.h>
#include <SDL_mixer.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <vector>

#include "platform/Audio.h"
#include "platform/Backends.h"
#include "platform/Clock.h"
#include "platform/Files.h"

namespace plat {

namespace {

struct MemReader {
  const std::string* data;
  size_t pos = 0;
};

size_t memRead(void* ptr, size_t size, size_t n, void* src) {
  auto* r = static_cast<MemReader*>(src);
  size_t want = size * n;
  size_t left = r->data->size() - r->pos;
  size_t got = std::min(want, left);
  std::memcpy(ptr, r->data->data() + r->pos, got);
  r->pos += got;
  return size ? got / size : 0;
}

int memSeek(void* src, ogg_int64_t off, int whence) {
  auto* r = static_cast<MemReader*>(src);
  ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(r->pos) : ogg_int64_t(r->data->size());
  ogg_int64_t p = base + off;
  if (p < 0 || p > ogg_int64_t(r->data->size())) return -1;
  r->pos = size_t(p);
  return 0;
}

long memTell(void* src) { return long(static_cast<MemReader*>(src)->pos); }

// Opens the stream and decodes it to the end, so a file corrupt in the
// middle is caught at load rather than heard as a glitch. Returns the
// length in seconds, or a negative value with `why` set.
double checkVorbis(const std::string& bytes, std::string& why) {
  if (bytes.size() < 4 || std::memcmp(bytes.data(), "OggS", 4) != 0) {
    why = "not an Ogg file";
    return -1;
  }
  MemReader reader{&bytes};
  OggVorbis_File vf;
  ov_callbacks cb{memRead, memSeek, nullptr, memTell};
  if (ov_open_callbacks(&reader, &vf, nullptr, 0, cb) != 0) {
    why = "not an Ogg Vorbis stream";
    return -1;
  }
  char buf[16384];
  int section = 0;
  long total = 0;
  for (;;) {
    long n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section);
    if (n == 0) break;
    if (n < 0 && n != OV_HOLE) {
      ov_clear(&vf);
      why = "corrupt Ogg Vorbis data";
      return -1;
    }
    if (n > 0) total += n;
  }
  vorbis_info* info = ov_info(&vf, -1);
  double secs = info && info->rate > 0 ? double(total) / (2.0 * info->channels * info->rate) : 0;
  ov_clear(&vf);
  if (total == 0) {
    why = "no audio in the stream";
    return -1;
  }
  return secs;
}

class LoadedSound : public Sound {
 public:
  LoadedSound(const std::string& path, bool loop, double secs, Mix_Chunk* chunk) : chunk(chunk) {
    path_ = path;
    loop_ = loop;
    seconds_ = secs;
  }
  ~LoadedSound() override {
    if (chunk) Mix_FreeChunk(chunk);
  }
  Mix_Chunk* chunk;
};

std::shared_ptr<LoadedSound> loadChecked(const std::string& path, bool loop, std::string& bytes) {
  auto data = readBinaryFile(path);
  if (!data) {
    std::cout << "Could not load sound " << path << ": file not found" << std::endl;
    return nullptr;
  }
  std::string why;
  double secs = checkVorbis(*data, why);
  if (secs < 0) {
    std::cout << "Could not load sound " << path << ": " << why << std::endl;
    return nullptr;
  }
  bytes = std::move(*data);
  return std::make_shared<LoadedSound>(path, loop, secs, nullptr);
}

// Handles carry a generation so that a handle kept after its sound ended
// never touches the next sound played on the same channel.
constexpr int kChannels = 32;
Channel makeHandle(int ch, int gen) { return (gen << 8) | ch; }
int channelOf(Channel h) { return h & 0xff; }
int genOf(Channel h) { return h >> 8; }

// No device: keeps the bookkeeping (what plays, for how long) on the clock
// so that game logic that waits for a sound behaves the same.
class SilentAudio : public Audio {
 public:
  bool deviceOpen() const override { return false; }
  SoundPtr loadSound(const std::string& path, bool loop) override {
    std::string bytes;
    return loadChecked(path, loop, bytes);
  }
  Channel play(const SoundPtr& s, float volume) override {
    if (!s) return kNoChannel;
    for (int i = 0; i < kChannels; ++i) {
      if (!activeAt(i)) {
        Voice& v = voices_[i];
        v.gen = (v.gen + 1) & 0x7fffff;
        v.sound = s;
        v.start = millisecs();
        v.pausedAt = -1;
        v.volume = std::clamp(volume, 0.0f, 1.0f);
        return makeHandle(i, v.gen);
      }
    }
    return kNoChannel;
  }
  void pause(Channel c) override {
    if (Voice* v = voice(c); v && v->pausedAt < 0) v->pausedAt = millisecs();
  }
  void resume(Channel c) override {
    if (Voice* v = voice(c); v && v->pausedAt >= 0) {
      v->start += millisecs() - v->pausedAt;
      v->pausedAt = -1;
    }
  }
  void stop(Channel c) override {
    if (Voice* v = voice(c)) v->sound.reset();
  }
  bool playing(Channel c) const override {
    const Voice* v = const_cast<SilentAudio*>(this)->voice(c);
    return v && v->pausedAt < 0;
  }
  void setVolume(Channel c, float volume) override {
    if (Voice* v = voice(c)) v->volume = std::clamp(volume, 0.0f, 1.0f);
  }
  void pauseAll() override {
    for (int i = 0; i < kChannels; ++i)
      if (activeAt(i)) pause(makeHandle(i, voices_[i].gen));
  }
  void resumeAll() override {
    for (int i = 0; i < kChannels; ++i)
      if (activeAt(i)) resume(makeHandle(i, voices_[i].gen));
  }
  void stopAll() override {
    for (auto& v : voices_) v.sound.reset();
  }

 private:
  struct Voice {
    int gen = 0;
    SoundPtr sound;
    int start = 0;
    int pausedAt = -1;
    float volume = 1;
  };
  bool activeAt(int i) {
    Voice& v = voices_[i];
    if (!v.sound) return false;
    if (v.sound->loops() || v.pausedAt >= 0) return true;
    if (millisecs() - v.start >= int(v.sound->seconds() * 1000.0)) v.sound.reset();
    return bool(v.sound);
  }
  Voice* voice(Channel c) {
    if (c < 0) return nullptr;
    int i = channelOf(c);
    if (i >= kChannels || voices_[i].gen != genOf(c) || !activeAt(i)) return nullptr;
    return &voices_[i];
  }
  Voice voices_[kChannels];
};

class MixerAudio : public Audio {
 public:
  MixerAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
      std::cout << "No audio device (" << SDL_GetError() << "); the game runs without sound." << std::endl;
      return;
    }
    Mix_AllocateChannels(kChannels);
    open_ = true;
  }
  ~MixerAudio() override {
    if (open_) {
      Mix_HaltChannel(-1);
      Mix_CloseAudio();
    }
  }
  bool deviceOpen() const override { return open_; }
  SoundPtr loadSound(const std::string& path, bool loop) override {
    if (!open_) return silent_.loadSound(path, loop);
    std::string bytes;
    auto s = loadChecked(path, loop, bytes);
    if (!s) return nullptr;
    s->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    if (!s->chunk) {
      std::cout << "Could not load sound " << path << ": " << Mix_GetError() << std::endl;
      return nullptr;
    }
    return s;
  }
  Channel play(const SoundPtr& s, float volume) override {
    if (!open_) return silent_.play(s, volume);
    auto* ls = dynamic_cast<LoadedSound*>(s.get());
    if (!ls || !ls->chunk) return kNoChannel;
    int ch = Mix_PlayChannel(-1, ls->chunk, ls->loops() ? -1 : 0);
    if (ch < 0 || ch >= kChannels) return kNoChannel;
    Mix_Volume(ch, toMix(volume));
    gens_[ch] = (gens_[ch] + 1) & 0x7fffff;
    return makeHandle(ch, gens_[ch]);
  }
  void pause(Channel c) override {
    if (!open_) return silent_.pause(c);
    if (valid(c)) Mix_Pause(channelOf(c));
  }
  void resume(Channel c) override {
    if (!open_) return silent_.resume(c);
    if (valid(c)) Mix_Resume(channelOf(c));
  }
  void stop(Channel c) override {
    if (!open_) return silent_.stop(c);
    if (valid(c)) Mix_HaltChannel(channelOf(c));
  }
  bool playing(Channel c) const override {
    if (!open_) return silent_.playing(c);
    return valid(c) && Mix_Playing(channelOf(c)) && !Mix_Paused(channelOf(c));
  }
  void setVolume(Channel c, float volume) override {
    if (!open_) return silent_.setVolume(c, volume);
    if (valid(c)) Mix_Volume(channelOf(c), toMix(volume));
  }
  void pauseAll() override {
    if (!open_) return silent_.pauseAll();
    Mix_Pause(-1);
  }
  void resumeAll() override {
    if (!open_) return silent_.resumeAll();
    Mix_Resume(-1);
  }
  void stopAll() override {
    if (!open_) return silent_.stopAll();
    Mix_HaltChannel(-1);
  }

 private:
  static int toMix(float v) { return int(std::clamp(v, 0.0f, 1.0f) * MIX_MAX_VOLUME + 0.5f); }
  bool valid(Channel c) const {
    return c >= 0 && channelOf(c) < kChannels && gens_[channelOf(c)] == genOf(c);
  }
  bool open_ = false;
  int gens_[kChannels] = {};
  SilentAudio silent_;
};

}  // namespace

namespace detail {
std::unique_ptr<Audio> createMixerAudio() { return std::make_unique<MixerAudio>(); }
std::unique_ptr<Audio> createSilentAudio() { return std::make_unique<SilentAudio>(); }
}  // namespace detail

}  // namespace plat
