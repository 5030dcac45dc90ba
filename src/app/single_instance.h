#pragma once

namespace torvane {

// Keeps the program to one running instance per user.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is now the only instance; the claim lasts until the process ends.
    virtual bool acquire() = 0;
    // Brings the running instance's main window up, restored and visible.
    virtual void activateExisting() = 0;
};

}  // namespace torvane
