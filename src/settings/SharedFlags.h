#pragma once

// Values shared between the modeless dialogs and the view, touched only on the
// user-interface thread.
namespace shared {

inline bool customMusicOn = true;        // written by the music dialog's timer
inline bool defaultMusicPending = true;  // set and cleared by the view's timer
inline int highlightedTrack = -1;        // row painted green in the music list
inline bool customImageOn = false;       // written by the picture dialog's timer
inline int currentImageTexture = 0;      // texture to show while customImageOn; 0 or -1: none

}  // namespace shared
