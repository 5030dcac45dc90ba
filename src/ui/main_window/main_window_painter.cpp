#include "ui/main_window/main_window_painter.h"

#include <memory>
#include <span>

#include "app/app_state.h"
#include "app/text.h"
#include "ui/canvas.h"
#include "ui/skin/image_loader.h"

namespace torvane {

namespace {

constexpr int kFrameLastElement = 16;
constexpr int kStatusLineElement = 1;
constexpr int kProfileSelectorOffset = 3;
constexpr int kFirstFunctionBox = 17;
constexpr int kLastFunctionBox = 23;
constexpr int kFunctionTextIndent = 5;
constexpr int kFirstMacroFunction = 41;
constexpr int kPageCaptionBase = 17;

struct PageInfo {
    std::string_view normal;
    std::string_view over;
    std::string_view down;
    std::int32_t tabElement;
    int captionSlots;
};

constexpr PageInfo kPages[] = {
    {skin_file::kMainNormal, skin_file::kMainOver, skin_file::kMainDown, 9, 37},
    {skin_file::kAdvancedNormal, skin_file::kAdvancedOver, skin_file::kAdvancedDown, 10, 37},
    {skin_file::kColourNormalPink, skin_file::kColourOverRed, skin_file::kColourDownPurple, 11, 28},
};

enum class Page { Main = 0, Advanced = 1, Colour = 2 };

const SkinRect* elementRect(std::span<const SkinRect> rects, std::int64_t element) {
    if (element < 0 || element >= static_cast<std::int64_t>(rects.size())) return nullptr;
    return &rects[static_cast<std::size_t>(element)];
}

template <typename T>
const T* entry(std::span<const T> items, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(items.size())) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

class PagePainter {
  public:
    PagePainter(AppState& state, ImageLoader& images, Canvas& canvas)
        : m_state(state), m_skin(state.skinLayout), m_images(images), m_canvas(canvas) {}

    void paint() {
        const std::uint8_t pageNumber = m_state.currentPage;
        m_page = pageNumber <= 2 ? static_cast<Page>(pageNumber) : Page::Main;
        const PageInfo& info = kPages[static_cast<int>(m_page)];
        m_normal = loadSkinImage(m_images, info.normal);
        m_over = loadSkinImage(m_images, info.over);
        m_down = loadSkinImage(m_images, info.down);

        drawBackground();
        drawHoveredPageElement();
        switch (m_page) {
            case Page::Main:
                drawMainOverlays();
                break;
            case Page::Advanced:
                drawAdvancedOverlays();
                break;
            case Page::Colour:
                drawColourOverlays();
                break;
        }
        drawFrame(info.tabElement);
        drawCaptions(info.captionSlots);
    }

  private:
    std::span<const SkinRect> pageRects() const {
        switch (m_page) {
            case Page::Advanced:
                return m_skin.advancedRects;
            case Page::Colour:
                return m_skin.colourRects;
            case Page::Main:
                break;
        }
        return m_skin.mainRects;
    }

    void copy(const std::shared_ptr<const Image>& picture, std::span<const SkinRect> rects,
              std::int64_t element) {
        const SkinRect* rect = elementRect(rects, element);
        if (picture && rect) m_canvas.copyRect(*picture, *rect);
    }
    void copyMain(const std::shared_ptr<const Image>& picture, std::int64_t element) {
        copy(picture, m_skin.mainRects, element);
    }

    void drawBackground() {
        const SkinRect whole{0, 0, m_skin.maskWidth, m_skin.maskHeight};
        if (!m_normal || m_normal->width < whole.width || m_normal->height < whole.height) {
            m_canvas.fillRect(whole, kBlack);
        }
        if (m_normal)
            m_canvas.copyRect(*m_normal, SkinRect{0, 0, m_normal->width, m_normal->height});
    }

    void drawHoveredPageElement() {
        std::int32_t hovered = m_state.hoverMainElement;
        if (m_page == Page::Advanced) hovered = m_state.hoverAdvancedElement;
        if (m_page == Page::Colour) hovered = m_state.hoverColourElement;
        if (hovered == kNoElement) return;
        copy(m_state.elementPressed ? m_down : m_over, pageRects(), hovered);
    }

