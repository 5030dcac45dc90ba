#pragma once

#include <cstdint>
#include <stop_token>

#include "macro/macro_table.h"

namespace torvane {

struct AppState;
class DeadlineClock;
class InputInjector;

// Times a macro is played when started by one press.
inline constexpr std::int32_t kHeldMacroRepetitions = 100000;

// Whether a key is injected with the extended-key flag (the navigation block, Print Screen, the
// left Windows and Applications keys, numeric-pad divide, Num Lock and the right Shift, Ctrl and
// Alt keys).
bool isExtendedKey(std::uint8_t virtualKey);

// The scan code injected with a macro's key step: fixed for Print Screen, Pause and the left
// Windows key, looked up through the injector for every other key.
std::uint8_t macroScanCode(std::uint8_t virtualKey, InputInjector& injector);

// Injects one macro step: a key (codes below 240) or mouse button (240 left, 241 right, 242..255
// middle) press (action 1) or release (action 2). Any other action injects nothing.
void emitMacroStep(const MacroEvent& event, InputInjector& injector);

// How often macro `macro` plays: 100000 in hold mode (macroRepeatWhileHeld not 0), otherwise once,
// or repeatCount times when repetition is enabled.
std::int32_t macroRepetitions(const Macro& macro, std::int32_t macroRepeatWhileHeld);

// Plays macro `m` (0 <= m < the table's count) on the calling thread, the engine's: every step is
// read from the table afresh, injected, and followed by its delay, measured against an absolute
// deadline (the start plus all delays so far) so long macros do not drift. After each delay the
// macro ends when state.stopRequested is 1 (a further press, or the release in hold mode) or
// when `stop` asks the engine to end. Keys it pressed and did not release stay pressed.
void playMacro(AppState& state, int m, InputInjector& injector, DeadlineClock& clock,
               std::stop_token stop = {});

}  // namespace torvane
