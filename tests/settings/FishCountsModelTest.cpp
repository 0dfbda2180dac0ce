#include "settings/FishCountsModel.h"

#include <gtest/gtest.h>

#include "platform/CrtRand.h"
#include "platform/PrivateProfile.h"
#include "settings/SettingsRecord.h"
#include "support/TempConfigDir.h"

namespace {
using settings::FishCountsModel;
using settings::kNoCell;

// A model whose cells hold the given counts, with cell `selected` chosen by a click.
FishCountsModel ModelWith(std::array<int, 10> counts, int selected) {
  FishCountsModel m;
  for (int i = 0; i < 10; ++i) m.SetCount(i, counts[i]);
  const auto r = FishCountsModel::CellRectangle(selected);
  m.Click(r.left + 10, r.top + 10);
  EXPECT_EQ(m.Selected(), selected);
  return m;
}

TEST(FishCountsModel, AddStopsAtTheTotalLimitWhileDeleteStillWorks) {
  FishCountsModel m = ModelWith({10, 10, 10, 10, 10, 10, 10, 10, 10, 0}, 9);
  EXPECT_EQ(m.Total(), 90);
  for (int i = 0; i < 15; ++i) m.Add();
  EXPECT_EQ(m.Count(9), 10);  // stopped at a total of 100
  EXPECT_EQ(m.TotalText(), "Total: 100/100");

  // With the total at 100 even an empty cell cannot be raised.
  m.SetCount(9, 0);
  m.SetCount(0, 20);
  EXPECT_FALSE(m.Add());
  EXPECT_EQ(m.Count(9), 0);
  EXPECT_FALSE(m.Delete());  // cell 9 is at 0 already and stays there
  EXPECT_EQ(m.Count(9), 0);

  const auto r = FishCountsModel::CellRectangle(0);
  m.Click(r.left + 5, r.top + 5);
  EXPECT_TRUE(m.Delete());
  EXPECT_EQ(m.Count(0), 19);
  EXPECT_EQ(m.TotalText(), "Total: 99/100");
  EXPECT_TRUE(m.Add());
  EXPECT_EQ(m.Count(0), 20);
}

TEST(FishCountsModel, AddNeverPassesOneHundredAndIsRefusedWhileALoadedTotalIsTooHigh) {
  FishCountsModel single = ModelWith({99, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0);
  EXPECT_TRUE(single.Add());
  EXPECT_FALSE(single.Add());
  EXPECT_EQ(single.Count(0), 100);

  FishCountsModel over = ModelWith({150, 30, 0, 0, 0, 0, 0, 0, 0, 0}, 1);
  EXPECT_FALSE(over.Add());
  EXPECT_EQ(over.Count(1), 30);
  for (int i = 0; i < 80; ++i) over.Delete();  // 30 -> 0, total 150
  EXPECT_FALSE(over.Add());
  const auto r = FishCountsModel::CellRectangle(0);
  over.Click(r.left + 1, r.top + 1);
  for (int i = 0; i < 51; ++i) over.Delete();  // 150 -> 99
  EXPECT_EQ(over.Total(), 99);
  EXPECT_TRUE(over.Add());
  EXPECT_FALSE(over.Add());
}

TEST(FishCountsModel, CommandsWithoutACellDoNothing) {
  FishCountsModel m;
  m.SetCount(0, 5);
  EXPECT_FALSE(m.Add());
  EXPECT_FALSE(m.Delete());
  m.Click(50, 300);  // index 15: below the second row, names no cell
  EXPECT_EQ(m.Selected(), 15);
  EXPECT_EQ(m.MarkedCell(), kNoCell);
  EXPECT_FALSE(m.Add());
  EXPECT_FALSE(m.Delete());
  EXPECT_EQ(m.Total(), 5);
}

TEST(FishCountsModel, ClickRulesAtTheEdges) {
  FishCountsModel m;
  auto res = m.Click(10, 450);  // y = 450 still selects: index 0 + 5 * 5
  EXPECT_EQ(m.Selected(), 25);
  EXPECT_EQ(res.redrawSelected, kNoCell);

  res = m.Click(500, 10);  // the last columns of the top row spill into cell 5
  EXPECT_EQ(m.Selected(), 5);
  EXPECT_EQ(m.MarkedCell(), 5);
  EXPECT_EQ(res.redrawSelected, 5);
  EXPECT_EQ(res.redrawPrevious, kNoCell);  // 25 names no cell

  res = m.Click(150, 100);  // cell 6: the old mark is redrawn too
  EXPECT_EQ(m.Selected(), 6);
  EXPECT_EQ(res.redrawPrevious, 5);
  EXPECT_EQ(res.redrawSelected, 6);

  res = m.Click(150, 100);  // the same cell again redraws nothing
  EXPECT_EQ(res.redrawSelected, kNoCell);
  EXPECT_EQ(res.redrawPrevious, kNoCell);

  res = m.Click(10, 451);  // below y = 450 clears and redraws the old mark
  EXPECT_EQ(m.Selected(), kNoCell);
  EXPECT_EQ(res.redrawPrevious, 6);

  // After a clear the next click forgets the old mark.
  res = m.Click(150, 100);
  EXPECT_EQ(res.redrawSelected, 6);
  EXPECT_EQ(res.redrawPrevious, kNoCell);
}

// A click picks (x div 100) + 5 * (y div 90): the last pixel of a column or row still belongs
// to it, the next one to the next cell.
TEST(FishCountsModel, ClickIndexChangesAtEachHundredthColumnAndNinetiethRow) {
  FishCountsModel m;
  const int cases[][3] = {{99, 0, 0}, {100, 0, 1}, {199, 89, 1}, {200, 89, 2},
                          {0, 90, 5}, {499, 179, 9}, {0, 180, 10}};
  for (const auto& c : cases) {
    m.Click(c[0], c[1]);
    EXPECT_EQ(m.Selected(), c[2]) << c[0] << "," << c[1];
  }
}

TEST(FishCountsModel, CellGeometry) {
  const auto c0 = FishCountsModel::CellRectangle(0);
  EXPECT_EQ(c0.left, 2);
  EXPECT_EQ(c0.top, 2);
  EXPECT_EQ(c0.right, 102);
  EXPECT_EQ(c0.bottom, 92);
  const auto c9 = FishCountsModel::CellRectangle(9);
  EXPECT_EQ(c9.left, 402);
  EXPECT_EQ(c9.top, 92);
  const auto l7 = FishCountsModel::LabelRectangle(7);
  EXPECT_EQ(l7.left, 202);
  EXPECT_EQ(l7.right, 232);
  EXPECT_EQ(l7.bottom, 112);
}

TEST(FishCountsModel, RandomDrawsOneToTenPerSlotInOrderAndClearsTheSelection) {
  FishCountsModel m = ModelWith({}, 3);
  crt::setRandState(12345);
  m.Randomise();
  int sum = 0;
  for (int i = 0; i < 10; ++i) {
    EXPECT_GE(m.Count(i), 1);
    EXPECT_LE(m.Count(i), 10);
    sum += m.Count(i);
  }
  EXPECT_EQ(m.Total(), sum);
  EXPECT_EQ(m.Selected(), kNoCell);
  // Exactly ten draws were taken, the first one for slot 0.
  crt::setRandState(12345);
  EXPECT_EQ(m.Count(0), crt::rand() % 10 + 1);
  for (int i = 1; i < 10; ++i) crt::rand();
  const std::uint32_t after = crt::randState();
  crt::setRandState(12345);
  m.Randomise();
  EXPECT_EQ(crt::randState(), after);
}

TEST(FishCountsModel, RandomZeroesTheSlotWhereTheSumReachesOneHundred) {
  FishCountsModel m;
  m.Randomise([] { return 19; });  // every draw gives 10
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m.Count(i), 10);
  EXPECT_EQ(m.Count(9), 0);
  EXPECT_EQ(m.Total(), 90);
}

TEST(FishCountsModel, ClearKeepsTheSelection) {
  FishCountsModel m = ModelWith({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 4);
  m.Clear();
  EXPECT_EQ(m.Total(), 0);
  EXPECT_EQ(m.Selected(), 4);
  EXPECT_TRUE(m.Add());
  EXPECT_EQ(m.Count(4), 1);
}

TEST(FishCountsModel, LoadsMissingKeysAsZeroAndSavesAllTenIntoFileAndRecord) {
  TempConfigDir dir;
  dir.writeFile(dir.settingsFile(),
                "[Fish Number]\nFish0=7\nFish2=250\nFish3=-4\nFish5=abc\n[Other]\nKeep=1\n");
  FishCountsModel m;
  m.Load();
  EXPECT_EQ(m.Count(0), 7);
  EXPECT_EQ(m.Count(1), 0);    // missing
  EXPECT_EQ(m.Count(2), 250);  // shown unchanged
  EXPECT_EQ(m.Count(3), -4);
  EXPECT_EQ(m.Count(5), 0);    // does not parse
  EXPECT_EQ(m.Count(9), 0);

  m.SetCount(1, 12);
  m.SaveAndApply();
  const std::string file = dir.settingsFile();
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(platform::GetPrivateProfileString("Fish Number", "Fish" + std::to_string(i), file),
              std::to_string(m.Count(i)))
        << i;
  EXPECT_EQ(platform::GetPrivateProfileString("Other", "Keep", file), "1");
  const auto& record = settings::Settings();
  EXPECT_EQ(record.fishCount[0], 7);
  EXPECT_EQ(record.fishCount[1], 12);
  EXPECT_EQ(record.fishCount[2], 100);  // the live count takes at most 100
  EXPECT_EQ(record.fishCount[9], 0);
}

}  // namespace