    void drawMainOverlays() {
        const MouseConfig& config = m_state.config;
        copyMain(m_down, 65 + std::int64_t{config.currentDpiLevel.load()});

        const std::shared_ptr<const Image> slider = loadSkinImage(m_images, skin_file::kDpiSlider);
        for (int k = 0; k < kDpiStageCount; ++k) {
            const auto stage = static_cast<std::size_t>(k);
            const SkinRect* stop = elementRect(m_skin.mainRects, m_state.dpiSettingElement[stage]);
            if (slider && stop) {
                m_canvas.drawTopLeft(*slider, stop->x, stop->y, stop->width, stop->height);
            }
            if (config.dpiLevelEnabled[stage] == 1) copyMain(m_down, 27 + k);
        }

        copyMain(m_down, config.wheelMode == 0 ? 32 : 33);

        if (m_state.ackReceived == 0) {
            copyMain(m_state.confirmBlinkOn ? m_over : m_down,
                     68 + std::int64_t{m_state.pendingConfirmButton.load()});
        }
    }

    void drawAdvancedOverlays() {
        const std::span<const SkinRect> rects = m_skin.advancedRects;
        if (m_state.recording) copy(m_down, rects, 4);
        copy(m_down, rects, m_state.config.pointerSpeed.load());
        if (m_state.config.macroRepeatWhileHeld != 0) copy(m_down, rects, 7);
        const std::int32_t index = m_state.currentMacroIndex;
        const bool repeatOn = m_state.macroTable.read([index](const MacroTable& table) {
            const Macro* macro = entry<Macro>(table.macros, index);
            return macro != nullptr && macro->repeatEnabled == 1;
        });
        if (repeatOn) copy(m_down, rects, 6);
    }

    void drawColourOverlays() {
        const std::span<const SkinRect> rects = m_skin.colourRects;
        copy(m_down, rects, m_state.config.ledMode.load());
        constexpr int kSwatch = 11;
        if (m_state.ledPreviewDark) {
            copy(loadSkinImage(m_images, skin_file::kColourNormalGray), rects, kSwatch);
            return;
        }
        switch (m_state.ledPreviewStage.load()) {
            case 0:
                copy(loadSkinImage(m_images, skin_file::kColourOverBlue), rects, kSwatch);
                break;
            case 2:
                copy(m_over, rects, kSwatch);
                break;
            case 3:
                copy(m_down, rects, kSwatch);
                break;
            default:
                break;  // stage 1 shows the swatch of the normal picture
        }
    }

    void drawFrame(std::int32_t tabElement) {
        const std::int64_t selectedProfile =
            std::int64_t{m_state.currentConfigIndex.load()} + kProfileSelectorOffset;
        for (int i = 0; i <= kFrameLastElement; ++i) {
            if (i == selectedProfile) {
                copyMain(m_down, i);
            } else if (i == m_state.hoverMainElement) {
                copyMain(m_state.elementPressed ? m_down : m_over, i);
            } else if (i == tabElement) {
                copyMain(m_down, i);
            }
        }
    }

    void drawCentred(std::u16string_view text, const SkinRect* rect, Colour colour) {
        if (text.empty() || rect == nullptr) return;
        const TextSize size = m_canvas.measureText(text);
        m_canvas.drawText(rect->x + (rect->width - size.width) / 2,
                          rect->y + (rect->height - size.height) / 2, text, colour);
    }

    std::u16string functionBoxText(int slot) const {
        const std::int32_t code = m_state.config.buttonFunction[static_cast<std::size_t>(slot)];
        if (code >= kFirstMacroFunction) {
            return m_state.macroTable.read([code](const MacroTable& table) {
                const Macro* macro = entry<Macro>(table.macros, code - kFirstMacroFunction);
                if (macro == nullptr) return std::u16string();
                std::u16string_view name(macro->name.data(), macro->name.size());
                return std::u16string(name.substr(0, name.find(u'\0')));
            });
        }
        const std::u16string* name = entry<std::u16string>(m_skin.functionNames, code);
        return name ? *name : std::u16string();
    }

