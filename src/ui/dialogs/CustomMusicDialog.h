#pragma once
#include <wx/dialog.h>
#include <wx/timer.h>

#include "settings/PlaylistModel.h"

class HighlightListCtrl;
class LedCheckButton;
class RoundThumbSlider;
class wxButton;
class wxListEvent;
class wxScrollEvent;

// The modeless dialog of the user's own music: the On/Off lamp, the music list with the
// playing entry in green, Add Music / Remove / Remove All / Play / Stop, the three play modes
// and the volume, all of them views of the playlist it is given (which outlives it). Its
// 200 ms timer ticks that playlist from creation on, shown or hidden: the playlist takes in
// whether own music is on and moves to the next track when one ends. Enter does nothing;
// Escape and the close box hide it (music keeps playing) and save its section.
class CustomMusicDialog : public wxDialog {
 public:
  CustomMusicDialog(wxWindow* parent, settings::PlaylistModel& model);
  ~CustomMusicDialog() override;
  // The timer stops at once; the window goes when the toolkit is idle.
  bool Destroy() override;

  // Writes the `Custom Settings` section as hiding does (for exits that skip the hide).
  void SaveNow() const { model_.Save(); }
  void HideAndSave();
  // What the 200 ms timer runs.
  void Tick();
  // Add Music with a path already chosen.
  void AddMusic(const wxString& path);

  settings::PlaylistModel& Model() { return model_; }
  HighlightListCtrl* List() const { return list_; }
  RoundThumbSlider* Volume() const { return volume_; }
  // Brings every control in line with the model.
  void SyncControls();

 private:
  void BuildControls();
  void SyncRows();
  void SyncSelection();

  void OnButton(wxCommandEvent& e);
  void OnEntrySelected(wxListEvent& e);
  void OnEntryDeselected(wxListEvent& e);
  void OnScroll(wxScrollEvent& e);
  void OnTimer(wxTimerEvent&);
  void OnClose(wxCloseEvent&);
  void OnCharHook(wxKeyEvent& e);

  settings::PlaylistModel& model_;
  wxTimer timer_;
  LedCheckButton* onOff_ = nullptr;
  LedCheckButton* modeLamps_[settings::kPlayModeCount] = {};
  HighlightListCtrl* list_ = nullptr;
  wxButton* addMusic_ = nullptr;
  wxButton* remove_ = nullptr;
  wxButton* removeAll_ = nullptr;
  wxButton* play_ = nullptr;
  RoundThumbSlider* volume_ = nullptr;
  bool syncing_ = false;

  wxDECLARE_EVENT_TABLE();
};
