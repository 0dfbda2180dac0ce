#include "ui/dialogs/ListDialogParts.h"

#include <wx/event.h>
#include <wx/filedlg.h>
#include <wx/window.h>

#include "ui/LedCheckButton.h"

namespace ui::listdialog {

namespace {
constexpr const char* kModeLabels[settings::kPlayModeCount] = {"Repeat One", "Repeat All",
                                                                 "Random "};
constexpr int kModeIds[settings::kPlayModeCount] = {kIdRepeatOne, kIdRepeatAll, kIdRandom};
}  // namespace

wxPoint PlacePos(wxWindow* dialog, const Place& p) {
  return dialog->ConvertDialogToPixels(wxPoint(p.x, p.y));
}

wxSize PlaceSize(wxWindow* dialog, const Place& p) {
  return dialog->ConvertDialogToPixels(wxSize(p.w, p.h));
}

void CreateModeLamps(wxWindow* dialog, const Place (&places)[settings::kPlayModeCount],
                     LedCheckButton* (&lamps)[settings::kPlayModeCount]) {
  for (int m = 0; m < settings::kPlayModeCount; ++m) {
    lamps[m] = new LedCheckButton(dialog, kModeIds[m], kModeLabels[m], PlacePos(dialog, places[m]),
                                  PlaceSize(dialog, places[m]));
    lamps[m]->SetLampColours(kModeLampOn, kModeLampOff);
  }
}

void HandleDialogKey(wxKeyEvent& e, const std::function<void()>& hideAndSave) {
  switch (e.GetKeyCode()) {
    case WXK_ESCAPE:
      hideAndSave();
      return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
      return;  // Enter does nothing
    default:
      e.Skip();
  }
}

bool ChooseFile(wxWindow* dialog, const char* filter, wxString& path) {
  wxFileDialog chooser(dialog, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, filter,
                       wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (chooser.ShowModal() != wxID_OK) return false;
  path = chooser.GetPath();
  return true;
}

}  // namespace ui::listdialog
