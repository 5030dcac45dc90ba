// Runs the recorder scenarios of tests/unit/macro/scenarios in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "app/text.h"
#include "macro/key_name.h"
#include "macro/macro_recorder.h"
#include "support/fakes.h"
#include "support/macro_fakes.h"

namespace torvane {
namespace {

std::optional<std::uint8_t> keyCode(const std::string& token) {
    if (token.size() > 1 && token[0] == '#')
        return static_cast<std::uint8_t>(std::stoi(token.substr(1)));
    const std::u16string name = utf16FromUtf8(token);
    for (int code = 1; code < 256; ++code) {
        if (keyName(static_cast<std::uint8_t>(code)) == name)
            return static_cast<std::uint8_t>(code);
    }
    return std::nullopt;
}

std::optional<std::int32_t> timeOfDay(const std::string& text) {
    int h = 0, m = 0, s = 0, ms = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms) != 4) return std::nullopt;
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

struct Outcome {
    std::vector<std::string> actual;
    std::string error;
};

Outcome runScenario(const std::vector<std::string>& input) {
    AppState state;
    test::FakeWindow window;
    test::FakeListBox names;
    test::FakeListBox events;
    test::FakeEditBox repeat;
    test::FakeKeyboardCapture capture;
    test::FakeTimeOfDayClock clock;
    clock.now = 10 * 3600 * 1000;
    names.lines = {u"m0", u"m1", u"m2"};
    names.selected = 0;
    state.macroNameList = &names;
    state.macroEventList = &events;
    state.repeatCountEdit = &repeat;
    state.macroTable.edit([](MacroTable& table) {
        table.count = 3;
        for (int m = 0; m < 3; ++m)
            table.macros[static_cast<std::size_t>(m)].setName(u"m" + decimal16(m));
    });
    MacroRecorder recorder(state, window, capture, clock);

    Outcome outcome;
    for (const std::string& line : input) {
        std::istringstream words(line);
        std::string verb, arg;
        words >> verb >> arg;
        if (verb == "record") {
            recorder.toggleRecording();
        } else if (verb == "down" || verb == "up" || verb == "sysdown" || verb == "sysup") {
            const auto code = keyCode(arg);
            if (!code) return {{}, "unknown key: " + line};
            const KeyMessageKind kind = verb == "down"      ? KeyMessageKind::KeyDown
                                        : verb == "up"      ? KeyMessageKind::KeyUp
                                        : verb == "sysdown" ? KeyMessageKind::SystemKeyDown
                                                            : KeyMessageKind::SystemKeyUp;
            if (capture.sink != nullptr) capture.sink->keyEvent(kind, *code);
        } else if (verb == "wait") {
            clock.now = (clock.now + std::stoi(arg)) % 86'400'000;
        } else if (verb == "at") {
            const auto at = timeOfDay(arg);
            if (!at) return {{}, "bad time: " + line};
            clock.now = *at;
        } else if (verb == "select") {
            names.select(std::stoi(arg));
        } else if (verb == "capture-fails") {
            capture.canStart = false;
        } else {
            return {{}, "unknown input: " + line};
        }
    }
    const Macro macro = state.macroTable.snapshot()
                            .macros[static_cast<std::size_t>(recorder.recordingMacroIndex())];
    for (std::size_t k = 0; k < macro.eventCount; ++k) {
        const char* action = macro.steps[k].action == kActionPress     ? "down"
                             : macro.steps[k].action == kActionRelease ? "up"
                                                                       : "pause";
        outcome.actual.push_back(std::string(action) + " " +
                                 utf8FromUtf16(keyName(macro.steps[k].code)) + " " +
                                 std::to_string(macro.delays[k]));
    }
    return outcome;
}

std::string diff(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
    std::ostringstream out;
    const std::size_t rows = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string e = i < expected.size() ? expected[i] : "";
        const std::string a = i < actual.size() ? actual[i] : "";
        out << (e == a ? "  " : "! ") << e << (e == a ? "" : "   <- got: " + a) << '\n';
    }
    return out.str();
}

TEST(RecorderScenarios, AllScenarioFilesPass) {
    const std::filesystem::path folder =
        std::filesystem::path(TORVANE_SOURCE_DIR) / "tests" / "unit" / "macro" / "scenarios";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".scenario") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 6u);
    for (const auto& file : files) {
        std::ifstream in(file);
        std::vector<std::string> input, expected;
        bool inExpected = false;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line[0] == '#') continue;
            if (line.empty()) {
                inExpected = true;
                continue;
            }
            (inExpected ? expected : input).push_back(line);
        }
        const Outcome outcome = runScenario(input);
        EXPECT_EQ(outcome.error, "") << file.filename();
        EXPECT_EQ(outcome.actual, expected) << file.filename() << ":\n"
                                            << diff(expected, outcome.actual);
    }
}

}  // namespace
}  // namespace torvane
