#pragma once

#include <functional>
#include <string>

namespace torvane {

// Tells of HID device nodes that went away. The callback gets the path of the removed node (in
// the form HidInterface::path uses) and runs on the watch's own thread; it must be cheap and
// thread-safe. The watch stops when the object is destroyed.
class RemovalWatch {
  public:
    using Callback = std::function<void(const std::string& removedPath)>;
    virtual ~RemovalWatch() = default;
    // Starts watching; false when the platform offers no notices (reads failing with Gone still
    // tell of a removal). Call once.
    virtual bool start(Callback onRemoved) = 0;
};

}  // namespace torvane
