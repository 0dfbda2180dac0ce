#pragma once
#include <GL/gl.h>

#include <string>

// The overlay: four lines of extruded 3-D text in front of the tank for the first 100 steps
// after start-up and again whenever the user presses F1.
namespace view {

inline constexpr int kGlyphListCount = 256;     // one display list per character code
inline constexpr unsigned kEmptyGlyph = 255;    // its list holds nothing
inline constexpr int kTextBufferSize = 256;     // formatted text is cut to 255 characters
inline constexpr int kOverlayShowSteps = 100;  // steps the overlay stays up per showing

// 256 consecutive display lists: list base + c draws character c (Latin-1) and moves the
// current position by the glyph's advance. Glyphs are about one world unit tall.
class GlyphLists {
 public:
  GlyphLists() = default;
  GlyphLists(const GlyphLists&) = delete;
  GlyphLists& operator=(const GlyphLists&) = delete;

  // Builds the lists from the bold sans font that fontconfig finds. Needs a current GL
  // context. Returns false (and stays empty) when no usable font exists.
  bool Build();
  // Frees the lists (the GL context must still be current).
  void Release();

  bool ready() const { return base_ != 0; }
  GLuint base() const { return base_; }

  // Draws printf-style text at the current model-view position; nothing when no font was
  // found or the format is missing.
  void DrawText(const char* format, ...) const __attribute__((format(printf, 2, 3)));

  // The font file fontconfig picks for "sans:bold"; empty when there is none.
  static std::string FindFontFile();

 private:
  GLuint base_ = 0;
};

// The overlay's timing and its four lines.
class Overlay {
 public:
  // One step: counts the shown step and hides the overlay after 100 of them.
  void Step();
  // Draws the lines (texturing and lighting off, white) while visible. Restores the GL state
  // it touched. The four lines are compiled into one display list the first time they are
  // drawn with a set of glyph lists (a cache of the picture, not part of the overlay's state);
  // every glyph is a closed solid facing the eye, so its faces turned away from the eye are
  // skipped (they lie behind its front, and all of it is one colour).
  void Draw(const GlyphLists& glyphs) const;
  void Toggle() { visible_ = !visible_; }  // F1
  // Comparison only: draw the lines glyph by glyph every frame with every face.
  void SetPlain(bool plain) { plain_ = plain; }

  bool visible() const { return visible_; }
  int shownSteps() const { return shownSteps_; }

 private:
  void DrawLines(const GlyphLists& glyphs) const;

  bool visible_ = true;
  int shownSteps_ = 0;
  bool plain_ = false;
  mutable GLuint linesList_ = 0;
  mutable GLuint linesGlyphBase_ = 0;  // the glyph lists linesList_ was compiled with
};

}  // namespace view
