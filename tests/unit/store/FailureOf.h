#pragma once

#include "text/Failure.h"

#include <functional>
#include <string>

// The message of the Failure an action throws, or "no failure".
inline std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message().toStdString();
    }
    return "no failure";
}
