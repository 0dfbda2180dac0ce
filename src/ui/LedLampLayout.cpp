#include "ui/LedLampLayout.h"

#include <sstream>

namespace ui {

int NormaliseCheck(int state) { return (state == 1 || state == 2) ? 1 : 0; }

LampLayout LayoutLamp(const Box& item, int d, bool leftText) {
  LampLayout out;
  out.text = item.inset(kLampFrameInset + 1);
  Box& t = out.text;
  const int top = (t.bottom - d - t.top) / 2 + 2;
  if (leftText) {
    out.lamp = {t.right - d, top, t.right, top + d};
    t.right = t.right - d - kLampTextGap;
  } else {
    out.lamp = {t.left, top, t.left + d, top + d};
    t.left = t.left + d + kLampTextGap;
  }
  return out;
}

Box IconBox(const Box& lamp, int iconWidth) { return {lamp.left, 0, lamp.left + iconWidth, iconWidth}; }

Rgb LampFill(bool disabled, bool checked, Rgb on, Rgb off, Rgb shadow) {
  if (disabled) return shadow;
  return checked ? on : off;
}

std::vector<std::string> WrapWords(const std::string& text, int width, const MeasureText& measure) {
  std::vector<std::string> lines;
  std::stringstream paragraphs(text);
  std::string para;
  while (std::getline(paragraphs, para, '\n')) {
    std::stringstream words(para);
    std::string word, line;
    while (words >> word) {
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && measure(candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

int AlignOffset(int spare, TextAlign align) {
  switch (align) {
    case TextAlign::Centre: return spare / 2;
    case TextAlign::Right: return spare;
    default: return 0;
  }
}

}  // namespace ui
