#include "settings/SettingsFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/CrtRand.h"
#include "platform/SettingsDir.h"
#include "support/TempConfigDir.h"

namespace {

using settings::Settings;

std::string Tank(const char* key) {
  return settings::ReadSetting(settings::kTankSection, key);
}

// Every key of the tank section with the text a fresh start leaves in the file.
const std::vector<std::pair<const char*, const char*>> kFreshFile = {
    {"Show Water", "0"},        {"Show Light", "0"},          {"Show Terra", "1"},
    {"FRONT GUDING", "1"},      {"FRONTCOLOR", "16777215"},   {"FRONT MANJIANBIAN", "0"},
    {"FRONT COLOR1", "16777215"}, {"FRONT COLOR2", "16777215"}, {"FRONT AUTOJIANBIAN", "0"},
    {"CHECK LOCKFORE", "0"},    {"LOCKFORE ROT", "0"},        {"BACK GUDING", "1"},
    {"BACKCOLOR", "0"},         {"BACK MANJIANBIAN", "0"},    {"BACK COLOR1", "65280"},
    {"BACK COLOR2", "0"},       {"BACK AUTOJIANBIAN", "0"},   {"CHECK LOCKBACK", "0"},
    {"LOCKBACK ROT", "0"},      {"YINLIANG", "32767.5"},      {"QIPAONUM", "100"},
    {"BACKGROUND", "0"},        {"FOGNONGDU", "25"},          {"LIGHTQIANGDU", "0"},
    {"CHECK VIEWS", "1"},       {"VIEWSLEFTRIGHT", "0"},      {"VIEWSNEARFAR", "0"},
};

std::vector<int> FirstDrawsAsCounts(std::uint32_t state, int n) {
  crt::setRandState(state);
  std::vector<int> counts;
  for (int i = 0; i < n; ++i) counts.push_back(crt::rand() % 10 + 1);
  return counts;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings() = settings::SettingsRecord{};
    crt::setRandState(1);
  }
  void Write(const std::string& text) { dir.writeFile(dir.settingsFile(), text); }
  TempConfigDir dir;
};

TEST_F(SettingsFileTest, MissingFileIsCreatedWithEveryDefaultAndTheStartOverrides) {
  const std::vector<int> draws = FirstDrawsAsCounts(1, 10);
  crt::setRandState(1);
  settings::StartupLoad();

  EXPECT_EQ(settings::SettingsFilePath(), dir.settingsFile());
  for (const auto& [key, text] : kFreshFile) EXPECT_EQ(Tank(key), text) << key;
  const auto& r = Settings();
  EXPECT_EQ(r.showWater, 0);
  EXPECT_EQ(r.showLight, 0);
  EXPECT_EQ(r.showTerra, 1);
  EXPECT_EQ(r.frontGuding, 1);
  EXPECT_EQ(r.frontColor, 16777215);
  EXPECT_EQ(r.frontColor2, 16777215);
  EXPECT_EQ(r.backGuding, 1);
  EXPECT_EQ(r.backColor, 0);
  EXPECT_EQ(r.backColor1, 65280);
  EXPECT_EQ(r.backAutojianbian, 0);
  EXPECT_EQ(r.lockforeRot, 0.0f);
  EXPECT_EQ(r.yinliang, 32767);
  EXPECT_EQ(r.qipaonum, 100);
  EXPECT_EQ(r.background, 0);
  EXPECT_EQ(r.fognongdu, 25);
  EXPECT_EQ(r.lightqiangdu, 0);
  EXPECT_EQ(r.checkViews, 1);
  // Ten counts from ten draws in slot order, each written back.
  for (int slot = 0; slot < 10; ++slot) {
    EXPECT_EQ(r.fishCount[slot], draws[slot]) << slot;
    EXPECT_EQ(settings::ReadSetting(settings::kFishSection, settings::FishKey(slot)),
              std::to_string(draws[slot]));
  }
  EXPECT_TRUE(dir.messages().empty());
}

