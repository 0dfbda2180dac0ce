#pragma once
#include <string>

class wxTopLevelWindow;

// The tank's window as the desktop's background: below every other window, on every
// workspace, in no task bar or window switcher. On X11 (XWayland too) it is a window of the
// desktop type; on a Wayland compositor with the layer-shell protocol, a surface on its
// background layer. Elsewhere there is no way to be the background.
namespace app {

enum class DesktopSupport {
  kX11,         // an X11 display: a window of type _NET_WM_WINDOW_TYPE_DESKTOP
  kLayerShell,  // a Wayland compositor with layer-shell: the background layer
  kNone,        // a Wayland compositor without it (or a build without it)
};

// What the display the toolkit opened offers. The toolkit must be initialised.
DesktopSupport DesktopSupportHere();

// What to tell the user where there is no way to be the background.
std::string NoDesktopMessage();

// Makes window a background window. Before the window is first shown.
void MakeDesktopWindow(wxTopLevelWindow& window, DesktopSupport support);

}  // namespace app
