#include "text/FailureReport.h"

#include <cstdio>

namespace {
FailureDisplay& display()
{
    static FailureDisplay current;
    return current;
}
} // namespace

void setFailureDisplay(FailureDisplay newDisplay)
{
    display() = std::move(newDisplay);
}

void reportFailure(const std::exception& error)
{
    if (display())
        display()(error);
    else
        std::fprintf(stderr, "%s\n", error.what());
}
