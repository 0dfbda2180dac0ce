#include "platform/UrlOpener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/TempConfigDir.h"

namespace {
using platform::HandlerArgv;
using Args = std::vector<std::string>;

TEST(HandlerArgv, CutsAtTheUrlFieldCodeAndAppendsTheUrl) {
  const std::string url = "http://example.invalid/a b";
  EXPECT_EQ(HandlerArgv("browser %u", url), (Args{"browser", url}));
  EXPECT_EQ(HandlerArgv("/opt/b/bin/browser --new-window %U --trailing", url),
            (Args{"/opt/b/bin/browser", "--new-window", url}));
  EXPECT_EQ(HandlerArgv("viewer %F", url), (Args{"viewer", url}));
  // No field code: the URL goes at the end.
  EXPECT_EQ(HandlerArgv("browser --private", url), (Args{"browser", "--private", url}));
  // Quotes group words; escapes inside quotes; %% is a percent sign.
  EXPECT_EQ(HandlerArgv("\"/opt/My Browser/run\" \"--title=say \\\"hi\\\"\" 100%% %u", url),
            (Args{"/opt/My Browser/run", "--title=say \"hi\"", "100%", url}));
  // Other field codes expand to nothing.
  EXPECT_EQ(HandlerArgv("browser %i %c --x %k %u", url), (Args{"browser", "--x", url}));
  // The general value escape \s becomes a space before the line is split.
  EXPECT_EQ(HandlerArgv("\"brow\\sser\" a\\sb %u", url), (Args{"brow ser", "a", "b", url}));
  // Unusable lines give nothing to start.
  EXPECT_TRUE(HandlerArgv("", url).empty());
  EXPECT_TRUE(HandlerArgv("%u", url).empty());
  EXPECT_TRUE(HandlerArgv("\"unterminated %u", url).empty());
}

TEST(HyperlinkErrorText, TableAndUnknownCodes) {
  EXPECT_EQ(platform::HyperlinkErrorText(2), "The specified file was not found.");
  EXPECT_EQ(platform::HyperlinkErrorText(31),
            "There is no application associated\nwith the given filename extension.");
  EXPECT_EQ(platform::HyperlinkErrorText(26), "A sharing violation occurred. ");
  EXPECT_EQ(platform::HyperlinkErrorText(0),
            "The operating system is out\nof memory or resources.");
  EXPECT_EQ(platform::HyperlinkErrorText(30),
            "The DDE transaction could not\nbe completed because other DDE transactions\n"
            "were being processed.");
  EXPECT_EQ(platform::HyperlinkErrorText(4), "Unknown Error (4) occurred.");
  EXPECT_EQ(platform::HyperlinkErrorText(-7), "Unknown Error (-7) occurred.");
}

// A desktop set up in a temporary directory: association lists and desktop entries only
// there, and a handler script that records its arguments one per line.
class FakeDesktop : public testing::Test {
 protected:
  void SetUp() override {
    data_ = dir_.root() + "/data";
    std::filesystem::create_directories(data_ + "/applications");
    std::filesystem::create_directories(dir_.root() + "/empty");
    Set("XDG_DATA_HOME", data_);
    Set("XDG_DATA_DIRS", dir_.root() + "/empty");
    Set("XDG_CONFIG_DIRS", dir_.root() + "/empty");
    Set("XDG_CURRENT_DESKTOP", "");
    argsFile_ = dir_.root() + "/args.txt";
    script_ = dir_.root() + "/fake browser.sh";
    dir_.writeFile(script_, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                argsFile_ + ".part\"\nmv \"" + argsFile_ + ".part\" \"" +
                                argsFile_ + "\"\n");
    chmod(script_.c_str(), 0755);
  }
  void TearDown() override {
    for (auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  void Set(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Register(const std::string& id, const std::string& exec) {
    dir_.writeFile(data_ + "/applications/" + id,
                   "[Desktop Entry]\nType=Application\nName=Fake\nExec=" + exec + "\n"
                   "[Desktop Action other]\nExec=wrong %u\n");
    dir_.writeFile(dir_.root() + "/mimeapps.list",
                   "[Added Associations]\ntext/html=other.desktop;\n"
                   "[Default Applications]\ntext/html=missing.desktop;" + id + ";\n");
  }
  std::string WaitForArgs() {
    for (int i = 0; i < 100 && !std::filesystem::exists(argsFile_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return dir_.readFile(argsFile_);
  }

  TempConfigDir dir_;  // XDG_CONFIG_HOME: holds mimeapps.list
  std::string data_, argsFile_, script_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(FakeDesktop, HandlerGetsTheUrlAsOneArgumentWithoutAShell) {
  Register("fakebrowser.desktop", "\"" + script_ + "\" --new-tab %u --dropped");
  EXPECT_EQ(platform::DefaultHtmlHandlerId(), "fakebrowser.desktop");
  const std::string canary = dir_.root() + "/canary";
  const std::string url = "http://x.invalid/?q=a b;touch " + canary + " $(touch " + canary +
                          ")`touch " + canary + "` & | > '\"";
  EXPECT_GT(platform::OpenUrlWithHtmlHandler(url), 32);
  EXPECT_EQ(WaitForArgs(), "--new-tab\n" + url + "\n");
  EXPECT_FALSE(std::filesystem::exists(canary));
}

TEST_F(FakeDesktop, FailuresMapToTheTableCodes) {
  EXPECT_EQ(platform::DefaultHtmlHandlerId(), "");
  EXPECT_EQ(platform::OpenUrlWithHtmlHandler("http://x.invalid/"), platform::kOpenUrlNoHandler);

  Register("gone.desktop", "/nonexistent/pelavo-browser %u");
  EXPECT_EQ(platform::OpenUrlWithHtmlHandler("http://x.invalid/"), platform::kOpenUrlFileNotFound);

  Register("broken.desktop", "");
  EXPECT_EQ(platform::OpenUrlWithHtmlHandler("http://x.invalid/"), platform::kOpenUrlNoHandler);
}

TEST_F(FakeDesktop, VendorPrefixedIdsAreFoundInSubdirectories) {
  std::filesystem::create_directories(data_ + "/applications/acme");
  dir_.writeFile(data_ + "/applications/acme/web.desktop", "[Desktop Entry]\nExec=x %u\n");
  EXPECT_EQ(platform::FindDesktopEntry("acme-web.desktop"), data_ + "/applications/acme/web.desktop");
  EXPECT_EQ(platform::FindDesktopEntry("../escape.desktop"), "");
  EXPECT_EQ(platform::DesktopEntryExec(data_ + "/applications/acme/web.desktop"), "x %u");
}

}  // namespace
