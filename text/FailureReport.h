#pragma once

#include <exception>
#include <functional>

// The program's default error display, installed once at start-up. Handlers run under runGuarded so that a
// failure is reported where it escapes the handler and never unwinds through the toolkit's own frames.
using FailureDisplay = std::function<void(const std::exception&)>;

void setFailureDisplay(FailureDisplay display);
void reportFailure(const std::exception& error);

template <class Handler> void runGuarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        reportFailure(error);
    }
}
