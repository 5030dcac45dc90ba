#include "macro/macro_recorder.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/app_window.h"
#include "macro/edit_box.h"
#include "macro/list_box.h"
#include "macro/macro_display.h"
#include "macro/time_of_day_clock.h"

namespace torvane {

namespace {

constexpr std::uint32_t kKeyDown = static_cast<std::uint32_t>(KeyMessageKind::KeyDown);
constexpr std::uint32_t kKeyUp = static_cast<std::uint32_t>(KeyMessageKind::KeyUp);
constexpr std::uint32_t kSystemKeyDown = static_cast<std::uint32_t>(KeyMessageKind::SystemKeyDown);
constexpr std::uint32_t kSystemKeyUp = static_cast<std::uint32_t>(KeyMessageKind::SystemKeyUp);
constexpr std::uint64_t kEscape = 27;
constexpr std::uint64_t kEnter = 13;
constexpr std::uint64_t kF10 = 121;
constexpr std::int32_t kMillisecondsPerDay = 86'400'000;

bool isKeyMessage(std::uint32_t message) {
    return message == kKeyDown || message == kKeyUp || message == kSystemKeyDown ||
           message == kSystemKeyUp;
}

bool isPress(std::uint32_t message) {
    return message == kKeyDown || message == kSystemKeyDown;
}

}  // namespace

MacroRecorder::~MacroRecorder() {
    if (m_capturing) m_capture.stop();
}

void MacroRecorder::toggleRecording() {
    ListBox* names = m_state.macroNameList;
    if (m_state.macroEventList != nullptr) m_state.macroEventList->focus();
    if (names == nullptr || names->lineCount() == 0) return;
    m_state.recording = !m_state.recording;
    const int m = std::max(names->selectedLine(), 0);
    if (m_state.recording) {
        startRecording(m);
    } else {
        stopRecording();
    }
}

void MacroRecorder::startRecording(int m) {
    m_heldKeys.fill(0);
    m_heldKeyCount = 0;
    if (!m_capturing) m_capturing = m_capture.start(*this);
    // The name list has one line per macro in use, so m is a record; keep to the table anyway.
    m = std::min(m, kMacroCapacity - 1);
    m_recordingMacroIndex = m;
    m_state.releaseLineCount = 0;
    m_state.pressLineCount = 0;
    m_recordedStepCount = 0;
    const std::u16string name = m_state.macroNameList->lineText(m);
    m_state.macroTable.edit([&](MacroTable& table) {
        Macro& macro = table.macros[static_cast<std::size_t>(m)];
        macro = Macro{};
        macro.setName(name);
        macro.repeatEnabled = 0;
        macro.repeatCount = 1;
    });
    m_state.currentMacroIndex = m;
    if (EditBox* repeat = m_state.repeatCountEdit) {
        repeat->setText(u"1");
        repeat->setEnabled(false);
    }
    if (ListBox* events = m_state.macroEventList) {
        while (events->lineCount() > 0) {
            const int before = events->lineCount();
            events->deleteLine(before - 1);
            if (events->lineCount() >= before) break;
        }
    }
}

void MacroRecorder::stopRecording() {
    const auto m = static_cast<std::size_t>(m_recordingMacroIndex);
    const auto steps = static_cast<std::uint8_t>(m_recordedStepCount);
    m_state.macroTable.edit([&](MacroTable& table) { table.macros[m].eventCount = steps; });
    if (m_capturing) {
        m_capture.stop();
        m_capturing = false;
    }
}

bool MacroRecorder::recordKeyMessage(std::uint32_t message, std::uint64_t firstParameter) {
    if (m_state.recording && isKeyMessage(message)) {
        takeKeyMessage(message, static_cast<std::uint32_t>(firstParameter));
    }
    if (message == kKeyDown && (firstParameter == kEscape || firstParameter == kEnter)) return true;
    return firstParameter == kF10;
}

void MacroRecorder::keyEvent(KeyMessageKind kind, std::uint32_t virtualKey) {
    recordKeyMessage(static_cast<std::uint32_t>(kind), virtualKey);
}

void MacroRecorder::takeKeyMessage(std::uint32_t message, std::uint32_t key) {
    const bool repeat = message == m_lastKeyMessage && key == m_lastKeyCode;
    const int n = m_recordedStepCount;
    if (!repeat && n < kMaxSteps) {
        const bool press = isPress(message);
        // A press that cannot be taken leaves the repeat filter as it was, and so does a release
        // whose press was not taken.
        if (press && (m_state.pressLineCount >= kMaxPressLines || m_heldKeyCount >= kMaxHeldKeys)) {
            return;
        }
        const auto code = static_cast<std::uint8_t>(key & 0xFF);
        const auto step = static_cast<std::size_t>(n);
        const auto macroIndex = static_cast<std::size_t>(m_recordingMacroIndex);
        m_state.macroTable.edit(
            [&](MacroTable& table) { table.macros[macroIndex].steps[step].code = code; });
        std::uint8_t action = kActionPress;
        if (press) {
            m_heldKeys[static_cast<std::size_t>(m_heldKeyCount)] = code;
            ++m_heldKeyCount;
        } else {
            const auto held = m_heldKeys.begin();
            const auto found = std::find(held, held + m_heldKeyCount, code);
            if (found == held + m_heldKeyCount) return;
            std::copy(found + 1, held + m_heldKeyCount, found);
            --m_heldKeyCount;
            m_heldKeys[static_cast<std::size_t>(m_heldKeyCount)] = 0;
            action = kActionRelease;
        }
        const std::int32_t wait = elapsedMs();
        const Macro macro = m_state.macroTable.edit([&](MacroTable& table) {
            Macro& target = table.macros[macroIndex];
            target.steps[step].action = action;
            if (n > 0) {
                target.delays[step - 1] = static_cast<std::uint16_t>(wait);
                target.delays[step] = kWaitAfterNewestStep;
            }
            return target;
        });
        appendStepLines(m_state, m_window, macro, n);
        m_recordedStepCount = n + 1;
    }
    m_lastKeyMessage = message;
    m_lastKeyCode = key;
}

std::int32_t MacroRecorder::elapsedMs() {
    const std::int32_t now = m_clock.millisecondOfDay();
    std::int32_t elapsed = now - m_lastStepTime;
    m_lastStepTime = now;
    if (elapsed < 0) elapsed += kMillisecondsPerDay;
    return std::clamp(elapsed, 0, kMaxWait);
}

}  // namespace torvane
