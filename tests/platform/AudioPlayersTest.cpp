#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "platform/AudioDevice.h"
#include "platform/MusicPlayer.h"
#include "platform/TunePlayer.h"
#include "support/NamedPipe.h"
#include "support/TempConfigDir.h"

namespace {

using platform::MusicPlayer;
using platform::TunePlayer;
using namespace std::chrono_literals;

class AudioPlayersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("sox --version >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "sox is needed to make the test tunes";
    ASSERT_TRUE(platform::OpenAudio());
  }
  // Made by sox; false when sox cannot write that format.
  bool Make(const std::string& path, double seconds) {
    const std::string command = "sox -n -r 22050 -c 1 '" + path + "' synth " +
                                std::to_string(seconds) + " sine 440 2>/dev/null";
    return std::system(command.c_str()) == 0;
  }
  std::string Path(const std::string& name) const { return dir.root() + "/" + name; }

  TempConfigDir dir;
};

TEST_F(AudioPlayersTest, WaveAndMp3PlayAndTheirPositionRunsToTheEnd) {
  ASSERT_TRUE(Make(Path("tone.wav"), 1.0));
  MusicPlayer wav(Path("tone.wav"));
  ASSERT_TRUE(wav.CanPlay());
  EXPECT_NEAR(wav.Length(), 1000, 30);
  EXPECT_EQ(wav.Position(), 0);
  EXPECT_FALSE(wav.Ended());
  wav.Play();
  std::this_thread::sleep_for(300ms);
  const int early = wav.Position();
  EXPECT_GT(early, 100);
  EXPECT_LT(early, 900);
  EXPECT_FALSE(wav.Ended());
  // Stop keeps the place, play goes on from it, rewinding goes back to 0.
  wav.Stop();
  const int stoppedAt = wav.Position();
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(wav.Position(), stoppedAt);
  wav.SeekStart();
  EXPECT_EQ(wav.Position(), 0);
  wav.Play();
  const auto start = std::chrono::steady_clock::now();
  while (!wav.Ended() && std::chrono::steady_clock::now() - start < 3s)
    std::this_thread::sleep_for(20ms);
  EXPECT_TRUE(wav.Ended());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
  EXPECT_EQ(wav.Position(), wav.Length());

  if (!Make(Path("tone.mp3"), 1.0))
    GTEST_SKIP() << "sox on this machine cannot write MP3 (libsox-fmt-mp3 missing)";
  MusicPlayer mp3(Path("tone.mp3"));
  ASSERT_TRUE(mp3.CanPlay());
  EXPECT_NEAR(mp3.Length(), 1000, 100);
  mp3.Play();
  EXPECT_TRUE(mp3.IsPlaying());
  EXPECT_FALSE(wav.IsPlaying());  // one music stream: the other one is silenced
}

TEST_F(AudioPlayersTest, PlayersWithoutADeviceNeverPlay) {
  std::ofstream(Path("junk.wav")) << "RIFF but not really";
  for (const std::string& name : {std::string(), Path("junk.wav"), Path("missing.mp3")}) {
    MusicPlayer player(name);
    EXPECT_FALSE(player.CanPlay()) << name;
    player.Play();
    EXPECT_FALSE(player.IsPlaying()) << name;
    EXPECT_FALSE(player.Ended()) << name;
    EXPECT_EQ(player.Position(), 0) << name;
  }
  // A named pipe is no music file: the player must not wait for a writer.
  const NamedPipe pipe(Path("pipe.mp3"));
  ASSERT_TRUE(pipe.made());
  bool canPlay = true;
  EXPECT_TRUE(pipe.Finishes([&] { canPlay = MusicPlayer(pipe.path()).CanPlay(); }))
      << "the player waited for a writer on a named pipe";
  EXPECT_FALSE(canPlay);

  MusicPlayer quiet;
  quiet.SetVolume(1500);
  EXPECT_EQ(quiet.Volume(), 1000);
  quiet.SetVolume(-3);
  EXPECT_EQ(quiet.Volume(), 0);
}

TEST_F(AudioPlayersTest, TuneLoopsAtTheWaveOutLevelOnBothChannels) {
  ASSERT_TRUE(Make(Path("tune.wav"), 0.2));
  TunePlayer tune;
  ASSERT_TRUE(tune.PlayLooping(Path("tune.wav"), 65535 - 32767));
  std::remove(Path("tune.wav").c_str());  // played from memory
  std::this_thread::sleep_for(500ms);     // longer than the file: it loops
  EXPECT_TRUE(tune.IsPlaying());
  EXPECT_EQ(tune.MixerVolume(), 64);
  tune.Stop();
  EXPECT_FALSE(tune.IsPlaying());
  EXPECT_EQ(TunePlayer::MixerVolumeFor(65535), 128);
  EXPECT_EQ(TunePlayer::MixerVolumeFor(0), 0);
  EXPECT_EQ(TunePlayer::MixerVolumeFor(70000), 128);
  EXPECT_EQ(TunePlayer::MixerVolumeFor(-5), 0);
  EXPECT_FALSE(tune.PlayLooping(Path("gone.wav"), 1000));
  EXPECT_FALSE(tune.IsPlaying());
}

}  // namespace
