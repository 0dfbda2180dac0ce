#include "settings/SlideshowModel.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/CrtRand.h"
#include "settings/SettingsFile.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

namespace {

using settings::SlideshowModel;

class SlideshowModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("convert -version >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "ImageMagick's convert is needed to make the test pictures";
  }
  // A small picture made by ImageMagick; `format` as in "PNG24" or "JPEG".
  std::string Picture(const std::string& name, const std::string& format = "PNG24",
                      const std::string& extra = "") {
    const std::string path = dir.root() + "/" + name;
    const std::string command =
        "convert -size 16x8 xc:teal " + extra + " " + format + ":'" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
  }
  std::string Garbage(const std::string& name) {
    const std::string path = dir.root() + "/" + name;
    std::ofstream(path) << std::string(3000, 'x');
    return path;
  }
  // Adds `n` pictures to model, all OK.
  void AddPictures(SlideshowModel& model, int n) {
    for (int i = 0; i < n; ++i)
      ASSERT_EQ(model.Add(Picture(std::to_string(i).append(".png"))),
                SlideshowModel::AddResult::kAdded);
  }
  // Ticks until the picture changes (or `limit` ticks); returns how many ticks that took.
  static int TicksUntilChange(SlideshowModel& model, int limit) {
    const int before = model.CurrentTexture();
    for (int n = 1; n <= limit; ++n) {
      model.Tick();
      if (model.CurrentTexture() != before) return n;
    }
    return -1;
  }
  static int OnRow(const SlideshowModel& model) {
    int on = -1;
    for (int r = 0; r < model.Count(); ++r)
      if (model.RowOn(r)) {
        EXPECT_EQ(on, -1) << "two rows ON";
        on = r;
      }
    return on;
  }

  OffscreenGl gl;
  TempConfigDir dir;
};

TEST_F(SlideshowModelTest, EveryPictureKindLoadsAndABadFileIsRefusedAndStopsTheShow) {
  SlideshowModel model;
  const std::vector<std::string> good = {
      Picture("base.jpg", "JPEG"), Picture("prog.jpg", "JPEG", "-interlace Plane"),
      Picture("eight.png", "PNG24"), Picture("sixteen.png", "PNG48"), Picture("v3.bmp", "BMP3")};
  for (const auto& path : good)
    EXPECT_EQ(model.Add(path), SlideshowModel::AddResult::kAdded) << path;
  ASSERT_EQ(model.Count(), 5);
  for (int r = 0; r < 5; ++r) {
    EXPECT_TRUE(glIsTexture(model.Texture(r))) << r;
    EXPECT_STREQ(model.RowState(r), "OFF");
  }
  EXPECT_TRUE(dir.messages().empty());

  model.SetOwnImage(true);
  model.Tick();
  ASSERT_TRUE(model.Active());
  EXPECT_EQ(OnRow(model), 0);

  const std::string bad = Garbage("broken.jpg");
  EXPECT_EQ(model.AddChosen(bad), SlideshowModel::AddResult::kCannotLoad);
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text, std::string("(").append(bad).append(")image loading error."));
  EXPECT_EQ(model.Count(), 5);
  EXPECT_FALSE(model.Active());
  EXPECT_EQ(OnRow(model), -1);
  // The picture on show stays; switching the lamp off and on starts the show again.
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(model.Texture(0)));
  model.SetOwnImage(false);
  model.SetOwnImage(true);
  EXPECT_TRUE(model.Active());
}

TEST_F(SlideshowModelTest, TheEleventhPictureIsRefusedWithTheCountOfTen) {
  SlideshowModel model;
  AddPictures(model, 10);
  EXPECT_EQ(model.Add(Picture("extra.png")), SlideshowModel::AddResult::kListFull);
  EXPECT_EQ(model.Count(), 10);
  ASSERT_EQ(dir.messages().size(), 1u);
  EXPECT_EQ(dir.messages()[0].text, "The maximum number of background is: 10");
}

