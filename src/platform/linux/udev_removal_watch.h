#pragma once

#include <thread>

#include "device/removal_watch.h"

namespace torvane {

// Removal notices from a libudev monitor on the hidraw subsystem: the callback gets the removed
// node's path (/dev/hidrawN, as hidapi names it) on the watch's own thread.
class UdevRemovalWatch : public RemovalWatch {
  public:
    UdevRemovalWatch() = default;
    ~UdevRemovalWatch() override;
    UdevRemovalWatch(const UdevRemovalWatch&) = delete;
    UdevRemovalWatch& operator=(const UdevRemovalWatch&) = delete;

    bool start(Callback onRemoved) override;

  private:
    int m_wakeFd = -1;      // eventfd that ends the watch's poll
    std::jthread m_thread;  // owns the udev monitor while it runs
};

}  // namespace torvane
