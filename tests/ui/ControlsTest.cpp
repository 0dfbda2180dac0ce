#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "support/TempConfigDir.h"
#include "ui/FlatButton.h"
#include "ui/HighlightListCtrl.h"
#include "ui/HyperLink.h"
#include "ui/LedCheckButton.h"
#include "ui/LedLampLayout.h"
#include "ui/RoundThumbSlider.h"

namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->Yield(true);
  }
}

// Draws a control through its own drawing code into an image.
template <class Control>
wxImage Draw(const Control& c) {
  const wxSize s = c.GetClientSize();
  wxBitmap bmp(s.x, s.y, 24);
  {
    wxMemoryDC dc(bmp);
    c.Render(dc);
  }
  return bmp.ConvertToImage();
}

wxColour At(const wxImage& img, int x, int y) {
  return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
}

wxColour Sys(wxSystemColour c) { return wxSystemSettings::GetColour(c); }

void Send(wxWindow* w, wxEventType type, int x, int y, bool leftDown = false) {
  wxMouseEvent e(type);
  e.SetPosition(wxPoint(x, y));
  e.SetLeftDown(leftDown);
  e.SetEventObject(w);
  w->GetEventHandler()->ProcessEvent(e);
}

// The bounding box of the pixels of one colour, the outermost frame left out.
wxRect PixelsOf(const wxImage& img, const wxColour& colour) {
  int x0 = img.GetWidth(), y0 = img.GetHeight(), x1 = -1, y1 = -1;
  for (int y = 1; y < img.GetHeight() - 1; ++y)
    for (int x = 1; x < img.GetWidth() - 1; ++x)
      if (At(img, x, y) == colour) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
  return x1 < 0 ? wxRect() : wxRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

class Controls : public testing::Test {
 protected:
  void SetUp() override {
    frame_ = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(0, 0), wxSize(600, 400));
    panel_ = new wxPanel(frame_);
    frame_->Show();
    Pump();
  }
  void TearDown() override {
    frame_->Destroy();
    Pump();
  }
  wxFrame* frame_ = nullptr;
  wxPanel* panel_ = nullptr;
};

