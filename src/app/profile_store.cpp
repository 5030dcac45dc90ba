#include "app/profile_store.h"

#include <array>

#include "app/app_state.h"
#include "app/app_window.h"
#include "app/file_dialog.h"
#include "app/ini_file.h"
#include "app/text.h"

namespace torvane {

namespace {

constexpr std::size_t kShortValue = 4;  // K<n>, WHEEL_STATUS, MACRO_MODE2, DPI_LEVEL, LED, SPEED
constexpr std::size_t kLongValue = 9;   // DPI_SET<n>, DPI_SET_EN<n>

std::int32_t readNumber(const IniFile& file, const std::string& section, const std::string& key,
                        std::size_t maxUnits) {
    return parseLeadingInt(file.value(section, key, maxUnits));
}

std::uint8_t low8(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::string stageKey(const char* prefix, int stage) { return prefix + std::to_string(stage + 1); }

}  // namespace

std::string profileSectionName(std::int32_t number, bool fromFactory) {
    return (fromFactory ? "CfgReset" : "Config") + std::to_string(number);
}

MouseConfig readProfile(const IniFile& file, const std::string& section) {
    MouseConfig config;
    for (int i = 1; i <= kButtonSlotCount; ++i) {
        config.buttonFunction[static_cast<std::size_t>(i)] =
            readNumber(file, section, "K" + std::to_string(i), kShortValue);
    }
    config.wheelMode = readNumber(file, section, "WHEEL_STATUS", kShortValue);
    config.macroRepeatWhileHeld = readNumber(file, section, "MACRO_MODE2", kShortValue);
    config.currentDpiLevel = readNumber(file, section, "DPI_LEVEL", kShortValue);
    for (int k = 0; k < kDpiStageCount; ++k) {
        const auto stage = static_cast<std::size_t>(k);
        config.dpiSetting[stage] = low8(readNumber(file, section, stageKey("DPI_SET", k), kLongValue));
        config.dpiLevelEnabled[stage] =
            readNumber(file, section, stageKey("DPI_SET_EN", k), kLongValue) != 0 ? 1 : 0;
    }
    config.ledMode = low8(readNumber(file, section, "LED_STATUS", kShortValue));
    config.pointerSpeed = low8(readNumber(file, section, "DPI_SPEED", kShortValue));
    return config;
}

void writeProfile(IniFile& file, const std::string& section, const MouseConfig& config) {
    const auto put = [&](const std::string& key, std::int64_t value) {
        file.set(section, key, std::to_string(value));
    };
    for (int i = 1; i <= kButtonSlotCount; ++i) {
        put("K" + std::to_string(i), config.buttonFunction[static_cast<std::size_t>(i)]);
    }
    put("DPI_LEVEL", config.currentDpiLevel);
    put("WHEEL_STATUS", config.wheelMode);
    put("MACRO_MODE2", config.macroRepeatWhileHeld);
    for (int k = 0; k < kDpiStageCount; ++k) {
        const auto stage = static_cast<std::size_t>(k);
        put(stageKey("DPI_SET", k), config.dpiSetting[stage]);
        put(stageKey("DPI_SET_EN", k), config.dpiLevelEnabled[stage] != 0 ? 1 : 0);
    }
    put("LED_STATUS", config.ledMode);
    put("DPI_SPEED", config.pointerSpeed);
}

void ProfileStore::loadProfile(const std::filesystem::path& file, std::int32_t number,
                               bool fromFactory) {
    std::lock_guard lock(m_fileMutex);
    loadProfileLocked(file, number, fromFactory);
}

void ProfileStore::loadProfileLocked(const std::filesystem::path& file, std::int32_t number,
                                     bool fromFactory) {
    m_state.config = readProfile(IniFile::load(file), profileSectionName(number, fromFactory));
    for (std::size_t k = 0; k < kDpiStageCount; ++k) {
        m_state.appliedDpiSetting[k] = m_state.config.dpiSetting[k].load();
    }
    updateDpiSettingElements(m_state);
}

void ProfileStore::saveProfile(const std::filesystem::path& file, std::int32_t number) {
    std::lock_guard lock(m_fileMutex);
    saveProfileLocked(file, number);
}

void ProfileStore::saveProfileLocked(const std::filesystem::path& file, std::int32_t number) {
    IniFile document = IniFile::load(file);
    writeProfile(document, profileSectionName(number, false), m_state.config);
    document.save(file);
}

void ProfileStore::writeDpiLevel(const std::filesystem::path& file, std::int32_t number) {
    std::lock_guard lock(m_fileMutex);
    IniFile document = IniFile::load(file);
    document.set(profileSectionName(number, false), "DPI_LEVEL",
                 std::to_string(m_state.config.currentDpiLevel.load()));
    document.save(file);
}

void ProfileStore::writeLedStatus(const std::filesystem::path& file, std::int32_t number) {
    std::lock_guard lock(m_fileMutex);
    IniFile document = IniFile::load(file);
    document.set(profileSectionName(number, false), "LED_STATUS",
                 std::to_string(m_state.appliedLedMode.load()));
    document.save(file);
}

void ProfileStore::writeCurrentConfigIndex(const std::filesystem::path& file,
                                           std::int32_t number) {
    std::lock_guard lock(m_fileMutex);
    IniFile document = IniFile::load(file);
    document.set("Init", "CurConfig", std::to_string(number));
    document.save(file);
}

void ProfileStore::saveAppliedProfile(const std::filesystem::path& file,
                                      std::int32_t currentNumber, std::int32_t copyNumber) {
    std::lock_guard lock(m_fileMutex);
    IniFile document = IniFile::load(file);
    document.set("Init", "CurConfig", std::to_string(currentNumber));
    writeProfile(document, profileSectionName(copyNumber, false), m_state.config);
    document.save(file);
}

std::int32_t ProfileStore::readCurrentConfigIndex(const std::filesystem::path& file) {
    std::lock_guard lock(m_fileMutex);
    return readNumber(IniFile::load(file), "Init", "CurConfig", kShortValue);
}

namespace {

FileDialogRequest profileDialogRequest(const AppState& state, FileDialogRequest::Mode mode) {
    FileDialogRequest request;
    request.mode = mode;
    request.initialFolder = state.programDirectory;
    request.filter = u"All Files(*.ini)|*.ini||";
    if (mode == FileDialogRequest::Mode::Save) {
        request.defaultExtension = u"ini";
        request.confirmOverwrite = true;
    }
    return request;
}

}  // namespace

void ProfileStore::exportProfile(FileDialog& dialog, AppWindow& window) {
    const auto path = dialog.choose(profileDialogRequest(m_state, FileDialogRequest::Mode::Save));
    if (!path) return;
    saveProfile(*path, 7);
    window.requestRepaint();
}

void ProfileStore::importProfile(FileDialog& dialog, AppWindow& window) {
    const auto path = dialog.choose(profileDialogRequest(m_state, FileDialogRequest::Mode::Open));
    if (!path) return;
    loadProfile(*path, 7, false);
    window.requestRepaint();
}

void ProfileStore::resetAllProfiles(FactoryResetSteps& steps) {
    {
        std::lock_guard lock(m_fileMutex);
        resetToFactory(m_state.config);
        for (std::size_t k = 0; k < kDpiStageCount; ++k) {
            m_state.appliedDpiSetting[k] = m_state.config.dpiSetting[k].load();
        }
        updateDpiSettingElements(m_state);
        const std::filesystem::path& file = m_state.configFilePath;
        saveProfileLocked(file, 1);
        for (std::int32_t n = 5; n >= 2; --n) {
            loadProfileLocked(file, n, true);
            saveProfileLocked(file, n);
        }
        loadProfileLocked(file, m_state.currentConfigIndex, false);
    }
    steps.restoreDefaultMacros();
    steps.applyConfiguration();
}

}  // namespace torvane
