// The main frame and the view running for real on the display: the frame covers the
// screen without decorations, the view starts the scene, handles size, keys and commands,
// paces its frames and tears down when the frame goes away.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glx.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <wx/display.h>
#include <wx/toplevel.h>

#include "GuiTestSupport.h"
#include "app/MainFrame.h"
#include "settings/SettingsRecord.h"
#include "support/TempConfigDir.h"
#include "ui/CommandId.h"
#include "ui/dialogs/CustomMusicDialog.h"
#include "view/AquariumView.h"
#include "view/TankCanvas.h"

namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = new CMainFrame();
    frame_->ShowCoveringScreen();
    view_ = frame_->View();
    ASSERT_NE(view_, nullptr);
    ASSERT_TRUE(RunEventsUntil([&] { return view_->FramesDrawn() >= 2; }, 20000))
        << "the view never drew a frame";
  }
  void TearDown() override {
    if (frame_) frame_->Destroy();
    RunEventsFor(100);
  }

  void PressKey(int code) {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = code;
    key.SetEventObject(view_->InputWindow());
    view_->InputWindow()->GetEventHandler()->ProcessEvent(key);
  }

  TempConfigDir config_;
  CMainFrame* frame_ = nullptr;
  AquariumView* view_ = nullptr;
};

}  // namespace

TEST_F(MainFrameTest, CoversTheScreenWithoutDecorationsAndTheViewHasTheFocus) {
  const wxRect screen = wxDisplay().GetGeometry();  // the primary monitor
  EXPECT_EQ(frame_->GetRect(), screen);
  EXPECT_EQ(view_->GetSize(), screen.GetSize()) << "the view fills the frame";
  ASSERT_NE(view_->Canvas(), nullptr);
  EXPECT_EQ(reinterpret_cast<wxWindow*>(view_->Canvas())->GetSize(), screen.GetSize())
      << "the GL canvas fills the view";
  const long style = frame_->GetWindowStyleFlag();
  EXPECT_EQ(style & (wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxMAXIMIZE_BOX |
                     wxRESIZE_BORDER | wxCLOSE_BOX), 0);
  EXPECT_EQ(frame_->GetMenuBar(), nullptr);
  EXPECT_EQ(frame_->GetChildren().GetCount(), 1u);
  EXPECT_EQ(frame_->GetTitle(), "PelavoScr");

  frame_->SetFocus();
  RunEventsFor(100);
  EXPECT_EQ(wxWindow::FindFocus(), view_->InputWindow())
      << "focus given to the frame ends in the view's canvas, which takes the keys";
}

TEST_F(MainFrameTest, ASizeChangeIsDrawnAndFramesKeepTheScreensView) {
  // The size message arrives as the toolkit would send it. The next frame draws at once,
  // with the projection and viewport of the screen the scene started on, whatever the
  // window's size (zero height included).
  const wxRect screen = wxDisplay().GetGeometry();
  for (const wxSize size : {wxSize(800, 400), wxSize(640, 0)}) {
    wxWindow* canvas = view_->InputWindow();
    wxSizeEvent event(size, canvas->GetId());
    event.SetEventObject(canvas);
    const long before = view_->FramesDrawn();
    canvas->GetEventHandler()->ProcessEvent(event);
    ASSERT_TRUE(RunEventsUntil([&] { return view_->FramesDrawn() > before; }, 5000));
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], static_cast<int>(std::lround(screen.width * view_->PixelScale())));
    EXPECT_EQ(viewport[3], static_cast<int>(std::lround(screen.height * view_->PixelScale())));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MainFrameTest, F1TogglesTheOverlayAndOtherKeysChangeNothing) {
  const bool before = view_->scene().overlay().visible();
  PressKey(WXK_F1);
  EXPECT_NE(view_->scene().overlay().visible(), before);
  PressKey(WXK_F1);
  EXPECT_EQ(view_->scene().overlay().visible(), before);
  PressKey('A');
  PressKey(WXK_F2);
  PressKey(WXK_SPACE);
  EXPECT_EQ(view_->scene().overlay().visible(), before);
  EXPECT_EQ(view_->scene().Mode(), kCmdFeed);
}

TEST_F(MainFrameTest, CommandsSetTheModeAndDialogCommandsReturnToFeed) {
  EXPECT_EQ(view_->scene().Mode(), kCmdFeed) << "the tank starts in Feed mode";
  view_->RunCommand(kCmdTouch);
  EXPECT_EQ(view_->scene().Mode(), kCmdTouch);
  view_->RunCommand(kCmdZoomOut);
  EXPECT_EQ(view_->scene().Mode(), kCmdZoomOut);
  view_->RunCommand(4242);
  EXPECT_EQ(view_->scene().Mode(), 4242) << "an unknown command is kept as the mode";

  const auto shownTopLevels = [] {
    int n = 0;
    for (wxWindow* w : wxTopLevelWindows) n += w->IsShown() ? 1 : 0;
    return n;
  };
  const int before = shownTopLevels();
  view_->RunCommand(kCmdZoomIn);
  view_->RunCommand(kCmdCustomMusic);
  EXPECT_EQ(view_->scene().Mode(), kCmdFeed);
  view_->RunCommand(kCmdTouch);
  view_->RunCommand(kCmdCustomBackground);
  EXPECT_EQ(view_->scene().Mode(), kCmdFeed);
  RunEventsFor(200);
  // Each dialog that start-up made is shown once and stays a single window.
  view_->RunCommand(kCmdCustomMusic);
  RunEventsFor(100);
  EXPECT_LE(shownTopLevels(), before + 2);
}

