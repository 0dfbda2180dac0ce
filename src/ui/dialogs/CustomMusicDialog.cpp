#include "ui/dialogs/CustomMusicDialog.h"

#include <wx/button.h>
#include <wx/settings.h>
#include <wx/statbox.h>

#include "ui/dialogs/ListDialogParts.h"
#include "ui/HighlightListCtrl.h"
#include "ui/LedCheckButton.h"
#include "ui/RoundThumbSlider.h"
#include "ui/WxDraw.h"

namespace {

using namespace ui::listdialog;

constexpr const char* kCaption = "Custom Music - 3D Pelavo Zudadudu Zavivizarov 1.0";
const wxSize kDialogSizeDu(317, 151);
constexpr int kTimerMs = settings::PlaylistModel::kTickMs;
constexpr int kListColumnWidth = 500;
constexpr int kVolumeMin = 0;
constexpr int kVolumeMax = 1000;
constexpr const char* kMusicFilter =
    "(*.mp3;*.wav;*.mpeg)|*.mp3;*.wav;*.mpeg;*.MP3;*.WAV;*.MPEG";

enum ControlId {
  kIdOnOff = 1011,
  kIdList = 1016,
  kIdAddMusic = 1017,
  kIdRemove = 1018,
  kIdRemoveAll = 1019,
  kIdPlay = 1021,
  kIdStop = 1022,
  kIdVolume = 1007,
};

constexpr Place kOwnMusicBox{6, 3, 305, 109};
constexpr Place kOnOffPlace{13, 14, 60, 13};
constexpr Place kListPlace{13, 30, 291, 58};
constexpr ButtonPlace kButtons[] = {
    {kIdAddMusic, "Add Music", {13, 92, 54, 15}},
    {kIdRemove, "Remove", {72, 92, 54, 15}},
    {kIdRemoveAll, "Remove All", {131, 92, 54, 15}},
    {kIdPlay, "Play", {190, 92, 54, 15}},
    {kIdStop, "Stop", {249, 92, 54, 15}},
};
constexpr Place kModesBox{6, 114, 180, 32};
constexpr Place kModePlaces[settings::kPlayModeCount] = {
    {12, 126, 56, 13}, {70, 126, 56, 13}, {128, 126, 52, 13}};
constexpr Place kVolumeBox{191, 114, 120, 32};
constexpr Place kVolumePlace{197, 125, 108, 16};

}  // namespace

wxBEGIN_EVENT_TABLE(CustomMusicDialog, wxDialog)
  EVT_BUTTON(wxID_ANY, CustomMusicDialog::OnButton)
  EVT_LIST_ITEM_SELECTED(kIdList, CustomMusicDialog::OnEntrySelected)
  EVT_LIST_ITEM_DESELECTED(kIdList, CustomMusicDialog::OnEntryDeselected)
  EVT_COMMAND_SCROLL(kIdVolume, CustomMusicDialog::OnScroll)
  EVT_TIMER(wxID_ANY, CustomMusicDialog::OnTimer)
  EVT_CLOSE(CustomMusicDialog::OnClose)
  EVT_CHAR_HOOK(CustomMusicDialog::OnCharHook)
wxEND_EVENT_TABLE()

CustomMusicDialog::CustomMusicDialog(wxWindow* parent, settings::PlaylistModel& model)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      model_(model),
      timer_(this) {
  SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  SetClientSize(ConvertDialogToPixels(kDialogSizeDu));
  BuildControls();
  model_.Load();
  SyncRows();
  SyncControls();
  timer_.Start(kTimerMs);
}

CustomMusicDialog::~CustomMusicDialog() { timer_.Stop(); }

bool CustomMusicDialog::Destroy() {
  timer_.Stop();
  return wxDialog::Destroy();
}

