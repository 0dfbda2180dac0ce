#include "view/OverlayText.h"

#include <FTGL/ftgl.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace view {
namespace {

constexpr const char* kFontPattern = "sans:bold";
constexpr unsigned kFaceSize = 72;                 // glyph units per em
constexpr float kGlyphScale = 1.0f / kFaceSize;    // one em becomes one world unit
constexpr float kExtrusionEm = 0.2f;               // depth of the extruded glyphs, in ems
constexpr GLfloat kTextColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

struct OverlayLine {
  const char* text;
  float x, y, z;
};
constexpr OverlayLine kLines[] = {
    {"3D Pelavo Zudadudu Zavivizarov 1.0", -5.5f, 4.0f, -60.0f},
    {"[Right Click]: Toolbar popup", -4.0f, 1.0f, -60.0f},
    {"[ESC]: Exit", -4.0f, 0.0f, -60.0f},
    {"pelavo.example/about", -4.0f, -2.0f, -60.0f},
};

}  // namespace

std::string GlyphLists::FindFontFile() {
  if (!FcInit()) return {};
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFontPattern));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
      file = reinterpret_cast<const char*>(path);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

bool GlyphLists::Build() {
  Release();
  const std::string fontFile = FindFontFile();
  if (fontFile.empty()) return false;
  FTExtrudeFont font(fontFile.c_str());
  if (font.Error() || !font.FaceSize(kFaceSize)) return false;
  font.Depth(kExtrusionEm * kFaceSize);
  // The glyph geometry goes straight into our lists, not into lists of the font's own.
  font.UseDisplayList(false);

  const GLuint base = glGenLists(kGlyphListCount);
  if (base == 0) return false;
  for (unsigned c = 0; c < static_cast<unsigned>(kGlyphListCount); ++c) {
    glNewList(base + c, GL_COMPILE);
    if (c != kEmptyGlyph) {
      const wchar_t text[2] = {static_cast<wchar_t>(c), L'\0'};
      glPushMatrix();
      glScalef(kGlyphScale, kGlyphScale, kGlyphScale);
      font.Render(text);
      glPopMatrix();
      glTranslatef(font.Advance(text) * kGlyphScale, 0.0f, 0.0f);
    }
    glEndList();
  }
  base_ = base;
  return true;
}

void GlyphLists::Release() {
  if (base_ != 0) glDeleteLists(base_, kGlyphListCount);
  base_ = 0;
}

void GlyphLists::DrawText(const char* format, ...) const {
  if (!format || base_ == 0) return;
  char text[kTextBufferSize];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (written <= 0) return;
  const int length = std::min(written, kTextBufferSize - 1);  // a longer text is cut
  glPushAttrib(GL_LIST_BIT);
  glListBase(base_);
  glCallLists(length, GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}

void Overlay::Step() {
  if (visible_) ++shownSteps_;
  if (shownSteps_ > kOverlayShowSteps) {
    visible_ = false;
    shownSteps_ = 0;
  }
}

void Overlay::Draw(const GlyphLists& glyphs) const {
  if (!visible_) return;

  // The text keeps its own look whatever texture, light and colour the frame left behind.
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POLYGON_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glEnable(GL_NORMALIZE);
  glColor4fv(kTextColour);
  if (linesList_ == 0 && !plain_ && glyphs.ready()) linesList_ = glGenLists(1);
  if (plain_ || !glyphs.ready() || linesList_ == 0) {
    DrawLines(glyphs);
  } else {
    if (linesGlyphBase_ != glyphs.base()) {
      glNewList(linesList_, GL_COMPILE);
      DrawLines(glyphs);
      glEndList();
      linesGlyphBase_ = glyphs.base();
    }
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glCallList(linesList_);
  }
  glPopAttrib();
}

void Overlay::DrawLines(const GlyphLists& glyphs) const {
  for (const OverlayLine& line : kLines) {
    glPushMatrix();
    glTranslatef(line.x, line.y, line.z);
    glyphs.DrawText("%s", line.text);
    glPopMatrix();
  }
}

}  // namespace view
