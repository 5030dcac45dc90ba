#pragma once

#include <cstdint>

#include "ui/geometry.h"

namespace torvane {

struct AppState;
class ConfirmBlink;

// The main window's mouse input as far as the page tabs go: hover tracking over the three
// layouts (for the hover and press look), the tabs that switch pages, and a press on empty
// space that drags the window. Every other element is hovered and pressed but does nothing yet.
// UI thread only.
class PageTabInput {
  public:
    // `blink` (may be null) is restarted when the main page is entered while none runs, so that
    // an awaited confirmation blinks again.
    explicit PageTabInput(AppState& state, ConfirmBlink* blink = nullptr)
        : m_state(state), m_blink(blink) {}

    // Cursor at `point` (client pixels). Returns how many repaints the change asks for: one per
    // layout whose hovered element changed.
    int mouseMove(Point point);

    struct PressResult {
        bool repaint = false;  // the window is to be repainted
        bool drag = false;     // the press is on empty space: move the window with the mouse
    };
    PressResult leftDown(Point point);

    // Always asks for a repaint.
    void leftUp(Point point);

  private:
    void goToPage(std::uint8_t page);

    AppState& m_state;
    ConfirmBlink* m_blink;
    std::int32_t m_lastMain = 255;
    std::int32_t m_lastColour = 255;
    std::int32_t m_lastAdvanced = 255;
};

// Main elements hit-tested on the main page, and on the other pages (the frame).
inline constexpr int kLastMainPageElement = 64;
inline constexpr int kLastFrameElement = 16;
inline constexpr int kLastHoverColourElement = 4;
inline constexpr int kLastHoverAdvancedElement = 11;
// The page tabs.
inline constexpr std::int32_t kMainTabElement = 9;
inline constexpr std::int32_t kAdvancedTabElement = 10;
inline constexpr std::int32_t kColourTabElement = 11;

}  // namespace torvane