void CustomMusicDialog::BuildControls() {
  const auto pos = [this](const Place& p) { return PlacePos(this, p); };
  const auto size = [this](const Place& p) { return PlaceSize(this, p); };

  new wxStaticBox(this, wxID_ANY, "Use your own music", pos(kOwnMusicBox), size(kOwnMusicBox));
  new wxStaticBox(this, wxID_ANY, "Play Modes", pos(kModesBox), size(kModesBox));
  new wxStaticBox(this, wxID_ANY, "Volume", pos(kVolumeBox), size(kVolumeBox));

  onOff_ = new LedCheckButton(this, kIdOnOff, "On/Off", pos(kOnOffPlace), size(kOnOffPlace));
  onOff_->SetIcons(kLampOnIcon, kLampOffIcon);

  list_ = new HighlightListCtrl(this, kIdList, pos(kListPlace), size(kListPlace),
                                wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
  list_->SetBackgroundColour(ui::ToWx(kListBack));
  list_->SetTextColour(ui::ToWx(kListText));
  list_->AppendColumn("Music List", wxLIST_FORMAT_CENTRE, kListColumnWidth);
  list_->SetHighlightSource([this] { return model_.HighlightedTrack(); });

  wxButton** slots[] = {&addMusic_, &remove_, &removeAll_, &play_, nullptr};
  int i = 0;
  for (const ButtonPlace& b : kButtons) {
    wxButton* button = new wxButton(this, b.id, b.caption, pos(b.place), size(b.place));
    if (slots[i]) *slots[i] = button;
    ++i;
  }

  CreateModeLamps(this, kModePlaces, modeLamps_);

  volume_ = new RoundThumbSlider(this, kIdVolume, model_.Volume(), kVolumeMin, kVolumeMax,
                                 pos(kVolumePlace), size(kVolumePlace), wxSL_HORIZONTAL);
}

// ---- model to controls ----

void CustomMusicDialog::SyncRows() {
  syncing_ = true;
  list_->DeleteAllItems();
  for (int r = 0; r < model_.Count(); ++r)
    list_->InsertItem(r, wxString::FromUTF8(model_.Entry(r)));
  syncing_ = false;
  list_->Refresh();
}

void CustomMusicDialog::SyncSelection() {
  syncing_ = true;
  const int wanted = model_.Selection();
  for (int r = 0; r < list_->GetItemCount(); ++r) {
    const bool selected = list_->GetItemState(r, wxLIST_STATE_SELECTED) != 0;
    if (selected != (r == wanted))
      list_->SetItemState(r, r == wanted ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
  }
  syncing_ = false;
}

void CustomMusicDialog::SyncControls() {
  if (list_->GetItemCount() != model_.Count()) SyncRows();
  SyncSelection();
  onOff_->SetCheck(model_.OwnMusic() ? 1 : 0);
  for (int m = 0; m < settings::kPlayModeCount; ++m)
    modeLamps_[m]->SetCheck(model_.Lamps().Checked(m) ? 1 : 0);
  const bool editable = model_.EditingEnabled();
  for (wxButton* b : {addMusic_, remove_, removeAll_, play_}) b->Enable(editable);
  list_->Refresh();
}

// ---- commands ----

void CustomMusicDialog::AddMusic(const wxString& path) {
  model_.Add(path.utf8_string());
  SyncRows();
}

void CustomMusicDialog::HideAndSave() {
  Hide();
  model_.Save();
}

void CustomMusicDialog::OnButton(wxCommandEvent& e) {
  switch (e.GetId()) {
    case kIdOnOff:
      model_.SetOwnMusic(onOff_->GetCheck() != 0);
      break;
    case kIdRepeatOne:
    case kIdRepeatAll:
    case kIdRandom:
      model_.SelectMode(e.GetId() - kIdRepeatOne);
      break;
    case kIdAddMusic:
      if (wxString path; ChooseFile(this, kMusicFilter, path)) AddMusic(path);
      break;
    case kIdRemove:
      if (model_.RemoveSelected()) SyncRows();
      break;
    case kIdRemoveAll:
      model_.RemoveAll();
      SyncRows();
      break;
    case kIdPlay:
      model_.StartPlaying();
      break;
    case kIdStop:
      model_.Stop();
      break;
    default:
      e.Skip();
      return;
  }
  SyncControls();
}

void CustomMusicDialog::OnEntrySelected(wxListEvent& e) {
  if (syncing_) return;
  model_.ClickEntry(static_cast<int>(e.GetIndex()));
  SyncControls();
}

void CustomMusicDialog::OnEntryDeselected(wxListEvent&) {
  if (syncing_) return;
  model_.SetSelection(settings::PlaylistModel::kNoTrack);
}

void CustomMusicDialog::OnScroll(wxScrollEvent& e) {
  model_.SetVolume(volume_->GetValue());
  e.Skip();
}

void CustomMusicDialog::OnTimer(wxTimerEvent&) { Tick(); }

void CustomMusicDialog::Tick() {
  const int before = model_.CurrentTrack();
  model_.Tick();
  if (model_.CurrentTrack() != before) SyncControls();
}

void CustomMusicDialog::OnClose(wxCloseEvent&) { HideAndSave(); }

void CustomMusicDialog::OnCharHook(wxKeyEvent& e) {
  HandleDialogKey(e, [this] { HideAndSave(); });
}
