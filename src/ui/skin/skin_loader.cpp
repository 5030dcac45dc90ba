#include "ui/skin/skin_loader.h"

#include <string>
#include <system_error>

#include "app/app_state.h"
#include "app/ini_file.h"
#include "app/message_box.h"
#include "app/text.h"

namespace torvane {

namespace {

// One layout file, read once for all of its records.
class LayoutFile {
  public:
    LayoutFile(const std::filesystem::path& path, MessageBox& messages) : m_messages(messages) {
        std::error_code error;
        m_present = std::filesystem::is_regular_file(path, error);
        if (m_present) {
            m_ini = IniFile::load(path);
        } else {
            m_messages.show(kSkinFileMissingMessage);
        }
    }

    bool present() const { return m_present; }

    SkinRecord record(std::string_view section, int key) {
        SplitSkinValue split =
            splitSkinValue(m_ini.value(section, std::to_string(key), kSkinValueMaxUnits));
        if (split.tooManyCommas) m_messages.show(kSkinRecordErrorMessage);
        return std::move(split.fields);
    }

    template <std::size_t N>
    void readButtons(std::array<SkinRect, N>& rects, std::array<std::u16string, N>& captions) {
        for (std::size_t key = 0; key < N; ++key) {
            SkinRecord fields = record("BUTTONPOS", static_cast<int>(key));
            rects[key] = skinRectOf(fields);
            captions[key] = std::move(fields[5]);
        }
    }

  private:
    MessageBox& m_messages;
    IniFile m_ini;
    bool m_present = false;
};

}  // namespace

SplitSkinValue splitSkinValue(std::u16string_view value) {
    SplitSkinValue result;
    std::size_t commas = 0;
    for (char16_t unit : value) commas += unit == u',' ? 1 : 0;
    result.tooManyCommas = commas > 6;
    if (commas == 0) {
        result.fields[0] = std::u16string(value);
        return result;
    }
    std::size_t start = 0;
    for (std::size_t k = 0; k < 6; ++k) {
        const std::size_t comma = value.find(u',', start);
        if (comma == std::u16string_view::npos) return result;  // this and later fields stay empty
        result.fields[k] = std::u16string(value.substr(start, comma - start));
        start = comma + 1;
    }
    result.fields[6] = std::u16string(value.substr(start));
    return result;
}

SkinRect skinRectOf(const SkinRecord& record) {
    return SkinRect{parseLeadingInt(record[1]), parseLeadingInt(record[2]),
                    parseLeadingInt(record[3]), parseLeadingInt(record[4])};
}

std::optional<SkinRecord> readSkinRecord(const std::filesystem::path& file,
                                         std::string_view section, int key, MessageBox& messages) {
    LayoutFile layout(file, messages);
    if (!layout.present()) return std::nullopt;
    return layout.record(section, key);
}

bool loadSkin(AppState& state, MessageBox& messages) {
    state.skinDirectory = state.programDirectory / "skins";
    SkinLayout& skin = state.skinLayout;

    LayoutFile main(state.skinDirectory / skin_file::kMainLayout, messages);
    if (!main.present()) return false;
    main.readButtons(skin.mainRects, skin.mainCaptions);
    skin.functionNames[0].clear();
    for (int key = 1; key < kFunctionNameCount; ++key) {
        skin.functionNames[static_cast<std::size_t>(key)] =
            std::move(main.record("FUN_STRING", key)[0]);
    }

    LayoutFile colour(state.skinDirectory / skin_file::kColourLayout, messages);
    if (!colour.present()) return false;
    colour.readButtons(skin.colourRects, skin.colourCaptions);

    LayoutFile advanced(state.skinDirectory / skin_file::kAdvancedLayout, messages);
    if (!advanced.present()) return false;
    advanced.readButtons(skin.advancedRects, skin.advancedCaptions);
    skin.countEditRect = skinRectOf(advanced.record("EDIT", 3));
    skin.nameEditRect = skinRectOf(advanced.record("EDIT", 4));
    skin.macroListRect = skinRectOf(advanced.record("MACRODISPLAY", 1));
    skin.eventListRect = skinRectOf(advanced.record("MACRODISPLAY", 2));
    return true;
}

bool loadWarningLayout(AppState& state, MessageBox& messages) {
    LayoutFile warning(state.skinDirectory / skin_file::kWarningLayout, messages);
    if (!warning.present()) return false;
    warning.readButtons(state.skinLayout.warningRects, state.skinLayout.warningCaptions);
    return true;
}

}  // namespace torvane
