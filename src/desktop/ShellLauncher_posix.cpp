#include "desktop/ShellLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <filesystem>
#include <regex>

#include <unistd.h>

namespace zolvera::desktop {

ShellTarget shellTargetOf(const std::string& command) {
    // Two letters at least, so that a drive-like "c:" prefix never reads as a scheme.
    static const std::regex scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (std::regex_search(command, scheme))
        return {ShellTarget::Kind::Address, command};
    std::error_code error;
    const std::string path = std::filesystem::absolute(command, error).lexically_normal().string();
    const bool program =
        std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
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
