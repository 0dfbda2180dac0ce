#include "platform/TunePlayer.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>

#include "platform/AudioDevice.h"

namespace platform {

namespace {
constexpr int kLoopForever = -1;
}

TunePlayer::~TunePlayer() { Stop(); }

int TunePlayer::MixerVolumeFor(int volumeWord) {
  const int word = std::clamp(volumeWord, 0, kMaxVolumeWord);
  return (word * MIX_MAX_VOLUME + kMaxVolumeWord / 2) / kMaxVolumeWord;
}

bool TunePlayer::PlayLooping(const std::string& wavePath, int volumeWord) {
  Stop();
  if (!OpenAudio()) return false;
  chunk_ = Mix_LoadWAV(wavePath.c_str());
  if (!chunk_) return false;
  mixerVolume_ = MixerVolumeFor(volumeWord);
  Mix_Volume(kTuneChannel, mixerVolume_);
  if (Mix_PlayChannel(kTuneChannel, chunk_, kLoopForever) < 0) {
    Stop();
    return false;
  }
  return true;
}

void TunePlayer::Stop() {
  if (!chunk_) return;
  Mix_HaltChannel(kTuneChannel);
  Mix_FreeChunk(chunk_);
  chunk_ = nullptr;
}

bool TunePlayer::IsPlaying() const { return chunk_ && Mix_Playing(kTuneChannel) != 0; }

}  // namespace platform
