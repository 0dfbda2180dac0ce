#include "ui/dialogs/CustomBackgroundDialog.h"

#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "ui/dialogs/ListDialogParts.h"
#include "ui/FlatButton.h"
#include "ui/LedCheckButton.h"
#include "ui/WxDraw.h"

namespace {

using namespace ui::listdialog;

constexpr const char* kCaption = "Custom Background - 3D Pelavo Zudadudu Zavivizarov 1.0";
const wxSize kDialogSizeDu(265, 135);
constexpr int kTimerMs = settings::SlideshowModel::kTickMs;
constexpr int kPathColumnWidth = 430;
constexpr int kStateColumnWidth = 50;
constexpr const char* kPictureFilter =
    "(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png;*.JPG;*.BMP;*.PNG;*.jpeg;*.JPEG";

enum ControlId {
  kIdOwnImage = 1014,
  kIdList = 1015,
  kIdInterval = 1019,
  kIdAddImage = 1008,
  kIdRemoveImage = 1011,
  kIdRemoveAll = 1012,
};

constexpr Place kOwnImagePlace{7, 5, 110, 13};
constexpr Place kListPlace{7, 21, 251, 66};
constexpr Place kModePlaces[settings::kPlayModeCount] = {
    {7, 92, 56, 13}, {66, 92, 56, 13}, {125, 92, 48, 13}};
constexpr Place kIntervalLabelPlace{180, 94, 26, 9};
constexpr Place kIntervalPlace{207, 92, 32, 13};
constexpr Place kSecondsLabelPlace{242, 94, 10, 9};
constexpr ButtonPlace kButtons[] = {
    {kIdAddImage, "Add Image", {7, 112, 60, 16}},
    {kIdRemoveImage, "Remove Image", {72, 112, 60, 16}},
    {kIdRemoveAll, "Remove All", {137, 112, 60, 16}},
};

}  // namespace

wxBEGIN_EVENT_TABLE(CustomBackgroundDialog, wxDialog)
  EVT_BUTTON(wxID_ANY, CustomBackgroundDialog::OnButton)
  EVT_LIST_ITEM_SELECTED(kIdList, CustomBackgroundDialog::OnRowSelected)
  EVT_TEXT(kIdInterval, CustomBackgroundDialog::OnIntervalText)
  EVT_TIMER(wxID_ANY, CustomBackgroundDialog::OnTimer)
  EVT_CLOSE(CustomBackgroundDialog::OnClose)
  EVT_CHAR_HOOK(CustomBackgroundDialog::OnCharHook)
wxEND_EVENT_TABLE()

CustomBackgroundDialog::CustomBackgroundDialog(wxWindow* parent,
                                               settings::SlideshowModel& model)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      model_(model),
      timer_(this) {
  SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  SetClientSize(ConvertDialogToPixels(kDialogSizeDu));
  BuildControls();
  model_.Load();
  SyncRows();
  SyncLamps();
  syncing_ = true;
  interval_->ChangeValue(model_.IntervalText());
  syncing_ = false;
  timer_.Start(kTimerMs);
}

CustomBackgroundDialog::~CustomBackgroundDialog() { timer_.Stop(); }

bool CustomBackgroundDialog::Destroy() {
  timer_.Stop();
  return wxDialog::Destroy();
}

