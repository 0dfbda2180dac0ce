// Shows the real tank natively on a Wayland compositor through WaylandGlSurface: a
// full-screen frame whose only child is a plain window covered by the EGL child surface.
// Frames are drawn when the compositor's frame callback says the last one was shown. The
// mouse goes to the scene as in the program's view (left button feeds).
//
// Run by tests/app/wayland_native_view.sh on a headless Weston without any X server. It
// prints "frames N seconds S size WxH scale K" when it ends on SIGTERM (exit code 0), and
// "failed: ..." with exit code 1 when the surface cannot be made.
#include <GL/gl.h>
#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/window.h>

#include "view/Scene.h"
#include "view/wayland/WaylandGlSurface.h"

namespace {

constexpr int kDepthBitsWanted = 32;
constexpr int kDepthBitsFallback = 24;
constexpr int kFailureCode = 1;

class TankWindow : public wxWindow {
 public:
  explicit TankWindow(wxWindow* parent)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS),
        surface_(GetHandle()) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &TankWindow::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
      scene_.OnLeftDown(e.GetX(), e.GetY());
      e.Skip();
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
      scene_.OnLeftUp();
      e.Skip();
    });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
      scene_.OnMouseMove(e.GetX(), e.GetY());
      e.Skip();
    });
    surface_.OnFrameDue([this] { CallAfter([this] { DrawFrame(); }); });
  }
  ~TankWindow() override { surface_.Destroy(); }

  void Report() const {
    const double seconds =
        started_ ? std::chrono::duration<double>(std::chrono::steady_clock::now() - firstFrame_).count()
                 : 0.0;
    std::printf("frames %ld seconds %.2f size %dx%d scale %g\n", surface_.Swaps(), seconds,
                surface_.BufferWidth(), surface_.BufferHeight(), GetContentScaleFactor());
    std::fflush(stdout);
  }

 private:
  void OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!started_) StartUp();
    if (started_ && surface_.FrameDue()) DrawFrame();
  }

  void StartUp() {
    if (failed_) return;
    if (!surface_.Create(kDepthBitsWanted) && !surface_.Create(kDepthBitsFallback)) {
      Fail("no EGL surface on the Wayland display");
      return;
    }
    if (!surface_.MakeCurrent()) {
      Fail("the EGL context cannot be made current");
      return;
    }
    const wxRect screen = wxDisplay(0u).GetGeometry();
    if (!scene_.Startup(screen.width, screen.height)) Fail("scene start-up stopped early");
    started_ = true;
    firstFrame_ = std::chrono::steady_clock::now();
  }

  void DrawFrame() {
    if (!started_ || !surface_.FrameDue()) return;
    surface_.MakeCurrent();
    scene_.RunFrame();
    glFinish();
    surface_.SwapBuffers();
  }

  void Fail(const char* why) {
    failed_ = true;
    std::printf("failed: %s\n", why);
    std::fflush(stdout);
    std::_Exit(kFailureCode);
  }

  view::WaylandGlSurface surface_;
  view::Scene scene_;
  bool started_ = false;
  bool failed_ = false;
  std::chrono::steady_clock::time_point firstFrame_{};
};

TankWindow* g_tank = nullptr;

class CheckApp : public wxApp {
 public:
  bool OnInit() override {
    if (!view::WaylandGlSurface::ToolkitOnWayland()) {
      std::printf("failed: the toolkit does not run on Wayland\n");
      return false;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Pelavo", wxDefaultPosition, wxDefaultSize,
                              wxBORDER_NONE);
    g_tank = new TankWindow(frame);
    frame->SetSize(wxDisplay(0u).GetGeometry());
    frame->Show();
    frame->ShowFullScreen(true, wxFULLSCREEN_ALL);
    for (int sig : {SIGTERM, SIGINT}) SetSignalHandler(sig, [](int) {
      if (g_tank) g_tank->Report();
      wxTheApp->ExitMainLoop();
    });
    return true;
  }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CheckApp);

int main(int argc, char** argv) {
  // The GL library of the toolkit limits it to X11 when it loads; this check is about Wayland.
  gdk_set_allowed_backends("wayland");
  return wxEntry(argc, argv);
}
