// The user's own pictures and music when the files are not what their names promise:
// empty, cut short, of a format nothing here reads, enormous, deleted since they were saved
// in the list, or behind paths with spaces and non-ASCII characters; and settings lists
// that claim billions of entries.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/MusicPlayer.h"
#include "settings/PlaylistModel.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"
#include "settings/SlideshowModel.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

namespace {

using settings::PlaylistModel;
using settings::SlideshowModel;

bool Have(const char* tool) {
  return std::system((std::string(tool) + " --version >/dev/null 2>&1").c_str()) == 0;
}

class HostileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Have("convert") || !Have("sox")) GTEST_SKIP() << "ImageMagick and sox make the files";
  }
  std::string Path(const std::string& name) const { return dir.root() + "/" + name; }
  std::string Run(const std::string& command) {
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return command;
  }
  std::string Picture(const std::string& name, const std::string& format,
                      const std::string& size = "16x8") {
    Run("convert -size " + size + " xc:orange " + format + ":'" + Path(name) + "'");
    return Path(name);
  }
  std::string Tone(const std::string& name, double seconds) {
    Run("sox -n -r 22050 -c 1 '" + Path(name) + "' synth " + std::to_string(seconds) +
        " sine 440 2>/dev/null");
    return Path(name);
  }
  void Cut(const std::string& path, std::size_t keep) {
    std::filesystem::resize_file(path, keep);
  }
  int MessagesContaining(const std::string& text) const {
    int n = 0;
    for (const auto& m : dir.messages()) n += m.text.find(text) != std::string::npos;
    return n;
  }
  OffscreenGl gl;
  TempConfigDir dir;
};

TEST_F(HostileFiles, PicturesThatCannotLoadAreRefusedWithTheirPathAndGoodOnesWhateverTheirName) {
  SlideshowModel model;
  const std::string empty = Path("empty.jpg");
  std::ofstream(empty).close();
  const std::string cutPng = Picture("cut.png", "PNG24", "64x64");
  Cut(cutPng, 60);
  const std::string gif = Picture("animated.gif", "GIF");
  const std::string tiff = Picture("scan.png", "TIFF");  // a TIFF behind a picture name
  for (const std::string& bad : {empty, cutPng, gif, tiff}) {
    dir.clearMessages();
    EXPECT_EQ(model.Add(bad), SlideshowModel::AddResult::kCannotLoad) << bad;
    ASSERT_EQ(dir.messages().size(), 1u) << bad;
    EXPECT_NE(dir.messages()[0].text.find(bad), std::string::npos);
    EXPECT_NE(dir.messages()[0].text.find("image loading error."), std::string::npos);
  }
  EXPECT_EQ(model.Count(), 0);

  // Spaces, brackets and non-ASCII characters in folder and file names.
  std::filesystem::create_directories(Path("Meine Bilder/\xe5\x86\x99\xe7\x9c\x9f (neu)"));
  const std::string odd = Picture("Meine Bilder/\xe5\x86\x99\xe7\x9c\x9f (neu)/Sch\xc3\xb6n.jpg",
                                  "JPEG");
  ASSERT_EQ(model.Add(odd), SlideshowModel::AddResult::kAdded);
  EXPECT_NE(model.Texture(0), 0u);
  model.Save();
  SlideshowModel again;
  again.Load();
  ASSERT_EQ(again.Count(), 1);
  EXPECT_EQ(again.Path(0), odd);
}

