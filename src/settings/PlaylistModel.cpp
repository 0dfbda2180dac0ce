#include "settings/PlaylistModel.h"

#include <algorithm>
#include <utility>

#include "platform/CrtRand.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace settings {
namespace {

constexpr const char* kSelectFirstMessage = "Please select an item from the music list!";

bool FlagSet(const char* key) {
  return platform::ParseProfileInt(ReadSetting(kMusicSection, key)) == 1;
}

void WriteFlag(const char* key, bool on) { WriteSetting(kMusicSection, key, on ? "1" : "0"); }

}  // namespace

PlaylistModel::PlaylistModel(int volume)
    : volume_(std::clamp(volume, 0, platform::MusicPlayer::kMaxVolume)),
      player_(std::make_unique<platform::MusicPlayer>()) {
  player_->SetVolume(volume_);
}

void PlaylistModel::Add(const std::string& path) { entries_.push_back(path); }

bool PlaylistModel::RemoveSelected() {
  if (selected_ < 0 || selected_ >= Count()) {
    platform::ShowMessageBox(kSelectFirstMessage);
    return false;
  }
  entries_.erase(entries_.begin() + selected_);
  selected_ = kNoTrack;
  OpenTrack(false);
  return true;
}

void PlaylistModel::RemoveAll() {
  entries_.clear();
  selected_ = kNoTrack;
}

int PlaylistModel::ChooseTrack(bool clicked) const {
  const int n = Count();
  if (Playing()) {
    if (clicked) return selected_;
    switch (lamps_.Mode()) {
      case kRepeatOne: return current_;
      case kRepeatAll: return current_ + 1 >= n ? 0 : current_ + 1;
      default: return crt::rand() % n;
    }
  }
  if (selected_ != kNoTrack) return selected_;
  return lamps_.Mode() == kRandom ? crt::rand() % n : 0;
}

bool PlaylistModel::OpenTrack(bool clicked) {
  if (entries_.empty()) return false;
  int t = ChooseTrack(clicked);
  // A track index from before the list changed (or none) falls back to the first entry.
  if (t < 0 || t >= Count()) t = 0;
  current_ = t;
  player_->Stop();
  // The previous track's player is freed here; nothing uses it again.
  player_ = std::make_unique<platform::MusicPlayer>(entries_[t]);
  const bool playable = player_->CanPlay();
  if (!playable) Stop();
  player_->SeekStart();
  player_->SetVolume(volume_);
  return playable;
}

void PlaylistModel::PlayOpened() {
  state_ = kPlaying;
  player_->Play();
  highlighted_ = current_;
  ownMusic_ = true;
}

void PlaylistModel::StartPlaying() {
  if (OpenTrack(false)) PlayOpened();
}

void PlaylistModel::Stop() {
  state_ = kStopped;
  player_->Stop();
  player_->SeekStart();
  current_ = kNoTrack;
  highlighted_ = kNoTrack;
  selected_ = kNoTrack;
}

void PlaylistModel::SetOwnMusic(bool on) {
  ownMusic_ = on;
  if (on)
    StartPlaying();
  else if (Playing())
    Stop();
}

void PlaylistModel::ClickEntry(int entry) {
  selected_ = entry;
  if (selected_ < 0 || selected_ >= Count()) return;
  const bool wasPlaying = Playing();
  // The clicked entry itself plays: it is not opened a second time by the play mode.
  if (OpenTrack(true) && wasPlaying) PlayOpened();
}

void PlaylistModel::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, platform::MusicPlayer::kMaxVolume);
  player_->SetVolume(volume_);
}

void PlaylistModel::Tick() {
  customMusicOn_ = ownMusic_;
  if (!Playing()) return;
  if (player_->CanPlay() && player_->Ended()) StartPlaying();
}

void PlaylistModel::Load() {
  entries_.clear();
  selected_ = kNoTrack;
  const bool random = FlagSet(kRandomMusicKey);
  const bool repeatAll = FlagSet(kCycMusicKey);
  const bool repeatOne = FlagSet(kRepeatMusicKey);
  ownMusic_ = FlagSet(kOwnMusicKey);
  const int sum = platform::ParseProfileInt(ReadSetting(kMusicSection, kMusicSumKey));
  // The count comes from a file anyone can edit: the list ends at its first absent entry,
  // so a count of billions neither hangs nor exhausts memory.
  for (int i = 0; i < sum; ++i) {
    std::string path = ReadSetting(kMusicSection, ListKey(kMusicListPrefix, i), kWholeValue);
    if (path.empty()) break;
    entries_.push_back(std::move(path));
  }
  lamps_.LoadLit(repeatOne, repeatAll, random);
  if (sum > 0 && ownMusic_ && startsPlaying_) StartPlaying();
}

void PlaylistModel::Save() const {
  WriteFlag(kRandomMusicKey, lamps_.Checked(kRandom));
  WriteFlag(kCycMusicKey, lamps_.Checked(kRepeatAll));
  WriteFlag(kRepeatMusicKey, lamps_.Checked(kRepeatOne));
  WriteFlag(kOwnMusicKey, ownMusic_);
  WriteSetting(kMusicSection, kMusicSumKey, std::to_string(Count()));
  for (int i = 0; i < Count(); ++i)
    WriteSetting(kMusicSection, ListKey(kMusicListPrefix, i), entries_[i]);
}

}  // namespace settings
