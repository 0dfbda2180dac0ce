#pragma once
#include <functional>

class wxWindow;

namespace view {

// Where the view's frames go and which window receives the paints that draw them, the mouse
// and the keys: the GLX canvas on X11, or an EGL child surface over the view on Wayland.
class GlTarget {
 public:
  virtual ~GlTarget() = default;

  // The window whose paints draw frames and which receives the mouse and keys.
  virtual wxWindow* Window() = 0;
  // Creates the rendering context and makes it current; only once the window is on screen.
  // False when it cannot be made.
  virtual bool CreateContext() = 0;
  virtual bool HasContext() const = 0;
  // Makes the context current on the target; false when there is none.
  virtual bool MakeCurrent() = 0;
  // Shows the frame just drawn.
  virtual void Present() = 0;
  // A frame drew nothing new (no simulation step was due): where the compositor paces the
  // frames, ask it for the next frame anyway, without a new picture, so they keep coming.
  virtual void KeepFramesComing() {}
  // Releases the rendering context. Safe to call more than once.
  virtual void ReleaseContext() = 0;
  // Physical pixels per window-size unit: 2 on a screen scaled to 200 %.
  virtual double PixelScale() const = 0;
  // How much the mode cursors' images are enlarged. An X server shows a cursor image pixel
  // for pixel, so on a scaled screen it is enlarged by the scale; a Wayland compositor
  // scales cursors to the output itself, and enlarging them too doubled them again.
  virtual double CursorImageScale() const { return PixelScale(); }

  // True when the compositor says when the next frame is due: frames are then drawn only
  // while FrameDue(), and the target calls the handler given to OnFrameDue when one becomes
  // due. A compositor that does not show the window sends no such word, so nothing is drawn.
  virtual bool PacedByCompositor() const { return false; }
  virtual bool FrameDue() const { return true; }
  virtual void OnFrameDue(std::function<void()>) {}
};

}  // namespace view
