#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

#include "app/mouse_config.h"

namespace torvane {

struct AppState;
class AppWindow;
class FileDialog;
class IniFile;

// The factory reset's steps that belong to the macros and the device link.
class FactoryResetSteps {
public:
    virtual ~FactoryResetSteps() = default;
    // Loads skins/defMacro.dat into the table, refreshes the advanced page when it is shown, and
    // saves the table to Macro.dat.
    virtual void restoreDefaultMacros() = 0;
    // Sends the current profile to the mouse and saves it.
    virtual void applyConfiguration() = 0;
};

// The section names of profile `number`: "Config<n>" or "CfgReset<n>".
std::string profileSectionName(std::int32_t number, bool fromFactory);

// One profile read from / written into a document, with the value rules of the profile file:
// values are read as at most 4 characters (9 for DPI_SETn and DPI_SET_ENn) with the C decimal
// conversion; DPI values, LED and pointer speed keep the low 8 bits; any nonzero enable flag
// reads as 1. Missing keys read as 0.
MouseConfig readProfile(const IniFile& file, const std::string& section);
void writeProfile(IniFile& file, const std::string& section, const MouseConfig& config);

// The profiles in config.ini (and exported profile files). Every file access is serialised here,
// so the engine thread (DPI, LED, next profile) may call it while the UI thread does.
class ProfileStore {
public:
    explicit ProfileStore(AppState& state) : m_state(state) {}

    // Reads profile `number` (its factory section when fromFactory) into the current profile,
    // also into appliedDpiSetting, and recomputes the DPI elements. Nothing is sent.
    void loadProfile(const std::filesystem::path& file, std::int32_t number, bool fromFactory);
    // Writes the current profile into section Config<number>, all 20 keys in order, one save.
    void saveProfile(const std::filesystem::path& file, std::int32_t number);
    // Writes only DPI_LEVEL = currentDpiLevel.
    void writeDpiLevel(const std::filesystem::path& file, std::int32_t number);
    // Writes only LED_STATUS = appliedLedMode.
    void writeLedStatus(const std::filesystem::path& file, std::int32_t number);
    // Writes [Init] CurConfig = number.
    void writeCurrentConfigIndex(const std::filesystem::path& file, std::int32_t number);
    // Writes [Init] CurConfig = currentNumber and the current profile into Config<copyNumber>,
    // in one save: what an apply records before it sends.
    void saveAppliedProfile(const std::filesystem::path& file, std::int32_t currentNumber,
                            std::int32_t copyNumber);
    // [Init] CurConfig as read at start-up: at most 4 characters, 0 when missing.
    std::int32_t readCurrentConfigIndex(const std::filesystem::path& file);

    // Asks for a file to save profile 7 (Config7) into; then repaints.
    void exportProfile(FileDialog& dialog, AppWindow& window);
    // Asks for a file and loads its Config7 as the current profile (neither sent nor saved).
    void importProfile(FileDialog& dialog, AppWindow& window);
    // Resets profile 1 to the factory profile and 2..5 to their factory sections, reloads the
    // current profile, then restores the default macros and applies.
    void resetAllProfiles(FactoryResetSteps& steps);

private:
    void loadProfileLocked(const std::filesystem::path& file, std::int32_t number,
                           bool fromFactory);
    void saveProfileLocked(const std::filesystem::path& file, std::int32_t number);

    AppState& m_state;
    std::mutex m_fileMutex;  // serialises every read and write of the profile files
};

}  // namespace torvane
