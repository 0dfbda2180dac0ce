#include "assets/TextureLoaders.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "BmpBuilder.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

namespace {

using Bgr = std::array<std::uint8_t, 3>;

struct Level {
  GLint width = 0, height = 0;
};

Level LevelSize(GLuint texture, int level = 0) {
  glBindTexture(GL_TEXTURE_2D, texture);
  Level l;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
  return l;
}

std::vector<std::uint8_t> ReadBack(GLuint texture, GLenum format, int channels, int level = 0) {
  const Level l = LevelSize(texture, level);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(l.width) * l.height * channels);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
  return out;
}

// A colour that differs for every pixel of a 64 x 64 image.
Bgr Pattern(int x, int y) {
  return {static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
          static_cast<std::uint8_t>((x + y) * 2 + 1)};
}

class TextureLoadersTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir.root() + "/" + name; }
  GLuint LoadScaled(const std::string& name) {
    GLuint texture = 0;
    assets::LoadScaledTexture(Path(name), &texture);
    return texture;
  }
  OffscreenGl gl;
  TempConfigDir dir;
};

TEST_F(TextureLoadersTest, SkinsAreScaledToPowersOfTwoWithinTheCap) {
  const Bgr teal{200, 150, 10};
  BmpBuilder::Rgb24(100, 60, [&](int, int) { return teal; }).Save(Path("a.bmp"));
  const GLuint a = LoadScaled("a.bmp");
  ASSERT_NE(a, 0u);
  EXPECT_EQ(LevelSize(a).width, 128);
  EXPECT_EQ(LevelSize(a).height, 64);
  // Scaling keeps a plain colour and its channel order.
  const auto pixels = ReadBack(a, GL_BGR, 3);
  for (std::size_t i = 0; i < pixels.size(); i += 3)
    ASSERT_EQ((Bgr{pixels[i], pixels[i + 1], pixels[i + 2]}), teal) << i;

  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const GLint cap = std::min<GLint>(512, maxSize);
  BmpBuilder::Rgb24(1024, 1024, [](int, int) { return Bgr{1, 2, 3}; }).Save(Path("big.bmp"));
  EXPECT_EQ(LevelSize(LoadScaled("big.bmp")).width, cap);
  EXPECT_EQ(LevelSize(LoadScaled("big.bmp")).height, cap);

  BmpBuilder::Rgb24(1, 1, [](int, int) { return Bgr{9, 9, 9}; }).Save(Path("dot.bmp"));
  EXPECT_EQ(LevelSize(LoadScaled("dot.bmp")).width, 2);
  EXPECT_EQ(LevelSize(LoadScaled("dot.bmp")).height, 2);

  BmpBuilder::Rgb24(3, 600, [](int, int) { return Bgr{9, 9, 9}; }).Save(Path("tall.bmp"));
  EXPECT_EQ(LevelSize(LoadScaled("tall.bmp")).width, 4);
  EXPECT_EQ(LevelSize(LoadScaled("tall.bmp")).height, cap);

  GLint minFilter = 0;
  glBindTexture(GL_TEXTURE_2D, a);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR);
}

TEST_F(TextureLoadersTest, SkinsOfTheTargetSizeAreUploadedUnchanged) {
  BmpBuilder bottomUp = BmpBuilder::Rgb24(64, 64, Pattern);
  bottomUp.Save(Path("up.bmp"));
  std::vector<std::uint8_t> expected;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (std::uint8_t c : Pattern(x, y)) expected.push_back(c);
  EXPECT_EQ(ReadBack(LoadScaled("up.bmp"), GL_BGR, 3), expected);

  // The same picture stored top row first gives the same texture.
  BmpBuilder topDown = bottomUp;
  topDown.height = -64;
  topDown.rows.clear();
  for (int y = 63; y >= 0; --y)
    topDown.rows.insert(topDown.rows.end(), bottomUp.rows.begin() + y * 192,
                        bottomUp.rows.begin() + (y + 1) * 192);
  topDown.Save(Path("down.bmp"));
  EXPECT_EQ(ReadBack(LoadScaled("down.bmp"), GL_BGR, 3), expected);

  // 32-bit skins keep their fourth channel.
  BmpBuilder rgba;
  rgba.width = 2;
  rgba.height = 2;
  rgba.bitsPerPixel = 32;
  rgba.rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  rgba.Save(Path("rgba.bmp"));
  EXPECT_EQ(ReadBack(LoadScaled("rgba.bmp"), GL_BGRA, 4), rgba.rows);
}

TEST_F(TextureLoadersTest, PalettedSkinsReadTheirPixelsAfterTheUsedColours) {
  BmpBuilder bmp;
  bmp.width = 64;
  bmp.height = 64;
  bmp.bitsPerPixel = 8;
  bmp.coloursUsed = 16;
  for (int i = 0; i < 16; ++i) {
    bmp.palette.insert(bmp.palette.end(), {static_cast<std::uint8_t>(i * 16),
                                           static_cast<std::uint8_t>(255 - i), 77, 0});
  }
  std::vector<std::uint8_t> expected;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int index = (x + 3 * y) % 16;
      bmp.rows.push_back(static_cast<std::uint8_t>(index));
      expected.insert(expected.end(), bmp.palette.begin() + index * 4,
                      bmp.palette.begin() + index * 4 + 3);
    }
  bmp.Save(Path("pal.bmp"));
  EXPECT_EQ(ReadBack(LoadScaled("pal.bmp"), GL_BGR, 3), expected);

  // An index past the used colours reads as black instead of past the palette.
  bmp.rows[0] = 200;
  expected[0] = expected[1] = expected[2] = 0;
  bmp.Save(Path("pal2.bmp"));
  EXPECT_EQ(ReadBack(LoadScaled("pal2.bmp"), GL_BGR, 3), expected);
}

