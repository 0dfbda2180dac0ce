#include "assets/PictureTexture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BmpBuilder.h"
#include "support/NamedPipe.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

namespace {

bool HaveConvert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

class PictureTextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  }
  std::string Path(const std::string& name) const { return dir.root() + "/" + name; }
  // Makes a picture with ImageMagick: `source` as in "-size 40x30 xc:red".
  std::string Make(const std::string& source, const std::string& output) {
    const std::string path = Path(output.substr(output.find(':') + 1));
    const std::string command =
        "convert " + source + " " + output.substr(0, output.find(':') + 1) + "'" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
  }
  static GLint Width(GLuint texture) {
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
  }
  // The colour in the middle of level 0, red-green-blue.
  static std::vector<std::uint8_t> Middle(GLuint texture) {
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const std::size_t at = (static_cast<std::size_t>(h / 2) * w + w / 2) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
  static void ExpectRedPicture(GLuint texture, const std::string& what) {
    ASSERT_NE(texture, 0u) << what;
    ASSERT_GT(Width(texture), 0) << what;
    const auto c = Middle(texture);
    EXPECT_GT(c[0], 200) << what;
    EXPECT_LT(c[1], 40) << what;
    EXPECT_LT(c[2], 40) << what;
  }
  OffscreenGl gl;
  TempConfigDir dir;
};

TEST_F(PictureTextureTest, EveryCommonJpegPngAndBmpFlavourLoads) {
  const std::string red = "-size 40x30 xc:red";
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "JPEG:baseline.jpg")), "baseline jpeg");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red + " -interlace Plane", "JPEG:prog.jpg")),
                   "progressive jpeg");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "PNG24:eight.png")), "8-bit png");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "PNG48:sixteen.png")), "16-bit png");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "BMP:v5.bmp")), "v5 bmp");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "BMP3:v3.bmp")), "classic bmp");
  ExpectRedPicture(assets::LoadPictureTexture(Make(red, "PNG8:palette.png")), "palette png");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PictureTextureTest, PicturesLargerThanTheLargestTextureAreScaledDown) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  // Wider than any texture (ImageMagick refuses such sizes, so the file is built here).
  BmpBuilder::Rgb24(maxSize + 1, 4, [](int, int) {
    return std::array<std::uint8_t, 3>{0, 0, 255};
  }).Save(Path("wide.bmp"));
  const GLuint texture = assets::LoadPictureTexture(Path("wide.bmp"));
  ExpectRedPicture(texture, "wide bmp");
  EXPECT_LE(Width(texture), maxSize);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PictureTextureTest, FilesThatAreNoPictureGiveZero) {
  std::ofstream(Path("empty.png"));
  std::ofstream(Path("garbage.jpg")) << std::string(5000, 'g') << "this is no picture";
  EXPECT_EQ(assets::LoadPictureTexture(Path("empty.png")), 0u);
  EXPECT_EQ(assets::LoadPictureTexture(Path("garbage.jpg")), 0u);
  EXPECT_EQ(assets::LoadPictureTexture(Path("missing.bmp")), 0u);
  EXPECT_EQ(assets::LoadPictureTexture(dir.root()), 0u);  // a directory
  const NamedPipe pipe(Path("pipe.png"));
  ASSERT_TRUE(pipe.made());
  GLuint fromPipe = 1;
  EXPECT_TRUE(pipe.Finishes([&] { fromPipe = assets::LoadPictureTexture(pipe.path()); }))
      << "the loader waited for a writer on a named pipe";
  EXPECT_EQ(fromPipe, 0u);

  // Cut-off files: a PNG without its image data is refused; a cut JPEG or BMP must not
  // crash whatever the decoders make of it.
  const std::string gradient = "-size 64x64 gradient:red-blue";
  for (const char* out : {"PNG24:cut.png", "JPEG:cut.jpg", "BMP3:cut.bmp", "PNG48:cut16.png"}) {
    const std::string path = Make(gradient, out);
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 3);
    const GLuint texture = assets::LoadPictureTexture(path);
    if (std::string(out).find("PNG") == 0) {
      EXPECT_EQ(texture, 0u) << out;
    }
  }
}

}  // namespace
