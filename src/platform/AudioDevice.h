#pragma once

// The one sound output of the program: SDL audio with the mixer on top. Opened on first use
// and kept until the process ends. When the machine has no usable sound device the mixer is
// opened on SDL's silent `dummy` driver instead, so music and the tune still "play" (their
// positions advance in real time) and the program never fails to start for want of sound.
namespace platform {

// The mixer channel reserved for the built-in tune; the music stream does not use channels.
inline constexpr int kTuneChannel = 0;

// Opens the device once; later calls only report. False when not even the silent driver
// could be opened (then every player stays without a device).
bool OpenAudio();

// True when OpenAudio() succeeded with the silent driver rather than a real device.
bool AudioIsSilent();

}  // namespace platform
