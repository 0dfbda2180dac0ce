#pragma once
#include <array>
#include <string>

#include "settings/SettingsRecord.h"

// The fish counts dialog without its window: ten counts over a 5 x 2 grid of 100 x 90 pixel
// cells, the selected cell, the four count commands and the total shown against the limit.
namespace settings {

inline constexpr int kCellWidth = 100;
inline constexpr int kCellHeight = 90;
inline constexpr int kCellColumns = 5;
inline constexpr int kCellOrigin = 2;        // the grid starts 2 pixels in from the corner
inline constexpr int kClearSelectionBelowY = 450;
inline constexpr int kFishTotalLimit = 100;
inline constexpr int kRandomCountRange = 10;  // Random draws 1..10 per slot
inline constexpr int kNoCell = -1;

struct CellRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

class FishCountsModel {
 public:
  // Cell i of the grid: column i mod 5, row i div 5.
  static CellRect CellRectangle(int cell);
  // The part of a cell that shows its count label.
  static CellRect LabelRectangle(int cell);
  static bool NamesCell(int index) { return index >= 0 && index < kSpeciesCount; }

  // Reads "Fish0".."Fish9" of `Fish Number`; a missing key reads as 0.
  void Load();
  // Writes the ten counts as decimal, then hands them to the live settings record.
  void SaveAndApply() const;

  // What a left click at (x, y) in client pixels changed: the cells to redraw (kNoCell: none).
  struct ClickResult {
    int redrawPrevious = kNoCell;
    int redrawSelected = kNoCell;
  };
  ClickResult Click(int x, int y);

  // Each returns true when a count changed.
  bool Add();     // selected cell +1 (at most 100) while the total is below 100
  bool Delete();  // selected cell -1 (at least 0)
  // Every slot a draw of 1..10; the slot at which the running sum reaches 100 or more gets 0.
  // Clears the selection. The draws come from the program's generator, one per slot in slot
  // order, unless another source is given.
  using Draw = int (*)();
  void Randomise(Draw draw = nullptr);
  void Clear();   // every count 0, the selection stays

  int Count(int slot) const { return counts_[slot]; }
  void SetCount(int slot, int count) { counts_[slot] = count; }
  const std::array<int, kSpeciesCount>& Counts() const { return counts_; }
  int Total() const;
  std::string TotalText() const;  // "Total: N/100"
  int Selected() const { return selected_; }
  // The cell the selection mark is drawn in, or kNoCell when the index names none.
  int MarkedCell() const { return NamesCell(selected_) ? selected_ : kNoCell; }

 private:
  std::array<int, kSpeciesCount> counts_{};
  int selected_ = kNoCell;
  int previous_ = kNoCell;
};

}  // namespace settings
