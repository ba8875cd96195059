#include "desktop/CommandRunner.h"

#include "platform/Failure.h"
#include "platform/Translate.h"

#include <QProcess>
#include <QStringList>

namespace zolvera::desktop {

std::optional<std::string> ProcessRunner::run(const std::string& program,
                                              const std::vector<std::string>& arguments) {
    QStringList list;
    for (const auto& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
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

std::string runOrFail(CommandRunner& runner, const std::string& program,
                      const std::vector<std::string>& arguments) {
    auto output = runner.run(program, arguments);
    if (!output)
        throw Failure(platform::substitute(
            platform::translate("Desktop", "A háttérkép nem állítható be, mert nem futott le ez "
                                           "a parancs: %1 (nincs telepítve, vagy nem fut a "
                                           "munkamenete)."),
            {program}));
    return *std::move(output);
}

} // namespace zolvera::desktop
