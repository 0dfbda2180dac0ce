#pragma once
#include <cstddef>
#include <optional>

// The program's own resources, packed into the executable at build time by tools/pack
// from src/assets/manifest.txt. RCAD entries are stored scrambled; images are PNG files;
// cursors carry their hot spot.
namespace res {

enum class Type { Rcad, Icon, Cursor, Bitmap };

struct Resource {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  int hotX = 0;  // cursors only
  int hotY = 0;
};

std::optional<Resource> FindResource(Type type, int id);

// The table the packer generates.
struct TableEntry {
  Type type;
  int id;
  const unsigned char* data;
  const unsigned char* end;
  int hotX;
  int hotY;
};
extern const TableEntry kTable[];
extern const std::size_t kTableSize;

}  // namespace res
