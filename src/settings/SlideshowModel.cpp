#include "settings/SlideshowModel.h"

#include <cstdint>
#include <utility>

#include "assets/PictureTexture.h"
#include "platform/CrtRand.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace settings {
namespace {

constexpr const char* kListFullMessage = "The maximum number of background is: ";
constexpr const char* kLoadErrorMessage = "image loading error.";
constexpr std::int64_t kMsPerSecond = 1000;

bool FlagSet(const char* key) {
  return platform::ParseProfileInt(ReadSetting(kImageSection, key)) == 1;
}

void WriteFlag(const char* key, bool on) { WriteSetting(kImageSection, key, on ? "1" : "0"); }

}  // namespace

SlideshowModel::SlideshowModel()
    : SlideshowModel(assets::LoadPictureTexture, [](GLuint t) { glDeleteTextures(1, &t); }) {}

SlideshowModel::SlideshowModel(Loader loader, Releaser releaser)
    : loader_(std::move(loader)), releaser_(std::move(releaser)) {
  rows_.reserve(kMaxPictures);
}

SlideshowModel::~SlideshowModel() { ReleaseAll(); }

void SlideshowModel::Release(GLuint texture) const {
  if (texture != 0 && releaser_) releaser_(texture);
}

void SlideshowModel::ReleaseAll() {
  for (const Row& row : rows_) Release(row.texture);
  rows_.clear();
}

void SlideshowModel::SetCurrent(int texture) {
  current_ = texture;
}

void SlideshowModel::AllOff() {
  for (Row& row : rows_) row.on = false;
}

SlideshowModel::AddResult SlideshowModel::Add(const std::string& path) {
  if (Count() >= kMaxPictures) {
    platform::ShowMessageBox(kListFullMessage + std::to_string(Count()));
    return AddResult::kListFull;
  }
  const GLuint texture = loader_ ? loader_(path) : 0;
  if (texture == 0) {
    platform::ShowMessageBox("(" + path + ")" + kLoadErrorMessage);
    Stop();
    return AddResult::kCannotLoad;
  }
  rows_.push_back({path, texture, false});
  return AddResult::kAdded;
}

SlideshowModel::AddResult SlideshowModel::AddChosen(const std::string& path) {
  const AddResult result = Add(path);
  if (Count() == 1 && ownImage_) Start();
  return result;
}

void SlideshowModel::RemoveRow(int selected) {
  if (selected >= 0 && selected < Count()) {
    // Nothing shows this picture again: its texture goes back to OpenGL.
    const GLuint gone = rows_[selected].texture;
    rows_.erase(rows_.begin() + selected);
    Release(gone);
  }
  SetCurrent(rows_.empty() ? 0 : ChooseRow(0));
}

void SlideshowModel::RemoveAll() {
  ReleaseAll();
  SetCurrent(0);
}

void SlideshowModel::ClickRow(int row) {
  if (row >= 0 && row < Count()) SetCurrent(ChooseRow(row));
}

int SlideshowModel::ChooseRow(int row) {
  if (rows_.empty() || !active_) return kNoPicture;
  AllOff();
  rows_[row].on = true;
  return static_cast<int>(rows_[row].texture);
}

int SlideshowModel::ChooseNext() const {
  if (rows_.empty() || !active_) return kNoPicture;
  const int count = Count();
  switch (lamps_.Mode()) {
    case kRepeatOne:
      // The picture on show stays; with none on show (0, or -1 after an empty list or a
      // click while stopped) the first row's picture comes up.
      for (const Row& row : rows_)
        if (static_cast<int>(row.texture) == current_) return current_;
      return static_cast<int>(rows_[0].texture);
    case kRepeatAll: {
      int i = 0;
      while (i < count && static_cast<int>(rows_[i].texture) != current_) ++i;
      return static_cast<int>(rows_[(i + 1) % count].texture);
    }
    default:
      return static_cast<int>(rows_[crt::rand() % count].texture);
  }
}

void SlideshowModel::MarkShown() {
  AllOff();
  for (Row& row : rows_)
    if (static_cast<int>(row.texture) == current_) {
      row.on = true;
      break;
    }
}

void SlideshowModel::SetOwnImage(bool on) {
  ownImage_ = on;
  if (on)
    Start();
  else if (active_)
    Stop();
}

void SlideshowModel::Start() {
  active_ = true;
  tick_ = -1;  // the first tick shows a picture at once
}

void SlideshowModel::Stop() {
  AllOff();
  active_ = false;
}

void SlideshowModel::Tick() {
  customImageOn_ = ownImage_;
  if (!active_) return;
  ++tick_;
  const std::int64_t intervalMs = platform::ParseProfileInt(intervalText_) * kMsPerSecond;
  if (tick_ != 0 && static_cast<std::int64_t>(tick_) * kTickMs < intervalMs) return;
  SetCurrent(ChooseNext());
  tick_ = 0;
  if (current_ != 0) MarkShown();
}

void SlideshowModel::Load() {
  ReleaseAll();
  SetCurrent(0);
  active_ = false;
  ownImage_ = FlagSet(kOwnImageKey);
  const bool random = FlagSet(kRandomImageKey);
  const bool repeatAll = FlagSet(kCycImageKey);
  const bool repeatOne = FlagSet(kRepeatImageKey);
  const std::string interval = ReadSetting(kImageSection, kImageTimeKey);
  intervalText_ = interval.empty() ? kDefaultInterval : interval;
  const int sum = platform::ParseProfileInt(ReadSetting(kImageSection, kImageSumKey));
  // The count comes from a file anyone can edit: the list ends at its first absent entry
  // and once it is full, so a count of billions neither hangs nor floods with messages.
  for (int i = 0; i < sum; ++i) {
    const std::string path = ReadSetting(kImageSection, ListKey(kImageListPrefix, i), kWholeValue);
    if (path.empty() || Add(path) == AddResult::kListFull) break;
  }
  lamps_.LoadLit(repeatOne, repeatAll, random);
  if (sum > 0 && ownImage_) Start();
}

void SlideshowModel::Save() const {
  WriteFlag(kRandomImageKey, lamps_.Checked(kRandom));
  WriteFlag(kCycImageKey, lamps_.Checked(kRepeatAll));
  WriteFlag(kRepeatImageKey, lamps_.Checked(kRepeatOne));
  WriteFlag(kOwnImageKey, ownImage_);
  WriteSetting(kImageSection, kImageTimeKey, intervalText_);
  WriteSetting(kImageSection, kImageSumKey, std::to_string(Count()));
  for (int i = 0; i < Count(); ++i)
    WriteSetting(kImageSection, ListKey(kImageListPrefix, i), rows_[i].path);
}

}  // namespace settings
