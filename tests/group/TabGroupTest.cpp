// The group model as tables: steps in, tabs and selection out. Windows are named by one letter;
// a state reads "a b* c^": tabs in order, * the selection, ^ the previous selection, then after
// " / " the windows the user took out, if any.
#include "TabGroup.h"
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

HWND W(char name) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(name)); }
char Name(HWND window) { return static_cast<char>(reinterpret_cast<UINT_PTR>(window)); }

std::string State(const CTabGroup& group)
{
    std::string state;
    for (int i = 0; i < group.Count(); ++i) {
        state += (i ? " " : "") + std::string(1, Name(group.Window(i)));
        state += i == group.Selection() ? "*" : "";
        state += i == group.PrevSelection() ? "^" : "";
    }
    std::string out;
    for (char name = 'a'; name <= 'e'; ++name)
        out += group.WasTakenOut(W(name)) ? std::string(1, name) : "";
    return out.empty() ? state : state + " / " + out;
}

// Steps, blank-separated: +a insert a; -1 remove tab 1; t1 the user takes tab 1 out; s2 select tab 2; n+ / n- the next or
// previous tab; m0>2 move tab 0 to 2; xbc the windows b and c are gone (an upkeep pass drops
// them; the indices it dropped are appended to `dropped`).
std::string Play(const std::string& steps, std::string* dropped = nullptr)
{
    CTabGroup group;
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        const char op = step[0];
        if (op == '+') {
            group.Insert(W(step[1]), std::string());
        } else if (op == '-') {
            group.Remove(std::stoi(step.substr(1)));
        } else if (op == 't') {
            group.TakeOut(std::stoi(step.substr(1)));
        } else if (op == 's' || op == 'n') {
            const int index = op == 's' ? std::stoi(step.substr(1)) : group.Next(step[1] == '+' ? 1 : -1);
            group.BeginSelect();
            group.Select(index);
        } else if (op == 'm') {
            group.Move(std::stoi(step.substr(1)), std::stoi(step.substr(step.find('>') + 1)));
        } else if (op == 'x') {
            const std::set<char> gone(step.begin() + 1, step.end());
            for (int index : group.DropClosed([&](HWND w) { return !gone.count(Name(w)); }))
                if (dropped)
                    *dropped += std::to_string(index);
        }
    }
    return State(group);
}

struct Case {
    const char* steps;
    const char* state;
};

void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.steps << '"'; }

class TabGroupTable : public ::testing::TestWithParam<Case> {};

TEST_P(TabGroupTable, StepsGiveState) { EXPECT_EQ(GetParam().state, Play(GetParam().steps)) << GetParam().steps; }

INSTANTIATE_TEST_SUITE_P(Insert, TabGroupTable, ::testing::Values(
    Case{"", ""},
    Case{"+a", "a*"},
    Case{"+a +b +c", "a* b c"},
    // One window, one tab.
    Case{"+a +b +a", "a* b"},
    Case{"+a +b s1 +c", "a^ b* c"}));

INSTANTIATE_TEST_SUITE_P(Remove, TabGroupTable, ::testing::Values(
    Case{"+a +b +c -2", "a* b"},
    Case{"+a +b +c s2 -0", "b c*"},
    // The tab that slides into the removed selected one's place is selected, or the new last.
    Case{"+a +b +c s1 -1", "a^ c*"},
    Case{"+a +b +c s2 -2", "a^ b*"},
    Case{"+a +b +c s1 -0", "b* c"},
    Case{"+a +b -5 --1", "a* b"},
    Case{"+a -0", ""},
    Case{"+a -0 +b", "b*"}));

TEST(TabGroup, NextNotHiddenSkipsWindowsTheirApplicationsHid)
{
    CTabGroup group;
    for (char name : std::string("abcd"))
        group.Insert(W(name), std::string());
    group.Select(2);
    EXPECT_EQ(3, group.NextNotHidden());
    group.SetHiddenByApp(3, true);
    group.SetHiddenByApp(0, true);
    EXPECT_EQ(1, group.NextNotHidden()) << "wraps around past the hidden ones";
    group.SetHiddenByApp(1, true);
    EXPECT_EQ(-1, group.NextNotHidden()) << "the selected one itself does not count";
}