TEST_F(SettingsFileTest, ForcedKeysAreRewrittenAtEveryStart) {
  Write("[Zudadudu Settings]\nShow Water=1\nShow Light=1\nShow Terra=0\nBACK GUDING=0\n"
        "BACKCOLOR=255\nBACK AUTOJIANBIAN=1\nFRONTCOLOR=255\nBACK COLOR1=0\n");
  for (int run = 0; run < 2; ++run) {
    settings::StartupLoad();
    const auto& r = Settings();
    EXPECT_EQ(r.showWater, 0);
    EXPECT_EQ(r.showLight, 0);
    EXPECT_EQ(r.showTerra, 1);
    EXPECT_EQ(r.backGuding, 1);
    EXPECT_EQ(r.backColor, 0);
    EXPECT_EQ(r.backAutojianbian, 0);
    EXPECT_EQ(Tank("Show Water"), "0");
    EXPECT_EQ(Tank("Show Terra"), "1");
    EXPECT_EQ(Tank("BACK GUDING"), "1");
    EXPECT_EQ(Tank("BACKCOLOR"), "0");
    EXPECT_EQ(Tank("BACK AUTOJIANBIAN"), "0");
    // Keys without an override keep what the user chose.
    EXPECT_EQ(r.frontColor, 255);
    EXPECT_EQ(r.backColor1, 0);
    EXPECT_EQ(Tank("FRONTCOLOR"), "255");
  }
}

TEST_F(SettingsFileTest, RangedKeysOutsideTheirRangeCountAsMissing) {
  Write("[Zudadudu Settings]\nFOGNONGDU=30\nLIGHTQIANGDU=-1\n");
  settings::StartupLoad();
  EXPECT_EQ(Settings().fognongdu, 25);
  EXPECT_EQ(Settings().lightqiangdu, 0);
  EXPECT_EQ(Tank("FOGNONGDU"), "25");
  EXPECT_EQ(Tank("LIGHTQIANGDU"), "0");

  // The ends of the ranges are accepted and the text stays as written.
  Write("[Zudadudu Settings]\nFOGNONGDU=0\nLIGHTQIANGDU=100\n");
  settings::StartupLoad();
  EXPECT_EQ(Settings().fognongdu, 0);
  EXPECT_EQ(Settings().lightqiangdu, 100);
  Write("[Zudadudu Settings]\nFOGNONGDU=26\nLIGHTQIANGDU=101\n");
  settings::StartupLoad();
  EXPECT_EQ(Settings().fognongdu, 25);
  EXPECT_EQ(Settings().lightqiangdu, 0);
  EXPECT_EQ(Tank("LIGHTQIANGDU"), "0");
}

TEST_F(SettingsFileTest, NumbersParseAsTheirIntegerPartAndEmptyValuesCountAsMissing) {
  Write("[Zudadudu Settings]\nLOCKBACK ROT=12.9\nLOCKFORE ROT=-3.7\nYINLIANG=32767.5\n"
        "QIPAONUM=lots\nFRONTCOLOR=\nShow Terra=\nVIEWSNEARFAR= 7x\n");
  settings::StartupLoad();
  const auto& r = Settings();
  EXPECT_FLOAT_EQ(r.lockbackRot, 12.0f);
  EXPECT_FLOAT_EQ(r.lockforeRot, -3.0f);
  EXPECT_EQ(r.yinliang, 32767);
  EXPECT_EQ(r.qipaonum, 0);  // present but no number: 0, and the text is left alone
  EXPECT_EQ(Tank("QIPAONUM"), "lots");
  EXPECT_EQ(Tank("LOCKBACK ROT"), "12.9");
  EXPECT_EQ(r.viewsNearFar, 7);
  EXPECT_EQ(r.frontColor, 16777215);  // empty: the default, written back
  EXPECT_EQ(Tank("FRONTCOLOR"), "16777215");
  EXPECT_EQ(r.showTerra, 1);
  EXPECT_EQ(Tank("Show Terra"), "1");
}

TEST_F(SettingsFileTest, FishCountsAreClampedInTheRecordWhileTheFileKeepsItsText) {
  Write("[Fish Number]\nFish0=5\nFish2=\nFish3=250\nFish5=-5\nFish6=0\nFish7=100\n"
        "Fish8=101\nFish9=7.9\n");
  const std::vector<int> draws = FirstDrawsAsCounts(42, 3);
  crt::setRandState(42);
  settings::StartupLoad();
  const auto& c = Settings().fishCount;
  EXPECT_EQ(c[0], 5);
  EXPECT_EQ(c[1], draws[0]);  // missing slots take one draw each, in slot order
  EXPECT_EQ(c[2], draws[1]);
  EXPECT_EQ(c[4], draws[2]);
  EXPECT_EQ(c[3], 100);
  EXPECT_EQ(c[5], 0);
  EXPECT_EQ(c[6], 0);
  EXPECT_EQ(c[7], 100);
  EXPECT_EQ(c[8], 100);
  EXPECT_EQ(c[9], 7);
  auto fish = [](int slot) {
    return settings::ReadSetting(settings::kFishSection, settings::FishKey(slot));
  };
  EXPECT_EQ(fish(3), "250");
  EXPECT_EQ(fish(5), "-5");
  EXPECT_EQ(fish(2), std::to_string(draws[1]));

  // A second start with every slot present draws nothing.
  const auto state = crt::randState();
  settings::StartupLoad();
  EXPECT_EQ(crt::randState(), state);
  EXPECT_EQ(c[1], draws[0]);
}

