#pragma once

// The side view every species skin is painted in, and the fish outline the dialog picture
// cuts from a skin. Coordinates: s = 0 at the nose to 1 at the tail-fin tip, t = 0 at the
// lowest fin tip to 1 at the highest (image row 0 is t = 1).
namespace art::fish {

constexpr float kTailRoot = 0.76f;       // body s 0..kTailRoot, tail fin beyond
constexpr float kBodyCentreT = 0.5f;     // the body's middle line
constexpr float kTallestAt = 0.30f;      // s of the highest body point
constexpr float kMaxHalfHeight = 0.30f;  // body height 60 % of the image at its tallest
constexpr float kPeduncleHalf = 0.075f;  // half height of the body at the tail root
constexpr float kLongTailFactor = 1.4f;  // slot 1's tail fin is this much longer

// Half the body height (in t) at s; 0 beyond the tail root.
float bodyHalfHeight(float s);
// Vertical body coordinate: -1 at the belly outline, 0 on the middle line, +1 at the back.
float bodyV(float s, float t);
bool inBody(float s, float t);
// Half the spread of the tail fin (in t) at s >= kTailRoot, up to the image edge at s = 1.
float tailHalfSpread(float s);

enum class Tail { Forked, Round, Fan };

// Fin sizes of one species for the outline the dialog picture draws.
struct Outline {
  float dorsal;  // how far above the back the dorsal fin reaches (t)
  float anal;    // how far below the belly the anal fin reaches
  float pelvic;
  float tailSpread;  // half spread of the tail at its tip, 0.5 = the whole image
  Tail tail;
  float dorsalStart = 0.30f;
  float dorsalEnd = 0.64f;
  float analStart = 0.48f;
};

// True inside body or fins of the outline.
bool inOutline(float s, float t, const Outline& o);

}  // namespace art::fish