TEST_F(SlideshowModelTest, IntervalCountsWholeTicksAndZeroOrNoNumberChangesEveryTick) {
  SlideshowModel model;
  AddPictures(model, 3);
  model.SelectMode(settings::kRepeatAll);
  model.SetOwnImage(true);
  model.Tick();  // the first tick after starting shows a picture at once: with none on
                 // show, Repeat All takes the one after the end, row 1
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(model.Texture(1)));
  EXPECT_TRUE(model.CustomImageOn());
  EXPECT_EQ(TicksUntilChange(model, 100), 25);  // 5 s of 200 ms ticks
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(model.Texture(2)));
  model.SetIntervalText("1");
  EXPECT_EQ(TicksUntilChange(model, 100), 5);
  for (const char* text : {"0", "", "soon"}) {
    model.SetIntervalText(text);
    EXPECT_EQ(TicksUntilChange(model, 100), 1) << "'" << text << "'";
  }
}

// Add Image starts the show only when the list has just become one picture long: adding a
// second one while the show runs does not restart its interval.
TEST_F(SlideshowModelTest, OnlyTheFirstAddedPictureStartsTheShow) {
  SlideshowModel model;
  model.SetOwnImage(true);
  model.Stop();
  EXPECT_EQ(model.AddChosen(Picture("a.png")), SlideshowModel::AddResult::kAdded);
  EXPECT_TRUE(model.Active());
  model.Tick();  // shows it at once
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(model.Texture(0)));
  for (int i = 0; i < 3; ++i) model.Tick();
  EXPECT_EQ(model.TickCount(), 3);
  model.Stop();
  EXPECT_EQ(model.AddChosen(Picture("b.png")), SlideshowModel::AddResult::kAdded);
  EXPECT_FALSE(model.Active()) << "a second picture does not start a stopped show";
  model.SetOwnImage(true);
  model.Tick();
  for (int i = 0; i < 3; ++i) model.Tick();
  EXPECT_EQ(model.AddChosen(Picture("c.png")), SlideshowModel::AddResult::kAdded);
  EXPECT_EQ(model.TickCount(), 3) << "a third picture does not restart the interval";
}

TEST_F(SlideshowModelTest, ModesPickTheNextPicture) {
  SlideshowModel model;
  AddPictures(model, 3);
  model.SetIntervalText("0");
  model.SetOwnImage(true);
  const auto texture = [&](int r) { return static_cast<int>(model.Texture(r)); };

  // Repeat One keeps the clicked picture.
  model.ClickRow(2);
  EXPECT_EQ(model.CurrentTexture(), texture(2));
  for (int i = 0; i < 4; ++i) model.Tick();
  EXPECT_EQ(model.CurrentTexture(), texture(2));
  EXPECT_EQ(OnRow(model), 2);

  // Repeat All moves on and wraps to the first row.
  model.SelectMode(settings::kRepeatAll);
  model.Tick();
  EXPECT_EQ(model.CurrentTexture(), texture(0));
  model.Tick();
  EXPECT_EQ(model.CurrentTexture(), texture(1));
  EXPECT_EQ(OnRow(model), 1);

  // Random draws rand() % count.
  model.SelectMode(settings::kRandom);
  EXPECT_FALSE(model.Lamps().Checked(settings::kRepeatAll));
  crt::setRandState(77);
  std::vector<int> expected;
  for (int i = 0; i < 6; ++i) expected.push_back(texture(crt::rand() % 3));
  crt::setRandState(77);
  for (int i = 0; i < 6; ++i) {
    model.Tick();
    EXPECT_EQ(model.CurrentTexture(), expected[i]) << i;
  }
}

TEST_F(SlideshowModelTest, StoppedOrEmptyShowsNoPicture) {
  SlideshowModel model;
  model.SetOwnImage(true);  // lamp on, list empty
  model.Tick();
  EXPECT_EQ(model.CurrentTexture(), -1);
  EXPECT_TRUE(model.CustomImageOn());

  // The first picture added with the lamp on starts the show on the next tick.
  model.AddChosen(Picture("first.png"));
  model.Tick();
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(model.Texture(0)));

  // A row clicked while the show is stopped gives no picture.
  model.AddChosen(Picture("second.png"));
  model.SetOwnImage(false);
  model.ClickRow(1);
  EXPECT_EQ(model.CurrentTexture(), -1);
  model.Tick();
  EXPECT_FALSE(model.CustomImageOn());
}

