// Sound effects and music: Ogg Vorbis files played on channels. With no
// audio device (or headless) everything still works silently after one
// message, so the game never depends on a sound card.
#pragma once

#include <memory>
#include <string>

namespace plat {

class Sound {
 public:
  virtual ~Sound() = default;
  bool loops() const { return loop_; }
  const std::string& path() const { return path_; }
  double seconds() const { return seconds_; }

 protected:
  bool loop_ = false;
  std::string path_;
  double seconds_ = 0;
};
using SoundPtr = std::shared_ptr<Sound>;

// A playing voice. Valid handles stay harmless after the sound ended.
using Channel = int;
constexpr Channel kNoChannel = -1;

class Audio {
 public:
  virtual ~Audio() = default;
  virtual bool deviceOpen() const = 0;
  // nullptr and a message when the file is missing or not Ogg Vorbis.
  virtual SoundPtr loadSound(const std::string& path, bool loop) = 0;
  // Starts the sound at volume 0..1; kNoChannel when it cannot play.
  virtual Channel play(const SoundPtr& s, float volume) = 0;
  virtual void pause(Channel c) = 0;
  virtual void resume(Channel c) = 0;
  virtual void stop(Channel c) = 0;
  virtual bool playing(Channel c) const = 0;
  virtual void setVolume(Channel c, float volume) = 0;
  virtual void pauseAll() = 0;
  virtual void resumeAll() = 0;
  virtual void stopAll() = 0;
};

Audio& audio();

}  // namespace plat
