#include "desktop/CommandRunner.h"

#include <QProcess>
#include <QStringList>

namespace zolvera::desktop {

std::optional<std::string> ProcessRunner::run(const std::string& program,
                                              const std::vector<std::string>& arguments) {
    QStringList list;
    for (const auto& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QString::fromStdString(program), list);
    if (!process.waitForFinished(timeLimitMs_)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput().toStdString();
}

} // namespace zolvera::desktop
