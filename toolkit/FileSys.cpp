// The part of the file layer that is the same on every system: the simulated full disk.
#include "FileSys.h"

#include <algorithm>

namespace {
std::int64_t diskSpaceLeft = -1;
}  // namespace

void SimulateDiskFullAfter(std::int64_t bytes) { diskSpaceLeft = bytes; }

std::uint32_t ClaimDiskSpace(std::uint32_t size) {
  if (diskSpaceLeft < 0) return size;
  const auto allowed = static_cast<std::uint32_t>(std::min<std::int64_t>(size, diskSpaceLeft));
  diskSpaceLeft -= allowed;
  return allowed;
}
