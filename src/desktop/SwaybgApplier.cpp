#include "desktop/SwaybgApplier.h"

#include "desktop/WallpaperLink.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/Translate.h"
#include "platform/UniqueFd.h"
#include "platform/UserFolders.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
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

// Whether the process is one of this user's and runs a program of the given file name (a
// binary replaced by an upgrade since it started included).
bool isOwnRunOf(long long pid, const std::string& programName) {
    const std::string folder = "/proc/" + std::to_string(pid);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || info.st_uid != ::geteuid())
        return false;
    std::error_code error;
    std::string executable = std::filesystem::read_symlink(folder + "/exe", error).string();
    if (constexpr std::string_view kDeleted = " (deleted)"; executable.ends_with(kDeleted))
        executable.resize(executable.size() - kDeleted.size());
    return !error && std::filesystem::path(executable).filename() == programName;
}

// The record's text when it is a regular file of this user's, read without following a link.
std::string recordText(const std::string& recordPath) {
    const platform::UniqueFd fd(::open(recordPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid())
        return {};
    char text[64] = {}; // two numbers; anything longer is not our record
    const ssize_t got = ::read(fd.get(), text, sizeof text - 1);
    return got > 0 ? std::string(text, std::size_t(got)) : std::string();
}

// Ends the swaybg recorded in the file when that very process still runs: the same start time,
// this user's, and the program we start. A record planted by someone else never ends a process
// that is not ours to end.
void endRecorded(const std::string& recordPath, const std::string& program) {
    std::istringstream record(recordText(recordPath));
    long long pid = 0;
    unsigned long long started = 0;
    if (record >> pid >> started && pid > 1 && started != 0 && startTime(pid) == started &&
        isOwnRunOf(pid, std::filesystem::path(program).filename()))
        ::kill(static_cast<pid_t>(pid), SIGTERM);
}

} // namespace

std::string SwaybgApplier::defaultRecordPath() {
    if (const std::string runtime = platform::userRuntimeFolder(); !runtime.empty())
        return runtime + "/zolvera-swaybg.pid";
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
        throw Failure(platform::translate("Desktop", "A háttérkép nem állítható be, mert nem "
                                                     "indult el a swaybg program (nincs "
                                                     "telepítve?); e nélkül ezen a "
                                                     "Wayland-felületen nincs háttérkép."));
    // The new one starts before the old one goes, so the screen does not flash black between.
    endRecorded(recordPath_, program_);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(recordPath_).parent_path(), ignored);
    try {
        // Written beside and renamed over whatever has the name: a link there is replaced, never
        // written through.
        platform::StagedFile record(recordPath_, platform::StagedFile::NewFiles::Staged,
                                    platform::StagedFile::Naming::AsWritten);
        const std::string text = std::to_string(pid) + " " + std::to_string(startTime(pid)) + "\n";
        record.write(text.data(), text.size());
        record.commit();
    } catch (const Failure&) { // a record that cannot be written only leaves the old one running
    }
}

} // namespace zolvera::desktop
