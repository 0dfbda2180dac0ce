#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"
#include "view/FramePacer.h"

namespace {

app::LaunchOptions Parse(std::vector<const char*> args, const char* saverWindow = nullptr) {
  args.insert(args.begin(), "pelavo");
  return app::ParseCommandLine(static_cast<int>(args.size()), args.data(), saverWindow);
}

TEST(CommandLine, WindowIdsInDecimalAndHexadecimal) {
  EXPECT_EQ(app::ParseWindowId("12345"), 12345ul);
  EXPECT_EQ(app::ParseWindowId("0x3a00007"), 0x3a00007ul);
  EXPECT_EQ(app::ParseWindowId("0X1F"), 0x1Ful);
  EXPECT_EQ(app::ParseWindowId("0x1fffffff"), 0x1ffffffful);  // the largest X id
  for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", "12a", "0xg1", " 12", "12 ",
                          "0x20000000", "99999999999999999999999"})
    EXPECT_FALSE(app::ParseWindowId(bad).has_value()) << "'" << bad << "'";
}

TEST(CommandLine, NoArgumentsOpenTheNormalWindow) {
  const auto o = Parse({});
  EXPECT_EQ(o.kind, app::LaunchKind::kWindow);
  EXPECT_TRUE(o.display.empty());
  // A malformed daemon variable without options leaves the program as it is.
  EXPECT_EQ(Parse({}, "garbage").kind, app::LaunchKind::kWindow);
  // --display alone keeps the normal window, on that display.
  const auto d = Parse({"--display", ":3"});
  EXPECT_EQ(d.kind, app::LaunchKind::kWindow);
  EXPECT_EQ(d.display, ":3");
}

TEST(CommandLine, ScreensaverTargetsAndTheirPrecedence) {
  const auto root = Parse({"--root"});
  EXPECT_EQ(root.kind, app::LaunchKind::kScreensaver);
  EXPECT_TRUE(root.rootWindow);

  const auto single = Parse({"-root"});
  EXPECT_TRUE(single.rootWindow);

  for (auto args : {std::vector<const char*>{"--window-id", "0x400001"},
                    std::vector<const char*>{"--window-id=0x400001"},
                    std::vector<const char*>{"-window-id", "4194305"}}) {
    const auto o = Parse(args);
    EXPECT_EQ(o.kind, app::LaunchKind::kScreensaver);
    EXPECT_FALSE(o.rootWindow);
    EXPECT_EQ(o.windowId, 0x400001ul);
  }

  // The daemon's variable names the window even when only --root is given...
  const auto daemon = Parse({"--root"}, "0x600002");
  EXPECT_FALSE(daemon.rootWindow);
  EXPECT_EQ(daemon.windowId, 0x600002ul);
  // ...or nothing at all; an explicit id wins over it.
  EXPECT_EQ(Parse({}, "77").windowId, 77ul);
  EXPECT_EQ(Parse({"--window-id", "88"}, "77").windowId, 88ul);
  // A malformed variable falls back to the root window.
  EXPECT_TRUE(Parse({"--root"}, "0xnope").rootWindow);

  const auto withDisplay = Parse({"--window-id", "5", "--display=:7"});
  EXPECT_EQ(withDisplay.windowId, 5ul);
  EXPECT_EQ(withDisplay.display, ":7");
}

