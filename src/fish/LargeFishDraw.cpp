#include <GL/gl.h>

#include <cmath>

#include "fish/FinMaterial.h"
#include "fish/FishDraw.h"
#include "fish/GeneratedPart.h"

namespace fish {
namespace {

constexpr int kRippleFin = 4;  // the fifth fin flaps sideways with the second wave

}  // namespace

void LargeFishStep(LargeFish& fish, LargeFishPose& pose) {
  pose.place = {fish.x, fish.y, fish.z};
  float bend[LargeFishKind::kBendCount] = {};
  fish.turnAndBend(bend, LargeFishKind::kBendCount);
  SampleFlapWave(fish.finWave, pose.flap, kLargeFinWaveSamples, fish.size);
  SampleRippleWave(fish.rippleWave, pose.ripple, kLargeFinWaveSamples, fish.size);
  fish.followPitch();
  pose.pitch = fish.pitch;
  pose.heading = fish.heading;
  pose.size = fish.size;
  fish.wander();
  fish.move();
}

void LargeFishDraw(const LargeFish& fish, const LargeFishPose& pose, GLuint texture,
                   const models::PartModel (&fins)[kLargeFinCount]) {
  // The climb turns the fish about its own side axis. The large fish is not first turned
  // upright as the pool fish is, so that axis is (sin h, 0, cos h) in the tank, square to
  // its path (-cos h, ., sin h); an axis taken from the pool fish's upright frame would lie
  // along the tank's vertical at headings 0 and 180 and swing the fish sideways there.
  const float h = pose.heading * kDegToRad;
  glRotatef(-pose.pitch, std::sin(h), 0.0f, std::cos(h));
  glRotatef(pose.heading, 0.0f, 1.0f, 0.0f);

  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
  glScalef(kLargeFishDrawScale, kLargeFishDrawScale, kLargeFishDrawScale);
  glBindTexture(GL_TEXTURE_2D, texture);
  if (fish.bodyList != 0) glCallList(fish.bodyList);

  const float scale = pose.size * fish.partScale;
  // The fin offset is measured for the usual size; the smaller fish's body is compiled
  // smaller, so its fins move in with it.
  const float offsetScale = pose.size / kLargeSizeUsual;
  float m[16];
  SetPartAngle(m, 0.0f);
  for (int f = 0; f < kLargeFinCount; ++f) {
    ApplyFinMaterial(kFinMaterialUsed, texture);  // the fins wear the body's skin
    const PartBatch batch;  // one draw per fin, before the next material call
    PartCopy copy(fins[f], scale);
    copy.Offset(fish.partOffset[0] * offsetScale, fish.partOffset[1] * offsetScale,
                fish.partOffset[2] * offsetScale);
    if (f == kRippleFin) {
      copy.Displace(1, 0, fins[f].rows - 1, pose.ripple, kLargeFinWaveSamples, true);
    } else {
      copy.Displace(0, 0, fins[f].rows - 1, pose.flap, kLargeFinWaveSamples, true);
    }
    copy.EmitBothPasses(m);
  }
  // The fins glow; whatever is lit after them must not.
  ResetFinMaterial();
  glPopMatrix();
}

}  // namespace fish