// A window taken out stays out until it is inserted again; one removed otherwise is not kept out.
INSTANTIATE_TEST_SUITE_P(TakeOut, TabGroupTable, ::testing::Values(
    Case{"+a +b +c s2 t2", "a^ b* / c"},
    Case{"+a +b t0 t0", " / ab"},
    Case{"+a +b t1 +b", "a* b"},
    Case{"+a +b -1 t5", "a*"},
    Case{"+a +b t0 xb", " / a"}));

INSTANTIATE_TEST_SUITE_P(SelectAndCycle, TabGroupTable, ::testing::Values(
    Case{"+a +b +c s2", "a^ b c*"},
    Case{"+a +b +c s7", "a^ b c"},
    Case{"+a +b +c n+", "a^ b* c"},
    Case{"+a +b +c s2 n+", "a* b c^"},
    Case{"+a +b +c n-", "a^ b c*"},
    Case{"+a n+", "a*^"},
    Case{"+a n-", "a*^"},
    Case{"+a +b -0 -0 n+", ""},
    // From no selection forward starts at the first tab, backward at the last.
    Case{"+a +b +c s7 n+", "a* b c"},
    Case{"+a +b +c s7 n-", "a b c*"}));

INSTANTIATE_TEST_SUITE_P(Move, TabGroupTable, ::testing::Values(
    Case{"+a +b +c m0>2", "b c a*"},
    Case{"+a +b +c m2>0", "c a* b"},
    Case{"+a +b +c s1 m1>0", "b* a^ c"},
    Case{"+a +b +c s2 m0>1", "b a^ c*"},
    Case{"+a +b +c m1>1", "a* b c"},
    Case{"+a +b +c m0>3", "a* b c"},
    Case{"+a +b +c m-1>0", "a* b c"}));

INSTANTIATE_TEST_SUITE_P(DropClosed, TabGroupTable, ::testing::Values(
    Case{"+a +b +c xb", "a* c"},
    // The tab that slides into the closed selected one's place is selected...
    Case{"+a +b +c s1 xb", "a^ c*"},
    // ...or the new last one, when the closed one was last.
    Case{"+a +b +c s2 xc", "a^ b*"},
    // A tab closing before the selected one in the same pass keeps the selection on its window.
    Case{"+a +b +c +d s2 xac", "b d*"},
    Case{"+a +b +c s2 xab", "c*"},
    Case{"+a +b +c xabc", ""},
    Case{"+a +b +c x", "a* b c"}));

TEST(TabGroup, DropClosedGivesEachIndexAsItIsAtItsOwnRemoval)
{
    std::string dropped;
    Play("+a +b +c +d +e xbce", &dropped);
    EXPECT_EQ("112", dropped);
}

TEST(TabGroup, RetitleTellsWhetherTheTitleChanged)
{
    CTabGroup group;
    group.Insert(W('a'), "One");
    EXPECT_FALSE(group.Retitle(0, "One"));
    EXPECT_TRUE(group.Retitle(0, "Uno"));
    EXPECT_EQ("Uno", group.Tab(0).title);
    EXPECT_FALSE(group.Retitle(1, "None"));
}

TEST(TabGroup, PendingAndLastPlaceAreKeptForTheirWindowOnly)
{
    CTabGroup group;
    RECT place = {};
    EXPECT_FALSE(group.GetLastPlace(place));
    group.SetLastPlace({1, 2, 3, 4});
    EXPECT_TRUE(group.GetLastPlace(place));
    EXPECT_EQ(4, place.bottom);

    group.SetPending(W('a'), {10, 20, 30, 40});
    EXPECT_FALSE(group.GetPending(W('b'), place));
    EXPECT_FALSE(group.GetPending(NULL, place));
    group.CaughtUp(W('b'));
    ASSERT_TRUE(group.GetPending(W('a'), place));
    EXPECT_EQ(10, place.left);
    group.CaughtUp(W('a'));
    EXPECT_FALSE(group.GetPending(W('a'), place));
}

}  // namespace
