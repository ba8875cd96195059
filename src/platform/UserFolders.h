#pragma once

#include <string>

namespace zolvera::platform {

// The value of an environment variable; "" when it is not set.
std::string environment(const char* name);

// The user's home folder: $HOME, else the account's entry in the user database; "" when neither
// names one.
std::string userHomeFolder();

// A base folder of the user's files as the XDG base directory rules give it: the variable's
// value when it is an absolute path, else the home folder followed by the default, e.g.
// userBaseFolder("XDG_STATE_HOME", "/.local/state"). Never ends in a separator.
std::string userBaseFolder(const char* variable, const char* defaultUnderHome);

// Whether the path itself (not a link to it) is a folder owned by this process's user that
// nobody else may write to: the only kind of folder in which files are made, replaced or
// removed by name without another user choosing what those names lead to.
bool isOwnFolder(const std::string& path);

// The user's runtime folder: $XDG_RUNTIME_DIR when it names a folder of the user's own with
// mode 0700, as the XDG base directory rules require; otherwise runtime-<user> in the temporary
// folder ($TMPDIR, else /tmp), made with mode 0700 when missing; "" when that one is not such a
// folder either (another user made it first).
std::string userRuntimeFolder();

} // namespace zolvera::platform
