#pragma once
#include "platform/window.h"

#include <string>

namespace tw {

inline constexpr const char* kPlacementFile = "prefinf.dat";

// Records the main window's outer rectangle in the 84-byte placement file: 21 little-endian
// 32-bit integers, left and top first, outer width at index 14 and height at index 15, the
// rest 0. The file is written over the start of an older one without cutting it. Returns 0
// when written, 1 when the file cannot be opened or written.
int SavePlacementFile(Rect outer, const std::string& path = kPlacementFile);

} // namespace tw