    void drawFunctionBox(int element) {
        const std::u16string text = functionBoxText(element - (kFirstFunctionBox - 1));
        const SkinRect& rect = m_skin.mainRects[static_cast<std::size_t>(element)];
        if (text.empty()) return;
        const TextSize size = m_canvas.measureText(text);
        m_canvas.drawText(rect.x + kFunctionTextIndent, rect.y + (rect.height - size.height) / 2,
                          text, m_state.hoverMainElement == element ? kRed : kWhite);
    }

    void drawCaptions(int captionSlots) {
        m_skin.mainCaptions[kStatusLineElement] = statusLineText(m_state);
        if (m_page == Page::Advanced) {
            m_skin.advancedCaptions[4] = m_state.recording ? u"停止" : u"录制";
            m_skin.advancedCaptions[14] = u"↓" + decimal16(m_state.pressLineCount);
            m_skin.advancedCaptions[15] = u"↑" + decimal16(m_state.releaseLineCount);
        }
        for (int i = 0; i < captionSlots; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            if (i <= kFrameLastElement || (m_page == Page::Main && i > kLastFunctionBox)) {
                drawCentred(m_skin.mainCaptions[slot], &m_skin.mainRects[slot],
                            i == kStatusLineElement ? kYellow : kWhite);
            } else if (m_page == Page::Main) {
                drawFunctionBox(i);
            } else if (m_page == Page::Advanced) {
                const int k = i - kPageCaptionBase;
                drawCentred(m_skin.advancedCaptions[static_cast<std::size_t>(k)],
                            elementRect(m_skin.advancedRects, k),
                            k == m_state.hoverAdvancedElement ? kRed : kWhite);
            } else {
                const int k = i - kPageCaptionBase;
                const SkinRect* rect = elementRect(m_skin.colourRects, k);
                if (k == 9) {
                    drawCentred(dpiValueText(appliedDpiIndex()), rect,
                                m_state.hoverColourElement == 9 ? kRed : kWhite);
                } else {
                    drawCentred(m_skin.colourCaptions[static_cast<std::size_t>(k)], rect, kWhite);
                }
            }
        }
    }

    std::int32_t appliedDpiIndex() const {
        const std::int32_t level = m_state.config.currentDpiLevel;
        if (level < 0 || level >= kDpiStageCount) return -1;
        return m_state.appliedDpiSetting[static_cast<std::size_t>(level)];
    }

    AppState& m_state;
    SkinLayout& m_skin;
    ImageLoader& m_images;
    Canvas& m_canvas;
    Page m_page = Page::Main;
    std::shared_ptr<const Image> m_normal;
    std::shared_ptr<const Image> m_over;
    std::shared_ptr<const Image> m_down;
};

}  // namespace

std::u16string_view dpiValueText(std::int32_t dpiValueIndex) {
    switch (dpiValueIndex) {
        case 0:
            return u"3200";
        case 2:
            return u"1600";
        case 3:
            return u"2000";
        case 4:
            return u"2400";
        default:
            return u"1200";
    }
}

std::u16string statusLineText(const AppState& state) {
    if (state.ackReceived != 0) return u"驱动运行中...";
    std::u16string text = u"配置完成，请点击鼠标第[";
    text += state.confirmBlinkOn ? decimal16(state.pendingConfirmButton.load()) : u" ";
    text += u"]键运行驱动";
    return text;
}

PaintResult paintMainWindow(AppState& state, ImageLoader& images, Canvas& canvas,
                            const PaintView& view) {
    PaintResult result;
    if (state.closePickerOnPaint) {
        state.closePickerOnPaint = false;
        result.closePicker = true;
    }
    if (view.minimised) {
        canvas.fillRect(SkinRect{0, 0, view.clientWidth, view.clientHeight}, kBlack);
        if (view.icon != nullptr) {
            canvas.drawTopLeft(*view.icon, (view.clientWidth - view.icon->width + 1) / 2,
                               (view.clientHeight - view.icon->height + 1) / 2, view.icon->width,
                               view.icon->height);
        }
        return result;
    }
    PagePainter(state, images, canvas).paint();
    return result;
}

}  // namespace torvane
