#pragma once

#include <string>

namespace zolvera::desktop {

// The system shell's "open": hands a document, a program or an address to the desktop and
// returns at once. It neither waits for what it started nor reports a failure; whatever the
// desktop cannot open leaves the program as it was, with at most a message of the desktop's
// own.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    // A file path (absolute, or relative to the working folder) or an address with its scheme
    // ("https://...", "mailto:...").
    virtual void open(const std::string& command) = 0;
};

// What a command is to the desktop's launcher.
struct ShellTarget {
    enum class Kind { Document, Program, Address };
    Kind kind;
    std::string target; // the absolute path of a file, or the address as given
};

// A command with a scheme of two or more letters is an address; anything else names a file,
// which is a program when it is an executable regular file that begins as a native binary or
// a "#!" script, and a document otherwise: a PDF with the execute bit (as every file on a
// Windows drive has it) or a missing file too, which the desktop then reports in its own way.
ShellTarget shellTargetOf(const std::string& command);

// The desktop's own launcher: programs are started detached in the current working folder,
// documents and addresses go to the desktop's opener (xdg-open, or the portal in a sandbox)
// through QDesktopServices.
class DesktopShellLauncher final : public ShellLauncher {
public:
    void open(const std::string& command) override;
};

} // namespace zolvera::desktop
