#pragma once
#include <string>

struct Mix_Chunk;

// The built-in tune: a wave file read whole into memory and looped on the mixer channel
// reserved for it, so it plays beside the music stream with a volume of its own.
namespace platform {

class TunePlayer {
 public:
  static constexpr int kMaxVolumeWord = 65535;

  TunePlayer() = default;
  ~TunePlayer();
  TunePlayer(const TunePlayer&) = delete;
  TunePlayer& operator=(const TunePlayer&) = delete;

  // Stops what plays, reads the wave file and loops it from its start. volumeWord is the
  // wave-out level 0..65535 (values outside are clamped) and applies to both channels alike.
  // The file may be deleted once this returns. False when there is no device or the file
  // cannot be read (then nothing plays).
  bool PlayLooping(const std::string& wavePath, int volumeWord);
  void Stop();
  bool IsPlaying() const;
  // The mixer volume (0..128) the last PlayLooping set.
  int MixerVolume() const { return mixerVolume_; }

  // The wave-out level mapped onto the mixer's 0..128.
  static int MixerVolumeFor(int volumeWord);

 private:
  Mix_Chunk* chunk_ = nullptr;
  int mixerVolume_ = 0;
};

}  // namespace platform
