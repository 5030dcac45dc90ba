#pragma once

#include <string>
#include <vector>

namespace torvane::skin {

// Rows of the main page: the seven button slots and the four DPI stages.
inline constexpr int kSlotTop = 124;
inline constexpr int kSlotPitch = 62;
inline constexpr int kStageTop = 150;
inline constexpr int kStagePitch = 80;
inline constexpr int kStopLeft = 614;
inline constexpr int kStopWidth = 32;
inline constexpr int kStopHeight = 30;

// How an element looks in the three state pictures of its page.
enum class Kind {
    Unused,         // a record kept in the layout file with an empty rectangle
    Button,         // chamfered push button
    PrimaryButton,  // the same in the brand colour (save, apply)
    Tab,            // page tab in the header
    MinimiseIcon,
    HideIcon,
    StatusLine,      // inset bar the driver status text is written on
    FunctionBox,     // drop-down field of a button slot
    SlotLabel,       // plate with the button's name (drawn in the picture)
    Header,          // section header: the caption sits on an underline
    Label,           // plain caption place
    Checkbox,        // DPI stage enable box
    StageChoice,     // active DPI stage choice (its number drawn in the picture)
    StageLed,        // active DPI stage indicator
    PressIndicator,  // "press this mouse button" indicator of a slot
    DpiStop,         // one stop of a DPI slider track
    Toggle,          // a switch button with an on lamp
    RecordButton,
    SpeedChoice,
    HoverTile,     // decoration with a hover glow only
    Swatch,        // LED colour preview
    ModeChoice,    // LED mode choice
    ValueDisplay,  // inset field a value is written on
};

struct Element {
    int index = 0;
    std::string label;  // field 0 of the record, for the reader of the file
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption;  // UTF-8
    Kind kind = Kind::Unused;
    std::string pictureText;  // UTF-8 text drawn into the pictures themselves (not a caption)
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The whole skin: window and picture sizes, every layout and the function names.
struct Design {
    int windowWidth = 800;
    int windowHeight = 640;
    std::vector<Element> main;      // 0..79
    std::vector<Element> colour;    // 0..11
    std::vector<Element> advanced;  // 0..19
    Rect countEdit, nameEdit, macroList, eventList;
    std::vector<Element> warning;  // 0..2
    int warningWidth = 340;
    int warningHeight = 176;
    std::vector<std::string> functionNames;  // 55, entry 0 empty
    // The outline of the main window, clockwise.
    std::vector<std::pair<int, int>> outline;
    std::vector<std::pair<int, int>> warningOutline;
    // Function pickers: picture width and row height of the two levels.
    int menuWidth = 160;
    int menuRowHeight = 28;
    int subMenuWidth = 168;
    int subMenuRowHeight = 28;
};

const Design& design();

// The DPI value shown under stop `valueIndex` (0..4) of a slider.
const char* dpiText(int valueIndex);
// Position (0..4, left to right) of DPI value index `valueIndex` on the track, so that the track
// reads in ascending DPI.
int stopPosition(int valueIndex);

// The four layout files as text (UTF-8, CRLF line endings).
std::string mainLayoutText(const Design& d);
std::string colourLayoutText(const Design& d);
std::string advancedLayoutText(const Design& d);
std::string warningLayoutText(const Design& d);

}  // namespace torvane::skin
