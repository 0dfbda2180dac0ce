#include <GL/gl.h>

#include "assets/TextureLoaders.h"
#include "fish/Population.h"
#include "platform/SettingsDir.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "view/Scene.h"
#include "resource_ids.h"

// Scene start-up: everything the first frame needs, in a fixed order.
namespace view {
namespace {

constexpr int kBackgroundResource = res::id::kBackGround0;
constexpr const char* kBackgroundName = "BackGround0";

constexpr GLfloat kClearColour[4] = {0.0f, 0.0f, 0.0f, 0.5f};
constexpr GLfloat kLightAmbient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightPosition[4] = {1000.0f, -1000.0f, 1000.0f, 1.0f};
constexpr GLfloat kFogColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kFogDensity = 0.5f;
constexpr GLfloat kFogStart = -10.0f;
constexpr GLfloat kFogEnd = 100.0f;

}  // namespace

void Scene::SetFixedGlState() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  // The light is placed while the model-view matrix is the identity: fixed to the eye.
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT1, GL_AMBIENT, kLightAmbient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, kLightDiffuse);
  glLightfv(GL_LIGHT1, GL_POSITION, kLightPosition);
  glPopMatrix();
  glEnable(GL_LIGHT1);
  glEnable(GL_COLOR_MATERIAL);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_BLEND);
}

void Scene::SetFog() {
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogfv(GL_FOG_COLOR, kFogColour);
  glFogf(GL_FOG_DENSITY, kFogDensity);
  glHint(GL_FOG_HINT, GL_DONT_CARE);
  glFogf(GL_FOG_START, kFogStart);
  glFogf(GL_FOG_END, kFogEnd);
  glEnable(GL_FOG);
}

bool Scene::Startup(int screenWidth, int screenHeight) {
  glyphs_.Build();  // without a font the overlay simply stays empty
  SetFixedGlState();

  box_ = tank::ComputeTankBox(screenWidth, screenHeight);
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;

  // The sheet is built and drawn once before the first frame, with the settings record
  // still as it was before the load.
  surface_.BuildControlNet(box_, settings::Settings().background);
  surface_.Draw();

  if (!platform::TempPathAvailable()) return false;

  // Each packed image is unpacked beside the settings file, loaded and deleted again.
  backgroundTexture_ = assets::LoadPackedTexture(kBackgroundResource, kBackgroundName, true);
  fish::LoadFishTextures(fishTextures_);

  settings::StartupLoad();

  tank::PlaceBubbleEmitters(emitters_, emitterPositions_, box_, settings::Settings().qipaonum);
  fish::PlaceFish(pool_, large_, slow_, box_);
  pickBars_.Place(box_);

  for (tank::FoodPellet& pellet : pellets_) pellet.SetUp();

  SetFog();
  return true;
}

}  // namespace view