TEST_F(SlideshowModelTest, RemovingReleasesTexturesAndShowsTheFirstRow) {
  SlideshowModel model;
  AddPictures(model, 3);
  model.SetOwnImage(true);
  const GLuint first = model.Texture(0), second = model.Texture(1), third = model.Texture(2);
  model.ClickRow(1);
  model.RemoveRow(1);
  EXPECT_FALSE(glIsTexture(second));
  ASSERT_EQ(model.Count(), 2);
  EXPECT_EQ(model.Texture(1), third);
  EXPECT_EQ(model.CurrentTexture(), static_cast<int>(first));
  EXPECT_EQ(OnRow(model), 0);

  model.RemoveRow(-1);  // nothing selected: nothing deleted, row 0 chosen again
  EXPECT_EQ(model.Count(), 2);

  model.RemoveAll();
  EXPECT_EQ(model.Count(), 0);
  EXPECT_FALSE(glIsTexture(first));
  EXPECT_FALSE(glIsTexture(third));
  EXPECT_EQ(model.CurrentTexture(), 0);
}

TEST_F(SlideshowModelTest, ListAndLampsSurviveSaveAndLoad) {
  const std::string a = Picture("a.png"), b = Picture("b.bmp", "BMP3");
  // A long path comes back whole.
  std::string deep = dir.root();
  deep.append("/").append(150, 'd').append(".png");
  std::rename(Picture("deep.png").c_str(), deep.c_str());
  {
    SlideshowModel model;
    for (const auto& p : {a, b, deep}) model.Add(p);
    model.SelectMode(settings::kRepeatAll);
    model.SetOwnImage(true);
    model.SetIntervalText("12");
    model.Save();
  }
  SlideshowModel again;
  again.Load();
  ASSERT_EQ(again.Count(), 3);
  EXPECT_EQ(again.Path(0), a);
  EXPECT_EQ(again.Path(2), deep);
  EXPECT_EQ(again.Mode(), settings::kRepeatAll);
  EXPECT_TRUE(again.OwnImage());
  EXPECT_TRUE(again.Active());
  EXPECT_EQ(again.IntervalText(), "12");

  // A saved picture that no longer loads is reported and dropped at the next save.
  std::remove(b.c_str());
  SlideshowModel third;
  third.Load();
  EXPECT_EQ(third.Count(), 2);
  EXPECT_EQ(dir.messages().back().text, std::string("(").append(b).append(")image loading error."));
  third.Save();
  EXPECT_EQ(settings::ReadSetting("Custom Images", "ImageSum"), "2");
}

TEST_F(SlideshowModelTest, AnEmptySavedListWithOwnImagesOnStartsNoShow) {
  settings::WriteSetting(settings::kImageSection, settings::kOwnImageKey, "1");
  settings::WriteSetting(settings::kImageSection, settings::kImageSumKey, "0");
  SlideshowModel model;
  model.Load();
  EXPECT_TRUE(model.OwnImage());
  EXPECT_FALSE(model.Active());
  settings::WriteSetting(settings::kImageSection, settings::kImageSumKey, "1");
  settings::WriteSetting(settings::kImageSection, "ImageList0", Picture("a.png"));
  model.Load();
  EXPECT_TRUE(model.Active());
}

TEST_F(SlideshowModelTest, FileLampsResolveToOneModeAndAnEmptyIntervalReadsFive) {
  settings::WriteSetting("Custom Images", "RandomImage", "1");
  settings::WriteSetting("Custom Images", "RepeatImage", "1");
  settings::WriteSetting("Custom Images", "ImageTime", "");
  SlideshowModel model;
  model.Load();
  EXPECT_EQ(model.Mode(), settings::kRandom);
  EXPECT_FALSE(model.Lamps().Checked(settings::kRepeatOne));
  EXPECT_EQ(model.IntervalText(), "5");
  model.Save();
  EXPECT_EQ(settings::ReadSetting("Custom Images", "RepeatImage"), "0");
  EXPECT_EQ(settings::ReadSetting("Custom Images", "ImageTime"), "5");

  settings::WriteSetting("Custom Images", "RandomImage", "0");
  SlideshowModel none;
  none.Load();
  EXPECT_EQ(none.Mode(), settings::kRepeatOne);
  EXPECT_FALSE(none.Active());
}

}  // namespace
