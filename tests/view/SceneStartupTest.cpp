#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "platform/CrtRand.h"
#include "settings/SettingsRecord.h"

namespace {
namespace fs = std::filesystem;

// File events in the settings directory, in the order they happened.
class DirectoryEvents {
 public:
  explicit DirectoryEvents(const std::string& dir) {
    fs::create_directories(dir);
    fd_ = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(fd_, dir.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~DirectoryEvents() { close(fd_); }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[1 << 16];
    for (;;) {
      const ssize_t n = read(fd_, buffer, sizeof buffer);
      if (n <= 0) break;
      for (char* p = buffer; p < buffer + n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(p);
        if (e->mask & IN_Q_OVERFLOW) ADD_FAILURE() << "inotify queue overflowed";
        if (e->len > 0) names.emplace_back(e->name);
        p += sizeof(inotify_event) + e->len;
      }
    }
    return names;
  }

 private:
  int fd_ = -1;
};

int FirstWith(const std::vector<std::string>& names, const std::string& prefix) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}
int LastWith(const std::vector<std::string>& names, const std::string& prefix) {
  for (std::size_t i = names.size(); i-- > 0;)
    if (names[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

TEST(SceneStartup, LoadsTexturesThenSettingsThenPlacesAndLeavesNoAssetFiles) {
  SceneFixture f(320, 200);
  DirectoryEvents events(f.dir.settingsDir());
  ASSERT_TRUE(f.Start());
  const std::vector<std::string> names = events.Names();

  const int background = FirstWith(names, "BackGround0");
  const int fish0 = FirstWith(names, "fish0.");
  const int lastFishSkin = LastWith(names, "fish11.");
  const int firstSettings = FirstWith(names, "PelavoSet");
  const int lastSettings = LastWith(names, "PelavoSet");
  const int sprite = FirstWith(names, "Particle1");
  ASSERT_GE(background, 0);
  ASSERT_GE(lastFishSkin, 0);
  ASSERT_GE(firstSettings, 0);
  ASSERT_GE(sprite, 0);
  EXPECT_LT(background, fish0);
  EXPECT_LT(lastFishSkin, firstSettings) << "the settings file appeared before the skins loaded";
  EXPECT_LT(lastSettings, sprite) << "bubbles were placed before the settings load ended";

  for (const auto& entry : fs::directory_iterator(f.dir.settingsDir())) {
    const std::string ext = entry.path().extension().string();
    EXPECT_TRUE(ext != ".ad" && ext != ".bmp" && ext != ".wav") << entry.path();
  }
  EXPECT_TRUE(fs::exists(f.dir.settingsFile()));
  EXPECT_NE(f.scene->backgroundTexture(), 0u);
  for (int slot = 0; slot < 12; ++slot) EXPECT_NE(f.scene->fishTexture(slot), 0u) << slot;
  EXPECT_TRUE(f.dir.messages().empty());
}

TEST(SceneStartup, MissingCountsComeFromTheFirstDrawsSoNothingIsPlacedBeforeTheLoad) {
  SceneFixture f(320, 200);
  const std::uint32_t state = 0x1234567u;
  crt::setRandState(state);
  ASSERT_TRUE(f.Start());

  crt::setRandState(state);
  for (int j = 0; j < 10; ++j)
    EXPECT_EQ(settings::Settings().fishCount[j], crt::rand() % 10 + 1) << "slot " << j;

  // Placement came after the load: every pool fish stands where its draws put it, inside
  // the start area, and the emitters stand below the floor.
  for (int i = 0; i < 100; ++i) {
    const auto& fish = f.scene->poolFish(i);
    EXPECT_GE(fish.x, -50.0f);
    EXPECT_LE(fish.x, 49.0f);
    EXPECT_GE(fish.z, -80.0f);
    EXPECT_LE(fish.z, -61.0f);
  }
  EXPECT_EQ(f.scene->emitter(0).poolSize(), 110);
}

TEST(SceneStartup, WithoutATemporaryDirectoryItStopsAfterOneMessageAndFramesStillRun) {
  SceneFixture f(160, 100);
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  ::setenv("TMPDIR", (f.dir.root() + "/no-such-directory").c_str(), 1);
  const bool started = f.Start();
  if (old)
    ::setenv("TMPDIR", saved.c_str(), 1);
  else
    ::unsetenv("TMPDIR");

  EXPECT_FALSE(started);
  ASSERT_EQ(f.dir.messages().size(), 1u);
  EXPECT_EQ(f.dir.messages()[0].text, "Error Find TempPath.");
  EXPECT_EQ(f.dir.messages()[0].caption, "ERROR");
  EXPECT_EQ(f.scene->backgroundTexture(), 0u);
  EXPECT_FALSE(fs::exists(f.dir.settingsFile()));
  f.Frames(3);  // an empty scene keeps drawing
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
