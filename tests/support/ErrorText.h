#pragma once

#include <string>

#include "core/Error.h"

namespace tarnwick::testsupport {

// The message `action` fails with, or "no failure"; failures of other types than `Failure`
// pass through and fail the test.
template <typename Failure = Error, typename Action>
std::string errorOf(Action&& action) {
    try {
        action();
    } catch (const Failure& error) {
        return error.what();
    }
    return "no failure";
}

}  // namespace tarnwick::testsupport
