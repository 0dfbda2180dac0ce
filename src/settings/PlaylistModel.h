#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/MusicPlayer.h"
#include "settings/PlayModeLamps.h"

// The user's music list and its playback, without any window: the list of files, the
// selection, the On/Off lamp, the play-mode lamps, the volume, and the player of the current
// track. Its 200 ms tick notices the end of a track and opens the next one by the play mode.
// Every tick it takes the lamp's state as "custom music on", which the built-in tune's
// hand-off reads; the highlighted track (the row painted green) follows playback.
namespace settings {

class PlaylistModel {
 public:
  enum PlayState : int { kPlaying = 0, kNeverStarted = 1, kStopped = 2 };
  static constexpr int kNoTrack = -1;
  static constexpr int kTickMs = 200;

  // The player starts without a device at the given volume (0..1000).
  explicit PlaylistModel(int volume = platform::MusicPlayer::kMaxVolume);

  // Add Music: appends a file.
  void Add(const std::string& path);
  // Remove: deletes the selected entry and opens a track; false (after the message) when
  // nothing is selected.
  bool RemoveSelected();
  // Remove All: empties the list; the current track and the player stay as they are.
  void RemoveAll();
  // The list's selection changed (kNoTrack: none) without a click that opens a track.
  void SetSelection(int entry) { selected_ = entry; }
  // A click on an entry: opens it; while playing it plays at once.
  void ClickEntry(int entry);

  // Play: opens a track by the play mode and the selection and plays it.
  void StartPlaying();
  // Stop: halts, clears the current and highlighted track and the selection.
  void Stop();
  // The On/Off lamp after it toggled.
  void SetOwnMusic(bool on);
  void SelectMode(int mode) { lamps_.Select(mode); }
  void SetVolume(int volume);

  // The 200 ms timer.
  void Tick();

  // `Custom Settings` of the settings file. Load starts the list playing when the file says
  // own music is on, unless told not to (the lamp still shows the file's state).
  void Load();
  void SetStartsPlaying(bool starts) { startsPlaying_ = starts; }
  void Save() const;

  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Entry(int i) const { return entries_[i]; }
  int Selection() const { return selected_; }
  int CurrentTrack() const { return current_; }
  PlayState State() const { return state_; }
  bool Playing() const { return state_ == kPlaying; }
  // Add Music, Remove, Remove All and Play are usable (not while playing).
  bool EditingEnabled() const { return state_ != kPlaying; }
  bool OwnMusic() const { return ownMusic_; }
  // The lamp's state as the last tick took it (on until the first tick): while on, the
  // built-in tune is silent.
  bool CustomMusicOn() const { return customMusicOn_; }
  // The row painted green: the playing track, kNoTrack once stopped.
  int HighlightedTrack() const { return highlighted_; }
  const PlayModeLamps& Lamps() const { return lamps_; }
  int Mode() const { return lamps_.Mode(); }
  int Volume() const { return volume_; }
  const platform::MusicPlayer& Player() const { return *player_; }

 private:
  // Opens track t of the table of modes and states; false when the list is empty or the
  // track cannot play (playback is then stopped).
  bool OpenTrack(bool clicked);
  int ChooseTrack(bool clicked) const;
  // Plays the opened track and locks the list.
  void PlayOpened();

  std::vector<std::string> entries_;
  PlayState state_ = kNeverStarted;
  int current_ = kNoTrack;
  int selected_ = kNoTrack;
  int highlighted_ = kNoTrack;
  bool ownMusic_ = false;
  bool customMusicOn_ = true;
  bool startsPlaying_ = true;
  PlayModeLamps lamps_;
  int volume_;
  std::unique_ptr<platform::MusicPlayer> player_;
};

}  // namespace settings
