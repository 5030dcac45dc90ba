#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "app/file_dialog.h"
#include "app/message_box.h"
#include "app/pointer_speed.h"
#include "engine/input_injector.h"
#include "ui/tray/tray_icon.h"

namespace torvane::test {

// A shared log of calls, so tests can check the order across several fakes.
using CallLog = std::vector<std::string>;

class FakeMessageBox : public MessageBox {
public:
    explicit FakeMessageBox(CallLog* log = nullptr) : m_log(log) {}
    void show(const std::u16string& text) override;
    std::vector<std::u16string> shown;

private:
    CallLog* m_log;
};

class FakePointerSpeed : public PointerSpeed {
public:
    explicit FakePointerSpeed(CallLog* log = nullptr) : m_log(log) {}
    std::optional<int> get() override;
    void set(int speed) override;
    std::optional<int> speed = 10;  // nullopt: reading fails
    std::vector<int> setValues;

private:
    CallLog* m_log;
};

// Keeps every injected event.
class FakeInjector : public InputInjector {
public:
    struct Event {
        enum class Kind { Key, Mouse } kind;
        std::uint8_t virtualKey = 0;
        std::uint8_t scanCode = 0;
        std::uint32_t flags = 0;
        bool operator==(const Event&) const = default;
    };
    explicit FakeInjector(CallLog* log = nullptr) : m_log(log) {}
    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
    void mouseButtonEvent(std::uint32_t flags) override;
    // The scan code is the virtual key + 0x100 truncated, so tests can tell it was looked up.
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) override;
    std::vector<Event> events;

private:
    CallLog* m_log;
};

class FakeTrayIcon : public TrayIcon {
public:
    explicit FakeTrayIcon(CallLog* log = nullptr) : m_log(log) {}
    void remove() override;
    int removed = 0;

private:
    CallLog* m_log;
};

class FakeWindow : public AppWindow {
public:
    explicit FakeWindow(CallLog* log = nullptr) : m_log(log) {}
    void requestRepaint() override { ++repaints; }
    void destroy() override;
    int repaints = 0;
    bool destroyed = false;

private:
    CallLog* m_log;
};

// Answers each dialog with the next prepared path (or a cancellation), and keeps the requests.
class FakeFileDialog : public FileDialog {
public:
    std::optional<std::filesystem::path> choose(const FileDialogRequest& request) override;
    std::vector<std::optional<std::filesystem::path>> answers;
    std::vector<FileDialogRequest> requests;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// File helpers.
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace torvane::test
