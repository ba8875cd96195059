#pragma once

#include <string>

namespace zolvera::platform {

// The user's home folder: $HOME, else the account's entry in the user database; "" when neither
// names one.
std::string userHomeFolder();

// A base folder of the user's files as the XDG base directory rules give it: the variable's
// value when it is an absolute path, else the home folder followed by the default, e.g.
// userBaseFolder("XDG_STATE_HOME", "/.local/state"). Never ends in a separator.
std::string userBaseFolder(const char* variable, const char* defaultUnderHome);

} // namespace zolvera::platform
