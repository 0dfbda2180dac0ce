#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/DisplayBackend.h"
#include "support/TempConfigDir.h"

using platform::FirstDrawableBackend;
using platform::ChooseDisplayBackend;
using platform::DisplayBackend;
using platform::DisplayEnvironment;

namespace {

DisplayEnvironment Env(std::string gdk, std::string display, std::string wayland,
                       bool socket = false, bool nativeWayland = true) {
  DisplayEnvironment e;
  e.nativeWayland = nativeWayland;
  e.gdkBackend = std::move(gdk);
  e.display = std::move(display);
  e.waylandDisplay = std::move(wayland);
  e.waylandSocketFound = socket;
  return e;
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (hadOld_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};

}  // namespace

// A Wayland desktop with XWayland offers both: X11, which the whole-program tests drive with
// real input, stays the default even where the build draws on Wayland too.
TEST(DisplayBackend, X11WhenAnX11DisplayExistsWithOrWithoutWayland) {
  EXPECT_EQ(ChooseDisplayBackend(Env("", ":0", "")).backend, DisplayBackend::kX11);
  EXPECT_EQ(ChooseDisplayBackend(Env("", ":1", "wayland-0", true)).backend, DisplayBackend::kX11);
  EXPECT_EQ(ChooseDisplayBackend(Env("", ":1", "wayland-0", true, false)).backend,
            DisplayBackend::kX11);
  EXPECT_TRUE(ChooseDisplayBackend(Env("", ":1", "wayland-0")).CanStart());
  EXPECT_TRUE(ChooseDisplayBackend(Env("", ":1", "wayland-0")).message.empty());
}

// Only Wayland (no XWayland): native, when the build can draw there; a build that cannot
// ends with a message that names the way out. No display at all ends with a message too.
TEST(DisplayBackend, WaylandOnlyRunsNativelyOrIsRefusedWithAReason) {
  for (const DisplayEnvironment& e : {Env("", "", "wayland-1"), Env("", "", "", true)}) {
    const auto native = ChooseDisplayBackend(e);
    EXPECT_EQ(native.backend, DisplayBackend::kWayland);
    EXPECT_TRUE(native.CanStart());
    EXPECT_TRUE(native.message.empty());

    DisplayEnvironment without = e;
    without.nativeWayland = false;
    const auto d = ChooseDisplayBackend(without);
    EXPECT_EQ(d.backend, DisplayBackend::kWaylandWithoutX11);
    EXPECT_FALSE(d.CanStart());
    EXPECT_NE(d.message.find("XWayland"), std::string::npos) << d.message;
    EXPECT_NE(d.message.find("DISPLAY"), std::string::npos) << d.message;
  }
  for (bool nativeWayland : {true, false}) {
    const auto none = ChooseDisplayBackend(Env("", "", "", false, nativeWayland));
    EXPECT_EQ(none.backend, DisplayBackend::kNoDisplay);
    EXPECT_FALSE(none.CanStart());
    EXPECT_NE(none.message.find("no display"), std::string::npos);
  }
}

// GDK_BACKEND is the user's: its first entry the view can draw on decides ("*" is X11, which
// the toolkit's GL library allows), and a list with none is refused with a reason (the
// toolkit would otherwise fail with a bare "cannot open").
TEST(DisplayBackend, UserBackendListDecidesByItsFirstDrawableEntry) {
  EXPECT_EQ(FirstDrawableBackend("x11", true), "x11");
  EXPECT_EQ(FirstDrawableBackend("*", true), "x11");
  EXPECT_EQ(FirstDrawableBackend("wayland", true), "wayland");
  EXPECT_EQ(FirstDrawableBackend(" wayland , x11 ", true), "wayland");
  EXPECT_EQ(FirstDrawableBackend("x11,wayland", true), "x11");
  EXPECT_EQ(FirstDrawableBackend("broadway,wayland", true), "wayland");
  EXPECT_EQ(FirstDrawableBackend("wayland,*", false), "x11");
  EXPECT_EQ(FirstDrawableBackend("wayland", false), "");
  EXPECT_EQ(FirstDrawableBackend("x11wayland", true), "");
  EXPECT_EQ(FirstDrawableBackend("broadway,", true), "");
  EXPECT_EQ(FirstDrawableBackend("", true), "");

  EXPECT_EQ(ChooseDisplayBackend(Env("x11", ":0", "wayland-0")).backend, DisplayBackend::kUserChoice);
  // Even without DISPLAY the user's list is left to the toolkit, which says what it misses.
  EXPECT_EQ(ChooseDisplayBackend(Env("*", "", "")).backend, DisplayBackend::kUserChoice);
  // The user's Wayland wins over an X11 display that is there too.
  const auto wayland = ChooseDisplayBackend(Env("wayland", ":0", "wayland-0"));
  EXPECT_EQ(wayland.backend, DisplayBackend::kWayland);
  EXPECT_TRUE(wayland.CanStart());

  const auto broadway = ChooseDisplayBackend(Env("broadway", ":0", "wayland-0"));
  EXPECT_EQ(broadway.backend, DisplayBackend::kUnusableChoice);
  EXPECT_FALSE(broadway.CanStart());
  EXPECT_NE(broadway.message.find("GDK_BACKEND=broadway"), std::string::npos) << broadway.message;
  EXPECT_NE(broadway.message.find("wayland"), std::string::npos) << broadway.message;
  // A build without Wayland refuses a Wayland-only list and names X11 as the way out.
  const auto unbuilt = ChooseDisplayBackend(Env("wayland", ":0", "wayland-0", false, false));
  EXPECT_EQ(unbuilt.backend, DisplayBackend::kUnusableChoice);
  EXPECT_NE(unbuilt.message.find("x11"), std::string::npos) << unbuilt.message;
}

// The environment as the program reads it, including the toolkit's default Wayland socket.
TEST(DisplayBackend, ReadsTheEnvironmentAndTheDefaultWaylandSocket) {
  TempConfigDir dir;
  ScopedEnv gdk("GDK_BACKEND", "wayland,x11");
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  ScopedEnv runtime("XDG_RUNTIME_DIR", dir.root().c_str());
  DisplayEnvironment e = platform::ReadDisplayEnvironment();
  EXPECT_EQ(e.gdkBackend, "wayland,x11");
  EXPECT_TRUE(e.display.empty());
  EXPECT_FALSE(e.waylandSocketFound);

  std::ofstream(dir.root() + "/wayland-0") << "";
  ScopedEnv display2("DISPLAY", ":7");
  e = platform::ReadDisplayEnvironment();
  EXPECT_TRUE(e.waylandSocketFound);
  EXPECT_EQ(e.display, ":7");
}
