#include "macro/default_macros.h"

#include <initializer_list>

#include "app/ini_file.h"
#include "macro/macro_file.h"

namespace torvane {

namespace {

constexpr std::uint8_t kControl = 17;
constexpr std::uint8_t kShift = 16;
constexpr std::uint8_t kEscape = 27;

Macro makeMacro(std::u16string_view name, std::initializer_list<MacroEvent> events) {
    Macro macro;
    macro.setName(name);
    macro.repeatEnabled = 0;
    macro.repeatCount = 1;
    std::size_t k = 0;
    for (const MacroEvent& event : events) {
        macro.steps[k] = MacroStep{event.code, event.action};
        macro.delays[k] = event.delayMs;
        ++k;
    }
    macro.eventCount = static_cast<std::uint8_t>(k);
    return macro;
}

MacroEvent press(std::uint8_t code, std::uint16_t wait) {
    return {code, kActionPress, wait};
}
MacroEvent release(std::uint8_t code, std::uint16_t wait) {
    return {code, kActionRelease, wait};
}

}  // namespace

MacroTable defaultMacroTable() {
    MacroTable table;
    table.macros[0] =
        makeMacro(u"双击左键", {press(kCodeLeftButton, 30), release(kCodeLeftButton, 60),
                                press(kCodeLeftButton, 30), release(kCodeLeftButton, 30)});
    table.macros[1] =
        makeMacro(u"左键三连发", {press(kCodeLeftButton, 40), release(kCodeLeftButton, 80),
                                  press(kCodeLeftButton, 40), release(kCodeLeftButton, 80),
                                  press(kCodeLeftButton, 40), release(kCodeLeftButton, 30)});
    table.macros[2] = makeMacro(u"Ctrl+Shift+Esc",
                                {press(kControl, 30), press(kShift, 30), press(kEscape, 50),
                                 release(kEscape, 30), release(kShift, 30), release(kControl, 30)});
    table.count = 3;
    return table;
}

std::string defaultMacroFileBytes() {
    IniFile file;
    writeMacroFile(file, defaultMacroTable());
    return file.serialize();
}

}  // namespace torvane
