// When a group starts its guardian again: after every end, until starts keep failing or guardians
// keep dying just after they started.
#include "Guardian.h"
#include <gtest/gtest.h>
#include <string>

namespace {
// Steps: F a start failed, S a start that worked, s a guardian that ended 999 ms after it started,
// l one that ended after 1000 ms. After each step: + the group starts it again, - it has given up.
struct RestartCase {
    const char* steps;
    const char* restarts;
};

std::string RestartsAfter(const char* steps)
{
    CGuardianRestarts restarts;
    std::string after;
    for (const char* step = steps; *step; ++step) {
        if (*step == 'F')
            restarts.StartFailed();
        else if (*step == 'S')
            restarts.Started();
        else
            restarts.Ended(*step == 's' ? kGuardianShortLifeMs - 1 : kGuardianShortLifeMs);
        after += restarts.GivenUp() ? '-' : '+';
    }
    return after;
}

TEST(GuardianRestarts, ThreeFailedStartsOrThreeShortLivesInARowAndNoMore)
{
    const RestartCase cases[] = {
        {"S", "+"},
        {"FF", "++"},
        {"FFF", "++-"},
        {"FFSFF", "+++++"},
        {"SlSlSlSl", "++++++++"},
        {"SsSs", "++++"},
        {"SsSsSs", "+++++-"},
        {"SsSsSlSsSs", "++++++++++"},
        // A failed start between short lives neither counts as one nor breaks their row.
        {"SsFSsFSs", "+++++++-"},
        {"FFSsFFSs", "++++++++"},
        {"SsSsFFF", "++++++-"},
    };
    for (const RestartCase& c : cases)
        EXPECT_EQ(c.restarts, RestartsAfter(c.steps)) << "steps: " << c.steps;
}
}  // namespace
