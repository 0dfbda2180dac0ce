#include "assets/Unpack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "assets/TextureLoaders.h"
#include "platform/Resources.h"
#include "platform/ScrambleKey.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

namespace {
namespace fs = std::filesystem;

const fs::path kAssetDir = fs::path(__FILE__).parent_path() / "../../src/assets";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The source file the build packed as RCAD `id`, from the manifest.
fs::path PackedSource(int id) {
  std::ifstream manifest(kAssetDir / "manifest.txt");
  std::string line;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string type, file;
    int entryId = 0;
    if (fields >> type >> entryId >> file && type == "RCAD" && entryId == id)
      return kAssetDir / file;
  }
  return {};
}

std::vector<std::string> Listing(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class UnpackTest : public ::testing::Test {
 protected:
  std::string Dir() const { return dir.settingsDir(); }
  void SetUp() override { fs::create_directories(Dir()); }
  TempConfigDir dir;
};

TEST_F(UnpackTest, UnscrambleAddsKeyEntryKModFiftyToTheKthByte) {
  const auto key = res::scrambleKey();
  dir.writeFile(Dir() + "zeros.ad", std::string(120, '\0'));
  ASSERT_TRUE(assets::UnscrambleFile(Dir() + "zeros.ad", Dir() + "zeros.bmp"));
  const std::string out = dir.readFile(Dir() + "zeros.bmp");
  ASSERT_EQ(out.size(), 120u);
  EXPECT_EQ(static_cast<std::uint8_t>(out[0]), key[1]);    // first byte: entry 1
  EXPECT_EQ(static_cast<std::uint8_t>(out[48]), key[49]);  // 49th byte: entry 49
  EXPECT_EQ(static_cast<std::uint8_t>(out[49]), key[0]);   // 50th byte: entry 0
  EXPECT_EQ(static_cast<std::uint8_t>(out[50]), key[1]);   // 51st byte: entry 1 again
  EXPECT_EQ(static_cast<std::uint8_t>(out[119]), key[20]);

  // Sums wrap around at 256, across the decoder's internal chunks.
  std::string big(200000, '\xF0');
  dir.writeFile(Dir() + "big.ad", big);
  ASSERT_TRUE(assets::UnscrambleFile(Dir() + "big.ad", Dir() + "big.bmp"));
  const std::string bigOut = dir.readFile(Dir() + "big.bmp");
  ASSERT_EQ(bigOut.size(), big.size());
  for (std::size_t i = 0; i < big.size(); i += 997)
    ASSERT_EQ(static_cast<std::uint8_t>(bigOut[i]),
              static_cast<std::uint8_t>(0xF0 + key[(i + 1) % 50]))
        << i;
}

TEST_F(UnpackTest, UnscrambleEdgeCases) {
  dir.writeFile(Dir() + "empty.ad", "");
  EXPECT_TRUE(assets::UnscrambleFile(Dir() + "empty.ad", Dir() + "empty.bmp"));
  ASSERT_TRUE(fs::exists(Dir() + "empty.bmp"));
  EXPECT_EQ(fs::file_size(Dir() + "empty.bmp"), 0u);

  // A copy that cannot be read, or an output that cannot be made: false, no output.
  EXPECT_FALSE(assets::UnscrambleFile(Dir() + "absent.ad", Dir() + "absent.bmp"));
  EXPECT_FALSE(fs::exists(Dir() + "absent.bmp"));
  EXPECT_FALSE(assets::UnscrambleFile(Dir() + "empty.ad", Dir() + "no/such/dir.bmp"));
  fs::create_directory(Dir() + "taken.bmp");
  EXPECT_FALSE(assets::UnscrambleFile(Dir() + "empty.ad", Dir() + "taken.bmp"));
}

TEST_F(UnpackTest, PackedResourcesComeBackAsTheirSourceFiles) {
  for (const auto& [id, name] : std::vector<std::pair<int, std::string>>{
           {227, "Music"}, {166, "Particle1"}, {154, "BackGround0"}, {10000, "fish0"},
           {10011, "fish11"}, {155, "p155"}, {261, "p261"}}) {
    const fs::path source = PackedSource(id);
    ASSERT_FALSE(source.empty()) << "RCAD " << id << " is not in the manifest";
    const auto resource = res::FindResource(res::Type::Rcad, id);
    ASSERT_TRUE(resource) << id;
    ASSERT_TRUE(assets::Unpack(id, Dir(), name)) << id;
    const std::string scrambled = dir.readFile(assets::ScrambledPath(Dir(), name));
    EXPECT_TRUE(scrambled ==
                std::string(reinterpret_cast<const char*>(resource->data), resource->size))
        << id;
    const std::string plain = dir.readFile(assets::UnpackedPath(Dir(), name));
    const std::string original = ReadAll(source);
    EXPECT_EQ(plain.size(), original.size()) << id;
    EXPECT_TRUE(plain == original) << id;
    EXPECT_FALSE(plain == scrambled) << id;
    EXPECT_EQ(plain.substr(0, id == 227 ? 4 : 2), id == 227 ? "RIFF" : "BM") << id;
    assets::DeleteUnpacked(Dir(), name);
  }
  EXPECT_TRUE(Listing(Dir()).empty());
}

TEST_F(UnpackTest, MusicMakesAdAndWavFiles) {
  ASSERT_TRUE(assets::Unpack(227, Dir(), "Music"));
  EXPECT_EQ(Listing(Dir()), (std::vector<std::string>{"Music.ad", "Music.wav"}));
  assets::DeleteUnpacked(Dir(), "Music");
  EXPECT_TRUE(Listing(Dir()).empty());
}

TEST_F(UnpackTest, UnknownIdsAndUnwritablePlacesFailWithoutLeavingFiles) {
  EXPECT_FALSE(assets::Unpack(10017, Dir(), "fish17"));
  EXPECT_TRUE(Listing(Dir()).empty());
  // No place to write: false, and the caller carries on.
  EXPECT_FALSE(assets::Unpack(227, Dir() + "missing/", "Music"));
  fs::create_directory(Dir() + "Music.wav");
  EXPECT_FALSE(assets::Unpack(227, Dir(), "Music"));
  assets::DeleteUnpacked(Dir(), "Music");
  fs::remove(Dir() + "Music.wav");
  EXPECT_TRUE(Listing(Dir()).empty());
}

TEST_F(UnpackTest, PackedTexturesLoadAndLeaveNoFilesBehind) {
  OffscreenGl gl;
  auto width = [](GLuint texture) {
    GLint w = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    return w;
  };
  const GLuint skin = assets::LoadPackedTexture(10000, "fish0", false);
  EXPECT_GT(width(skin), 0);
  const GLuint bubble = assets::LoadPackedTexture(166, "Particle1", false);
  EXPECT_GT(width(bubble), 0);
  const GLuint background = assets::LoadPackedTexture(154, "BackGround0", true);
  EXPECT_GT(width(background), 0);
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);

  // A stale file of a missing resource's name is not mistaken for it.
  dir.writeFile(Dir() + "fish17.bmp", ReadAll(PackedSource(10000)));
  const GLuint food = assets::LoadPackedTexture(10017, "fish17", false);
  EXPECT_NE(food, 0u);
  EXPECT_EQ(width(food), 0);
  EXPECT_TRUE(Listing(Dir()).empty());
}

}  // namespace
