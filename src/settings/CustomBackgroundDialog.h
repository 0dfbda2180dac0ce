#pragma once
#include <functional>

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
// Remove Image / Remove All. Its 200 ms timer runs the slideshow from creation on, shown or
// hidden. Enter does nothing; Escape and the close box hide it and save its section.
class CustomBackgroundDialog : public wxDialog {
 public:
  explicit CustomBackgroundDialog(wxWindow* parent);
  ~CustomBackgroundDialog() override;

  // Called before pictures are loaded into textures (also by the constructor's load), to make
  // the view's OpenGL context current. Without a hook that context is taken to be current:
  // it is the program's only one.
  static void SetMakeCurrentHook(std::function<void()> hook);

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
  static void MakeContextCurrent();

  void OnButton(wxCommandEvent& e);
  void OnRowSelected(wxListEvent& e);
  void OnIntervalText(wxCommandEvent& e);
  void OnTimer(wxTimerEvent&);
  void OnClose(wxCloseEvent&);
  void OnCharHook(wxKeyEvent& e);

  settings::SlideshowModel model_;
  wxTimer timer_;
  LedCheckButton* ownImage_ = nullptr;
  LedCheckButton* modeLamps_[settings::kPlayModeCount] = {};
  wxListCtrl* list_ = nullptr;
  wxTextCtrl* interval_ = nullptr;
  bool syncing_ = false;

  wxDECLARE_EVENT_TABLE();
};
