#include "ui/dialogs/FishSettingsDialog.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <functional>
#include <vector>

#include "platform/PrivateProfile.h"
#include "settings/SettingsRecord.h"
#include "support/TempConfigDir.h"
#include "ui/HyperLink.h"

namespace {

void PressKey(wxWindow* w, int code) {
  wxKeyEvent key(wxEVT_CHAR_HOOK);
  key.m_keyCode = code;
  key.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(key);
}

// Runs the steps one after another from a timer while the dialog's own loop is running. A
// step that returns false is tried again a little later (a real key press takes a round trip
// through the X server), until it holds or about three seconds have passed.
class Script {
 public:
  using Step = std::function<bool()>;
  explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      if (next_ < steps_.size()) {
        if (steps_[next_]() || ++retries_ > kMaxRetries) {
          ++next_;
          retries_ = 0;
        }
      }
      if (next_ < steps_.size()) timer_.StartOnce(retries_ > 0 ? 50 : 100);
    });
    timer_.StartOnce(300);
  }

 private:
  static constexpr int kMaxRetries = 60;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int retries_ = 0;
  wxTimer timer_;
};

// A step that always completes.
template <class F>
Script::Step Do(F f) {
  return [f] {
    f();
    return true;
  };
}

std::string FishValue(const TempConfigDir& dir, int slot) {
  return platform::GetPrivateProfileString("Fish Number", "Fish" + std::to_string(slot),
                                           dir.settingsFile());
}

class FishDialog : public testing::Test {
 protected:
  void SetUp() override {
    dir_.writeFile(dir_.settingsFile(),
                   "[Fish Number]\nFish0=3\nFish1=4\nFish2=5\nFish3=6\nFish4=7\n"
                   "Fish5=8\nFish6=9\nFish7=10\nFish8=1\n");  // Fish9 missing
  }
  TempConfigDir dir_;
};

TEST_F(FishDialog, OpensWithTheFileCountsAndRunsTheCommandsByKey) {
  FishSettingsDialog dlg(nullptr);
  EXPECT_EQ(dlg.GetTitle(), "Fish Settings - 3D Pelavo Zudadudu Zavivizarov 1.0");
  EXPECT_EQ(dlg.Model().Count(0), 3);
  EXPECT_EQ(dlg.Model().Count(9), 0);
  EXPECT_EQ(dlg.TotalLabel(), "Total: 53/100");
  ASSERT_NE(dlg.FindWindow(1007), nullptr);
  EXPECT_EQ(dlg.FindWindow(1007)->GetLabel(), "&Add");
  EXPECT_FALSE(dlg.FindWindow(wxID_OK)->IsShown());
  EXPECT_TRUE(dlg.Link()->Url().StartsWith("file://"));

  dlg.SelectAt(450, 100);  // cell 9
  PressKey(&dlg, 'A');
  PressKey(&dlg, 'a');
  EXPECT_EQ(dlg.Model().Count(9), 2);
  PressKey(&dlg, 'd');
  EXPECT_EQ(dlg.Model().Count(9), 1);
  EXPECT_EQ(dlg.TotalLabel(), "Total: 54/100");
  PressKey(&dlg, 'C');
  EXPECT_EQ(dlg.TotalLabel(), "Total: 0/100");
  EXPECT_EQ(dlg.Model().Selected(), 9);  // Clear keeps the selection
  PressKey(&dlg, 'r');
  EXPECT_EQ(dlg.Model().Selected(), settings::kNoCell);  // Random clears it
  EXPECT_EQ(dlg.TotalLabel(), wxString(dlg.Model().TotalText()));

  // The buttons run the same commands.
  dlg.SelectAt(10, 10);
  const int before = dlg.Model().Count(0);
  wxCommandEvent add(wxEVT_BUTTON, 1007);
  dlg.FindWindow(1007)->GetEventHandler()->ProcessEvent(add);
  EXPECT_EQ(dlg.Model().Count(0), before + 1);
}

