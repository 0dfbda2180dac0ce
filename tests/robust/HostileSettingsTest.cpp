// Settings files nobody would write by hand: binary garbage, NUL bytes, megabytes of text,
// numbers past 32 bits, negative counts, CRLF lines, duplicated keys and missing sections.
// The start-up load must finish, keep every value in a usable range and never throw away
// what it could not read.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <string>

#include "platform/CrtRand.h"
#include "settings/DefaultTune.h"
#include "settings/SettingsFile.h"
#include "support/TempConfigDir.h"
#include "tank/Bubbles.h"

namespace {

using settings::Settings;

class HostileSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings() = settings::SettingsRecord{};
    crt::setRandState(1);
  }
  void Write(const std::string& bytes) { dir.writeFile(dir.settingsFile(), bytes); }
  std::string Read() const { return dir.readFile(dir.settingsFile()); }
  static void ExpectUsableRecord() {
    for (int n : Settings().fishCount) {
      EXPECT_GE(n, 0);
      EXPECT_LE(n, settings::kMaxFishPerSlot);
    }
    EXPECT_GE(Settings().fognongdu, 0);
    EXPECT_LE(Settings().fognongdu, 25);
    EXPECT_GE(Settings().lightqiangdu, 0);
    EXPECT_LE(Settings().lightqiangdu, 100);
  }
  TempConfigDir dir;
};

TEST_F(HostileSettings, GarbageNulBytesAndHugeFilesLoadWithoutHarm) {
  // Binary garbage: every byte value, many times over, with no line structure.
  std::string garbage;
  for (int i = 0; i < 64 * 1024; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) % 256));
  Write(garbage);
  settings::StartupLoad();
  ExpectUsableRecord();
  EXPECT_EQ(Settings().qipaonum, 100);  // nothing readable: the defaults
  EXPECT_EQ(settings::ReadSetting(settings::kFishSection, "Fish0"),
            std::to_string(Settings().fishCount[0]));  // written back and readable

  // A NUL byte inside a line: the keys before it still count.
  Settings() = {};
  Write(std::string("[Zudadudu Settings]\nQIPAONUM=42\nFOGNONGDU=7\0junk\n", 50) +
        "[Fish Number]\nFish0=3\n");
  settings::StartupLoad();
  ExpectUsableRecord();
  EXPECT_EQ(Settings().qipaonum, 42);

  // Ten megabytes of comment lines ahead of the real sections: read in reasonable time.
  Settings() = {};
  std::string huge;
  huge.reserve(10u << 20);
  while (huge.size() < (10u << 20)) huge += "; padding padding padding padding padding padding\n";
  huge += "[Zudadudu Settings]\nQIPAONUM=55\n[Fish Number]\nFish4=77\n";
  Write(huge);
  const auto begin = std::chrono::steady_clock::now();
  settings::StartupLoad();
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_EQ(Settings().qipaonum, 55);
  EXPECT_EQ(Settings().fishCount[4], 77);
  EXPECT_LT(seconds, 60.0);
}

TEST_F(HostileSettings, OddNumbersCrlfLinesAndDuplicatesReadLikeTheClassicCalls) {
  Write(
      "[Zudadudu Settings]\r\n"
      "QIPAONUM=99999999999\r\n"         // past 32 bits: saturates
      "YINLIANG=-99999999999\r\n"        // past 32 bits the other way
      "FOGNONGDU=4294967306\r\n"         // would wrap to 10 in 32 bits: out of range instead
      "LIGHTQIANGDU=  12abc\r\n"         // leading digits count
      "LIGHTQIANGDU=80\r\n"              // a duplicate: the first one counts
      "VIEWSNEARFAR=-2147483648\r\n"
      "[Fish Number]\r\n"
      "Fish0=-5\r\n"                     // negative count: none
      "Fish1=4294967297\r\n"             // would wrap to 1: saturates, at most 100
      "Fish2=7\r\nFish2=9\r\n"
      "fish3=8\r\n");                    // key names ignore case
  settings::StartupLoad();
  ExpectUsableRecord();
  EXPECT_EQ(Settings().qipaonum, INT_MAX);
  EXPECT_EQ(Settings().yinliang, INT_MIN);
  EXPECT_EQ(Settings().fognongdu, 25);
  EXPECT_EQ(Settings().lightqiangdu, 12);
  EXPECT_EQ(Settings().viewsNearFar, INT_MIN);
  EXPECT_EQ(Settings().fishCount[0], 0);
  EXPECT_EQ(Settings().fishCount[1], 100);
  EXPECT_EQ(Settings().fishCount[2], 7);
  EXPECT_EQ(Settings().fishCount[3], 8);
  // The file keeps the count texts it was given.
  EXPECT_EQ(settings::ReadSetting(settings::kFishSection, "Fish1"), "4294967297");

  // Settings at the ends of the integer range still give sensible amounts downstream: a huge
  // QIPAONUM hides every bubble, a hugely negative one shows them all, and the tune is at
  // full volume for the most negative attenuation.
  EXPECT_EQ(tank::BubbleAmount(INT_MAX), 0);
  EXPECT_EQ(tank::BubbleAmount(INT_MIN), tank::kBubblePoolSize);
  EXPECT_EQ(tank::BubbleAmount(60), 50);
  EXPECT_EQ(settings::DefaultTuneVolumeWord(), 65535);
  Settings().yinliang = INT_MAX;
  EXPECT_EQ(settings::DefaultTuneVolumeWord(), 0);
}

TEST_F(HostileSettings, MissingSectionsAreAddedAndForeignOnesKeptWordForWord) {
  const std::string images =
      "[Custom Images]\nImageNum=2\nImageList0=/home/u/Bilder/Sommer am See.jpg\n"
      "ImageList1=/home/u/\xe5\x86\x99\xe7\x9c\x9f/\xc3\xa9t\xc3\xa9.png\n";
  Write(images);
  settings::StartupLoad();
  ExpectUsableRecord();
  EXPECT_EQ(Settings().fognongdu, 25);
  const std::string after = Read();
  EXPECT_NE(after.find("[Zudadudu Settings]"), std::string::npos);
  EXPECT_NE(after.find("[Fish Number]"), std::string::npos);
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, "ImageList1", settings::kWholeValue),
            "/home/u/\xe5\x86\x99\xe7\x9c\x9f/\xc3\xa9t\xc3\xa9.png");
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, "ImageList0", settings::kWholeValue),
            "/home/u/Bilder/Sommer am See.jpg");
}

}  // namespace