TEST_F(SettingsFileTest, ReplacedFishCountsAreClamped) {
  const int counts[10] = {0, 1, 50, 100, 101, 250, -1, -300, 9, 10};
  settings::ReplaceFishCounts(counts);
  const int expected[10] = {0, 1, 50, 100, 100, 100, 0, 0, 9, 10};
  for (int slot = 0; slot < 10; ++slot) EXPECT_EQ(Settings().fishCount[slot], expected[slot]);
}

TEST_F(SettingsFileTest, LongListPathsComeBackWholeWhenReadWithoutLimit) {
  std::string path = "/home/user/My Pictures/a=b; #not a comment/";
  while (path.size() < 296) path += "deep folder/";
  path.resize(296);
  path += ".jpg";
  ASSERT_EQ(path.size(), 300u);
  const std::string key = settings::ListKey(settings::kImageListPrefix, 0);
  ASSERT_TRUE(settings::WriteSetting(settings::kImageSection, key, path));
  ASSERT_TRUE(settings::WriteSetting(settings::kMusicSection,
                                     settings::ListKey(settings::kMusicListPrefix, 3), path));
  ASSERT_TRUE(settings::WriteSetting(settings::kImageSection, settings::kImageSumKey, "1"));

  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, key, settings::kWholeValue), path);
  EXPECT_EQ(settings::ReadSetting(settings::kMusicSection, "MusicList3", settings::kWholeValue),
            path);
  // The plain read keeps the classic limit of 127 characters.
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, key), path.substr(0, 127));
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, "ImageSum"), "1");
}

TEST_F(SettingsFileTest, AnUnwritableFileLeavesTheRecordFilledAndTheOldFileWhole) {
  // The settings file's name taken by a directory: nothing can be read or written there.
  std::filesystem::create_directories(dir.settingsFile());
  settings::StartupLoad();
  EXPECT_EQ(Settings().qipaonum, 100);
  EXPECT_EQ(Settings().showTerra, 1);
  EXPECT_EQ(Settings().yinliang, 32767);
  for (int slot = 0; slot < 10; ++slot) {
    EXPECT_GE(Settings().fishCount[slot], 1);
    EXPECT_LE(Settings().fishCount[slot], 10);
  }
  EXPECT_FALSE(settings::WriteSetting(settings::kImageSection, "ImageSum", "1"));
  std::filesystem::remove(dir.settingsFile());

  // A file that cannot be replaced keeps its old content, and no temporary file stays.
  Write("[Custom Images]\nImageSum=2\n");
  std::filesystem::permissions(dir.settingsDir(), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
  const bool locked = ::access(dir.settingsDir().c_str(), W_OK) != 0;  // not so for root
  if (locked) {
    EXPECT_FALSE(settings::WriteSetting(settings::kImageSection, "ImageSum", "3"));
  }
  std::filesystem::permissions(dir.settingsDir(), std::filesystem::perms::owner_all);
  if (locked) {
    EXPECT_EQ(dir.readFile(dir.settingsFile()), "[Custom Images]\nImageSum=2\n");
  }
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.settingsDir()))
    ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(SettingsFileTest, WithoutASettingsDirectoryTheLoadReportsOnceAndUsesTheWorkingDirectory) {
  dir.writeFile(dir.root() + "/not-a-dir", "x");
  ::setenv("XDG_CONFIG_HOME", (dir.root() + "/not-a-dir").c_str(), 1);
  platform::ForgetSettingsDirectory();
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.root());
  settings::StartupLoad();
  std::filesystem::current_path(cwd);
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text, "Error Find TempPath.");
  EXPECT_EQ(dir.messages()[0].caption, "ERROR");
  EXPECT_TRUE(std::filesystem::exists(dir.root() + "/PelavoSet.ini"));
  EXPECT_EQ(Settings().fognongdu, 25);
}

}  // namespace
