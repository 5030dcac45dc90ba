#pragma once

#include <memory>

#include "gui/gui_options.h"

namespace torvane {

// torvane-gmouse: owns the process-wide state, the adapters, the window and the workers, in the
// order they must be built and torn down. UI thread only.
class GuiProgram {
  public:
    explicit GuiProgram(const GuiOptions& options);
    ~GuiProgram();
    GuiProgram(const GuiProgram&) = delete;
    GuiProgram& operator=(const GuiProgram&) = delete;

    // The process entry: claims the single instance, builds the window, runs the start-up and
    // then the event loop. Returns the exit code.
    int run();

  private:
    struct Parts;
    static void startRemovalWatch(Parts& parts);
    GuiOptions m_options;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace torvane
