#include "settings/PlaylistModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/CrtRand.h"
#include "settings/DefaultTune.h"
#include "settings/SettingsFile.h"
#include "settings/TankMedia.h"
#include "support/TempConfigDir.h"

namespace {

using settings::PlaylistModel;

class PlaylistModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("sox --version >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "sox is needed to make the test tunes";
  }
  // A one-second sine tone (pitch differs per file).
  std::string Tone(const std::string& name, int hz = 440) {
    const std::string path = dir.root() + "/" + name;
    const std::string command = "sox -n -r 22050 -c 1 '" + path + "' synth 1 sine " +
                                std::to_string(hz) + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
  }
  PlaylistModel& ModelWith(int n) {
    for (int i = 0; i < n; ++i) model.Add(Tone(std::to_string(i).append(".wav"), 300 + 100 * i));
    return model;
  }
  // The entry that the player has open.
  int OpenEntry() const {
    for (int i = 0; i < model.Count(); ++i)
      if (model.Entry(i) == model.Player().FileName()) return i;
    return -1;
  }

  TempConfigDir dir;
  PlaylistModel model;
};

TEST_F(PlaylistModelTest, VolumeKeepsWithinZeroToAThousand) {
  const std::pair<int, int> cases[] = {{0, 0}, {-1, 0}, {1, 1}, {1000, 1000}, {1001, 1000}};
  for (const auto& [set, kept] : cases) {
    model.SetVolume(set);
    EXPECT_EQ(model.Volume(), kept) << set;
    EXPECT_EQ(model.Player().Volume(), kept) << set;
    EXPECT_EQ(PlaylistModel(set).Volume(), kept) << set;
  }
}

TEST_F(PlaylistModelTest, TrackTableForEveryModeAndState) {
  ModelWith(3);
  // Not playing, nothing selected: first entry, Random a drawn one.
  model.SelectMode(settings::kRepeatOne);
  model.StartPlaying();
  EXPECT_EQ(model.CurrentTrack(), 0);
  EXPECT_TRUE(model.Playing());
  EXPECT_EQ(model.HighlightedTrack(), 0);
  EXPECT_EQ(OpenEntry(), 0);
  // Playing, no click: Repeat One opens the same entry again.
  model.SetOwnMusic(true);
  EXPECT_EQ(model.CurrentTrack(), 0);
  // Playing, no click, Repeat All: the next one, wrapping at the end.
  model.SelectMode(settings::kRepeatAll);
  model.SetOwnMusic(true);
  EXPECT_EQ(model.CurrentTrack(), 1);
  model.SetOwnMusic(true);
  model.SetOwnMusic(true);
  EXPECT_EQ(model.CurrentTrack(), 0);
  // Playing, click: the clicked entry plays at once, whatever the mode.
  model.ClickEntry(2);
  EXPECT_EQ(model.CurrentTrack(), 2);
  EXPECT_EQ(OpenEntry(), 2);
  EXPECT_TRUE(model.Player().IsPlaying());
  EXPECT_EQ(model.HighlightedTrack(), 2);
  // Playing, no click, Random: rand() % n.
  model.SelectMode(settings::kRandom);
  crt::setRandState(5);
  const int drawn = crt::rand() % 3;
  crt::setRandState(5);
  model.SetOwnMusic(true);
  EXPECT_EQ(model.CurrentTrack(), drawn);

  // Not playing, entry selected: that entry in every mode; a click only opens it.
  for (int mode : {settings::kRepeatOne, settings::kRepeatAll, settings::kRandom}) {
    model.Stop();
    model.SelectMode(mode);
    model.ClickEntry(1);
    EXPECT_EQ(model.CurrentTrack(), 1) << mode;
    EXPECT_FALSE(model.Playing()) << mode;
    EXPECT_FALSE(model.Player().IsPlaying()) << mode;
    model.StartPlaying();
    EXPECT_EQ(model.CurrentTrack(), 1) << mode;
    EXPECT_TRUE(model.Player().IsPlaying()) << mode;
  }
  // Not playing, nothing selected, Random: a drawn entry.
  model.Stop();
  crt::setRandState(9);
  const int drawnAgain = crt::rand() % 3;
  crt::setRandState(9);
  model.StartPlaying();
  EXPECT_EQ(model.CurrentTrack(), drawnAgain);
}

TEST_F(PlaylistModelTest, AnEndedWaveOpensTheNextEntryByMode) {
  ModelWith(2);
  model.SelectMode(settings::kRepeatAll);
  model.ClickEntry(1);
  model.StartPlaying();
  ASSERT_TRUE(model.Player().CanPlay());
  EXPECT_NEAR(model.Player().Length(), 1000, 50);
  const auto start = std::chrono::steady_clock::now();
  while (model.CurrentTrack() == 1 && std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(PlaylistModel::kTickMs / 4));
    model.Tick();
  }
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(model.CurrentTrack(), 0);  // wrapped
  EXPECT_EQ(model.HighlightedTrack(), 0);
  EXPECT_TRUE(model.Player().IsPlaying());
  EXPECT_GT(took, std::chrono::milliseconds(800));
  EXPECT_LT(took, std::chrono::milliseconds(1600));
}

TEST_F(PlaylistModelTest, StopClearsTheGreenRowAndUnlocksTheList) {
  ModelWith(2);
  model.ClickEntry(1);
  model.StartPlaying();
  EXPECT_FALSE(model.EditingEnabled());
  EXPECT_TRUE(model.OwnMusic());  // Play lights On/Off
  model.Stop();
  EXPECT_EQ(model.State(), PlaylistModel::kStopped);
  EXPECT_EQ(model.HighlightedTrack(), -1);
  EXPECT_EQ(model.Selection(), -1);
  EXPECT_EQ(model.CurrentTrack(), -1);
  EXPECT_TRUE(model.EditingEnabled());
  EXPECT_FALSE(model.Player().IsPlaying());
  EXPECT_EQ(model.Player().Position(), 0);
  EXPECT_TRUE(model.OwnMusic());  // the lamp keeps its state
}

