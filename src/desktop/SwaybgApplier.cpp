#include "desktop/SwaybgApplier.h"

#include "desktop/WallpaperLink.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace zolvera::desktop {

namespace {

// The start time of a running process in clock ticks since boot (the 22nd field of its stat
// file), or 0 when there is no such process.
unsigned long long startTime(long long pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(file, stat);
    const auto nameEnd = stat.rfind(')'); // the name may hold spaces and parentheses
    if (nameEnd == std::string::npos)
        return 0;
    std::istringstream rest(stat.substr(nameEnd + 1));
    const std::vector<std::string> fields{std::istream_iterator<std::string>(rest), {}};
    constexpr std::size_t kStartTime = 22 - 3; // the fields after the name begin with the 3rd
    return fields.size() > kStartTime ? std::strtoull(fields[kStartTime].c_str(), nullptr, 10) : 0;
}

// Ends the swaybg recorded in the file when that very process still runs.
void endRecorded(const std::string& recordPath) {
    std::ifstream record(recordPath);
    long long pid = 0;
    unsigned long long started = 0;
    if (record >> pid >> started && pid > 1 && started != 0 && startTime(pid) == started)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
}

} // namespace

std::string SwaybgApplier::defaultRecordPath() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/zolvera-swaybg.pid";
    return wallpaperLinkFolder() + "/swaybg.pid";
}

void SwaybgApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    QProcess swaybg;
    swaybg.setProgram(QString::fromStdString(program_));
    swaybg.setArguments({"-o", "*", "-i", QString::fromStdString(bitmapPath), "-m",
                         style == WallpaperStyle::Stretch ? "stretch" : "center", "-c", "000000"});
    swaybg.setStandardInputFile(QProcess::nullDevice());
    swaybg.setStandardOutputFile(QProcess::nullDevice());
    swaybg.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!swaybg.startDetached(&pid))
        throw Failure("A háttérkép nem állítható be, mert nem indult el a swaybg program (nincs "
                      "telepítve?); e nélkül ezen a Wayland-felületen nincs háttérkép.");
    // The new one starts before the old one goes, so the screen does not flash black between.
    endRecorded(recordPath_);
    std::error_code ignored; // a record that cannot be written only leaves the old one running
    std::filesystem::create_directories(std::filesystem::path(recordPath_).parent_path(), ignored);
    try {
        platform::replaceFileOrFail(recordPath_, std::to_string(pid) + " " +
                                                     std::to_string(startTime(pid)) + "\n");
    } catch (const Failure&) {
    }
}

} // namespace zolvera::desktop
