#pragma once
#include <GL/gl.h>

#include <memory>
#include <sstream>
#include <string>

#include "support/OffscreenGl.h"
#include "support/TempConfigDir.h"
#include "view/Scene.h"

// A scene started up for real in an offscreen GL context, with its settings file in a
// fresh temporary directory.
struct SceneFixture {
  explicit SceneFixture(int width = 1920, int height = 1080) : gl(width, height) {}

  // Writes a settings file before start-up (sections are merged by the load).
  void WriteSettings(const std::string& text) const { dir.writeFile(dir.settingsFile(), text); }

  // Every species count set to `count`, plus extra `Zudadudu Settings` lines.
  void WriteCounts(int count, const std::string& extraSettings = "") const {
    std::ostringstream text;
    text << "[Zudadudu Settings]\n" << extraSettings << "[Fish Number]\n";
    for (int j = 0; j < 10; ++j) text << "Fish" << j << "=" << count << "\n";
    WriteSettings(text.str());
  }

  bool Start() { return scene->Startup(gl.width(), gl.height()); }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) scene->RunFrame();
  }

  // Frames as the window runs them: each waits for the GL before the next starts.
  void FinishedFrames(int n) {
    for (int i = 0; i < n; ++i) {
      scene->RunFrame();
      glFinish();
    }
  }

  TempConfigDir dir;
  OffscreenGl gl;
  std::unique_ptr<view::Scene> scene = std::make_unique<view::Scene>();
};
