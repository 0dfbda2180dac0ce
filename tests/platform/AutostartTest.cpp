#include "platform/Autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempConfigDir.h"

// The session's autostart entry for the desktop background.
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    std::fclose(f);
  }
  return text;
}

TEST(Autostart, WrittenAndRemovedInTheConfigHome) {
  TempConfigDir dir;
  const std::string file = dir.root() + "/autostart/pelavo-desktop.desktop";
  EXPECT_EQ(platform::AutostartFile(), file);
  EXPECT_FALSE(platform::AutostartOn());

  ASSERT_TRUE(platform::SetAutostart(true, "/usr/bin/pelavo"));
  EXPECT_TRUE(platform::AutostartOn());
  const std::string text = Slurp(file);
  EXPECT_NE(text.find("\nExec=/usr/bin/pelavo --desktop\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nName=Pelavo Desktop Background\n"), std::string::npos) << text;
  EXPECT_FALSE(fs::exists(file + ".part"));
  if (std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0) {
    const std::string check = "desktop-file-validate '" + file + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << text;
  }
  // Written again (the program moved): one entry, the new path.
  ASSERT_TRUE(platform::SetAutostart(true, "/opt/pelavo/bin/pelavo"));
  EXPECT_NE(Slurp(file).find("Exec=/opt/pelavo/bin/pelavo --desktop"), std::string::npos);

  ASSERT_TRUE(platform::SetAutostart(false, "/usr/bin/pelavo"));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(platform::AutostartOn());
  EXPECT_TRUE(platform::SetAutostart(false, "/usr/bin/pelavo")) << "already off";
}

TEST(Autostart, WhereTheEntryGoesAndWhenItCannot) {
  TempConfigDir dir;
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  setenv("HOME", dir.root().c_str(), 1);
  // A relative XDG_CONFIG_HOME is no config home; HOME's .config is.
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(platform::AutostartFile(), dir.root() + "/.config/autostart/pelavo-desktop.desktop");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(platform::AutostartFile(), dir.root() + "/.config/autostart/pelavo-desktop.desktop");
  unsetenv("HOME");
  EXPECT_EQ(platform::AutostartFile(), "");
  EXPECT_FALSE(platform::SetAutostart(true, "pelavo"));
  EXPECT_FALSE(platform::AutostartOn());

  // The autostart folder cannot be made (a file has its name): false, nothing written.
  setenv("XDG_CONFIG_HOME", dir.root().c_str(), 1);
  dir.writeFile(dir.root() + "/autostart", "not a folder");
  EXPECT_FALSE(platform::SetAutostart(true, "pelavo"));
  EXPECT_FALSE(platform::AutostartOn());
  if (savedHome) setenv("HOME", home.c_str(), 1);
}

TEST(Autostart, ProgramPathsAreQuotedForTheLauncher) {
  EXPECT_NE(platform::AutostartEntry("pelavo").find("\nExec=pelavo --desktop\n"), std::string::npos);
  // A space and a dollar: in double quotes with the dollar escaped, then the escape doubled
  // as a string value wants; a percent sign is doubled.
  const std::string entry = platform::AutostartEntry("/opt/my apps/pe$lavo%1");
  EXPECT_NE(entry.find("\nExec=\"/opt/my apps/pe\\\\$lavo%%1\" --desktop\n"), std::string::npos)
      << entry;
  const std::string quote = platform::AutostartEntry("/a\"b");
  EXPECT_NE(quote.find("\nExec=\"/a\\\\\"b\" --desktop\n"), std::string::npos) << quote;
  EXPECT_FALSE(platform::OwnProgramPath().empty());
}

}  // namespace
