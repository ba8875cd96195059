#pragma once

#include "platform/Failure.h"

#include <string>

namespace zolvera::test {

// The text of the Failure that the call throws; "" when it throws none.
template <class Call> std::string failureText(Call&& call) {
    try {
        call();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return {};
}

} // namespace zolvera::test
