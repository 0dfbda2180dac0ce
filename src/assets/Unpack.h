#pragma once
#include <string>

namespace assets {

// Turns packed RCAD resource `id` into files in `dir` (which ends with '/'): the scrambled
// copy dir+baseName+".ad" and the unscrambled dir+baseName+".bmp" (".wav" for "Music").
// Returns false, writing nothing, when the program holds no such resource, and false when a
// file cannot be read back or written (the caller then carries on without the asset).
bool Unpack(int id, const std::string& dir, const std::string& baseName);

// The unscrambled file's name: dir + baseName + ".bmp" (".wav" for "Music").
std::string UnpackedPath(const std::string& dir, const std::string& baseName);

// Deletes the scrambled copy, then the unscrambled file; failures are ignored.
void DeleteUnpacked(const std::string& dir, const std::string& baseName);

}  // namespace assets
