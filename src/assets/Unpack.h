#pragma once
#include <string>

namespace assets {

// Turns packed RCAD resource `id` into files in `dir` (which ends with '/'): the scrambled
// copy dir+baseName+".ad" and the unscrambled dir+baseName+".bmp" (".wav" for "Music").
// Returns false, writing nothing, when the program holds no such resource, and false when a
// file cannot be read back or written (the caller then carries on without the asset).
bool Unpack(int id, const std::string& dir, const std::string& baseName);

// The scrambled copy's name: dir + baseName + ".ad".
std::string ScrambledPath(const std::string& dir, const std::string& baseName);

// The unscrambled file's name: dir + baseName + ".bmp" (".wav" for "Music").
std::string UnpackedPath(const std::string& dir, const std::string& baseName);

// Deletes the scrambled copy, then the unscrambled file; failures are ignored.
void DeleteUnpacked(const std::string& dir, const std::string& baseName);

// The unscramble step on its own: byte k of `in` (k counted from 1) plus key[k % 50]
// goes to `out`, which gets exactly as many bytes. False (and no `out` left behind) when
// `in` cannot be read or `out` cannot be written completely.
bool UnscrambleFile(const std::string& in, const std::string& out);

}  // namespace assets
