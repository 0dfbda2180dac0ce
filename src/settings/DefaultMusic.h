#pragma once

// The built-in tune and its hand-off with the user's own music, run by the view after every
// frame: while own music is on the tune is silent; on the first tick after own music goes off
// the tune starts again from its beginning and loops.
namespace settings {

void DefaultMusicTick();

// The tune is playing now (for the view's tests and the music dialog's).
bool DefaultTunePlaying();

// The wave-out level the tune plays at: 65535 minus the record's YINLIANG, kept in 0..65535.
int DefaultTuneVolumeWord();

}  // namespace settings
