#include "platform/linux/udev_removal_watch.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace torvane {

UdevRemovalWatch::~UdevRemovalWatch() {
    if (m_thread.joinable()) {
        m_thread.request_stop();
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
        m_thread.join();
    }
    if (m_wakeFd >= 0) ::close(m_wakeFd);
}

bool UdevRemovalWatch::start(Callback onRemoved) {
    if (m_thread.joinable() || !onRemoved) return false;
    udev* context = udev_new();
    if (context == nullptr) return false;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return false;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC);
    if (m_wakeFd < 0) {
        udev_monitor_unref(monitor);
        udev_unref(context);
        return false;
    }
    const int wakeFd = m_wakeFd;
    m_thread = std::jthread(
        [context, monitor, wakeFd, onRemoved = std::move(onRemoved)](std::stop_token stop) {
            pollfd fds[2] = {{udev_monitor_get_fd(monitor), POLLIN, 0}, {wakeFd, POLLIN, 0}};
            while (!stop.stop_requested()) {
                if (::poll(fds, 2, -1) < 0) continue;  // interrupted
                if ((fds[1].revents & POLLIN) != 0) break;
                if ((fds[0].revents & POLLIN) == 0) continue;
                udev_device* device = udev_monitor_receive_device(monitor);
                if (device == nullptr) continue;
                const char* action = udev_device_get_action(device);
                const char* node = udev_device_get_devnode(device);
                if (action != nullptr && node != nullptr && std::strcmp(action, "remove") == 0) {
                    onRemoved(std::string(node));
                }
                udev_device_unref(device);
            }
            udev_monitor_unref(monitor);
            udev_unref(context);
        });
    return true;
}

}  // namespace torvane
