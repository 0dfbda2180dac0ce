// artgen OUT_DIR: paints every image and synthesizes the tune of the program into OUT_DIR
// (src/assets/files), checking each file's invariants; a broken invariant fails the run.
#include <exception>
#include <filesystem>
#include <iostream>

#include "ArtSet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: artgen OUT_DIR\n";
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out / "icons");
    art::ArtSet set(out);
    set.writeAll();
    std::cout << "artgen: wrote " << set.fileCount() << " files into " << out.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