TEST_F(Controls, FlatButtonIsFlatAtRestRaisedUnderThePointerAndSunkenWhenPressed) {
  auto* b = new FlatButton(panel_, 1007, "&Add", wxPoint(10, 10), wxSize(60, 24));
  Pump();
  const wxColour face = Sys(wxSYS_COLOUR_BTNFACE), shadow = Sys(wxSYS_COLOUR_BTNSHADOW),
                 light = Sys(wxSYS_COLOUR_BTNHIGHLIGHT), text = Sys(wxSYS_COLOUR_BTNTEXT);
  ASSERT_NE(shadow, light);

  wxImage rest = Draw(*b);
  EXPECT_EQ(At(rest, 0, 0), face);
  EXPECT_EQ(At(rest, 59, 23), face);

  // A drag that started elsewhere does not light the button up.
  Send(b, wxEVT_ENTER_WINDOW, 5, 5, true);
  EXPECT_FALSE(b->IsHovered());
  Send(b, wxEVT_LEAVE_WINDOW, -1, -1);

  Send(b, wxEVT_ENTER_WINDOW, 5, 5);
  ASSERT_TRUE(b->IsHovered());
  wxImage hover = Draw(*b);
  EXPECT_EQ(At(hover, 0, 0), light);
  EXPECT_EQ(At(hover, 0, 22), light);
  EXPECT_EQ(At(hover, 58, 0), light);   // top line runs to the right edge,
  EXPECT_EQ(At(hover, 59, 0), shadow);  // where the right line, drawn later, covers it
  EXPECT_EQ(At(hover, 59, 23), shadow);
  EXPECT_EQ(At(hover, 1, 23), shadow);
  EXPECT_EQ(At(hover, 59, 5), shadow);
  EXPECT_EQ(At(hover, 30, 1), face);

  int clicks = 0;
  panel_->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
    if (e.GetId() == 1007) ++clicks;
  });
  Send(b, wxEVT_LEFT_DOWN, 5, 5, true);
  ASSERT_TRUE(b->IsPressed());
  wxImage pressed = Draw(*b);
  EXPECT_EQ(At(pressed, 0, 0), shadow);
  EXPECT_EQ(At(pressed, 59, 23), light);
  // The caption moves one pixel right and down.
  const wxRect up = PixelsOf(hover, text), down = PixelsOf(pressed, text);
  ASSERT_FALSE(up.IsEmpty());
  EXPECT_EQ(down.GetPosition(), up.GetPosition() + wxPoint(1, 1));
  EXPECT_EQ(down.GetSize(), up.GetSize());

  // Dragged off and released outside: no click, flat again.
  Send(b, wxEVT_MOTION, 80, 5, true);
  EXPECT_FALSE(b->IsPressed());
  Send(b, wxEVT_LEFT_UP, 80, 5);
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(b->HasCapture());
  EXPECT_EQ(At(Draw(*b), 0, 0), face);

  Send(b, wxEVT_ENTER_WINDOW, 5, 5);
  Send(b, wxEVT_LEFT_DOWN, 5, 5, true);
  Send(b, wxEVT_LEFT_UP, 6, 6);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, LedCheckButtonStatesLampColoursAndClick) {
  auto* led = new LedCheckButton(panel_, 1023, "Repeat One", wxPoint(10, 50), wxSize(120, 25));
  Pump();
  const ui::LampLayout layout = ui::LayoutLamp(ui::Box{0, 0, 120, 25}, 15, false);
  const int cx = (layout.lamp.left + layout.lamp.right) / 2;
  const int cy = (layout.lamp.top + layout.lamp.bottom) / 2;

  EXPECT_EQ(At(Draw(*led), cx, cy), wxColour(0, 127, 0));  // off: dark green
  led->SetCheck(2);
  EXPECT_EQ(led->GetCheck(), 1);
  EXPECT_EQ(At(Draw(*led), cx, cy), wxColour(0, 255, 0));  // indeterminate shows checked
  led->SetCheck(7);
  EXPECT_EQ(led->GetCheck(), 0);

  EXPECT_TRUE(led->SetLampColours({255, 0, 0}, {0, 0, 0}));
  led->SetCheck(1);
  EXPECT_EQ(At(Draw(*led), cx, cy), wxColour(255, 0, 0));

  // Disabled: a grey lamp whatever the state, and the caption embossed.
  led->Enable(false);
  const wxImage off = Draw(*led);
  EXPECT_EQ(At(off, cx, cy), Sys(wxSYS_COLOUR_BTNSHADOW));
  EXPECT_FALSE(PixelsOf(off, Sys(wxSYS_COLOUR_BTNSHADOW)).IsEmpty());
  EXPECT_TRUE(PixelsOf(off, Sys(wxSYS_COLOUR_BTNTEXT)).IsEmpty() ||
              Sys(wxSYS_COLOUR_BTNTEXT) == Sys(wxSYS_COLOUR_BTNSHADOW));
  led->SetCheck(0);
  EXPECT_EQ(At(Draw(*led), cx, cy), Sys(wxSYS_COLOUR_BTNSHADOW));
  led->Enable(true);

  // A click toggles first; the parent's handler runs afterwards and sees the new state.
  std::vector<int> seen;
  panel_->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
    if (e.GetId() == 1023) seen.push_back(led->GetCheck());
  });
  Send(led, wxEVT_ENTER_WINDOW, 5, 5);
  EXPECT_TRUE(led->IsHovered());
  Send(led, wxEVT_LEFT_DOWN, 5, 5, true);
  Send(led, wxEVT_LEFT_UP, 5, 5);
  EXPECT_TRUE(seen.empty());  // posted, not yet delivered
  EXPECT_EQ(led->GetCheck(), 1);
  Pump();
  EXPECT_EQ(seen, std::vector<int>{1});
  Send(led, wxEVT_LEFT_DOWN, 5, 5, true);
  Send(led, wxEVT_LEFT_UP, 5, 5);
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));

  // A missing icon leaves the lamp in place.
  led->SetIcons(999901, 999902);
  EXPECT_FALSE(led->HasIcons());
  EXPECT_EQ(led->LampDiameter(), 15);
}

