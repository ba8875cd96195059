#include "HeadlessSway.h"

#include "ChildProcess.h"

#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace zolvera::test {

namespace {

namespace fs = std::filesystem;

constexpr int kStartLimitMs = 10000;
constexpr uid_t kNobody = 65534;

// The command run as nobody when this process is root.
std::vector<std::string> asUnprivileged(std::vector<std::string> command) {
    if (geteuid() == 0)
        command.insert(command.begin(),
                       {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    return command;
}

// Waits for sway's IPC socket to appear in the folder; its name, or "" after the time limit or
// when sway ended first.
std::string awaitSocket(const std::string& folder, pid_t sway) {
    const int watch = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch, folder.c_str(), IN_CREATE);
    std::string found;
    for (int waited = 0; found.empty() && waited < kStartLimitMs; waited += 100) {
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().starts_with("sway-ipc."))
                found = entry.path().string();
        if (!found.empty() || waitpid(sway, nullptr, WNOHANG) != 0)
            break;
        pollfd wait{watch, POLLIN, 0};
        if (poll(&wait, 1, 100) == 1) {
            char events[4096];
            [[maybe_unused]] const auto ignored = read(watch, events, sizeof events);
        }
    }
    close(watch);
    return found;
}

std::string runtimeEnvironment(const std::string& folder) {
    return "XDG_RUNTIME_DIR=" + folder;
}

} // namespace

HeadlessSway::HeadlessSway() {
    if (std::system("command -v sway >/dev/null && command -v grim >/dev/null") != 0) {
        failure_ = "sway or grim is not installed";
        return;
    }
    const std::string folder = runtime_.path();
    writeFile(folder + "/config", ""); // no bar, no background of its own
    if (geteuid() == 0 && (chown(folder.c_str(), kNobody, kNobody) != 0 ||
                           chown((folder + "/config").c_str(), kNobody, kNobody) != 0)) {
        failure_ = "the runtime folder cannot be given to nobody";
        return;
    }
    pid_ = startLogged(
        asUnprivileged({"sway", "-c", folder + "/config"}), folder + "/sway.log",
        std::vector<std::string>{
            "PATH=" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin"),
            runtimeEnvironment(folder), "HOME=" + folder, "WLR_BACKENDS=headless",
            "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"});
    if (pid_ < 0) {
        failure_ = "sway could not be started";
        return;
    }
    socket_ = awaitSocket(folder, pid_);
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("wayland-") &&
            !entry.path().filename().string().ends_with(".lock"))
            waylandDisplay_ = entry.path().filename().string();
    const std::string swaymsg =
        runtimeEnvironment(folder) + " SWAYSOCK='" + socket_ + "' swaymsg create_output >/dev/null";
    if (socket_.empty() || waylandDisplay_.empty() || std::system(swaymsg.c_str()) != 0)
        failure_ = "sway did not come up (headless, pixman renderer)";
}

HeadlessSway::~HeadlessSway() {
    endChild(pid_);
}

QImage HeadlessSway::screenshot(const std::string& output) const {
    const std::string file = runtime_.path() + "/" + output + ".png";
    const std::string grim = runtimeEnvironment(runtime_.path()) +
                             " WAYLAND_DISPLAY=" + waylandDisplay_ + " grim -o " + output + " '" +
                             file + "'";
    if (std::system(grim.c_str()) != 0)
        return {};
    QImage image(QString::fromStdString(file));
    fs::remove(file);
    return image;
}

void shareWithEveryone(const std::string& folder) {
    fs::permissions(folder, fs::perms::others_exec | fs::perms::group_exec, fs::perm_options::add);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::permissions(entry.path(),
                        entry.is_directory() ? fs::perms::others_exec | fs::perms::others_read
                                             : fs::perms::others_read,
                        fs::perm_options::add);
}

} // namespace zolvera::test
