#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "Raster.h"

namespace art {

// One entry the resource manifest must carry for a written file.
struct ManifestEntry {
  std::string type;
  int id;
  std::string file;  // relative to the assets folder
  int hotX = 0;
  int hotY = 0;
};

// Writes every art file and checks it against the resource manifest beside the files.
class ArtSet {
 public:
  explicit ArtSet(std::filesystem::path outDir) : outDir_(std::move(outDir)) {}
  void writeAll();
  size_t fileCount() const { return written_; }

 private:
  void bmp(const std::string& name, const Raster& image, const std::string& type, int id);
  void png(const std::string& name, const Raster& image, const std::string& type, int id,
           int hotX = 0, int hotY = 0);
  void expect(const ManifestEntry& e) { expected_.push_back(e); }
  void checkManifest() const;

  std::filesystem::path outDir_;
  std::vector<ManifestEntry> expected_;
  size_t written_ = 0;
};

}  // namespace art