// Both push-style controls share one pointer handling: a press follows the pointer off and
// back on, and only a release over the control counts.
TEST_F(Controls, PushControlsCountOnlyAPressReleasedOverThem) {
  auto* flat = new FlatButton(panel_, 1101, "Add", wxPoint(10, 10), wxSize(60, 24));
  auto* led = new LedCheckButton(panel_, 1102, "Repeat", wxPoint(10, 50), wxSize(120, 25));
  Pump();
  std::map<int, int> pushes;
  panel_->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { ++pushes[e.GetId()]; });

  for (PushControl* c : std::initializer_list<PushControl*>{flat, led}) {
    SCOPED_TRACE(c->GetName().ToStdString());
    const int id = c->GetId();
    const auto count = [&] {
      Pump();
      return pushes[id];
    };

    // Dragged off, out of the window and back in with the button held: pressed again, and
    // the release inside counts.
    Send(c, wxEVT_ENTER_WINDOW, 5, 5);
    Send(c, wxEVT_LEFT_DOWN, 5, 5, true);
    ASSERT_TRUE(c->IsPressed());
    // Taking the mouse can send a leave while the pointer is still over the control.
    Send(c, wxEVT_LEAVE_WINDOW, 5, 5, true);
    EXPECT_TRUE(c->IsPressed());
    Send(c, wxEVT_MOTION, 300, 5, true);
    EXPECT_FALSE(c->IsPressed());
    Send(c, wxEVT_LEAVE_WINDOW, 300, 5, true);
    Send(c, wxEVT_ENTER_WINDOW, 6, 6, true);
    EXPECT_TRUE(c->IsPressed());
    Send(c, wxEVT_MOTION, 7, 7, true);
    EXPECT_TRUE(c->IsPressed());
    Send(c, wxEVT_LEFT_UP, 7, 7);
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(c->HasCapture());
    EXPECT_TRUE(c->IsHovered());

    // Back on and off again before the release: nothing, and no hover left behind.
    Send(c, wxEVT_LEFT_DOWN, 5, 5, true);
    Send(c, wxEVT_MOTION, 300, 5, true);
    Send(c, wxEVT_MOTION, 5, 5, true);
    EXPECT_TRUE(c->IsPressed());
    Send(c, wxEVT_MOTION, 5, -3, true);
    Send(c, wxEVT_LEFT_UP, 5, -3);
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(c->IsHovered());
    EXPECT_FALSE(c->HasCapture());
    Send(c, wxEVT_LEAVE_WINDOW, 5, -3);

    // The second press of a double click is a press of its own.
    Send(c, wxEVT_ENTER_WINDOW, 5, 5);
    Send(c, wxEVT_LEFT_DOWN, 5, 5, true);
    Send(c, wxEVT_LEFT_UP, 5, 5);
    Send(c, wxEVT_LEFT_DCLICK, 5, 5, true);
    EXPECT_TRUE(c->IsPressed());
    Send(c, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(count(), 3);

    // The mouse taken away mid-press ends the press without a click.
    Send(c, wxEVT_LEFT_DOWN, 5, 5, true);
    wxMouseCaptureLostEvent lost(c->GetId());
    lost.SetEventObject(c);
    c->GetEventHandler()->ProcessEvent(lost);
    EXPECT_FALSE(c->IsPressed());
    EXPECT_FALSE(c->IsHovered());
    Send(c, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(count(), 3);
    if (c->HasCapture()) c->ReleaseMouse();

    // A disabled control takes no press.
    c->Enable(false);
    Send(c, wxEVT_ENTER_WINDOW, 5, 5);
    Send(c, wxEVT_LEFT_DOWN, 5, 5, true);
    EXPECT_FALSE(c->IsPressed());
    EXPECT_FALSE(c->HasCapture());
    Send(c, wxEVT_LEFT_UP, 5, 5);
    EXPECT_EQ(count(), 3);
    c->Enable(true);
  }
  EXPECT_EQ(led->GetCheck(), 1);  // toggled three times
}

TEST_F(Controls, RoundThumbSliderDrawsAndReportsLikeASlider) {
  auto* s = new RoundThumbSlider(panel_, 1007, 500, 0, 1000, wxPoint(10, 100), wxSize(200, 30));
  Pump();
  const ui::SliderShape shape = s->Shape();
  const ui::Box thumb = ui::ThumbBox(shape, {0, 1000}, 500);
  const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;

  frame_->SetFocus();  // the thumb shows solid red only without focus, hover or drag
  Pump();
  if (!s->HasFocus()) {
    const wxImage img = Draw(*s);
    EXPECT_EQ(At(img, cx, cy), wxColour(255, 0, 0));
    EXPECT_EQ(At(img, cx + 1, cy), wxColour(255, 0, 0));
  }
  const auto dots = ui::EndDotBoxes(shape);
  const wxImage img = Draw(*s);
  EXPECT_EQ(At(img, 4, 4), wxColour(255, 255, 255));                  // minimum end
  EXPECT_EQ(At(img, dots[1].left + 3, 4), wxColour(0, 255, 0));     // maximum end

  using Ev = std::pair<int, int>;
  std::vector<Ev> events;
  int sliderEvents = 0;
  panel_->Bind(wxEVT_SCROLL_THUMBTRACK, [&](wxScrollEvent& e) { events.push_back({e.GetEventType(), e.GetPosition()}); });
  panel_->Bind(wxEVT_SCROLL_THUMBRELEASE, [&](wxScrollEvent& e) { events.push_back({e.GetEventType(), e.GetPosition()}); });
  panel_->Bind(wxEVT_SCROLL_CHANGED, [&](wxScrollEvent& e) { events.push_back({e.GetEventType(), e.GetPosition()}); });
  panel_->Bind(wxEVT_SCROLL_BOTTOM, [&](wxScrollEvent& e) { events.push_back({e.GetEventType(), e.GetPosition()}); });
  panel_->Bind(wxEVT_SLIDER, [&](wxCommandEvent&) { ++sliderEvents; });

  // Dragging the thumb: a checkerboard of red and green, track events, then release.
  Send(s, wxEVT_LEFT_DOWN, cx, cy, true);
  ASSERT_TRUE(s->IsDragging());
  const wxImage dragged = Draw(*s);
  std::set<std::tuple<int, int, int>> colours;
  for (int dx = -2; dx <= 2; ++dx)
    for (int dy = -2; dy <= 2; ++dy) {
      const wxColour c = At(dragged, cx + dx, cy + dy);
      colours.insert({c.Red(), c.Green(), c.Blue()});
    }
  EXPECT_EQ(colours, (std::set<std::tuple<int, int, int>>{{255, 0, 0}, {0, 255, 0}}));
  EXPECT_NE(At(dragged, cx, cy), At(dragged, cx + 1, cy));

  Send(s, wxEVT_MOTION, 300, cy, true);  // past the end: clamped to the maximum
  EXPECT_EQ(s->GetValue(), 1000);
  Send(s, wxEVT_LEFT_UP, 300, cy);
  EXPECT_FALSE(s->IsDragging());
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0], Ev(wxEVT_SCROLL_THUMBTRACK, 1000));
  EXPECT_EQ(events[1], Ev(wxEVT_SCROLL_THUMBRELEASE, 1000));
  EXPECT_EQ(events[2], Ev(wxEVT_SCROLL_CHANGED, 1000));
  EXPECT_EQ(sliderEvents, 2);

  // SetValue is silent and clamps; keys move and report.
  events.clear();
  s->SetValue(-5);
  EXPECT_EQ(s->GetValue(), 0);
  EXPECT_TRUE(events.empty());
  wxKeyEvent end(wxEVT_KEY_DOWN);
  end.m_keyCode = WXK_END;
  s->GetEventHandler()->ProcessEvent(end);
  EXPECT_EQ(s->GetValue(), 1000);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], Ev(wxEVT_SCROLL_BOTTOM, 1000));

  s->SetRange(0, 100);
  EXPECT_EQ(s->GetValue(), 100);
}

