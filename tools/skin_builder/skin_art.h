#pragma once

#include <QImage>

#include "skin_design.h"

namespace torvane::skin {

enum class State { Normal, Over, Down };

// The colours the LED preview swatch of the colour page shows.
enum class LedColour { Pink, Red, Purple, Blue, Dark };

QImage mainPage(const Design& d, State state);
QImage advancedPage(const Design& d, State state);
QImage colourPage(const Design& d, State state, LedColour swatch);
// The knob of the DPI sliders, one stop in size, on the slider track.
QImage dpiSlider(const Design& d);
// Black where the window is, white where it is cut away; no grey at the edge.
QImage mainMask(const Design& d);
QImage warningMask(const Design& d);
QImage warningPicture(const Design& d, State state);
// The function pickers: `second` selects the second-level list.
QImage menuPicture(const Design& d, bool second, State state);
QImage menuMask(const Design& d, bool second);

// The font the program draws its captions with, and the one for text inside the pictures.
QFont captionFont();
QFont pictureFont(int pixelSize, bool bold = false);

}  // namespace torvane::skin
