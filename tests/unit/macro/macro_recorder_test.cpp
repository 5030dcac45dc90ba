#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "support/fakes.h"
#include "support/macro_fakes.h"

namespace torvane {
namespace {

constexpr std::uint32_t kKeyDown = 256;
constexpr std::uint32_t kKeyUp = 257;
constexpr std::uint32_t kSystemKeyDown = 260;
constexpr std::uint32_t kSystemKeyUp = 261;

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() {
        names.lines = {u"first", u"second"};
        names.selected = 1;
        state.macroNameList = &names;
        state.macroEventList = &events;
        state.repeatCountEdit = &repeat;
        state.macroTable.edit([](MacroTable& table) {
            table.count = 2;
            Macro& old = table.macros[1];
            old.setName(u"second");
            old.repeatEnabled = 1;
            old.repeatCount = 9;
            old.eventCount = 3;
            old.steps[0] = {65, 1};
        });
    }
    void press(std::uint32_t key) { capture.sink->keyEvent(KeyMessageKind::KeyDown, key); }
    void release(std::uint32_t key) { capture.sink->keyEvent(KeyMessageKind::KeyUp, key); }
    Macro macro(int m) const {
        return state.macroTable.snapshot().macros[static_cast<std::size_t>(m)];
    }

    AppState state;
    test::FakeWindow window;
    test::FakeListBox names;
    test::FakeListBox events;
    test::FakeEditBox repeat;
    test::FakeKeyboardCapture capture;
    test::FakeTimeOfDayClock clock;
    MacroRecorder recorder{state, window, capture, clock};
};

TEST_F(RecorderTest, StartEmptiesTheSelectedMacroAndStopFixesItsCount) {
    events.lines = {u"[↓]A"};
    repeat.setText(u"9");
    recorder.toggleRecording();
    EXPECT_TRUE(state.recording);
    EXPECT_EQ(capture.starts, 1);
    EXPECT_EQ(state.currentMacroIndex, 1);
    Macro emptied = macro(1);
    EXPECT_EQ(emptied.nameView(), u"second");
    EXPECT_EQ(emptied.repeatEnabled, 0);
    EXPECT_EQ(emptied.repeatCount, 1);
    EXPECT_EQ(emptied.eventCount, 0);
    EXPECT_EQ(emptied.steps[0], MacroStep{});
    EXPECT_TRUE(events.lines.empty());
    EXPECT_EQ(repeat.value, u"1");
    EXPECT_FALSE(repeat.enabled);
    EXPECT_EQ(events.focusCount, 1);

    press('Q');
    clock.now += 40;
    release('Q');
    EXPECT_EQ(macro(1).eventCount, 0);  // fixed only when the recording stops
    EXPECT_EQ(events.lines, (std::vector<std::u16string>{u"[↓]Q", u"    40ms", u"[↑]Q"}));
    EXPECT_EQ(events.selected, 2);  // the last line while recording
    EXPECT_EQ(state.pressLineCount, 1);
    EXPECT_EQ(state.releaseLineCount, 1);

    recorder.toggleRecording();
    EXPECT_FALSE(state.recording);
    EXPECT_EQ(capture.stops, 1);
    EXPECT_EQ(capture.sink, nullptr);
    EXPECT_EQ(macro(1).eventCount, 2);
}

TEST_F(RecorderTest, WithoutAMacroOnlyTheFocusMoves) {
    names.lines.clear();
    names.selected = -1;
    recorder.toggleRecording();
    EXPECT_FALSE(state.recording);
    EXPECT_EQ(capture.starts, 0);
    EXPECT_EQ(events.focusCount, 1);
}

TEST_F(RecorderTest, NoSelectionRecordsIntoTheFirstMacro) {
    names.selected = -1;
    recorder.toggleRecording();
    EXPECT_EQ(recorder.recordingMacroIndex(), 0);
    EXPECT_EQ(macro(0).nameView(), u"first");
}

TEST_F(RecorderTest, PressLimitDropsFurtherPressesAndTheirReleases) {
    recorder.toggleRecording();
    for (std::uint32_t i = 0; i < 108; ++i) {
        press(1 + i % 200);
        release(1 + i % 200);
    }
    EXPECT_EQ(recorder.recordedStepCount(), 216);
    EXPECT_EQ(state.pressLineCount, 108);
    recorder.toggleRecording();
    EXPECT_EQ(macro(1).eventCount, 216);

    // 108 presses held back by their releases: extra presses are not taken, releases of the
    // taken ones still are, up to 216 steps.
    recorder.toggleRecording();
    for (std::uint32_t i = 0; i < 8; ++i) press(10 + i);  // held: 8 keys
    for (std::uint32_t i = 0; i < 8; ++i) release(10 + i);
    for (std::uint32_t i = 8; i < 108; ++i) {
        press(10 + i);
        release(10 + i);
    }
    EXPECT_EQ(state.pressLineCount, 108);
    press(200);  // beyond the press limit
    EXPECT_EQ(recorder.recordedStepCount(), 216);
    release(200);
    EXPECT_EQ(recorder.recordedStepCount(), 216);
    EXPECT_EQ(recorder.heldKeyCount(), 0);
}

TEST_F(RecorderTest, ReleasesOfTakenPressesAreTakenAfterThePressLimit) {
    recorder.toggleRecording();
    for (std::uint32_t i = 0; i < 107; ++i) {
        press(30 + i);
        release(30 + i);
    }
    press('Z');  // the 108th press, held
    EXPECT_EQ(state.pressLineCount, 108);
    press('Y');  // not taken
    release('Y');
    release('Z');  // taken
    EXPECT_EQ(recorder.recordedStepCount(), 216);
    EXPECT_EQ(state.releaseLineCount, 108);
}

TEST_F(RecorderTest, TenthHeldKeyIsTreatedLikeAPressBeyondTheLimit) {
    recorder.toggleRecording();
    for (std::uint32_t key = 'A'; key < 'A' + 9; ++key) press(key);
    EXPECT_EQ(recorder.heldKeyCount(), 9);
    press('Z');
    EXPECT_EQ(recorder.recordedStepCount(), 9);
    release('Z');  // its press was not taken
    EXPECT_EQ(recorder.recordedStepCount(), 9);
    release('C');
    press('Z');  // room again
    EXPECT_EQ(recorder.recordedStepCount(), 11);
    const Macro recorded = macro(1);
    EXPECT_EQ(recorded.steps[9], (MacroStep{'C', 2}));
    EXPECT_EQ(recorded.steps[10], (MacroStep{'Z', 1}));
}

TEST_F(RecorderTest, FilterConsumesEscapeEnterAndF10) {
    struct Case {
        std::uint32_t message;
        std::uint64_t parameter;
        bool consumed;
    };
    const Case cases[] = {
        {kKeyDown, 27, true},  {kKeyDown, 13, true},        {kKeyUp, 27, false},
        {kKeyUp, 13, false},   {kSystemKeyDown, 13, false}, {kSystemKeyDown, 121, true},
        {kKeyDown, 121, true}, {kSystemKeyUp, 121, true},   {0x0200, 121, true},
        {kKeyDown, 65, false}, {0x0205, 27, false},
    };
    for (const bool recording : {false, true}) {
        if (recording) recorder.toggleRecording();
        for (const Case& c : cases) {
            EXPECT_EQ(recorder.recordKeyMessage(c.message, c.parameter), c.consumed)
                << c.message << " " << c.parameter << " recording " << recording;
        }
    }
    // While recording, the key messages among them were taken as steps too.
    EXPECT_GT(recorder.recordedStepCount(), 0);
    EXPECT_EQ(macro(1).steps[0], (MacroStep{27, 1}));
}

TEST_F(RecorderTest, MessagesAreIgnoredWhenNotRecording) {
    recorder.recordKeyMessage(kKeyDown, 'A');
    recorder.recordKeyMessage(kKeyUp, 'A');
    EXPECT_EQ(recorder.recordedStepCount(), 0);
    EXPECT_EQ(macro(1).eventCount, 3);
}

TEST_F(RecorderTest, ElapsedMsCoversMidnightAndTheCap) {
    struct Case {
        std::int32_t now;
        std::int32_t elapsed;
    };
    const Case cases[] = {
        {1000, 1000},  // from the start-up stamp 0
        {1250, 250},  {1250 + 65535, 65535}, {1250 + 65536 + 65535, 65535}, {86'399'990, 65535},
        {5, 15},  // across midnight
        {5, 0},
    };
    for (const Case& c : cases) {
        clock.now = c.now;
        EXPECT_EQ(recorder.elapsedMs(), c.elapsed) << c.now;
    }
}

TEST_F(RecorderTest, LinesGoNowhereWhileThePageIsClosed) {
    recorder.toggleRecording();
    state.macroEventList = nullptr;
    state.repeatCountEdit = nullptr;
    press('A');
    release('A');
    EXPECT_EQ(recorder.recordedStepCount(), 2);
    EXPECT_EQ(state.pressLineCount, 1);
    recorder.toggleRecording();
    EXPECT_EQ(macro(1).eventCount, 2);
}

TEST_F(RecorderTest, DestroyingTheRecorderEndsTheCapture) {
    {
        MacroRecorder local(state, window, capture, clock);
        local.toggleRecording();
        EXPECT_NE(capture.sink, nullptr);
    }
    EXPECT_EQ(capture.sink, nullptr);
}

}  // namespace
}  // namespace torvane