// Real key presses through the X server: a letter typed with Shift held acts as it does with
// Caps Lock on; with Ctrl held it does nothing.
TEST_F(FishDialog, LetterKeysActWithShiftHeldAndWithCapsLockOn) {
  FishSettingsDialog dlg(nullptr);
  dlg.SelectAt(450, 100);  // cell 9, count 0
  wxUIActionSimulator sim;
  const auto count = [&dlg] { return dlg.Model().Count(9); };
  const auto toggleCapsLock = Do([&sim] {
    sim.KeyDown(WXK_CAPITAL);
    sim.KeyUp(WXK_CAPITAL);
  });
  // Each check waits until the count it expects shows, then keeps what it saw.
  const auto expect = [&count](int want, int* seen) {
    return [&count, want, seen] { return (*seen = count()) == want; };
  };
  int afterShift = -1, afterShiftDelete = -1, afterCaps = -1, afterCtrlThenD = -1;
  bool capsWasOn = false, capsIsOff = false;
  Script script({Do([&] {
                   dlg.Raise();
                   dlg.SetFocus();
                   const wxRect r = dlg.GetScreenRect();
                   sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
                 }),
                 Do([&] { sim.Char('a', wxMOD_SHIFT); }), Do([&] { sim.Char('a', wxMOD_SHIFT); }),
                 expect(2, &afterShift), Do([&] { sim.Char('d', wxMOD_SHIFT); }),
                 expect(1, &afterShiftDelete), toggleCapsLock,
                 [&] { return capsWasOn = wxGetKeyState(WXK_CAPITAL); },
                 Do([&] { sim.Char('a'); }), Do([&] { sim.Char('a'); }), expect(3, &afterCaps),
                 toggleCapsLock, [&] { return capsIsOff = !wxGetKeyState(WXK_CAPITAL); },
                 // Had Ctrl+A added one, the D after it would bring the count back to 3.
                 Do([&] { sim.Char('a', wxMOD_CONTROL); }), Do([&] { sim.Char('d'); }),
                 expect(2, &afterCtrlThenD), Do([&] { sim.Char(WXK_ESCAPE); })});
  EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
  EXPECT_EQ(afterShift, 2) << "Shift+A adds";
  EXPECT_EQ(afterShiftDelete, 1) << "Shift+D deletes";
  EXPECT_TRUE(capsWasOn);
  EXPECT_EQ(afterCaps, 3) << "A with Caps Lock on adds";
  EXPECT_TRUE(capsIsOff) << "Caps Lock is left off for the tests after this one";
  EXPECT_EQ(afterCtrlThenD, 2) << "Ctrl+A is not a dialog key";
}

TEST_F(FishDialog, SelectionMarkInvertsTheCell) {
  FishSettingsDialog dlg(nullptr);
  const wxImage plain = dlg.RenderClient().ConvertToImage();
  dlg.SelectAt(150, 100);  // cell 6: 102..202 x 92..182
  const wxImage marked = dlg.RenderClient().ConvertToImage();
  const int cx = 152, cy = 137;
  EXPECT_EQ(marked.GetRed(cx, cy), 255 - plain.GetRed(cx, cy));
  EXPECT_EQ(marked.GetGreen(cx, cy), 255 - plain.GetGreen(cx, cy));
  EXPECT_EQ(marked.GetBlue(cx, cy), 255 - plain.GetBlue(cx, cy));
  // Outside the ellipse (the cell's corner) and in other cells nothing changes.
  EXPECT_EQ(marked.GetRed(103, 93), plain.GetRed(103, 93));
  EXPECT_EQ(marked.GetRed(50, 50), plain.GetRed(50, 50));
  // A click below the second row marks nothing.
  dlg.SelectAt(10, 300);
  const wxImage none = dlg.RenderClient().ConvertToImage();
  EXPECT_EQ(none.GetRed(cx, cy), plain.GetRed(cx, cy));
}

TEST_F(FishDialog, CloseBoxSavesAndAppliesLikeOk) {
  FishSettingsDialog dlg(nullptr);
  dlg.SelectAt(450, 100);
  dlg.AddFish();
  dlg.CallAfter([&dlg] {
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, dlg.GetId());
    close.SetEventObject(&dlg);
    close.SetCanVeto(true);
    dlg.GetEventHandler()->ProcessEvent(close);
  });
  EXPECT_EQ(dlg.ShowModal(), wxID_OK);
  EXPECT_EQ(FishValue(dir_, 9), "1");
  EXPECT_EQ(FishValue(dir_, 0), "3");
  EXPECT_EQ(settings::Settings().fishCount[9], 1);
  EXPECT_EQ(settings::Settings().fishCount[7], 10);
}

TEST_F(FishDialog, EnterSavesAndEscapeLeavesWithoutASaveOfItsOwn) {
  {
    FishSettingsDialog dlg(nullptr);
    dlg.SelectAt(10, 10);
    dlg.AddFish();  // 3 -> 4
    dlg.CallAfter([&dlg] { PressKey(&dlg, WXK_RETURN); });
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    EXPECT_EQ(FishValue(dir_, 0), "4");
  }
  {
    FishSettingsDialog dlg(nullptr);
    dlg.SelectAt(10, 10);
    dlg.AddFish();  // 4 -> 5, never saved: Escape comes before the first timer tick
    dlg.CallAfter([&dlg] { PressKey(&dlg, WXK_ESCAPE); });
    EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
    EXPECT_EQ(FishValue(dir_, 0), "4");
  }
}

TEST_F(FishDialog, TheTimerSavesWhileTheDialogIsOpen) {
  FishSettingsDialog dlg(nullptr);
  dlg.SelectAt(10, 10);
  dlg.DeleteFish();  // 3 -> 2
  // Leave with Escape well after one tick of the dialog's timer.
  wxTimer later;
  later.Bind(wxEVT_TIMER, [&dlg](wxTimerEvent&) { PressKey(&dlg, WXK_ESCAPE); });
  dlg.CallAfter([&later] { later.StartOnce(800); });
  EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
  EXPECT_EQ(FishValue(dir_, 0), "2");
  EXPECT_EQ(settings::Settings().fishCount[0], 2);
}

}  // namespace
