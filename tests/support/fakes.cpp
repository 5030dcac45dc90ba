#include "support/fakes.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#include "app/text.h"

namespace torvane::test {

namespace {
void note(CallLog* log, const std::string& entry) {
    if (log != nullptr) log->push_back(entry);
}
}  // namespace

void FakeMessageBox::show(const std::u16string& text) {
    shown.push_back(text);
    note(m_log, "message:" + utf8FromUtf16(text));
}

std::optional<int> FakePointerSpeed::get() {
    note(m_log, "pointer-speed:get");
    return speed;
}

void FakePointerSpeed::set(int value) {
    setValues.push_back(value);
    speed = value;
    note(m_log, "pointer-speed:set " + std::to_string(value));
}

void FakeInjector::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    events.push_back({Event::Kind::Key, virtualKey, scanCode, flags});
    note(m_log, "key " + std::to_string(virtualKey) + ((flags & kKeyEventKeyUp) ? " up" : " down"));
}

void FakeInjector::mouseButtonEvent(std::uint32_t flags) {
    events.push_back({Event::Kind::Mouse, 0, 0, flags});
    note(m_log, "mouse " + std::to_string(flags));
}

std::uint8_t FakeInjector::scanCodeOf(std::uint8_t virtualKey) {
    return static_cast<std::uint8_t>(virtualKey + 0x10);
}

void FakeTrayIcon::remove() {
    ++removed;
    note(m_log, "tray:remove");
}

void FakeWindow::destroy() {
    destroyed = true;
    note(m_log, "window:destroy");
}

std::optional<std::filesystem::path> FakeFileDialog::choose(const FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("torvane-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

}  // namespace torvane::test
