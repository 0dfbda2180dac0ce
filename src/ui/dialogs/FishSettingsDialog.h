#pragma once
#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/timer.h>

#include "settings/FishCountsModel.h"

class FlatButton;
class HyperLink;
class wxStaticText;

// The dialog that sets how many fish of each species swim: a picture of the ten species with
// their counts, a selection mark on the chosen cell, Add / Delete / Random / Clear, and the
// total against the limit. Twice a second, and once more on OK or the close box, the counts
// are written to the settings file and handed to the tank. Escape leaves without a save of
// its own. Run it with ShowModal(); it raises itself, taking the keyboard, once it shows.
class FishSettingsDialog : public wxDialog {
 public:
  explicit FishSettingsDialog(wxWindow* parent);

  settings::FishCountsModel& Model() { return model_; }
  // The commands as the buttons, keys and double clicks run them.
  void AddFish();
  void DeleteFish();
  void RandomFish();
  void ClearFish();
  void SelectAt(int x, int y);
  // OK: save and apply, then end with wxID_OK. Cancel: end with wxID_CANCEL, no save.
  void Accept();
  void Dismiss();

  wxString TotalLabel() const;
  HyperLink* Link() const { return link_; }
  // The client area as the paint handler draws it: picture, counts, selection mark.
  wxBitmap RenderClient() const;

 private:
  void FitDialogFont();
  void BuildControls();
  void UpdateTotal();
  void RedrawLabel(int cell);
  void RedrawCell(int cell);
  void RedrawAllLabels();
  void End(int code);

  void OnPaint(wxPaintEvent&);
  void OnEraseBackground(wxEraseEvent&) {}
  void OnLeftDown(wxMouseEvent&);
  void OnLeftDoubleClick(wxMouseEvent&);
  void OnRightDoubleClick(wxMouseEvent&);
  void OnCharHook(wxKeyEvent&);
  void OnTimer(wxTimerEvent&);
  void OnClose(wxCloseEvent&);
  void OnButton(wxCommandEvent&);

  settings::FishCountsModel model_;
  wxBitmap picture_;
  wxTimer timer_;
  wxStaticText* total_ = nullptr;
  HyperLink* link_ = nullptr;
  int rowShift_ = 0;  // pixels the bottom row moves down to clear the picture
  bool raised_ = false;  // raised after its first paint

  wxDECLARE_EVENT_TABLE();
};
