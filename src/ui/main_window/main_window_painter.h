#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

struct AppState;
struct Image;
class Canvas;
class ImageLoader;

// What the window system says about the window at paint time.
struct PaintView {
    bool minimised = false;
    std::int32_t clientWidth = 0;  // client area in pixels (used while minimised)
    std::int32_t clientHeight = 0;
    const Image* icon = nullptr;  // the application icon, drawn while minimised; may be null
};

// What the caller must do after a paint.
struct PaintResult {
    bool closePicker = false;  // destroy the open function picker (closePickerOnPaint was set)
};

// The text of the DPI value with index `dpiValueIndex` (0..4), as the colour page shows it.
std::u16string_view dpiValueText(std::int32_t dpiValueIndex);

// The status line: "驱动运行中..." once the mouse has confirmed, else the request to click the
// pending button, whose number blinks with confirmBlinkOn.
std::u16string statusLineText(const AppState& state);

// Paints the current page of the main window onto `canvas`, which covers at least
// skinLayout.maskWidth x skinLayout.maskHeight pixels: the page's normal picture, the hovered
// or pressed element copied from the over or down picture, the state overlays of the page, the
// frame shared by all pages and the captions. Reads AppState only, apart from the captions it
// rewrites (the status line and the advanced page's record button and event counts). Pictures
// that cannot be loaded leave their copies undrawn. The caller then puts the canvas on the
// screen in one copy. UI thread only.
PaintResult paintMainWindow(AppState& state, ImageLoader& images, Canvas& canvas,
                            const PaintView& view = {});

}  // namespace torvane
