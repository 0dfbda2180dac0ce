#include "platform/MusicPlayer.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <filesystem>

#include "platform/AudioDevice.h"

namespace platform {
namespace {

constexpr double kMsPerSecond = 1000.0;

// The player whose music the stream plays now; one stream serves every player.
const MusicPlayer* g_streamOwner = nullptr;

}  // namespace

MusicPlayer::MusicPlayer(const std::string& fileName) : fileName_(fileName) {
  if (fileName_.empty() || !OpenAudio()) return;
  // Only a regular file can hold music; opening a named pipe or a device would wait for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName_, error)) return;
  music_ = Mix_LoadMUS(fileName_.c_str());
  if (!music_) return;
  const double seconds = Mix_MusicDuration(music_);
  lengthMs_ = seconds > 0 ? static_cast<int>(seconds * kMsPerSecond) : 0;
}

MusicPlayer::~MusicPlayer() { Close(); }

bool MusicPlayer::OwnsStream() const { return g_streamOwner == this; }

void MusicPlayer::ApplyVolume() const {
  Mix_VolumeMusic(volume_ * MIX_MAX_VOLUME / kMaxVolume);
}

int MusicPlayer::ElapsedSincePlay() const {
  return static_cast<int>(SDL_GetTicks64() - playTicks_);
}

bool MusicPlayer::IsPlaying() const {
  return playing_ && OwnsStream() && Mix_PlayingMusic() != 0;
}

bool MusicPlayer::Ended() const {
  if (!playing_ || !music_) return false;
  if (!OwnsStream() || Mix_PlayingMusic() == 0) return true;
  return lengthMs_ > 0 && Position() >= lengthMs_;
}

int MusicPlayer::Position() const {
  if (!music_) return 0;
  if (!playing_) return startMs_;
  if (!OwnsStream() || Mix_PlayingMusic() == 0) return lengthMs_ > 0 ? lengthMs_ : startMs_;
  const double seconds = Mix_GetMusicPosition(music_);
  int position = seconds >= 0 ? static_cast<int>(seconds * kMsPerSecond)
                              : startMs_ + ElapsedSincePlay();  // the decoder cannot tell
  if (lengthMs_ > 0) position = std::min(position, lengthMs_);
  return position;
}

void MusicPlayer::Play() {
  if (!music_ || IsPlaying()) return;
  if (startMs_ >= lengthMs_ && lengthMs_ > 0) startMs_ = 0;
  if (Mix_PlayMusic(music_, 0) != 0) return;
  g_streamOwner = this;
  if (startMs_ > 0) Mix_SetMusicPosition(startMs_ / kMsPerSecond);
  ApplyVolume();
  playTicks_ = SDL_GetTicks64();
  playing_ = true;
}

void MusicPlayer::Stop() {
  if (!playing_) return;
  startMs_ = Position();
  playing_ = false;
  if (OwnsStream()) Mix_HaltMusic();
}

void MusicPlayer::SeekStart() {
  Stop();
  startMs_ = 0;
}

void MusicPlayer::Close() {
  Stop();
  if (OwnsStream()) g_streamOwner = nullptr;
  if (music_) Mix_FreeMusic(music_);
  music_ = nullptr;
  lengthMs_ = 0;
  startMs_ = 0;
}

void MusicPlayer::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, kMaxVolume);
  if (IsPlaying()) ApplyVolume();
}

}  // namespace platform
