// The icon menu drawn and driven for real: colours of plain and selected items, choosing by
// mouse and keyboard, and closing without a choice.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "GuiTestSupport.h"
#include "platform/Resources.h"
#include "ui/CommandId.h"
#include "ui/IconMenu.h"
#include "resource_ids.h"

namespace {

wxColour PixelAt(const wxBitmap& bmp, int x, int y) {
  const wxImage img = bmp.ConvertToImage();
  return {img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)};
}

std::string Rgb(const wxColour& c) {
  return std::to_string(c.Red()) + "," + std::to_string(c.Green()) + "," + std::to_string(c.Blue());
}

IconMenu* MakeMenu(wxWindow* owner) {
  auto* menu = new IconMenu(owner);
  menu->Append(kCmdFeed, {res::id::kMenuFeed, res::id::kMenuFeed, "  Feed Fish"});
  menu->Append(kCmdTouch, {res::id::kMenuTouch, res::id::kMenuTouch, "  Touch Fish"});
  menu->Append(kCmdZoomIn, {res::id::kMenuZoomIn, res::id::kMenuZoomIn, "  Zoom In Fish"});
  menu->Append(kCmdExit, {res::id::kMenuExit, res::id::kMenuExit, "  Exit"});
  return menu;
}

// Runs the steps one after another from a timer while the menu's own loop is running.
class Script {
 public:
  explicit Script(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
      if (next_ < steps_.size()) steps_[next_++]();
      if (next_ < steps_.size()) timer_.StartOnce(80);
    });
    timer_.StartOnce(150);
  }

 private:
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  wxTimer timer_;
};

class IconMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(0, 0), wxSize(800, 600));
    owner_->Show();
    RunEventsFor(200);
  }
  void TearDown() override {
    owner_->Destroy();
    RunEventsFor(50);
  }
  wxFrame* owner_ = nullptr;
};

}  // namespace

TEST_F(IconMenuTest, PlainAndSelectedItemsUseTheirColours) {
  IconMenu* menu = MakeMenu(owner_);
  wxBitmap bmp(140, 96);
  {
    wxMemoryDC dc(bmp);
    dc.SetBackground(*wxRED_BRUSH);
    dc.Clear();
    menu->DrawItem(dc, wxRect(0, 0, 140, 48), 0, false);
    menu->DrawItem(dc, wxRect(0, 48, 140, 48), 3, true);
  }
  // Plain item: icon column, then the rest.
  EXPECT_EQ(Rgb(PixelAt(bmp, 1, 1)), "219,216,209");
  EXPECT_EQ(Rgb(PixelAt(bmp, 24, 46)), "219,216,209");
  EXPECT_EQ(Rgb(PixelAt(bmp, 25, 1)), "249,248,247");
  EXPECT_EQ(Rgb(PixelAt(bmp, 139, 47)), "249,248,247");
  // Selected item: a black frame round a blue-grey fill, across the icon column too.
  EXPECT_EQ(Rgb(PixelAt(bmp, 0, 48)), "0,0,0");
  EXPECT_EQ(Rgb(PixelAt(bmp, 139, 95)), "0,0,0");
  EXPECT_EQ(Rgb(PixelAt(bmp, 70, 48)), "0,0,0");
  EXPECT_EQ(Rgb(PixelAt(bmp, 1, 49)), "177,185,207");
  EXPECT_EQ(Rgb(PixelAt(bmp, 138, 94)), "177,185,207");
  menu->Destroy();
}

TEST_F(IconMenuTest, TextIsDrawnRightOfTheIconColumn) {
  IconMenu* menu = MakeMenu(owner_);
  wxBitmap bmp(140, 48);
  {
    wxMemoryDC dc(bmp);
    menu->DrawItem(dc, wxRect(0, 0, 140, 48), 1, false);
  }
  const wxImage img = bmp.ConvertToImage();
  // The 24-pixel icon starts 3 pixels into the 25-pixel column, so it may reach x = 26.
  int dark = 0, darkLeftOfIndent = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 27; x < 140; ++x)
      if (img.GetRed(x, y) < 128) (x < 33 ? darkLeftOfIndent : dark)++;
  EXPECT_GT(dark, 20) << "the item text shows";
  EXPECT_EQ(darkLeftOfIndent, 0) << "text starts 8 pixels into the text area";
  menu->Destroy();
}

TEST_F(IconMenuTest, IconsSitInTheColumnAndMoveUpLeftWhenSelected) {
  if (!res::FindResource(res::Type::Icon, res::id::kMenuFeed)) GTEST_SKIP() << "menu icons not packed yet";
  IconMenu* menu = MakeMenu(owner_);
  auto iconBounds = [&](bool selected) {
    wxBitmap bmp(140, 48);
    {
      wxMemoryDC dc(bmp);
      menu->DrawItem(dc, wxRect(0, 0, 140, 48), 0, selected);
    }
    const wxImage img = bmp.ConvertToImage();
    const wxColour fill = selected ? wxColour(177, 185, 207) : wxColour(219, 216, 209);
    int minX = 99, minY = 99;
    for (int y = 1; y < 47; ++y)
      for (int x = 1; x < 25; ++x)
        if (wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y)) != fill) {
          minX = std::min(minX, x);
          minY = std::min(minY, y);
        }
    return wxPoint(minX, minY);
  };
  const wxPoint plain = iconBounds(false);
  const wxPoint selected = iconBounds(true);
  EXPECT_GE(plain.x, 3);
  EXPECT_GE(plain.y, 3);
  EXPECT_EQ(selected.x, plain.x - 1);
  EXPECT_EQ(selected.y, plain.y - 1);
  menu->Destroy();
}

