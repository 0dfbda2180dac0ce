#include "ui/dialogs/FishSettingsDialog.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include <algorithm>

#include "platform/UrlOpener.h"
#include "ui/FlatButton.h"
#include "ui/HyperLink.h"
#include "ui/InvertEllipse.h"
#include "ui/ResourceBitmap.h"
#include "resource_ids.h"

namespace {
constexpr const char* kCaption = "Fish Settings - 3D Pelavo Zudadudu Zavivizarov 1.0";
constexpr const char* kAboutLinkText = "pelavo.example/about";
constexpr int kPictureId = res::id::kFishDialog;
constexpr int kSaveIntervalMs = 500;
constexpr int kCountTextOffset = 2;
const wxSize kDialogSizeDu(334, 345);
// The layout was made for a small dialog font: the picture (500 pixels wide) fills the
// dialog when 334 dialog units come to about 500 pixels. The default GUI font is made
// smaller, not below kMinFontPoints, until the dialog units come close to that.
constexpr int kPictureWidthPx = 500;
constexpr int kWidthSlackPx = 6;
constexpr int kMinFontPoints = 7;
// The bottom row (buttons, link, total) always sits below the picture.
constexpr int kPictureHeightPx = 512;
constexpr int kBottomRowDu = 324;
constexpr int kGapBelowPicturePx = 4;

enum ControlId {
  kIdAdd = 1007,
  kIdDelete = 1008,
  kIdRandom = 1009,
  kIdClear = 1010,
  kIdLink = 1037,
  kIdTotal = 1001,
};

struct ControlSpec {
  int id;
  const char* caption;
  int x, y, w, h;  // dialog units
};
constexpr ControlSpec kButtons[] = {
    {kIdAdd, "&Add", 121, 324, 27, 15},
    {kIdDelete, "&Delete", 150, 324, 32, 15},
    {kIdRandom, "&Random", 184, 324, 31, 15},
    {kIdClear, "&Clear", 217, 324, 27, 15},
};
// OK and Cancel exist but are never shown: Enter and Escape reach them.
constexpr ControlSpec kHiddenButtons[] = {
    {wxID_OK, "OK", 211, 209, 47, 21},
    {wxID_CANCEL, "Cancel", 283, 209, 47, 21},
};
constexpr ControlSpec kLinkSpec{kIdLink, "", 9, 332, 113, 12};
constexpr ControlSpec kTotalSpec{kIdTotal, "", 252, 332, 81, 8};
const wxColour kTotalText(0, 0, 255);
const wxColour kTotalBack(255, 255, 239);

wxRect ToRect(const settings::CellRect& c) {
  return wxRect(c.left, c.top, c.right - c.left, c.bottom - c.top);
}
}  // namespace

wxBEGIN_EVENT_TABLE(FishSettingsDialog, wxDialog)
  EVT_PAINT(FishSettingsDialog::OnPaint)
  EVT_ERASE_BACKGROUND(FishSettingsDialog::OnEraseBackground)
  EVT_LEFT_DOWN(FishSettingsDialog::OnLeftDown)
  EVT_LEFT_DCLICK(FishSettingsDialog::OnLeftDoubleClick)
  EVT_RIGHT_DCLICK(FishSettingsDialog::OnRightDoubleClick)
  EVT_CHAR_HOOK(FishSettingsDialog::OnCharHook)
  EVT_TIMER(wxID_ANY, FishSettingsDialog::OnTimer)
  EVT_CLOSE(FishSettingsDialog::OnClose)
  EVT_BUTTON(wxID_ANY, FishSettingsDialog::OnButton)
wxEND_EVENT_TABLE()

FishSettingsDialog::FishSettingsDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, kCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      timer_(this) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  FitDialogFont();
  picture_ = ui::ResourceBitmap(res::Type::Bitmap, kPictureId);
  rowShift_ = std::max(0, kPictureHeightPx + kGapBelowPicturePx -
                              ConvertDialogToPixels(wxPoint(0, kBottomRowDu)).y);
  wxSize client = ConvertDialogToPixels(kDialogSizeDu);
  client.y += rowShift_;
  if (picture_.IsOk()) client.IncTo(picture_.GetSize());
  SetClientSize(client);
  BuildControls();
  model_.Load();
  timer_.Start(kSaveIntervalMs);
  UpdateTotal();
  CentreOnScreen();
}

void FishSettingsDialog::FitDialogFont() {
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  SetFont(font);
  while (font.GetPointSize() > kMinFontPoints &&
         ConvertDialogToPixels(kDialogSizeDu).x > kPictureWidthPx + kWidthSlackPx) {
    font.SetPointSize(font.GetPointSize() - 1);
    SetFont(font);
  }
}

void FishSettingsDialog::BuildControls() {
  const auto rect = [this](const ControlSpec& s) {
    wxPoint pos = ConvertDialogToPixels(wxPoint(s.x, s.y));
    if (s.y >= kBottomRowDu) pos.y += rowShift_;
    return std::pair(pos, ConvertDialogToPixels(wxSize(s.w, s.h)));
  };
  for (const auto& entry : kButtons) {
    const auto [pos, size] = rect(entry);
    new FlatButton(this, entry.id, entry.caption, pos, size);
  }
  for (const auto& entry : kHiddenButtons) {
    const auto [pos, size] = rect(entry);
    (new FlatButton(this, entry.id, entry.caption, pos, size))->Hide();
  }
  {
    const auto [pos, size] = rect(kLinkSpec);
    link_ = new HyperLink(this, kLinkSpec.id, kAboutLinkText, platform::AboutPageUrl(), pos, size);
  }
  const auto [pos, size] = rect(kTotalSpec);
  total_ = new wxStaticText(this, kTotalSpec.id, "", pos, size, wxST_NO_AUTORESIZE);
  total_->SetForegroundColour(kTotalText);
  total_->SetBackgroundColour(kTotalBack);
}

