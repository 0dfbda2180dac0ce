#include <gtest/gtest.h>

#include "fish/Population.h"
#include "platform/CrtRand.h"
#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"

#include <filesystem>
#include <string>

TEST(SpeciesRanges, CountsTileThePoolInSpeciesOrder) {
  const int tens[10] = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
  const fish::SpeciesRanges r = fish::ComputeSpeciesRanges(tens);
  EXPECT_EQ(r.total, 100);
  EXPECT_EQ(r.shown, 100);
  EXPECT_EQ(r.start[0], 0);
  EXPECT_EQ(r.end[0], 10);
  EXPECT_EQ(r.start[9], 90);
  EXPECT_EQ(r.end[9], 100);
  EXPECT_TRUE(r.Contains(9, 99));
  EXPECT_FALSE(r.Contains(8, 90));

  const int one[10] = {0, 5, 0, 0, 0, 0, 0, 0, 0, 0};
  const fish::SpeciesRanges s = fish::ComputeSpeciesRanges(one);
  EXPECT_EQ(s.shown, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(s.Contains(1, i));
    EXPECT_FALSE(s.Contains(0, i));
  }
  EXPECT_FALSE(s.Contains(1, 5));

  const int none[10] = {};
  EXPECT_EQ(fish::ComputeSpeciesRanges(none).shown, 0);

  const int many[10] = {100, 100, 30, 0, 0, 0, 0, 0, 0, 0};
  const fish::SpeciesRanges m = fish::ComputeSpeciesRanges(many);
  EXPECT_EQ(m.total, 230);
  EXPECT_EQ(m.shown, 100);  // pool indices stop at 99
  EXPECT_EQ(m.start[2], 200);
}

TEST(Placement, DrawsPositionsInOrderAndSetsTheBounds) {
  OffscreenGl gl(8, 8);
  static fish::SpeciesFish pool[100];
  static fish::LargeFish large[2];
  static fish::SlowFish slow[2];
  const float v[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const float n[] = {0, 0, 1};
  const float t[] = {0, 0, 1, 0, 0, 1};
  const std::uint16_t idx[] = {0, 1, 2, 0, 0, 0, 0, 1, 2};
  const int runs[] = {0, 1};
  const fish::models::TriangleModel body{1, idx, 3, v, 1, n, 3, t, 1, runs};
  tank::TankBox box;
  box.top = 40;
  box.bottom = -40;

  crt::setRandState(4242);
  int draws[104][3];
  for (auto& d : draws)
    for (int& k : d) k = crt::rand();
  crt::setRandState(4242);
  fish::PlaceFish(pool, large, slow, box, body);

  EXPECT_EQ(pool[0].x, static_cast<float>(draws[0][0] % 100 - 50));
  EXPECT_EQ(pool[0].y, static_cast<float>(draws[0][1] % 30 - 15));
  EXPECT_EQ(pool[0].z, static_cast<float>(draws[0][2] % 20 - 80));
  EXPECT_EQ(pool[99].z, static_cast<float>(draws[99][2] % 20 - 80));
  EXPECT_EQ(large[0].x, static_cast<float>(draws[100][0] % 40 - 20));
  EXPECT_EQ(large[1].y, static_cast<float>(draws[101][1] % 30 - 15));
  EXPECT_EQ(slow[0].x, static_cast<float>(draws[102][0] % 40 - 20));
  EXPECT_EQ(slow[1].z, static_cast<float>(draws[103][2] % 20 - 80));

  for (const auto* f : {&pool[0], &pool[50]}) {
    EXPECT_EQ(f->xMin, -50.0f);
    EXPECT_EQ(f->xMax, 50.0f);
    EXPECT_EQ(f->yMax, 30.0f);   // top - 10
    EXPECT_EQ(f->yMin, -29.0f);  // bottom + 11
    EXPECT_EQ(f->zMin, -85.0f);
    EXPECT_EQ(f->zMax, -55.0f);
    EXPECT_FALSE(f->avoidLatch);
  }
  EXPECT_NE(large[0].bodyList, 0u);
  EXPECT_NE(large[0].bodyList, large[1].bodyList);  // each has its own list
  EXPECT_EQ(slow[1].yMin, -29.0f);
}

TEST(FishSkins, TwelveSlotsLoadedAndTheUnpackedFilesRemoved) {
  TempConfigDir dir;
  OffscreenGl gl(8, 8);
  GLuint slots[fish::kFishTextureSlots] = {};
  fish::LoadFishTextures(slots);
  for (int i = 0; i < fish::kFishTextureSlots; ++i) {
    ASSERT_NE(slots[i], 0u) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(slots[i], slots[j]);
    glBindTexture(GL_TEXTURE_2D, slots[i]);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_GT(width, 0) << "skin " << i << " has no image";
    const std::string base = dir.settingsDir() + "fish" + std::to_string(i);
    EXPECT_FALSE(std::filesystem::exists(base + ".ad"));
    EXPECT_FALSE(std::filesystem::exists(base + ".bmp"));
  }
}
