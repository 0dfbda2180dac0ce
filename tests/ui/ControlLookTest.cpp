#include <gtest/gtest.h>

#include <set>

#include "ui/FlatButtonLook.h"
#include "ui/InvertEllipse.h"
#include "ui/LedLampLayout.h"
#include "ui/LinkColours.h"
#include "ui/ListRowColours.h"
#include "ui/PushState.h"
#include "ui/SliderGeometry.h"

namespace {
using namespace ui;

TEST(FlatButtonLook, EdgesAndCaption) {
  EXPECT_EQ(FlatButtonEdge(false, false), EdgeStyle::None);
  EXPECT_EQ(FlatButtonEdge(true, false), EdgeStyle::Raised);
  EXPECT_EQ(FlatButtonEdge(true, true), EdgeStyle::Sunken);
  EXPECT_EQ(FlatButtonEdge(false, true), EdgeStyle::Sunken);

  const Box item{0, 0, 40, 20};
  const auto sunken = EdgePolylines(item, EdgeStyle::Sunken);
  EXPECT_EQ(sunken[0].points, (std::array<int, 6>{0, 19, 0, 0, 40, 0}));
  EXPECT_TRUE(sunken[0].shadowColour);
  EXPECT_EQ(sunken[1].points, (std::array<int, 6>{0, 19, 39, 19, 39, -1}));
  EXPECT_FALSE(sunken[1].shadowColour);
  const auto raised = EdgePolylines(item, EdgeStyle::Raised);
  EXPECT_FALSE(raised[0].shadowColour);
  EXPECT_TRUE(raised[1].shadowColour);

  EXPECT_EQ(CaptionOrigin(item, 21, 9, false), (Point{9, 5}));
  EXPECT_EQ(CaptionOrigin(item, 21, 9, true), (Point{10, 6}));
  EXPECT_EQ(CaptionOrigin(item, 60, 9, false), (Point{-10, 5}));  // too wide: overhangs evenly
}

TEST(PushState, HoverPressAndClickRules) {
  PushState s;
  s.pointerEnter(true);  // a drag from elsewhere does not light the button up
  EXPECT_FALSE(s.hovered());
  s.pointerEnter(false);
  EXPECT_TRUE(s.hovered());
  s.leftDown();
  EXPECT_TRUE(s.pressed());
  s.pointerMove(false);  // dragged off: no longer drawn pressed, still holding the pointer
  EXPECT_FALSE(s.pressed());
  EXPECT_TRUE(s.pressing());
  EXPECT_FALSE(s.leftUp(false));  // released outside: no click
  EXPECT_FALSE(s.pressing());
  EXPECT_FALSE(s.hovered());

  s.pointerEnter(false);
  s.leftDown();
  s.pointerMove(false);
  s.pointerMove(true);
  EXPECT_TRUE(s.pressed());
  EXPECT_TRUE(s.leftUp(true));
  EXPECT_TRUE(s.hovered());
  s.reset();
  EXPECT_FALSE(s.hovered());
  EXPECT_FALSE(s.leftUp(true));  // no press, no click
}

TEST(LedLampLayout, CheckStatesLampBoxAndFill) {
  EXPECT_EQ(NormaliseCheck(0), 0);
  EXPECT_EQ(NormaliseCheck(1), 1);
  EXPECT_EQ(NormaliseCheck(2), 1);
  EXPECT_EQ(NormaliseCheck(3), 0);
  EXPECT_EQ(NormaliseCheck(-1), 0);

  const Box item{0, 0, 100, 25};
  const LampLayout left = LayoutLamp(item, 15, false);
  // Caption room 3..97 x 3..22; lamp top = (22 - 15 - 3) / 2 + 2 = 4.
  EXPECT_EQ(left.lamp, (Box{3, 4, 18, 19}));
  EXPECT_EQ(left.text, (Box{21, 3, 97, 22}));
  const LampLayout right = LayoutLamp(item, 15, true);
  EXPECT_EQ(right.lamp, (Box{82, 4, 97, 19}));
  EXPECT_EQ(right.text, (Box{3, 3, 79, 22}));
  EXPECT_EQ(IconBox(left.lamp, 20), (Box{3, 0, 23, 20}));

  const Rgb on{0, 255, 0}, off{0, 127, 0}, shadow{128, 128, 128};
  EXPECT_EQ(LampFill(false, true, on, off, shadow), on);
  EXPECT_EQ(LampFill(false, false, on, off, shadow), off);
  EXPECT_EQ(LampFill(true, true, on, off, shadow), shadow);
  EXPECT_EQ(LampFill(true, false, on, off, shadow), shadow);
}

TEST(LedLampLayout, WrappingAndAlignment) {
  const MeasureText fixed = [](const std::string& s) { return static_cast<int>(s.size()) * 10; };
  EXPECT_EQ(WrapWords("Repeat All", 200, fixed), (std::vector<std::string>{"Repeat All"}));
  EXPECT_EQ(WrapWords("Repeat all the songs", 110, fixed),
            (std::vector<std::string>{"Repeat all", "the songs"}));
  EXPECT_EQ(WrapWords("Extraordinarily long", 50, fixed),
            (std::vector<std::string>{"Extraordinarily", "long"}));
  EXPECT_EQ(WrapWords("one\ntwo", 500, fixed), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(AlignOffset(21, TextAlign::Left), 0);
  EXPECT_EQ(AlignOffset(21, TextAlign::Centre), 10);
  EXPECT_EQ(AlignOffset(21, TextAlign::Right), 21);
}

TEST(SliderGeometry, ThumbPositionsAndPointerValuesAgree) {
  const SliderShape h{200, 30, false, false};
  const SliderRange r{0, 1000};
  const Box atMin = ThumbBox(h, r, 0), atMax = ThumbBox(h, r, 1000);
  EXPECT_EQ(atMin.left, kSliderMargin);
  EXPECT_EQ(atMax.right, 200 - kSliderMargin);
  EXPECT_EQ(atMin.width(), atMin.height());  // round
  EXPECT_EQ(ThumbBox(h, r, -50), atMin);      // clamped
  EXPECT_EQ(ThumbBox(h, r, 5000), atMax);
  for (int v : {0, 1, 250, 499, 500, 999, 1000}) {
    const Box t = ThumbBox(h, r, v);
    const int centre = (t.left + t.right) / 2;
    EXPECT_NEAR(ValueAtPixel(h, r, centre), v, 1000 / 170 + 1) << v;
  }
  EXPECT_EQ(ValueAtPixel(h, r, -100), 0);
  EXPECT_EQ(ValueAtPixel(h, r, 1000), 1000);

  const SliderShape v{30, 200, true, false};
  const Box vt = ThumbBox(v, r, 0);
  EXPECT_EQ(vt.top, kSliderMargin);  // minimum at the top
  EXPECT_EQ(ValueAtPixel(v, r, 190), 1000);
  // An empty range never divides by zero.
  EXPECT_EQ(ValueAtPixel(h, SliderRange{5, 5}, 100), 5);
  EXPECT_EQ(ThumbBox(h, SliderRange{5, 5}, 5).left, kSliderMargin);
}

TEST(SliderGeometry, EndDotsSitAwayFromTheTicks) {
  const int W = 120, H = 30;
  auto d = EndDotBoxes({W, H, false, false});
  EXPECT_EQ(d[0], (Box{1, 1, 8, 8}));
  EXPECT_EQ(d[1], (Box{W - 8, 1, W - 1, 8}));
  d = EndDotBoxes({W, H, false, true});
  EXPECT_EQ(d[0], (Box{1, H - 8, 8, H - 1}));
  EXPECT_EQ(d[1], (Box{W - 8, H - 8, W - 1, H - 1}));
  d = EndDotBoxes({H, W, true, false});
  EXPECT_EQ(d[0], (Box{1, 1, 8, 8}));
  EXPECT_EQ(d[1], (Box{1, W - 8, 8, W - 1}));
  d = EndDotBoxes({H, W, true, true});
  EXPECT_EQ(d[0], (Box{H - 8, 1, H - 1, 8}));
  EXPECT_EQ(d[1], (Box{H - 8, W - 8, H - 1, W - 1}));
}

TEST(SliderGeometry, ChequerPattern) {
  EXPECT_FALSE(ThumbIsChequered(false, false, false));
  EXPECT_TRUE(ThumbIsChequered(true, false, false));
  EXPECT_TRUE(ThumbIsChequered(false, true, false));
  EXPECT_TRUE(ThumbIsChequered(false, false, true));
  // Neighbours across and along always differ; diagonal neighbours match.
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      EXPECT_NE(ChequerIsThumbColour(x, y, 3, 5), ChequerIsThumbColour(x + 1, y, 3, 5));
      EXPECT_NE(ChequerIsThumbColour(x, y, 3, 5), ChequerIsThumbColour(x, y + 1, 3, 5));
      EXPECT_EQ(ChequerIsThumbColour(x, y, 3, 5), ChequerIsThumbColour(x + 1, y + 1, 3, 5));
    }
  // The pattern moves with its origin.
  EXPECT_EQ(ChequerIsThumbColour(10, 10, 0, 0), !ChequerIsThumbColour(10, 10, 1, 0));
  EXPECT_EQ(ChequerIsThumbColour(-3, -7, 0, 0), ChequerIsThumbColour(5, 1, 0, 0));
}

TEST(InvertEllipse, InvertsOnlyInsideTheEllipseAndStaysInTheImage) {
  const int w = 20, h = 10;
  std::vector<std::uint8_t> img(w * h * 3, 10);
  InvertEllipse(img.data(), w, h, w * 3, Box{0, 0, 20, 10});
  auto px = [&](int x, int y) { return img[(y * w + x) * 3]; };
  EXPECT_EQ(px(10, 5), 245);  // centre
  EXPECT_EQ(px(0, 0), 10);    // corners stay
  EXPECT_EQ(px(19, 9), 10);
  EXPECT_EQ(px(0, 5), 245);   // the ellipse reaches the box's sides
  // A box hanging over the image edges touches nothing outside it.
  std::vector<std::uint8_t> small(4 * 4 * 3 + 3, 0);
  small.back() = 77;  // guard byte after the image
  InvertEllipse(small.data(), 4, 4, 12, Box{-10, -10, 30, 30});
  EXPECT_EQ(small[0], 255);
  EXPECT_EQ(small.back(), 77);
  EXPECT_FALSE(InsideEllipse(Box{5, 5, 5, 9}, 5, 6));  // empty box
}

TEST(ColourRules, LinkAndListRows) {
  const Rgb hover{1, 2, 3};
  EXPECT_EQ(LinkTextColour(false, false, hover), (Rgb{0, 0, 238}));
  EXPECT_EQ(LinkTextColour(false, true, hover), (Rgb{85, 26, 139}));
  EXPECT_EQ(LinkTextColour(true, true, hover), hover);
  EXPECT_EQ(ListRowColours(2, 2).background, (Rgb{0, 255, 0}));
  EXPECT_EQ(ListRowColours(1, 2).background, (Rgb{196, 184, 130}));
  EXPECT_EQ(ListRowColours(0, -1).text, (Rgb{0, 0, 255}));
}

}  // namespace
