#include "desktop/ShellLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string_view>

#include <unistd.h>

namespace zolvera::desktop {

namespace {

// The execute bit alone does not make a program: drives of Windows file systems set it on
// every file. The system starts what begins as a native binary or a script ("#!").
bool startsAsProgram(const std::string& path) {
    char head[4] = {};
    std::ifstream(path, std::ios::binary).read(head, sizeof head);
    const std::string_view start(head, sizeof head);
    return start.starts_with("\177ELF") || start.starts_with("#!");
}

} // namespace

ShellTarget shellTargetOf(const std::string& command) {
    // Two letters at least, so that a drive-like "c:" prefix never reads as a scheme.
    static const std::regex scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (std::regex_search(command, scheme))
        return {ShellTarget::Kind::Address, command};
    std::error_code error;
    const std::string path = std::filesystem::absolute(command, error).lexically_normal().string();
    const bool program = std::filesystem::is_regular_file(path, error) &&
                         ::access(path.c_str(), X_OK) == 0 && startsAsProgram(path);
    return {program ? ShellTarget::Kind::Program : ShellTarget::Kind::Document, path};
}

void DesktopShellLauncher::open(const std::string& command) {
    const ShellTarget target = shellTargetOf(command);
    const QString text = QString::fromStdString(target.target);
    switch (target.kind) {
    case ShellTarget::Kind::Program:
        QProcess::startDetached(text, {});
        break;
    case ShellTarget::Kind::Document:
        QDesktopServices::openUrl(QUrl::fromLocalFile(text));
        break;
    case ShellTarget::Kind::Address:
        QDesktopServices::openUrl(QUrl(text));
        break;
    }
}

} // namespace zolvera::desktop
