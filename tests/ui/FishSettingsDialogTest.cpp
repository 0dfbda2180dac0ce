#include "settings/FishSettingsDialog.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stattext.h>

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
