#include "support/engine_fakes.h"

#include <algorithm>
#include <sstream>

namespace torvane::test {

DeadlineClock::TimePoint FakeDeadlineClock::now() {
    std::lock_guard lock(m_mutex);
    return m_now;
}

bool FakeDeadlineClock::sleepUntil(TimePoint deadline, std::stop_token stop) {
    {
        std::lock_guard lock(m_mutex);
        sleeps.push_back(std::max(deadline - m_now, std::chrono::nanoseconds(0)));
    }
    runUntil(deadline);
    return !stop.stop_requested();
}

void FakeDeadlineClock::at(std::chrono::milliseconds at, std::function<void()> action) {
    std::lock_guard lock(m_mutex);
    const TimePoint moment = TimePoint{} + at;
    const auto place = std::upper_bound(
        m_scheduled.begin(), m_scheduled.end(), moment,
        [](const TimePoint& value, const Scheduled& item) { return value < item.at; });
    m_scheduled.insert(place, Scheduled{moment, std::move(action)});
}

void FakeDeadlineClock::advance(std::chrono::nanoseconds step) { runUntil(now() + step); }

bool FakeDeadlineClock::runNext() {
    std::function<void()> action;
    {
        std::lock_guard lock(m_mutex);
        if (m_scheduled.empty()) return false;
        m_now = std::max(m_now, m_scheduled.front().at);
        action = std::move(m_scheduled.front().action);
        m_scheduled.erase(m_scheduled.begin());
    }
    action();
    return true;
}

void FakeDeadlineClock::runUntil(TimePoint deadline) {
    for (;;) {
        std::function<void()> action;
        {
            std::lock_guard lock(m_mutex);
            if (m_scheduled.empty() || m_scheduled.front().at > deadline) {
                m_now = std::max(m_now, deadline);
                return;
            }
            m_now = std::max(m_now, m_scheduled.front().at);
            action = std::move(m_scheduled.front().action);
            m_scheduled.erase(m_scheduled.begin());
        }
        action();  // outside the guard: an action may schedule more
    }
}

std::int64_t FakeDeadlineClock::elapsedMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(now() - TimePoint{}).count();
}

void EngineLog::add(const std::string& line) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        m_clock.now() - DeadlineClock::TimePoint{})
                        .count();
    std::lock_guard lock(m_mutex);
    m_lines.push_back(std::to_string(ms) + ' ' + line);
}

std::string EngineLog::text() {
    std::lock_guard lock(m_mutex);
    std::string all;
    for (const std::string& line : m_lines) all += line + '\n';
    return all;
}

std::vector<std::string> EngineLog::lines() {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

void LoggingInjector::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode,
                               std::uint32_t flags) {
    std::ostringstream line;
    line << "key " << int{virtualKey} << ((flags & kKeyEventKeyUp) ? " up" : " down")
         << " ext=" << ((flags & kKeyEventExtendedKey) ? 1 : 0) << " scan=" << int{scanCode};
    m_log.add(line.str());
    if (m_clock != nullptr && costPerEvent.count() > 0) m_clock->advance(costPerEvent);
}

void LoggingInjector::mouseButtonEvent(std::uint32_t flags) {
    const char* text = nullptr;
    switch (flags) {
        case kMouseLeftDown: text = "mouse left down"; break;
        case kMouseLeftUp: text = "mouse left up"; break;
        case kMouseRightDown: text = "mouse right down"; break;
        case kMouseRightUp: text = "mouse right up"; break;
        case kMouseMiddleDown: text = "mouse middle down"; break;
        case kMouseMiddleUp: text = "mouse middle up"; break;
        default: break;
    }
    if (text != nullptr) {
        m_log.add(text);
    } else {
        std::ostringstream line;
        line << "mouse 0x" << std::hex << std::uppercase << flags;
        m_log.add(line.str());
    }
    if (m_clock != nullptr && costPerEvent.count() > 0) m_clock->advance(costPerEvent);
}

std::uint8_t LoggingInjector::scanCodeOf(std::uint8_t virtualKey) {
    return static_cast<std::uint8_t>(virtualKey + 0x10);
}

void LoggingEngineDevice::sendDpiAndLed(std::int32_t level, std::uint8_t ledValue) {
    m_log.add("dpi-led " + std::to_string(level) + ' ' + std::to_string(ledValue));
}

void LoggingEngineDevice::applyConfiguration() { m_log.add("apply"); }

}  // namespace torvane::test
