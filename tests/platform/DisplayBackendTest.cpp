#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/DisplayBackend.h"
#include "support/TempConfigDir.h"

using platform::BackendListAllowsX11;
using platform::ChooseDisplayBackend;
using platform::DisplayBackend;
using platform::DisplayEnvironment;

namespace {

DisplayEnvironment Env(std::string gdk, std::string display, std::string wayland,
                       bool socket = false) {
  DisplayEnvironment e;
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

// A Wayland desktop with XWayland offers both: the view draws through X11, so X11 it is.
TEST(DisplayBackend, X11WhenAnX11DisplayExistsWithOrWithoutWayland) {
  EXPECT_EQ(ChooseDisplayBackend(Env("", ":0", "")).backend, DisplayBackend::kX11);
  EXPECT_EQ(ChooseDisplayBackend(Env("", ":1", "wayland-0", true)).backend, DisplayBackend::kX11);
  EXPECT_TRUE(ChooseDisplayBackend(Env("", ":1", "wayland-0")).CanStart());
  EXPECT_TRUE(ChooseDisplayBackend(Env("", ":1", "wayland-0")).message.empty());
}

// Only Wayland (no XWayland), or nothing at all: a message that names the way out, no start.
TEST(DisplayBackend, RefusesWaylandWithoutX11AndNoDisplayWithAReason) {
  for (const DisplayEnvironment& e : {Env("", "", "wayland-1"), Env("", "", "", true)}) {
    const auto d = ChooseDisplayBackend(e);
    EXPECT_EQ(d.backend, DisplayBackend::kWaylandWithoutX11);
    EXPECT_FALSE(d.CanStart());
    EXPECT_NE(d.message.find("XWayland"), std::string::npos) << d.message;
    EXPECT_NE(d.message.find("DISPLAY"), std::string::npos) << d.message;
  }
  const auto none = ChooseDisplayBackend(Env("", "", ""));
  EXPECT_EQ(none.backend, DisplayBackend::kNoDisplay);
  EXPECT_FALSE(none.CanStart());
  EXPECT_NE(none.message.find("no display"), std::string::npos);
}

// GDK_BACKEND is the user's: followed whenever it lets the toolkit reach X11, refused with
// a reason when it does not (the toolkit would otherwise fail with a bare "cannot open").
TEST(DisplayBackend, UserBackendListIsFollowedWhenItAllowsX11) {
  EXPECT_TRUE(BackendListAllowsX11("x11"));
  EXPECT_TRUE(BackendListAllowsX11("wayland,x11"));
  EXPECT_TRUE(BackendListAllowsX11(" wayland , x11 "));
  EXPECT_TRUE(BackendListAllowsX11("*"));
  EXPECT_TRUE(BackendListAllowsX11("wayland,*"));
  EXPECT_FALSE(BackendListAllowsX11("wayland"));
  EXPECT_FALSE(BackendListAllowsX11("x11wayland"));
  EXPECT_FALSE(BackendListAllowsX11("broadway,"));
  EXPECT_FALSE(BackendListAllowsX11(""));

  EXPECT_EQ(ChooseDisplayBackend(Env("x11", ":0", "wayland-0")).backend, DisplayBackend::kUserChoice);
  // Even without DISPLAY the user's list is left to the toolkit, which says what it misses.
  EXPECT_EQ(ChooseDisplayBackend(Env("*", "", "")).backend, DisplayBackend::kUserChoice);
  const auto wayland = ChooseDisplayBackend(Env("wayland", ":0", "wayland-0"));
  EXPECT_EQ(wayland.backend, DisplayBackend::kUnusableChoice);
  EXPECT_FALSE(wayland.CanStart());
  EXPECT_NE(wayland.message.find("GDK_BACKEND=wayland"), std::string::npos) << wayland.message;
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
