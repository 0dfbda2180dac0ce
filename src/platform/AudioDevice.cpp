#include "platform/AudioDevice.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace platform {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSamples = 2048;
constexpr int kMixChannels = 8;
constexpr const char* kSilentDriver = "dummy";

enum class State { kClosed, kOpen, kSilent, kFailed };
State g_state = State::kClosed;

bool OpenMixer() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kSampleRate, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkSamples) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kMixChannels);
  Mix_ReserveChannels(kTuneChannel + 1);  // channel 0 is never picked for other sounds
  return true;
}

}  // namespace

bool OpenAudio() {
  if (g_state != State::kClosed) return g_state == State::kOpen || g_state == State::kSilent;
  // SDL would otherwise take over SIGINT and SIGTERM and the program could not be stopped.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  Mix_Init(MIX_INIT_MP3);
  if (OpenMixer()) {
    const char* driver = SDL_GetCurrentAudioDriver();
    g_state = (driver && SDL_strcmp(driver, kSilentDriver) == 0) ? State::kSilent : State::kOpen;
    return true;
  }
  SDL_SetHint(SDL_HINT_AUDIODRIVER, kSilentDriver);
  g_state = OpenMixer() ? State::kSilent : State::kFailed;
  return g_state == State::kSilent;
}

bool AudioIsSilent() { return g_state == State::kSilent; }

}  // namespace platform