TEST_F(PlaylistModelTest, RemoveNeedsASelectionAndAnUnplayableFileStops) {
  ModelWith(2);
  EXPECT_FALSE(model.RemoveSelected());
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text, "Please select an item from the music list!");
  model.SetSelection(0);
  EXPECT_TRUE(model.RemoveSelected());
  ASSERT_EQ(model.Count(), 1);
  EXPECT_EQ(OpenEntry(), 0);  // the remaining entry is opened, not played

  const std::string junk = dir.root() + "/junk.mp3";
  std::ofstream(junk) << std::string(100, 'j');
  model.Add(junk);
  model.ClickEntry(1);  // opening it fails: stopped
  EXPECT_EQ(model.State(), PlaylistModel::kStopped);
  EXPECT_EQ(model.Selection(), -1);
  model.SetSelection(1);
  model.StartPlaying();  // Play on it does not lock the list with nothing playing
  EXPECT_EQ(model.State(), PlaylistModel::kStopped);
  EXPECT_TRUE(model.EditingEnabled());
  EXPECT_EQ(model.HighlightedTrack(), -1);

  model.RemoveAll();
  EXPECT_EQ(model.Count(), 0);
  model.StartPlaying();  // empty: nothing happens
  EXPECT_NE(model.State(), PlaylistModel::kPlaying);
}

TEST_F(PlaylistModelTest, SwitchingOffWhilePlayingBringsTheTuneBackOnTheNextViewTick) {
  settings::DefaultTune tune;
  ModelWith(1);
  EXPECT_TRUE(model.CustomMusicOn()) << "on until the list's first tick";
  tune.Tick(model.CustomMusicOn());
  EXPECT_FALSE(tune.Playing());
  model.SetOwnMusic(true);
  model.Tick();
  tune.Tick(model.CustomMusicOn());
  EXPECT_TRUE(model.Player().IsPlaying());
  EXPECT_FALSE(tune.Playing());

  model.SetOwnMusic(false);
  EXPECT_FALSE(model.Player().IsPlaying());
  tune.Tick(model.CustomMusicOn());
  EXPECT_FALSE(tune.Playing()) << "the lamp counts from the list's next tick";
  model.Tick();
  EXPECT_FALSE(model.CustomMusicOn());
  tune.Tick(model.CustomMusicOn());
  EXPECT_TRUE(tune.Playing());
  // The unpacked copies are gone again.
  EXPECT_FALSE(std::filesystem::exists(dir.settingsDir() + "Music.wav"));
  EXPECT_FALSE(std::filesystem::exists(dir.settingsDir() + "Music.ad"));

  model.SetOwnMusic(true);
  model.Tick();
  tune.Tick(model.CustomMusicOn());
  EXPECT_FALSE(tune.Playing());
}

TEST_F(PlaylistModelTest, ListAndModesSurviveSaveAndLoad) {
  const std::string deep = dir.root() + "/" + std::string(140, 'm') + ".wav";
  std::filesystem::rename(Tone("deep.wav"), deep);
  ModelWith(2);
  model.Add(deep);
  model.SelectMode(settings::kRandom);
  model.SetOwnMusic(true);
  model.Save();

  PlaylistModel again;
  again.Load();
  ASSERT_EQ(again.Count(), 3);
  EXPECT_EQ(again.Entry(2), deep);
  EXPECT_EQ(again.Mode(), settings::kRandom);
  EXPECT_TRUE(again.OwnMusic());
  EXPECT_TRUE(again.Playing());  // a saved list with On/Off on plays at once

  settings::WriteSetting("Custom Settings", "CycMusic", "1");
  settings::WriteSetting("Custom Settings", "OwnMusic", "0");
  PlaylistModel both;
  both.Load();
  EXPECT_EQ(both.Mode(), settings::kRandom);  // Random wins over Repeat All
  EXPECT_FALSE(both.Lamps().Checked(settings::kRepeatAll));
  EXPECT_FALSE(both.Playing());

  for (const char* key : {"RandomMusic", "CycMusic", "RepeatMusic"})
    settings::WriteSetting("Custom Settings", key, "0");
  PlaylistModel none;
  none.Load();
  EXPECT_EQ(none.Mode(), settings::kRepeatOne);
}

// A quiet tank (the desktop background): a saved list with On/Off on does not start, the
// built-in tune never plays, and the list plays when the user asks for it; the file keeps
// what the window wrote.
TEST_F(PlaylistModelTest, AQuietTankPlaysOnlyWhatTheUserStarts) {
  ModelWith(2);
  model.SetOwnMusic(true);
  model.Save();

  settings::TankMedia media;
  media.MakeQuiet();
  media.playlist.Load();
  EXPECT_TRUE(media.playlist.OwnMusic());
  EXPECT_FALSE(media.playlist.Playing());
  for (int i = 0; i < 3; ++i) {
    media.playlist.Tick();
    media.TuneTick();
  }
  EXPECT_FALSE(media.tune.Playing());
  media.playlist.SetOwnMusic(false);  // the lamp off: the window's tank would play the tune
  media.playlist.Tick();
  media.TuneTick();
  EXPECT_FALSE(media.tune.Playing());
  media.playlist.StartPlaying();
  EXPECT_TRUE(media.playlist.Playing());

  // The same file in a tank that is not quiet: the list plays at once.
  settings::TankMedia loud;
  loud.playlist.Load();
  EXPECT_TRUE(loud.playlist.Playing());
}

}  // namespace
