#pragma once

#include "desktop/CommandRunner.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The systemd user timer that changes the wallpaper on its own: zolvera-rotate.service runs
// the command with next (or random) and zolvera-rotate.timer starts it every interval.
namespace zolvera::wallpaper {

inline constexpr char kServiceName[] = "zolvera-rotate.service";
inline constexpr char kTimerName[] = "zolvera-rotate.timer";

struct RotationTimer {
    std::string program; // full path of the command
    std::string group;   // as the group list holds it
    std::string every;   // a systemd time span, checked with isTimeSpan
    bool random = false;
    // The session's manager knows graphical-session.target: the timer then runs only while a
    // graphical session does, and starts with it.
    bool graphicalSession = false;
    // Variables the service is given, so that it finds the library, the registry and the
    // positions where this run found them.
    std::vector<std::pair<std::string, std::string>> environment;
};

// True for a systemd time span of at least a second written with numbers and units on one line
// ("30min", "1h 30m", "90"). Anything else would make a unit file systemd refuses, one with
// lines of its own, or a timer that runs all the time.
bool isTimeSpan(std::string_view text);

// The service's text. A line break or other control character in a value is written as a C
// escape; throws a Failure naming a text systemd could not be given safely (one that is not
// UTF-8, or a program path with a control character).
std::string serviceUnit(const RotationTimer& timer);
std::string timerUnit(const RotationTimer& timer);

// The user's unit folder: $XDG_CONFIG_HOME/systemd/user (an absolute one), else
// ~/.config/systemd/user.
std::string userUnitFolder();

// Writes both units into the folder (made when needed) and, when a user manager answers,
// reloads it and enables and (re)starts the timer. False when no user manager answered; the
// files are then ready for it. Throws "Cannot create file "%s". %s" when a unit cannot be
// written, and a failure when the manager answered but refused the timer; the units that were
// there before are then put back and their timer restarted.
[[nodiscard]] bool installRotationTimer(const RotationTimer& timer, const std::string& folder,
                                        desktop::CommandRunner& systemctl);

// Whether the user manager runs graphical-session.target now, as sessions that tell systemd
// about themselves do.
bool hasGraphicalSession(desktop::CommandRunner& systemctl);

// Disables and stops the timer where a user manager answers and deletes both units. False
// when there was no unit to remove; throws when a unit stays because it cannot be deleted.
[[nodiscard]] bool removeRotationTimer(const std::string& folder,
                                       desktop::CommandRunner& systemctl);

} // namespace zolvera::wallpaper