TEST_F(IconMenuTest, ClickOnAnItemChoosesItsCommand) {
  IconMenu* menu = MakeMenu(owner_);
  wxUIActionSimulator sim;
  const wxPoint origin(300, 200);
  Script script({[&] { sim.MouseMove(origin.x + 60, origin.y + 48 * 2 + 20); },
                 [&] { sim.MouseMove(origin.x + 70, origin.y + 48 * 2 + 24); },
                 [&] { sim.MouseClick(); }});
  EXPECT_EQ(menu->Track(origin), kCmdZoomIn);
  EXPECT_FALSE(menu->IsShown());
  menu->Destroy();
}

TEST_F(IconMenuTest, KeyboardMovesTheSelectionAndEnterChooses) {
  IconMenu* menu = MakeMenu(owner_);
  wxUIActionSimulator sim;
  owner_->SetFocus();
  int selectedAfterUp = -2;
  Script script({[&] { sim.Char(WXK_DOWN); }, [&] { sim.Char(WXK_DOWN); },
                 [&] { sim.Char(WXK_UP); }, [&] { sim.Char(WXK_UP); },
                 [&] { selectedAfterUp = menu->Selected(); }, [&] { sim.Char(WXK_DOWN); },
                 [&] { sim.Char(WXK_DOWN); }, [&] { sim.Char(WXK_RETURN); }});
  // Keep the pointer away from the items so only the keys move the selection.
  sim.MouseMove(700, 550);
  EXPECT_EQ(menu->Track(wxPoint(100, 100)), kCmdTouch);
  EXPECT_EQ(selectedAfterUp, 3) << "up from the first item wraps to the last";
  menu->Destroy();
}

TEST_F(IconMenuTest, EscapeOrAClickElsewhereChoosesNothing) {
  wxUIActionSimulator sim;
  sim.MouseMove(700, 550);
  {
    IconMenu* menu = MakeMenu(owner_);
    Script script({[&] { sim.Char(WXK_ESCAPE); }});
    EXPECT_EQ(menu->Track(wxPoint(100, 100)), 0);
    menu->Destroy();
  }
  {
    IconMenu* menu = MakeMenu(owner_);
    Script script({[&] { sim.MouseMove(600, 500); }, [&] { sim.MouseClick(); }});
    EXPECT_EQ(menu->Track(wxPoint(100, 100)), 0);
    menu->Destroy();
  }
}

TEST_F(IconMenuTest, HeldOpeningClickKeepsTheMenuOpenUntilAnItemIsClicked) {
  // As in the tank: the menu opens from the owner's button-press handler while the right
  // button is still held. Letting the button go where the menu opened must neither close
  // the menu nor choose the first item; a later deliberate click chooses.
  wxUIActionSimulator sim;
  const wxPoint origin(200, 150);
  IconMenu* open = nullptr;
  int result = -1;
  bool shownAfterRelease = false;
  owner_->Bind(wxEVT_RIGHT_DOWN, [&](wxMouseEvent& e) {
    open = MakeMenu(owner_);
    result = open->Track(owner_->ClientToScreen(e.GetPosition()));
    open->Destroy();
    open = nullptr;
  });
  const wxPoint inOwner = owner_->ScreenToClient(origin);
  ASSERT_GE(inOwner.x, 0);
  Script script({[&] { sim.MouseMove(origin.x, origin.y); },
                 [&] { sim.MouseDown(wxMOUSE_BTN_RIGHT); },
                 [&] {},
                 [&] { sim.MouseUp(wxMOUSE_BTN_RIGHT); },
                 [&] { shownAfterRelease = open && open->IsShown(); },
                 [&] { sim.MouseMove(origin.x + 40, origin.y + 48 * 3 + 10); },
                 [&] { sim.MouseMove(origin.x + 44, origin.y + 48 * 3 + 14); },
                 [&] { sim.MouseClick(); }});
  ASSERT_TRUE(RunEventsUntil([&] { return result != -1; }, 8000)) << "the menu never closed";
  EXPECT_TRUE(shownAfterRelease) << "the menu stayed open after the opening release";
  EXPECT_EQ(result, kCmdExit);
}

TEST_F(IconMenuTest, KeysReachingTheOwnerWindowGoToTheOpenMenuFirst) {
  // While the menu is open, a key that arrives at the owner's top-level window (where the
  // tank ends the program on Escape) is the menu's: the owner's own key handler never sees it.
  int ownerSawKeys = 0;
  owner_->Bind(wxEVT_CHAR_HOOK, [&](wxKeyEvent& e) {
    ++ownerSawKeys;
    e.Skip();
  });
  IconMenu* menu = MakeMenu(owner_);
  auto sendToOwner = [&](int code) {
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = code;
    key.SetEventObject(owner_);
    owner_->GetEventHandler()->ProcessEvent(key);
  };
  Script script({[&] { sendToOwner(WXK_DOWN); }, [&] { sendToOwner(WXK_DOWN); },
                 [&] { sendToOwner(WXK_DOWN); }, [&] { sendToOwner(WXK_ESCAPE); }});
  EXPECT_EQ(menu->Track(wxPoint(100, 100)), 0);
  EXPECT_EQ(menu->Selected(), 2) << "the arrows moved the menu's selection";
  EXPECT_EQ(ownerSawKeys, 0);
  menu->Destroy();
  sendToOwner(WXK_ESCAPE);
  EXPECT_EQ(ownerSawKeys, 1) << "after the menu closed, keys reach the owner again";
}
