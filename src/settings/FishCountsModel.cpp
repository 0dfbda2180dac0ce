#include "settings/FishCountsModel.h"

#include <algorithm>
#include <numeric>

#include "platform/CrtRand.h"
#include "platform/PrivateProfile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

namespace settings {

namespace {
constexpr int kLabelWidth = 30;
constexpr int kLabelHeight = 20;
}  // namespace

CellRect FishCountsModel::CellRectangle(int cell) {
  const int left = kCellWidth * (cell % kCellColumns) + kCellOrigin;
  const int top = kCellHeight * (cell / kCellColumns) + kCellOrigin;
  return {left, top, left + kCellWidth, top + kCellHeight};
}

CellRect FishCountsModel::LabelRectangle(int cell) {
  const CellRect c = CellRectangle(cell);
  return {c.left, c.top, c.left + kLabelWidth, c.top + kLabelHeight};
}

void FishCountsModel::Load() {
  for (int slot = 0; slot < kSpeciesCount; ++slot)
    counts_[slot] = platform::ParseProfileInt(ReadSetting(kFishSection, FishKey(slot)));
}

void FishCountsModel::SaveAndApply() const {
  for (int slot = 0; slot < kSpeciesCount; ++slot)
    WriteSetting(kFishSection, FishKey(slot), std::to_string(counts_[slot]));
  ReplaceFishCounts(counts_.data());
}

FishCountsModel::ClickResult FishCountsModel::Click(int x, int y) {
  ClickResult result;
  if (selected_ == kNoCell) previous_ = kNoCell;
  if (y > kClearSelectionBelowY) {
    result.redrawPrevious = NamesCell(previous_) ? previous_ : kNoCell;
    selected_ = kNoCell;
    return result;
  }
  const int index = x / kCellWidth + kCellColumns * (y / kCellHeight);
  selected_ = index;
  if (index != previous_ && NamesCell(index)) {
    if (NamesCell(previous_)) result.redrawPrevious = previous_;
    result.redrawSelected = index;
  }
  previous_ = index;
  return result;
}

int FishCountsModel::Total() const { return std::accumulate(counts_.begin(), counts_.end(), 0); }

std::string FishCountsModel::TotalText() const {
  return "Total: " + std::to_string(Total()) + "/" + std::to_string(kFishTotalLimit);
}

bool FishCountsModel::Add() {
  if (!NamesCell(selected_) || Total() >= kFishTotalLimit) return false;
  int& c = counts_[selected_];
  const int raised = std::min(c + 1, kMaxFishPerSlot);
  if (raised == c) return false;
  c = raised;
  return true;
}

bool FishCountsModel::Delete() {
  if (!NamesCell(selected_)) return false;
  int& c = counts_[selected_];
  const int lowered = std::max(c - 1, 0);
  if (lowered == c) return false;
  c = lowered;
  return true;
}

void FishCountsModel::Randomise(Draw draw) {
  if (!draw) draw = crt::rand;
  int sum = 0;
  for (int slot = 0; slot < kSpeciesCount; ++slot) {
    const int drawn = draw() % kRandomCountRange + 1;
    sum += drawn;
    counts_[slot] = sum >= kFishTotalLimit ? 0 : drawn;
  }
  selected_ = kNoCell;
}

void FishCountsModel::Clear() { counts_.fill(0); }

}  // namespace settings
