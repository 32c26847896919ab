#include "tests/reliability/KillTrials.h"
#include "tests/support/GTestQt.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {
TEST(KilledWhileWriting, TheFileHoldsExactlyWhatWasAcknowledged)
{
    TestDatabase db;
    KillTrials trials(db.path(), 20261211);
    int posted = 0;
    int deleted = 0;
    for (int trial = 0; trial < 20; ++trial) {
        const KillTrials::Outcome outcome = trials.run(150);
        EXPECT_EQ(outcome.problems, QStringList()) << "trial " << trial;
        posted += outcome.posted;
        deleted += outcome.deleted;
    }
    std::printf("20 kills: %d posts and %d deletions acknowledged\n", posted, deleted);
    EXPECT_GT(posted, 20) << "the child should get some rows in before most kills";
    EXPECT_GT(deleted, 0);
}
} // namespace
