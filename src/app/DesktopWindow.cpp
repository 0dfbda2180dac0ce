#include "app/DesktopWindow.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif
#ifdef PELAVO_LAYER_SHELL
#include <gtk-layer-shell/gtk-layer-shell.h>
#endif

#include <wx/toplevel.h>

namespace app {
namespace {

constexpr const char* kLayerNamespace = "pelavo-desktop";

#ifdef PELAVO_LAYER_SHELL
void PlaceOnBackgroundLayer(GtkWindow* gtkWindow) {
  // The layer surface must be made before the window's surface is: a window the toolkit
  // already realised is made again.
  GtkWidget* widget = GTK_WIDGET(gtkWindow);
  const bool wasRealized = gtk_widget_get_realized(widget);
  if (wasRealized) gtk_widget_unrealize(widget);
  gtk_layer_init_for_window(gtkWindow);
  gtk_layer_set_namespace(gtkWindow, kLayerNamespace);
  gtk_layer_set_layer(gtkWindow, GTK_LAYER_SHELL_LAYER_BACKGROUND);
  for (const GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                       GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM})
    gtk_layer_set_anchor(gtkWindow, edge, TRUE);
  // -1: the whole output, panels' zones included; nothing else moves for it.
  gtk_layer_set_exclusive_zone(gtkWindow, -1);
  // The keyboard only after a click on the tank, never taken from another window.
  gtk_layer_set_keyboard_mode(gtkWindow, GTK_LAYER_SHELL_KEYBOARD_MODE_ON_DEMAND);
  if (wasRealized) gtk_widget_realize(widget);
}
#endif

}  // namespace

DesktopSupport DesktopSupportHere() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return DesktopSupport::kNone;
#ifdef GDK_WINDOWING_X11
  if (GDK_IS_X11_DISPLAY(display)) return DesktopSupport::kX11;
#endif
#ifdef PELAVO_LAYER_SHELL
  if (gtk_layer_is_supported()) return DesktopSupport::kLayerShell;
#endif
  return DesktopSupport::kNone;
}

std::string NoDesktopMessage() {
#ifdef PELAVO_LAYER_SHELL
  const char* why = "this Wayland compositor offers no background layer (layer-shell)";
#else
  const char* why = "this build of pelavo has no layer-shell support for Wayland";
#endif
  return std::string("pelavo: cannot show the tank as the desktop background: ") + why +
         ".\n"
         "Run it in an X11 session, or through XWayland (GDK_BACKEND=x11 pelavo --desktop),\n"
         "or on a compositor with layer-shell (sway, KDE Plasma, Hyprland, labwc).\n"
         "Without --desktop the tank opens full screen.\n";
}

void MakeDesktopWindow(wxTopLevelWindow& window, DesktopSupport support) {
  GtkWindow* gtkWindow = GTK_WINDOW(window.GetHandle());
  if (!gtkWindow) return;
#ifdef PELAVO_LAYER_SHELL
  if (support == DesktopSupport::kLayerShell) {
    PlaceOnBackgroundLayer(gtkWindow);
    return;
  }
#endif
  if (support != DesktopSupport::kX11) return;
  // The window manager reads the type when the window is mapped: the desktop type puts it
  // below every other window, on every workspace and out of task bars and switchers; the
  // hints say the same to window managers that only partly follow the type.
  gtk_window_set_type_hint(gtkWindow, GDK_WINDOW_TYPE_HINT_DESKTOP);
  gtk_window_set_skip_taskbar_hint(gtkWindow, TRUE);
  gtk_window_set_skip_pager_hint(gtkWindow, TRUE);
  gtk_window_set_keep_below(gtkWindow, TRUE);
  gtk_window_stick(gtkWindow);
  // Started with the session, it takes the keyboard from nobody.
  gtk_window_set_focus_on_map(gtkWindow, FALSE);
}

}  // namespace app