TEST_F(Controls, HyperLinkOpensMarksVisitedOrExplainsTheFailure) {
  TempConfigDir dir;  // records message boxes
  auto* link = new HyperLink(panel_, 1037, "pelavo.example/about", "file:///nowhere/about.html",
                             wxPoint(10, 200), wxSize(300, 40));
  Pump();
  EXPECT_EQ(link->GetSize().y, link->GetTextExtent("pelavo.example/about").y);  // fitted
  EXPECT_EQ(link->GetPosition(), wxPoint(10, 200));
  EXPECT_EQ(link->GetToolTipText(), "file:///nowhere/about.html");
  EXPECT_TRUE(link->GetFont().GetUnderlined());
  EXPECT_EQ(link->TextColour(), wxColour(0, 0, 238));

  std::string opened;
  link->SetOpener([&](const std::string& url) {
    opened = url;
    return 31;
  });
  Send(link, wxEVT_LEFT_DOWN, 2, 2, true);
  Send(link, wxEVT_LEFT_UP, 2, 2);
  EXPECT_EQ(opened, "file:///nowhere/about.html");
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text,
            "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
            "filename extension.");
  EXPECT_EQ(dir.messages()[0].flags, platform::kMbIconExclamation);
  EXPECT_FALSE(link->IsVisited());

  link->SetOpener([](const std::string&) { return 99; });
  EXPECT_EQ(link->Open(), 99);
  EXPECT_TRUE(link->IsVisited());
  EXPECT_EQ(dir.messages().size(), 1u);
  Send(link, wxEVT_LEAVE_WINDOW, -5, -5);
  EXPECT_EQ(link->TextColour(), wxColour(85, 26, 139));
  Send(link, wxEVT_ENTER_WINDOW, 2, 2);
  EXPECT_EQ(link->TextColour(), Sys(wxSYS_COLOUR_HIGHLIGHT));
  // What is drawn is the state's colour.
  const wxImage img = Draw(*link);
  EXPECT_FALSE(PixelsOf(img, Sys(wxSYS_COLOUR_HIGHLIGHT)).IsEmpty());
}

