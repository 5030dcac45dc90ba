#pragma once

#include <cstddef>

namespace torvane {

struct DeviceLink;
class HidBackend;

// Discovery examines at most this many enumeration indexes.
inline constexpr std::size_t kMaxInterfaceIndexes = 100;

// Finds the mouse among the interfaces `backend` enumerates and opens its two vendor
// collections into `link`: indexes 0..99 are examined in order (indexes past the end of the
// list are skipped like failing ones), every interface with the mouse's ids sets devicePath, the
// read collection (0xFF00/1) is opened for reading and the write collection (0xFF01/1) for
// writing, each with its caps, and the loop stops once both handles are set (an open that
// failed counts as set). Returns, and stores in devicePresent, whether the last interface
// examined was the mouse's. One path may serve both collections. UI thread.
bool discoverMouse(DeviceLink& link, HidBackend& backend);

}  // namespace torvane