wxString FishSettingsDialog::TotalLabel() const { return total_->GetLabel(); }

void FishSettingsDialog::UpdateTotal() { total_->SetLabel(model_.TotalText()); }

void FishSettingsDialog::RedrawLabel(int cell) {
  RefreshRect(ToRect(settings::FishCountsModel::LabelRectangle(cell)), false);
  UpdateTotal();
}

void FishSettingsDialog::RedrawCell(int cell) {
  RefreshRect(ToRect(settings::FishCountsModel::CellRectangle(cell)), false);
  UpdateTotal();
}

void FishSettingsDialog::RedrawAllLabels() {
  for (int cell = 0; cell < settings::kSpeciesCount; ++cell) RedrawLabel(cell);
}

wxBitmap FishSettingsDialog::RenderClient() const {
  const wxSize size = GetClientSize();
  wxBitmap buffer(size.x, size.y, 24);
  {
    wxMemoryDC dc(buffer);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (picture_.IsOk()) dc.DrawBitmap(picture_, 0, 0, true);
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    for (int cell = 0; cell < settings::kSpeciesCount; ++cell) {
      const settings::CellRect r = settings::FishCountsModel::CellRectangle(cell);
      dc.DrawText(wxString::Format("%d", model_.Count(cell)), r.left + kCountTextOffset,
                  r.top + kCountTextOffset);
    }
  }
  const int marked = model_.MarkedCell();
  if (marked == settings::kNoCell) return buffer;
  // The selection mark inverts what lies under an ellipse filling the cell.
  wxImage image = buffer.ConvertToImage();
  const settings::CellRect c = settings::FishCountsModel::CellRectangle(marked);
  ui::InvertEllipse(image.GetData(), image.GetWidth(), image.GetHeight(), image.GetWidth() * 3,
                    ui::Box{c.left, c.top, c.right, c.bottom});
  return wxBitmap(image);
}

void FishSettingsDialog::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  dc.DrawBitmap(RenderClient(), 0, 0);
  // Once on screen (its first paint) the dialog takes the keyboard, as the modeless dialogs
  // do when raised: without a window manager nothing else gives it the keyboard, and keys
  // sent to its window would reach no control of it.
  if (!raised_) {
    raised_ = true;
    CallAfter([this] { Raise(); });
  }
}

void FishSettingsDialog::SelectAt(int x, int y) {
  const auto result = model_.Click(x, y);
  if (result.redrawPrevious != settings::kNoCell) RedrawCell(result.redrawPrevious);
  if (result.redrawSelected != settings::kNoCell) RedrawCell(result.redrawSelected);
}

void FishSettingsDialog::AddFish() {
  const int cell = model_.Selected();
  if (model_.Add()) RedrawLabel(cell);
}

void FishSettingsDialog::DeleteFish() {
  const int cell = model_.Selected();
  if (model_.Delete()) RedrawLabel(cell);
}

void FishSettingsDialog::RandomFish() {
  const int selected = model_.MarkedCell();
  model_.Randomise();
  if (selected != settings::kNoCell) RedrawCell(selected);
  RedrawAllLabels();
}

void FishSettingsDialog::ClearFish() {
  model_.Clear();
  RedrawAllLabels();
}

void FishSettingsDialog::End(int code) {
  timer_.Stop();
  if (IsModal())
    EndModal(code);
  else {
    SetReturnCode(code);
    Hide();
  }
}

void FishSettingsDialog::Accept() {
  model_.SaveAndApply();
  End(wxID_OK);
}

void FishSettingsDialog::Dismiss() { End(wxID_CANCEL); }

void FishSettingsDialog::OnLeftDown(wxMouseEvent& e) {
  SelectAt(e.GetX(), e.GetY());
  e.Skip();
}

void FishSettingsDialog::OnLeftDoubleClick(wxMouseEvent&) { AddFish(); }

void FishSettingsDialog::OnRightDoubleClick(wxMouseEvent&) { DeleteFish(); }

void FishSettingsDialog::OnCharHook(wxKeyEvent& e) {
  const int key = e.GetKeyCode();
  // Shift only changes the letter's case, which the keys ignore; Ctrl and Alt combinations
  // are left to the normal dialog processing.
  if (!e.HasModifiers() && !e.MetaDown()) {
    switch (key) {
      case 'A': case 'a': AddFish(); return;
      case 'D': case 'd': DeleteFish(); return;
      case 'R': case 'r': RandomFish(); return;
      case 'C': case 'c': ClearFish(); return;
      case WXK_RETURN: case WXK_NUMPAD_ENTER: Accept(); return;
      case WXK_ESCAPE: Dismiss(); return;
      default: break;
    }
  }
  e.Skip();
}

void FishSettingsDialog::OnTimer(wxTimerEvent&) { model_.SaveAndApply(); }

void FishSettingsDialog::OnClose(wxCloseEvent&) { Accept(); }

void FishSettingsDialog::OnButton(wxCommandEvent& e) {
  switch (e.GetId()) {
    case kIdAdd: AddFish(); break;
    case kIdDelete: DeleteFish(); break;
    case kIdRandom: RandomFish(); break;
    case kIdClear: ClearFish(); break;
    case wxID_OK: Accept(); break;
    case wxID_CANCEL: Dismiss(); break;
    default: e.Skip(); break;
  }
}
