#pragma once

namespace torvane {

// The desktop services behind the launch and lock button functions.
//
// Called from the engine thread. Every call returns at once: whatever it starts runs detached
// from the engine, and a failure (no such program, no session manager) is silent.
class Shell {
public:
    virtual ~Shell() = default;
    // Starts the desktop's calculator.
    virtual void openCalculator() = 0;
    // Opens a terminal window (the command prompt).
    virtual void openCommandPrompt() = 0;
    // Opens the file manager at the view of the computer's drives, or at the home folder.
    virtual void openComputer() = 0;
    // Locks the user's session.
    virtual void lockSession() = 0;
};

}  // namespace torvane
