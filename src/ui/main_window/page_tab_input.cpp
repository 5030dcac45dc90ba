#include "ui/main_window/page_tab_input.h"

#include <cstddef>
#include <initializer_list>
#include <utility>

#include "app/app_state.h"
#include "device/confirm_blink.h"

namespace torvane {

namespace {

// The lowest element of rects[0..last] containing the point, or kNoElement.
template <std::size_t N>
std::int32_t hitTest(const std::array<SkinRect, N>& rects, int last, Point point) {
    return hitTestElements(rects, last, point.x, point.y);
}

constexpr std::uint8_t kMainPage = 0;
constexpr std::uint8_t kAdvancedPage = 1;
constexpr std::uint8_t kColourPage = 2;

}  // namespace

int PageTabInput::mouseMove(Point point) {
    const SkinLayout& layout = m_state.skinLayout;
    const int lastMain =
        m_state.currentPage == kMainPage ? kLastMainPageElement : kLastFrameElement;
    m_state.hoverMainElement = hitTest(layout.mainRects, lastMain, point);
    m_state.hoverColourElement = hitTest(layout.colourRects, kLastHoverColourElement, point);
    m_state.hoverAdvancedElement = hitTest(layout.advancedRects, kLastHoverAdvancedElement, point);

    int repaints = 0;
    for (auto [now, last] : {std::pair{m_state.hoverMainElement, &m_lastMain},
                             std::pair{m_state.hoverColourElement, &m_lastColour},
                             std::pair{m_state.hoverAdvancedElement, &m_lastAdvanced}}) {
        if (now != *last) {
            ++repaints;
            *last = now;
        }
    }
    return repaints;
}

PageTabInput::PressResult PageTabInput::leftDown(Point) {
    PressResult result;
    const std::int32_t main = m_state.hoverMainElement;
    const std::int32_t colour = m_state.hoverColourElement;
    const std::int32_t advanced = m_state.hoverAdvancedElement;
    if (main != kNoElement || colour != kNoElement || advanced != kNoElement) {
        m_state.elementPressed = true;
        result.repaint = true;
    }
    switch (m_state.currentPage) {
        case kMainPage:
            if (main == kAdvancedTabElement) goToPage(kAdvancedPage);
            if (main == kColourTabElement) goToPage(kColourPage);
            result.drag = main == kNoElement;
            break;
        case kAdvancedPage:
            if (main == kMainTabElement) goToPage(kMainPage);
            if (main == kColourTabElement) goToPage(kColourPage);
            result.drag = main == kNoElement && advanced == kNoElement;
            break;
        case kColourPage:
            if (main == kMainTabElement) goToPage(kMainPage);
            if (main == kAdvancedTabElement) goToPage(kAdvancedPage);
            result.drag = main == kNoElement && colour == kNoElement;
            break;
        default:
            break;
    }
    return result;
}

void PageTabInput::leftUp(Point) {
    m_state.elementPressed = false;
}

void PageTabInput::goToPage(std::uint8_t page) {
    if (m_state.currentPage == page) return;
    m_state.currentPage = page;
    if (page == kMainPage && m_blink != nullptr && m_state.blinkThreadActive == 0) {
        m_blink->start();
    }
}

}  // namespace torvane
