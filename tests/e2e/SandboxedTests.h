#pragma once

#include "tests/e2e/CupsSandbox.h"

#include <gtest/gtest.h>
#include <iostream>

// The main of a test program that prints through a cupsd of its own: skips (77) where cupsd cannot run
// (not root), starts the sandbox, and runs every test with the application object App. An App that records
// failures escaping their handlers' guards fails the run when there are any.
template <typename App> int runSandboxedTests(int argc, char** argv, const char* what, CupsSandbox*& sandbox)
{
    testing::InitGoogleTest(&argc, argv);
    if (!CupsSandbox::runningAsRoot()) {
        std::cout << "SKIPPED: " << what << " start a cupsd of their own, which needs root.\n";
        return 77;
    }
    CupsSandbox cups;
    if (const QString problem = cups.start(); !problem.isEmpty()) {
        std::cerr << "cannot start the CUPS sandbox: " << problem.toStdString() << '\n';
        return 1;
    }
    sandbox = &cups;
    App app(argc, argv);
    int result = RUN_ALL_TESTS();
    if constexpr (requires { app.unguardedFailures(); }) {
        for (const QString& failure : app.unguardedFailures())
            std::cerr << "Unguarded failure: " << failure.toStdString() << '\n';
        if (!app.unguardedFailures().isEmpty())
            result = 1;
    }
    sandbox = nullptr;
    return result;
}