TEST_F(TextureLoadersTest, BrokenFilesLeaveANameWithoutImage) {
  const auto good = BmpBuilder::Rgb24(16, 16, [](int, int) { return Bgr{1, 2, 3}; });
  const auto goodBytes = good.Bytes();
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases;
  cases.push_back({"truncated", {goodBytes.begin(), goodBytes.end() - 1}});
  cases.push_back({"headerOnly", {goodBytes.begin(), goodBytes.begin() + 20}});
  cases.push_back({"notBmp", std::vector<std::uint8_t>(goodBytes.size(), 'x')});
  cases.push_back({"empty", {}});
  auto variant = [&](const char* name, auto change) {
    BmpBuilder b = good;
    change(b);
    cases.push_back({name, b.Bytes()});
  };
  variant("hugeDimensions", [](BmpBuilder& b) { b.width = b.height = 1 << 30; });
  variant("wideRowsPastEnd", [](BmpBuilder& b) { b.width = 100000; });
  variant("zeroHeight", [](BmpBuilder& b) { b.height = 0; });
  variant("negativeWidth", [](BmpBuilder& b) { b.width = -16; });
  variant("sixteenBit", [](BmpBuilder& b) { b.bitsPerPixel = 16; });
  variant("runLength", [](BmpBuilder& b) { b.compression = 1; });
  variant("paletteTooLarge", [](BmpBuilder& b) {
    b.bitsPerPixel = 8;
    b.coloursUsed = 0x40000000;
  });
  variant("paletteNotInFile", [](BmpBuilder& b) {
    b.bitsPerPixel = 8;  // 256 entries wanted, 768 bytes of rows present
    b.rows.resize(16 * 16 + 100);
  });
  {
    auto bytes = goodBytes;
    bytes[14] = 0xFF;  // information header size far past the end
    bytes[17] = 0x7F;
    cases.push_back({"infoSizePastEnd", bytes});
  }

  for (const auto& [name, bytes] : cases) {
    BmpBuilder::SaveBytes(Path(name), bytes);
    GLuint texture = 0;
    assets::LoadScaledTexture(Path(name), &texture);
    EXPECT_NE(texture, 0u) << name;
    EXPECT_EQ(LevelSize(texture).width, 0) << name;
    assets::LoadMipmappedTexture(Path(name), &texture);
    EXPECT_EQ(LevelSize(texture).width, 0) << name;
  }
  GLuint texture = 0;
  assets::LoadScaledTexture(Path("no such file"), &texture);
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(LevelSize(texture).width, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureLoadersTest, TheBackgroundTurnsBlackTransparentAndBuildsMipmaps) {
  BmpBuilder::Rgb24(8, 4, [](int x, int y) {
    return (x + y) % 3 == 0 ? Bgr{0, 0, 0} : Bgr{10, static_cast<std::uint8_t>(x), 250};
  }).Save(Path("bg.bmp"));
  GLuint texture = 0;
  assets::LoadMipmappedTexture(Path("bg.bmp"), &texture);
  const auto rgba = ReadBack(texture, GL_RGBA, 4);
  ASSERT_EQ(rgba.size(), 8u * 4 * 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const std::uint8_t* p = &rgba[(y * 8 + x) * 4];
      if ((x + y) % 3 == 0) {
        EXPECT_EQ(p[3], 0) << x << "," << y;
      } else {
        EXPECT_EQ(p[0], 250);
        EXPECT_EQ(p[1], x);
        EXPECT_EQ(p[2], 10);
        EXPECT_EQ(p[3], 255);
      }
    }
  EXPECT_EQ(LevelSize(texture, 3).width, 1);  // a full chain down to 1 x 1
  GLint minFilter = 0, wrapS = 0, wrapT = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(wrapS, GL_REPEAT);
  EXPECT_EQ(wrapT, GL_REPEAT);

  // Rows with fill bytes (a width of 2 pixels is 6 bytes plus 2 fill bytes) and a pixel
  // offset beyond the header are honoured.
  BmpBuilder padded = BmpBuilder::Rgb24(2, 2, [](int x, int y) {
    return Bgr{static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(20 + y), 30};
  });
  padded.palette.assign(8, 0xEE);  // unused bytes between header and rows
  padded.Save(Path("padded.bmp"));
  assets::LoadMipmappedTexture(Path("padded.bmp"), &texture);
  EXPECT_EQ(ReadBack(texture, GL_RGBA, 4),
            (std::vector<std::uint8_t>{30, 20, 10, 255, 30, 20, 11, 255, 30, 21, 10, 255, 30, 21,
                                       11, 255}));

  // Only 24-bit pictures are taken; a pixel offset past the end reads nothing.
  BmpBuilder wrongOffset = padded;
  wrongOffset.pixelOffsetOverride = 1 << 20;
  wrongOffset.Save(Path("offset.bmp"));
  assets::LoadMipmappedTexture(Path("offset.bmp"), &texture);
  EXPECT_EQ(LevelSize(texture).width, 0);
}

}  // namespace
