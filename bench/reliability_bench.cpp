// Kills a child that posts and deletes fee items at random moments, as many times as asked, and prints what
// the file held afterwards. Prints figures; it never passes or fails.
// Usage: reliability_bench [trials=200] [longest life in ms=300]

#include "tests/reliability/KillTrials.h"
#include "tests/support/TestDatabase.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int trials = argc > 1 ? std::atoi(argv[1]) : 200;
    const int maxLife = argc > 2 ? std::atoi(argv[2]) : 300;
    TestDatabase db;
    KillTrials killer(db.path(), 20261211);
    int posted = 0;
    int deleted = 0;
    int failedTrials = 0;
    QElapsedTimer timer;
    timer.start();
    for (int trial = 1; trial <= trials; ++trial) {
        const KillTrials::Outcome outcome = killer.run(maxLife);
        posted += outcome.posted;
        deleted += outcome.deleted;
        if (!outcome.problems.isEmpty()) {
            ++failedTrials;
            for (const QString& problem : outcome.problems)
                std::printf("trial %d: %s\n", trial, qPrintable(problem));
        }
    }
    std::printf("%-40s %d (child lives 0 to %d ms after opening the list)\n", "kill -9 trials", trials,
                maxLife);
    std::printf("%-40s %d\n", "posts acknowledged", posted);
    std::printf("%-40s %d\n", "deletions acknowledged", deleted);
    std::printf("%-40s %d\n", "faulty trials", failedTrials);
    std::printf("%-40s\n", "  (a row lost, doubled, resurrected or unexpected, or integrity_check failed)");
    std::printf("%-40s %.1f s\n", "time", double(timer.elapsed()) / 1000.0);
    return failedTrials == 0 ? 0 : 1;
}