TEST(CommandLine, MistakesAreReportedNotGuessed) {
  const auto unknown = Parse({"--frobnicate"});
  EXPECT_EQ(unknown.kind, app::LaunchKind::kError);
  EXPECT_NE(unknown.error.find("--frobnicate"), std::string::npos);

  const auto missing = Parse({"--window-id"});
  EXPECT_EQ(missing.kind, app::LaunchKind::kError);

  const auto bad = Parse({"--window-id", "twelve"});
  EXPECT_EQ(bad.kind, app::LaunchKind::kError);
  EXPECT_NE(bad.error.find("twelve"), std::string::npos);

  EXPECT_EQ(Parse({"--display"}).kind, app::LaunchKind::kError);
  EXPECT_EQ(Parse({"--display="}).kind, app::LaunchKind::kError);
  // A stray argument after valid options is still a mistake.
  EXPECT_EQ(Parse({"--root", "extra"}).kind, app::LaunchKind::kError);

  EXPECT_EQ(Parse({"--help"}).kind, app::LaunchKind::kHelp);
  EXPECT_EQ(Parse({"-h"}).kind, app::LaunchKind::kHelp);
  EXPECT_EQ(Parse({"--version"}).kind, app::LaunchKind::kVersion);
  const std::string usage = app::UsageText();
  for (const char* option : {"--root", "--window-id", "--display", "--help", "--version"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(CommandLine, DesktopBackgroundAndItsFrameRate) {
  const auto d = Parse({"--desktop"});
  EXPECT_EQ(d.kind, app::LaunchKind::kWindow);
  EXPECT_TRUE(d.desktop);
  EXPECT_EQ(app::FrameRateCap(d), app::kDesktopDefaultFps);
  EXPECT_EQ(app::FrameRateCap(Parse({})), 0) << "the full-screen window keeps the display's pace";
  // A screensaver daemon's variable does not take the background over.
  const auto underDaemon = Parse({"--desktop"}, "0x600002");
  EXPECT_EQ(underDaemon.kind, app::LaunchKind::kWindow);
  EXPECT_TRUE(underDaemon.desktop);
  EXPECT_EQ(Parse({"--desktop", "--root"}).kind, app::LaunchKind::kError);
  EXPECT_EQ(Parse({"--window-id", "5", "-desktop"}).kind, app::LaunchKind::kError);

  // The limits and just outside them.
  EXPECT_EQ(app::FrameRateCap(Parse({"--desktop", "--fps", "1"})), 1);
  EXPECT_EQ(app::FrameRateCap(Parse({"--desktop", "--fps=240"})), 240);
  EXPECT_EQ(app::FrameRateCap(Parse({"--fps", "12"})), 12) << "the window may be capped too";
  for (const char* bad : {"0", "241", "", "-5", "30.5", "3x", "0240", "99999999999"}) {
    const auto o = Parse({"--desktop", "--fps", bad});
    EXPECT_EQ(o.kind, app::LaunchKind::kError) << "'" << bad << "'";
    EXPECT_NE(o.error.find("240"), std::string::npos) << o.error;
  }
  EXPECT_EQ(Parse({"--desktop", "--fps"}).kind, app::LaunchKind::kError);
  EXPECT_EQ(Parse({"--root", "--fps", "30"}).kind, app::LaunchKind::kError)
      << "screensaver mode has no frame cap";
  const std::string usage = app::UsageText();
  for (const char* option : {"--desktop", "--fps"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST(HiddenReasons, FramesResumeOnlyWhenTheLastReasonGoes) {
  using R = view::HiddenReasons;
  R hidden;
  EXPECT_FALSE(hidden.Hidden());
  EXPECT_FALSE(hidden.Set(R::kIconized, true));
  EXPECT_FALSE(hidden.Set(R::kObscured, true));
  EXPECT_TRUE(hidden.Hidden());
  EXPECT_FALSE(hidden.Set(R::kIconized, false)) << "still covered";
  EXPECT_TRUE(hidden.Has(R::kObscured));
  EXPECT_FALSE(hidden.Has(R::kIconized));
  EXPECT_TRUE(hidden.Set(R::kObscured, false)) << "the last reason went: resume now";
  EXPECT_FALSE(hidden.Hidden());
  EXPECT_FALSE(hidden.Set(R::kUnmapped, false)) << "clearing a reason that never held";

  // Only the toolkit's silence: repaint requests probe whether drawing came back.
  hidden.Set(R::kNoPaint, true);
  EXPECT_TRUE(hidden.OnlyNoPaint());
  hidden.Set(R::kUnmapped, true);
  EXPECT_FALSE(hidden.OnlyNoPaint());
}

}  // namespace
