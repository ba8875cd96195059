#pragma once

#include "platform/Failure.h"

#include <cstddef>
#include <functional>

namespace zolvera::packages {

// Lets the caller follow a long package operation (installing, packing) and stop it. Both are
// called on the thread that runs the operation, between entries; either may be left empty.
struct WorkControl {
    // How far the operation has come, in the units it names, and the whole of it.
    std::function<void(std::size_t done, std::size_t total)> progress = {};
    // Asked before every entry; true stops the operation there (Stopped).
    std::function<bool()> stopRequested = {};
};

// The operation was stopped on request; the text names what was stopped.
class Stopped : public Failure {
public:
    using Failure::Failure;
};

} // namespace zolvera::packages
