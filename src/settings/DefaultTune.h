#pragma once
#include "platform/TunePlayer.h"

// The built-in tune and its hand-off with the user's own music, ticked by the view after
// every frame (and by its slow tick while nothing is drawn): while custom music is on the
// tune is silent; on the first tick after it goes off the tune starts again from its
// beginning and loops.
namespace settings {

class DefaultTune {
 public:
  // customMusicOn: the music list's lamp as its own last tick took it.
  void Tick(bool customMusicOn);
  bool Playing() const { return tune_.IsPlaying(); }

 private:
  void Play();

  bool pending_ = true;  // the tune starts at the next tick with custom music off
  platform::TunePlayer tune_;
};

// The wave-out level the tune plays at: 65535 minus the record's YINLIANG, kept in 0..65535.
int DefaultTuneVolumeWord();

}  // namespace settings
