#pragma once
#include <functional>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "settings/PlayModeLamps.h"
#include "ui/DrawTypes.h"
#include "resource_ids.h"

class LedCheckButton;
class wxKeyEvent;
class wxWindow;

// What the picture and the music dialog have in common: the list's colours, the lamps' icons
// and colours, the three play-mode lamps and what Escape and Enter do.
namespace ui::listdialog {

constexpr int kLampOnIcon = res::id::kLampOn;
constexpr int kLampOffIcon = res::id::kLampOff;
constexpr ui::Rgb kModeLampOn{0, 255, 0};
constexpr ui::Rgb kModeLampOff{0, 0, 0};
constexpr ui::Rgb kListBack{207, 184, 130};
constexpr ui::Rgb kListText{0, 0, 255};

// Repeat One, Repeat All and Random have consecutive ids: id - kIdRepeatOne is the mode.
constexpr int kIdRepeatOne = 1023;
constexpr int kIdRepeatAll = 1024;
constexpr int kIdRandom = 1025;

struct Place {
  int x, y, w, h;  // dialog units
};
struct ButtonPlace {
  int id;
  const char* caption;
  Place place;
};

wxPoint PlacePos(wxWindow* dialog, const Place& p);
wxSize PlaceSize(wxWindow* dialog, const Place& p);

// Creates the Repeat One, Repeat All and Random lamps at `places`.
void CreateModeLamps(wxWindow* dialog, const Place (&places)[settings::kPlayModeCount],
                     LedCheckButton* (&lamps)[settings::kPlayModeCount]);

// The file chooser of an Add button, for files matching `filter`; false when cancelled.
bool ChooseFile(wxWindow* dialog, const char* filter, wxString& path);

// Escape hides the dialog and saves its list; Enter does nothing; other keys go on.
void HandleDialogKey(wxKeyEvent& e, const std::function<void()>& hideAndSave);

}  // namespace ui::listdialog
