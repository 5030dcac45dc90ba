#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace torvane {

// What a file dialog is asked to show.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::filesystem::path initialFolder;
    std::u16string filter;            // "All Files(*.ini)|*.ini||" style
    std::u16string defaultExtension;  // without the dot; empty for none
    bool confirmOverwrite = false;    // ask before replacing an existing file (save mode)
    bool readOnlyPreset = false;      // the hidden read-only check box starts checked
};

// The system's file dialog, owned by the main window. UI thread only.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> choose(const FileDialogRequest& request) = 0;
};

}  // namespace torvane