TEST_F(Controls, HighlightListFollowsTheHighlightedTrack) {
  auto* list = new HighlightListCtrl(panel_, 1016, wxPoint(10, 250), wxSize(300, 120));
  list->InsertColumn(0, "Music");
  for (int i = 0; i < 3; ++i) list->InsertItem(i, wxString::Format("track %d", i));
  int highlighted = 1;
  list->SetHighlightSource([&highlighted] { return highlighted; });
  list->Refresh();
  const wxColour sand(196, 184, 130), green(0, 255, 0), blue(0, 0, 255);
  EXPECT_EQ(list->GetItemBackgroundColour(0), sand);
  EXPECT_EQ(list->GetItemBackgroundColour(1), green);
  EXPECT_EQ(list->GetItemBackgroundColour(2), sand);
  EXPECT_EQ(list->GetItemTextColour(2), blue);

  // The music side moves on to the next track; the list follows without being told.
  highlighted = 2;
  list->InsertItem(3, "track 3");
  wxIdleEvent idle;
  list->GetEventHandler()->ProcessEvent(idle);
  Pump();
  EXPECT_EQ(list->GetItemBackgroundColour(1), sand);
  EXPECT_EQ(list->GetItemBackgroundColour(2), green);
  EXPECT_EQ(list->GetItemBackgroundColour(3), sand);
  EXPECT_EQ(list->GetItemTextColour(3), blue);
  list->SetHighlightSource(nullptr);
  list->Refresh();
  EXPECT_EQ(list->GetItemBackgroundColour(2), sand) << "no source: no row is green";
}

}  // namespace
