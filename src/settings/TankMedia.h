#pragma once
#include "settings/DefaultTune.h"
#include "settings/PlaylistModel.h"
#include "settings/SlideshowModel.h"

// The user's own pictures and music and the built-in tune, for as long as the tank runs. The
// two modeless dialogs show and change the slideshow and the playlist; the scene reads the
// picture on show from the slideshow; the view ticks the tune's hand-off, which follows the
// playlist's "custom music on".
namespace settings {

struct TankMedia {
  // The playlist starts at the settings file's volume.
  TankMedia();

  // The hand-off of the built-in tune, after every frame. A quiet tank never plays it.
  void TuneTick() { tune.Tick(playlist.CustomMusicOn() || quiet_); }

  // A quiet tank (the desktop background) makes no sound until the user asks for music:
  // the built-in tune stays silent, and the music list does not start by itself. Before
  // the music dialog is made.
  void MakeQuiet() {
    quiet_ = true;
    playlist.SetStartsPlaying(false);
  }
  bool Quiet() const { return quiet_; }

  SlideshowModel slideshow;
  PlaylistModel playlist;
  DefaultTune tune;

 private:
  bool quiet_ = false;
};

}  // namespace settings
