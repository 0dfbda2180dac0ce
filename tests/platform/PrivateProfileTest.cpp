#include <gtest/gtest.h>

#include <filesystem>

#include "platform/PrivateProfile.h"
#include "platform/SettingsDir.h"
#include "support/TempConfigDir.h"

using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

TEST(PrivateProfile, ReadsKeepWindowsRules) {
  TempConfigDir dir;
  const std::string ini = dir.root() + "/a.ini";
  EXPECT_EQ(GetPrivateProfileString("S", "K", ini), "");  // no file
  dir.writeFile(ini,
                "[Zudadudu Settings]\r\nShow Water=1\r\nQIPAONUM=5\r\nQIPAONUM=9\r\n"
                "Empty=\r\n[Other]\r\nlong=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(GetPrivateProfileString("zudadudu settings", "show water", ini), "1");
  EXPECT_EQ(GetPrivateProfileString("Zudadudu Settings", "QIPAONUM", ini), "5");  // first wins
  EXPECT_EQ(GetPrivateProfileString("Zudadudu Settings", "Empty", ini), "");
  EXPECT_EQ(GetPrivateProfileString("Other", "long", ini).size(), 127u);
  EXPECT_EQ(GetPrivateProfileString("Other", "long", ini, platform::kProfileNoLimit).size(), 300u);
}

TEST(PrivateProfile, WriteChangesOneKeyAndKeepsTheRest) {
  TempConfigDir dir;
  const std::string ini = dir.root() + "/b.ini";
  dir.writeFile(ini, "[A]\nx=1\ny=2\n[B]\nz=3\n");
  ASSERT_TRUE(WritePrivateProfileString("A", "y", "20", ini));
  ASSERT_TRUE(WritePrivateProfileString("C", "n", "new", ini));
  EXPECT_EQ(dir.readFile(ini), "[A]\nx=1\ny=20\n\n\n[B]\nz=3\n\n\n[C]\nn=new\n");
  EXPECT_EQ(GetPrivateProfileString("A", "x", ini), "1");
  // A path longer than the read limit round-trips whole when read without the limit.
  const std::string path = "/home/u/" + std::string(292, 'p') + ".jpg";
  ASSERT_TRUE(WritePrivateProfileString("Custom Images", "ImageList0", path, ini));
  EXPECT_EQ(GetPrivateProfileString("Custom Images", "ImageList0", ini, platform::kProfileNoLimit),
            path);
  // No temporary file is left beside it.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.root())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(PrivateProfile, UnreadableTargetIsNeverReplaced) {
  TempConfigDir dir;
  const std::string asDir = dir.root() + "/isdir.ini";
  std::filesystem::create_directory(asDir);
  EXPECT_FALSE(WritePrivateProfileString("A", "x", "1", asDir));
  EXPECT_TRUE(std::filesystem::is_directory(asDir));
}

TEST(PrivateProfile, ParsesIntegersLikeAtoi) {
  using platform::ParseProfileInt;
  EXPECT_EQ(ParseProfileInt("32767.5"), 32767);
  EXPECT_EQ(ParseProfileInt("  -12x"), -12);
  EXPECT_EQ(ParseProfileInt("abc"), 0);
  EXPECT_EQ(ParseProfileInt(""), 0);
  EXPECT_EQ(ParseProfileInt("99999999999999"), 2147483647);
  EXPECT_EQ(ParseProfileInt("-99999999999999"), -2147483647 - 1);
}

TEST(SettingsDirectory, CreatedUnderXdgConfigHome) {
  TempConfigDir dir;
  EXPECT_EQ(platform::SettingsDirectory(), dir.settingsDir());
  EXPECT_TRUE(std::filesystem::is_directory(dir.settingsDir()));
  EXPECT_TRUE(dir.messages().empty());
}

TEST(SettingsDirectory, ReportsWhenItCannotBeMade) {
  TempConfigDir dir;
  dir.writeFile(dir.root() + "/PelavoScr", "a file where the directory should be");
  EXPECT_EQ(platform::SettingsDirectory(), "");
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text, "Error Find TempPath.");
  EXPECT_EQ(dir.messages()[0].caption, "ERROR");
  // Every later user (textures, pellets, dialog ticks) gets the same answer without a word,
  // even once the directory could be made: it is looked up once per process.
  std::filesystem::remove(dir.root() + "/PelavoScr");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(platform::SettingsDirectory(), "");
  EXPECT_EQ(dir.messages().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.root() + "/PelavoScr"));
}
