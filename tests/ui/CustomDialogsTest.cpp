#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <string>

#include "platform/PrivateProfile.h"
#include "ui/dialogs/CustomBackgroundDialog.h"
#include "ui/dialogs/CustomMusicDialog.h"
#include "settings/TankMedia.h"
#include "support/TempConfigDir.h"
#include "ui/HighlightListCtrl.h"
#include "ui/LedCheckButton.h"
#include "ui/RoundThumbSlider.h"

namespace {

void PressKey(wxWindow* w, int code) {
  wxKeyEvent key(wxEVT_CHAR_HOOK);
  key.m_keyCode = code;
  key.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(key);
}

// A lamp click as the lamp makes it: it toggles, then the dialog hears the button event.
void ClickLamp(wxDialog& dlg, int id) {
  auto* lamp = dynamic_cast<LedCheckButton*>(dlg.FindWindow(id));
  ASSERT_NE(lamp, nullptr) << id;
  lamp->SetCheck(lamp->GetCheck() ? 0 : 1);
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(lamp);
  dlg.GetEventHandler()->ProcessEvent(click);
}

void ClickButton(wxDialog& dlg, int id) {
  wxCommandEvent click(wxEVT_BUTTON, id);
  click.SetEventObject(dlg.FindWindow(id));
  dlg.GetEventHandler()->ProcessEvent(click);
}

std::string Value(const TempConfigDir& dir, const char* section, const char* key) {
  return platform::GetPrivateProfileString(section, key, dir.settingsFile(),
                                           platform::kProfileNoLimit);
}

class CustomDialogs : public testing::Test {
 protected:
  std::string Tone(const std::string& name) {
    const std::string path = dir.root() + "/" + name;
    const std::string command = "sox -n -r 22050 -c 1 '" + path + "' synth 1 sine 440";
    if (std::system(command.c_str()) != 0) return {};
    return path;
  }
  TempConfigDir dir;
};

TEST_F(CustomDialogs, MusicDialogOpensWithItsControlsVolumeAndSavedList) {
  dir.writeFile(dir.settingsDir() + "profile.ini", "[Settings]\nVolume=420\n");
  const std::string a = Tone("a.wav"), b = Tone("b.wav");
  if (a.empty()) GTEST_SKIP() << "sox is needed to make the test tunes";
  dir.writeFile(dir.settingsFile(),
                "[Custom Settings]\nCycMusic=1\nOwnMusic=0\nMusicSum=2\nMusicList0=" + a +
                    "\nMusicList1=" + b + "\n");
  settings::TankMedia media;
  CustomMusicDialog dlg(nullptr, media.playlist);
  EXPECT_EQ(dlg.GetTitle(), "Custom Music - 3D Pelavo Zudadudu Zavivizarov 1.0");
  EXPECT_EQ(dlg.GetClientSize(), dlg.ConvertDialogToPixels(wxSize(317, 151)));
  EXPECT_EQ(dlg.Volume()->GetValue(), 420);
  EXPECT_EQ(dlg.Volume()->GetMax(), 1000);
  EXPECT_EQ(dlg.Model().Player().Volume(), 420);
  ASSERT_EQ(dlg.List()->GetItemCount(), 2);
  EXPECT_EQ(dlg.List()->GetItemText(1), b);
  wxListItem column;
  column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
  ASSERT_TRUE(dlg.List()->GetColumn(0, column));
  EXPECT_EQ(column.GetText(), "Music List");
  EXPECT_EQ(column.GetWidth(), 500);
  for (auto [id, label] : {std::pair{1017, "Add Music"}, {1018, "Remove"}, {1019, "Remove All"},
                           {1021, "Play"}, {1022, "Stop"}, {1011, "On/Off"}, {1025, "Random "}}) {
    ASSERT_NE(dlg.FindWindow(id), nullptr) << id;
    EXPECT_EQ(dlg.FindWindow(id)->GetLabel(), label);
  }
  auto lamp = [&](int id) { return dynamic_cast<LedCheckButton*>(dlg.FindWindow(id)); };
  EXPECT_EQ(lamp(1024)->GetCheck(), 1);
  EXPECT_EQ(lamp(1023)->GetCheck(), 0);
  EXPECT_EQ(lamp(1011)->GetCheck(), 0);
  EXPECT_TRUE(lamp(1011)->HasIcons());

  // On/Off plays, locks the list buttons and greens the row; the dialog's tick tells the view.
  ClickLamp(dlg, 1011);
  EXPECT_TRUE(dlg.Model().Playing());
  EXPECT_EQ(dlg.Model().HighlightedTrack(), 0);
  EXPECT_EQ(dlg.List()->GetItemBackgroundColour(0), wxColour(0, 255, 0)) << "the row is green";
  EXPECT_FALSE(dlg.FindWindow(1017)->IsEnabled());
  EXPECT_FALSE(dlg.FindWindow(1021)->IsEnabled());
  dlg.Tick();
  EXPECT_TRUE(media.playlist.CustomMusicOn());

  // A mode lamp clicked while lit stays lit; another one puts it out.
  ClickLamp(dlg, 1024);
  EXPECT_EQ(lamp(1024)->GetCheck(), 1);
  ClickLamp(dlg, 1023);
  EXPECT_EQ(lamp(1024)->GetCheck(), 0);
  EXPECT_EQ(dlg.Model().Mode(), 0);

  ClickButton(dlg, 1022);  // Stop
  EXPECT_FALSE(dlg.Model().Playing());
  EXPECT_TRUE(dlg.FindWindow(1018)->IsEnabled());
  EXPECT_EQ(dlg.Model().HighlightedTrack(), -1);
  EXPECT_EQ(dlg.List()->GetSelectedItemCount(), 0);

  // Enter does nothing; Escape hides and saves.
  dlg.Show();
  PressKey(&dlg, WXK_RETURN);
  EXPECT_TRUE(dlg.IsShown());
  PressKey(&dlg, WXK_ESCAPE);
  EXPECT_FALSE(dlg.IsShown());
  EXPECT_EQ(Value(dir, "Custom Settings", "RepeatMusic"), "1");
  EXPECT_EQ(Value(dir, "Custom Settings", "CycMusic"), "0");
  EXPECT_EQ(Value(dir, "Custom Settings", "OwnMusic"), "1");
  EXPECT_EQ(Value(dir, "Custom Settings", "MusicList1"), b);
}

TEST_F(CustomDialogs, BackgroundDialogOpensWithItsControlsAndSavesOnClose) {
  dir.writeFile(dir.settingsFile(), "[Custom Images]\nImageTime=\nRandomImage=1\n");
  settings::TankMedia media;
  CustomBackgroundDialog dlg(nullptr, media.slideshow);
  EXPECT_EQ(dlg.GetTitle(), "Custom Background - 3D Pelavo Zudadudu Zavivizarov 1.0");
  EXPECT_EQ(dlg.GetClientSize(), dlg.ConvertDialogToPixels(wxSize(265, 135)));
  wxListItem column;
  column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
  ASSERT_TRUE(dlg.List()->GetColumn(1, column));
  EXPECT_EQ(column.GetText(), "State");
  EXPECT_EQ(column.GetWidth(), 50);
  ASSERT_TRUE(dlg.List()->GetColumn(0, column));
  EXPECT_EQ(column.GetText(), "Backgrounds Directory");
  for (auto [id, label] : {std::pair{1008, "Add Image"}, {1011, "Remove Image"},
                           {1012, "Remove All"}, {1014, "Use your own image"}}) {
    ASSERT_NE(dlg.FindWindow(id), nullptr) << id;
    EXPECT_EQ(dlg.FindWindow(id)->GetLabel(), label);
  }
  auto* interval = dynamic_cast<wxTextCtrl*>(dlg.FindWindow(1019));
  ASSERT_NE(interval, nullptr);
  EXPECT_EQ(interval->GetValue(), "5");
  EXPECT_EQ(dynamic_cast<LedCheckButton*>(dlg.FindWindow(1025))->GetCheck(), 1);

  ClickLamp(dlg, 1014);
  EXPECT_TRUE(dlg.Model().OwnImage());
  EXPECT_TRUE(dlg.Model().Active());
  dlg.Tick();
  EXPECT_TRUE(media.slideshow.CustomImageOn());
  EXPECT_EQ(media.slideshow.CurrentTexture(), -1);  // lamp on, no picture yet
  EXPECT_EQ(media.slideshow.BackgroundTexture(7), 0u) << "no picture to show yet";

  interval->SetValue("12");
  EXPECT_EQ(dlg.Model().IntervalText(), "12");
  dlg.Show();
  wxCloseEvent close(wxEVT_CLOSE_WINDOW);
  dlg.GetEventHandler()->ProcessEvent(close);
  EXPECT_FALSE(dlg.IsShown());
  EXPECT_EQ(Value(dir, "Custom Images", "ImageTime"), "12");
  EXPECT_EQ(Value(dir, "Custom Images", "OwnImage"), "1");
  EXPECT_EQ(Value(dir, "Custom Images", "RandomImage"), "1");
  EXPECT_EQ(Value(dir, "Custom Images", "ImageSum"), "0");
}

}  // namespace