TEST_F(HostileFiles, AHugePictureLoadsScaledOrIsRefusedButNeverStopsTheProgram) {
  // 10000 x 10000 pixels of one colour: a small file that decodes to 300 megabytes.
  const std::string huge = Picture("huge.png", "PNG24", "10000x10000");
  SlideshowModel model;
  const auto begin = std::chrono::steady_clock::now();
  const auto result = model.Add(huge);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_LT(seconds, 120.0);
  if (result == SlideshowModel::AddResult::kAdded) {
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, model.Texture(0));
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_GT(width, 0);
    EXPECT_LE(width, 4096);  // a background needs no more
  } else {
    EXPECT_EQ(MessagesContaining("image loading error."), 1);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HostileFiles, SavedListsWithDeletedFilesOrImpossibleCountsLoadQuickly) {
  const std::string kept = Picture("kept.png", "PNG24");
  const std::string gone = Picture("gone.png", "PNG24");
  {
    SlideshowModel model;
    ASSERT_EQ(model.Add(gone), SlideshowModel::AddResult::kAdded);
    ASSERT_EQ(model.Add(kept), SlideshowModel::AddResult::kAdded);
    model.SetOwnImage(true);
    model.Save();
  }
  std::filesystem::remove(gone);
  // A count of billions, as a hand-edited file might hold.
  settings::WriteSetting(settings::kImageSection, settings::kImageSumKey, "2000000000");
  settings::WriteSetting(settings::kMusicSection, settings::kMusicSumKey, "2147483647");
  settings::WriteSetting(settings::kMusicSection, "MusicList0", Path("deleted.mp3"));
  settings::WriteSetting(settings::kMusicSection, settings::kOwnMusicKey, "1");

  const auto begin = std::chrono::steady_clock::now();
  SlideshowModel pictures;
  pictures.Load();
  PlaylistModel music;
  music.Load();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_LT(seconds, 10.0);

  // The deleted picture is reported once and dropped at the next save; the other stays.
  EXPECT_EQ(MessagesContaining(gone), 1);
  ASSERT_EQ(pictures.Count(), 1);
  EXPECT_EQ(pictures.Path(0), kept);
  pictures.Save();
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, settings::kImageSumKey), "1");
  EXPECT_EQ(settings::ReadSetting(settings::kImageSection, "ImageList0", settings::kWholeValue),
            kept);

  // The deleted track is kept in the list but cannot play: playback stops at once.
  ASSERT_EQ(music.Count(), 1);
  EXPECT_FALSE(music.Playing());
  EXPECT_TRUE(music.EditingEnabled());
}

TEST_F(HostileFiles, BrokenMusicFilesNeverPlayForeverNorStopTheList) {
  const std::string zero = Path("zero.wav");
  std::ofstream(zero).close();
  const std::string text = Path("notes.mp3");
  std::ofstream(text) << "This is a shopping list, not a song.\nMilk\nBread\n";
  const std::string cutWav = Tone("cut.wav", 2.0);
  Cut(cutWav, 44 + 22050 / 4 * 2);  // header says two seconds, a quarter second is there
  const std::string cutMp3 = Tone("cut.mp3", 2.0);
  Cut(cutMp3, std::filesystem::file_size(cutMp3) / 3);

  for (const std::string& never : {zero, text, Path("missing.wav")}) {
    platform::MusicPlayer player(never);
    EXPECT_FALSE(player.CanPlay()) << never;
    player.Play();
    EXPECT_FALSE(player.IsPlaying()) << never;
  }
  // A cut file may play what is there, but it ends, and its length is what it holds.
  for (const std::string& cut : {cutWav, cutMp3}) {
    platform::MusicPlayer player(cut);
    if (!player.CanPlay()) continue;
    EXPECT_LE(player.Length(), 2100) << cut;
    player.Play();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!player.Ended() && std::chrono::steady_clock::now() < limit)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(player.Ended()) << cut << " never ended";
  }

  // A list of nothing but broken files: Play stops instead of looping over them.
  PlaylistModel list;
  for (const std::string& f : {zero, text, Path("missing.wav")}) list.Add(f);
  list.StartPlaying();
  for (int tick = 0; tick < 10; ++tick) list.Tick();
  EXPECT_FALSE(list.Playing());
  EXPECT_TRUE(list.EditingEnabled());
}

}  // namespace