TEST_F(MainFrameTest, FramesFollowTheDisplayRateAndNeverExceedIt) {
  // Emptied and shrunk so a frame costs little: the pace is then set by the timer alone.
  for (int i = 0; i < 10; ++i) settings::Settings().fishCount[i] = 0;
  frame_->SetSizer(nullptr);
  view_->SetSize(64, 64);
  RunEventsFor(300);
  const long start = view_->FramesDrawn();
  const wxLongLong t0 = wxGetLocalTimeMillis();
  RunEventsFor(2000);
  const double seconds = (wxGetLocalTimeMillis() - t0).ToDouble() / 1000.0;
  const double fps = (view_->FramesDrawn() - start) / seconds;
  std::printf("frames per second on this display: %.1f\n", fps);
  EXPECT_LE(fps, 61.0);
  // A repaint that never came would leave only the 100 ms guard tick: 10 frames a second.
  EXPECT_GE(fps, 15.0) << "each tick's repaint draws the next frame";
}

TEST_F(MainFrameTest, ClosingTheFrameTearsTheViewDown) {
  EXPECT_NE(glXGetCurrentContext(), nullptr) << "the view's context is current while it runs";
  frame_->Close(true);
  frame_ = nullptr;
  RunEventsFor(300);
  EXPECT_EQ(glXGetCurrentContext(), nullptr) << "the context was released";
  EXPECT_EQ(wxTopLevelWindows.GetCount(), 0u) << "the frame and both dialogs are gone";
}

TEST_F(MainFrameTest, TeardownStopsTheFramesAndIsSafeTwice) {
  view_->Teardown();
  EXPECT_TRUE(view_->TornDown());
  EXPECT_EQ(glXGetCurrentContext(), nullptr);
  const long frames = view_->FramesDrawn();
  view_->Refresh();
  RunEventsFor(300);
  EXPECT_EQ(view_->FramesDrawn(), frames) << "no frame after teardown";
  view_->Teardown();
}

TEST(MainFrameWithoutTempDir, ReportsItOnceAndStaysEmpty) {
  TempConfigDir config;
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", (config.root() + "/no-such-dir").c_str(), 1);
  auto* frame = new CMainFrame();
  if (old)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
  frame->ShowCoveringScreen();
  RunEventsFor(300);
  ASSERT_EQ(config.messages().size(), 1u);
  EXPECT_EQ(config.messages()[0].text, "Error Find TempPath.");
  EXPECT_EQ(config.messages()[0].caption, "ERROR");
  EXPECT_EQ(frame->View(), nullptr);
  EXPECT_EQ(frame->GetChildren().GetCount(), 0u) << "the frame shows no view";
  EXPECT_TRUE(frame->IsShown());
  frame->Destroy();
  RunEventsFor(100);
}

// A display that offers no usable pixel format: one message, then a view that draws nothing
// but still has its keys and commands (the menu is driven in the whole-program test on a
// screen without OpenGL).
TEST(MainFrameWithoutPixelFormat, KeepsTheViewWithItsKeysAndCommands) {
  TempConfigDir config;
  auto* frame = new CMainFrame(false);
  frame->ShowCoveringScreen();
  RunEventsFor(300);
  ASSERT_EQ(config.messages().size(), 1u);
  EXPECT_EQ(config.messages()[0].text, "ChoosePixelFormat failed");
  AquariumView* view = frame->View();
  ASSERT_NE(view, nullptr) << "the view is kept";
  EXPECT_EQ(view->Canvas(), nullptr);
  EXPECT_EQ(view->InputWindow(), view) << "the view itself takes mouse and keys";
  EXPECT_EQ(view->GetSize(), frame->GetClientSize());
  EXPECT_EQ(glXGetCurrentContext(), nullptr);

  const bool before = view->scene().overlay().visible();
  wxKeyEvent key(wxEVT_KEY_DOWN);
  key.m_keyCode = WXK_F1;
  key.SetEventObject(view);
  view->GetEventHandler()->ProcessEvent(key);
  EXPECT_NE(view->scene().overlay().visible(), before) << "F1 still toggles the overlay";
  view->RunCommand(kCmdTouch);
  EXPECT_EQ(view->scene().Mode(), kCmdTouch);
  // The music dialog is made all the same: it opens, and its tick hands the built-in tune
  // on, which plays since the user's own music is off.
  view->RunCommand(kCmdCustomMusic);
  EXPECT_EQ(view->scene().Mode(), kCmdFeed);
  ASSERT_NE(view->Commands().MusicDialog(), nullptr);
  EXPECT_TRUE(view->Commands().MusicDialog()->IsShown());
  EXPECT_EQ(view->Commands().BackgroundDialog(), nullptr) << "pictures need the context";
  view->RunCommand(kCmdCustomBackground);  // no picture dialog: nothing opens, nothing breaks
  EXPECT_TRUE(RunEventsUntil([&] { return view->Commands().Media().tune.Playing(); }, 3000))
      << "the built-in tune plays";
  EXPECT_EQ(view->FramesDrawn(), 0) << "nothing is drawn";
  EXPECT_EQ(config.messages().size(), 1u) << "the tick shows no further message";
  frame->Destroy();
  RunEventsFor(100);
}
