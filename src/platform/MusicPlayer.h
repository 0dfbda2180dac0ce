#pragma once
#include <cstdint>
#include <string>

struct _Mix_Music;

// One music file on the mixer's music stream, the way the music list drives it: open a file,
// ask whether it can play, read position and length in milliseconds, play, stop, rewind and
// set the volume (0 to 1000). Only one music plays at a time: playing one player silences any
// other. Destroying a player (or Close) frees its music.
namespace platform {

class MusicPlayer {
 public:
  static constexpr int kMaxVolume = 1000;

  // No file: a player without a device that can never play.
  MusicPlayer() = default;
  // Opens the file (an empty name gives a player without a device).
  explicit MusicPlayer(const std::string& fileName);
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  const std::string& FileName() const { return fileName_; }
  bool CanPlay() const { return music_ != nullptr; }

  // Milliseconds from the start; when the music ran to its end, the length.
  int Position() const;
  // Milliseconds; 0 when the length is unknown.
  int Length() const { return lengthMs_; }

  // Starts (or continues after Stop) from the current position.
  void Play();
  // Halts and keeps the position.
  void Stop();
  // Halts and goes back to the start.
  void SeekStart();
  // Frees the music; the player then has no device.
  void Close();

  void SetVolume(int volume);  // 0..1000, clamped
  int Volume() const { return volume_; }

  // Playing was asked for and the music has reached its end (or stopped by itself).
  bool Ended() const;
  bool IsPlaying() const;

 private:
  bool OwnsStream() const;
  void ApplyVolume() const;
  int ElapsedSincePlay() const;

  std::string fileName_;
  _Mix_Music* music_ = nullptr;
  int lengthMs_ = 0;
  int volume_ = kMaxVolume;
  bool playing_ = false;      // Play was called and neither Stop nor SeekStart since
  int startMs_ = 0;           // where the next Play starts (and the position while halted)
  std::uint64_t playTicks_ = 0;  // SDL ticks when Play started
};

}  // namespace platform
