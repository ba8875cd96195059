#pragma once

#include <dirent.h>

#include <memory>

namespace zolvera::platform {

// Owns an open folder listing: closes it when it goes.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

} // namespace zolvera::platform
