#pragma once

#include <functional>

#include "app/profile_store.h"

namespace torvane {

struct AppState;
class AppWindow;
class FileDialog;
class MessageBox;

// The macro list of the advanced page: names, selection, adding and deleting macros, the repeat
// setting, saving Macro.dat, import and export, and the default macros of the factory reset.
// UI thread only. The controls may be absent (page not shown); the table operations still run.
class MacroPage {
  public:
    MacroPage(AppState& state, AppWindow& window, MessageBox& messageBox, FileDialog& fileDialog)
        : m_state(state), m_window(window), m_messageBox(messageBox), m_fileDialog(fileDialog) {}

    // Refills the name list from the table and selects and shows the current macro.
    void fillMacroNameList();
    // The user selected a line of the name list.
    void selectMacro();
    // Adds a macro named by the name field (cut to 19 units), or selects the macro of that name.
    void addMacro();
    // Deletes the selected macro; the later ones move down. Not while recording.
    void deleteMacro();
    // Switches the repeat setting of the current macro.
    void toggleRepeat();
    // Takes the repeat count from its field (kept to 1..65535) and writes Macro.dat.
    void applyRepeatAndSave();
    // Import and export through the file dialog ("All Files(*.dat)|*.dat||").
    void importMacroFile();
    void exportMacroFile();
    // skins/defMacro.dat into the table, the list refreshed when the advanced page is shown, and
    // the table saved to Macro.dat.
    void restoreDefaultMacros();

  private:
    AppState& m_state;
    AppWindow& m_window;
    MessageBox& m_messageBox;
    FileDialog& m_fileDialog;
};

// The factory reset's steps: the default macros from the macro page, then the apply step that
// the shell supplies.
class MacroResetSteps final : public FactoryResetSteps {
  public:
    MacroResetSteps(MacroPage& page, std::function<void()> applyConfiguration)
        : m_page(page), m_applyConfiguration(std::move(applyConfiguration)) {}
    void restoreDefaultMacros() override { m_page.restoreDefaultMacros(); }
    void applyConfiguration() override {
        if (m_applyConfiguration) m_applyConfiguration();
    }

  private:
    MacroPage& m_page;
    std::function<void()> m_applyConfiguration;
};

}  // namespace torvane
