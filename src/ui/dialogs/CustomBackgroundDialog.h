#pragma once
#include <wx/dialog.h>
#include <wx/timer.h>

#include "settings/SlideshowModel.h"

class FlatButton;
class LedCheckButton;
class wxListCtrl;
class wxListEvent;
class wxTextCtrl;

// The modeless dialog of the user's own background pictures: the list with each picture's
// state, the "use your own image" lamp, the three play modes, the interval, and Add Image /
// Remove Image / Remove All, all of them views of the slideshow it is given (which outlives
// it). Its 200 ms timer runs that slideshow from creation on, shown or hidden. Pictures load
// into textures of the program's only OpenGL context, which is current. Enter does nothing;
// Escape and the close box hide it and save its section.
class CustomBackgroundDialog : public wxDialog {
 public:
  CustomBackgroundDialog(wxWindow* parent, settings::SlideshowModel& model);
  ~CustomBackgroundDialog() override;
  // The timer stops at once; the window goes when the toolkit is idle.
  bool Destroy() override;

  // Writes the `Custom Images` section as hiding does (for exits that skip the hide).
  void SaveNow() const { model_.Save(); }
  // Escape and the close box: hide and save.
  void HideAndSave();
  // What the 200 ms timer runs.
  void Tick();
  // Add Image with a path already chosen.
  void AddPicture(const wxString& path);

  settings::SlideshowModel& Model() { return model_; }
  wxListCtrl* List() const { return list_; }

 private:
  void BuildControls();
  void SyncRows();
  void SyncStates();
  void SyncLamps();
  int SelectedRow() const;

  void OnButton(wxCommandEvent& e);
  void OnRowSelected(wxListEvent& e);
  void OnIntervalText(wxCommandEvent& e);
  void OnTimer(wxTimerEvent&);
  void OnClose(wxCloseEvent&);
  void OnCharHook(wxKeyEvent& e);

  settings::SlideshowModel& model_;
  wxTimer timer_;
  LedCheckButton* ownImage_ = nullptr;
  LedCheckButton* modeLamps_[settings::kPlayModeCount] = {};
  wxListCtrl* list_ = nullptr;
  wxTextCtrl* interval_ = nullptr;
  bool syncing_ = false;

  wxDECLARE_EVENT_TABLE();
};
