// Layout files of a skin are hand-edited: any bytes must load without a crash, and every
// rectangle and caption must come out of the record rules.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "app/app_state.h"
#include "app/message_box.h"
#include "ui/skin/skin_loader.h"

namespace {

class CountingMessageBox : public torvane::MessageBox {
  public:
    void show(const std::u16string&) override { ++shown; }
    int shown = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const torvane::SplitSkinValue split =
        torvane::splitSkinValue(std::u16string(bytes.begin(), bytes.end()));
    (void)torvane::skinRectOf(split.fields);

    // The same bytes as every layout file of a skin folder.
    static const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "torvane_skin_record_fuzz";
    std::error_code error;
    std::filesystem::create_directories(dir / "skins", error);
    for (const char* name :
         {"skin_main.ini", "skin_color.ini", "skin_advance.ini", "LBWarning.ini"}) {
        std::ofstream(dir / "skins" / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    torvane::AppState state;
    torvane::setProgramDirectory(state, dir);
    CountingMessageBox messages;
    if (torvane::loadSkin(state, messages)) torvane::loadWarningLayout(state, messages);
    return 0;
}