void CustomBackgroundDialog::BuildControls() {
  const auto pos = [this](const Place& p) { return PlacePos(this, p); };
  const auto size = [this](const Place& p) { return PlaceSize(this, p); };

  ownImage_ = new LedCheckButton(this, kIdOwnImage, "Use your own image", pos(kOwnImagePlace),
                                 size(kOwnImagePlace));
  ownImage_->SetIcons(kLampOnIcon, kLampOffIcon);

  list_ = new wxListCtrl(this, kIdList, pos(kListPlace), size(kListPlace),
                         wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
  list_->SetBackgroundColour(ui::ToWx(kListBack));
  list_->SetTextColour(ui::ToWx(kListText));
  list_->AppendColumn("Backgrounds Directory", wxLIST_FORMAT_CENTRE, kPathColumnWidth);
  list_->AppendColumn("State", wxLIST_FORMAT_CENTRE, kStateColumnWidth);

  CreateModeLamps(this, kModePlaces, modeLamps_);

  new wxStaticText(this, wxID_ANY, "Interval", pos(kIntervalLabelPlace),
                   size(kIntervalLabelPlace));
  interval_ = new wxTextCtrl(this, kIdInterval, "", pos(kIntervalPlace), size(kIntervalPlace),
                             wxTE_RIGHT, wxTextValidator(wxFILTER_DIGITS));
  new wxStaticText(this, wxID_ANY, "S", pos(kSecondsLabelPlace), size(kSecondsLabelPlace));

  for (const ButtonPlace& b : kButtons)
    new FlatButton(this, b.id, b.caption, pos(b.place), size(b.place));
}

// ---- model to controls ----

void CustomBackgroundDialog::SyncRows() {
  syncing_ = true;
  list_->DeleteAllItems();
  for (int r = 0; r < model_.Count(); ++r) {
    const long item = list_->InsertItem(r, wxString::FromUTF8(model_.Path(r)));
    list_->SetItem(item, 1, model_.RowState(r));
    list_->SetItemTextColour(item, ui::ToWx(kListText));
    list_->SetItemBackgroundColour(item, ui::ToWx(kListBack));
  }
  syncing_ = false;
}

void CustomBackgroundDialog::SyncStates() {
  if (list_->GetItemCount() != model_.Count()) {
    SyncRows();
    return;
  }
  for (int r = 0; r < model_.Count(); ++r) {
    const wxString state = model_.RowState(r);
    if (list_->GetItemText(r, 1) != state) list_->SetItem(r, 1, state);
  }
}

void CustomBackgroundDialog::SyncLamps() {
  ownImage_->SetCheck(model_.OwnImage() ? 1 : 0);
  for (int m = 0; m < settings::kPlayModeCount; ++m)
    modeLamps_[m]->SetCheck(model_.Lamps().Checked(m) ? 1 : 0);
}

int CustomBackgroundDialog::SelectedRow() const {
  return static_cast<int>(list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

// ---- commands ----

void CustomBackgroundDialog::AddPicture(const wxString& path) {
  model_.AddChosen(path.utf8_string());
  SyncStates();
}

void CustomBackgroundDialog::HideAndSave() {
  Hide();
  model_.Save();
}

void CustomBackgroundDialog::OnButton(wxCommandEvent& e) {
  switch (e.GetId()) {
    case kIdOwnImage:
      model_.SetOwnImage(ownImage_->GetCheck() != 0);
      break;
    case kIdRepeatOne:
    case kIdRepeatAll:
    case kIdRandom:
      model_.SelectMode(e.GetId() - kIdRepeatOne);
      SyncLamps();
      break;
    case kIdAddImage:
      if (wxString path; ChooseFile(this, kPictureFilter, path)) AddPicture(path);
      break;
    case kIdRemoveImage:
      model_.RemoveRow(SelectedRow());
      SyncRows();
      break;
    case kIdRemoveAll:
      model_.RemoveAll();
      SyncRows();
      break;
    default:
      e.Skip();
      return;
  }
  SyncStates();
}

void CustomBackgroundDialog::OnRowSelected(wxListEvent& e) {
  if (syncing_) return;
  model_.ClickRow(static_cast<int>(e.GetIndex()));
  SyncStates();
}

void CustomBackgroundDialog::OnIntervalText(wxCommandEvent&) {
  if (syncing_) return;
  model_.SetIntervalText(interval_->GetValue().utf8_string());
}

void CustomBackgroundDialog::OnTimer(wxTimerEvent&) { Tick(); }

void CustomBackgroundDialog::Tick() {
  model_.Tick();
  SyncStates();
}

void CustomBackgroundDialog::OnClose(wxCloseEvent&) { HideAndSave(); }

void CustomBackgroundDialog::OnCharHook(wxKeyEvent& e) {
  HandleDialogKey(e, [this] { HideAndSave(); });
}
