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

// What the group told its observer, one word a change: +1 inserted at 1, -0 removed from 0,
// m0>2 moved from 0 to 2, s2<0 selected 2 after 0, r1 retitled 1; each with its window's name.
class ChangeLog : public CTabGroupObserver {
public:
    void OnTabChanged(const CTabGroup&, const TabChange& c) override
    {
        static const char kinds[] = "+-msr";
        std::string word(1, kinds[c.kind]);
        if (c.kind == TabChange::Moved)
            word += std::to_string(c.from) + ">";
        word += std::to_string(c.index);
        if (c.kind == TabChange::Selected)
            word += "<" + std::to_string(c.from);
        text += (text.empty() ? "" : " ") + word + Name(c.window);
    }
    std::string text;
};

// Steps, blank-separated: +a insert a; i1a insert a before tab 1; -1 remove tab 1; t1 the user
// takes tab 1 out; s2 select tab 2; n+ / n- the next or previous tab; m0>2 move tab 0 to 2; rb2
// retitle tab 2 "b"; xbc the windows b and c are gone (an upkeep pass drops them; the indices
// it dropped are appended to `dropped`). A step "|" starts the log of changes afresh.
void Step(CTabGroup& group, const std::string& step, std::string* dropped)
{
    const char op = step[0];
    if (op == '+') {
        group.Insert(W(step[1]), std::string());
    } else if (op == 'i') {
        group.InsertAt(std::stoi(step.substr(1)), W(step.back()), std::string());
    } else if (op == '-') {
        group.Remove(std::stoi(step.substr(1)));
    } else if (op == 't') {
        group.TakeOut(std::stoi(step.substr(1)));
    } else if (op == 's') {
        group.Select(std::stoi(step.substr(1)));
    } else if (op == 'n') {
        group.SelectNext(step[1] == '+' ? 1 : -1);
    } else if (op == 'm') {
        group.Move(std::stoi(step.substr(1)), std::stoi(step.substr(step.find('>') + 1)));
    } else if (op == 'r') {
        group.Retitle(std::stoi(step.substr(2)), step.substr(1, 1));
    } else if (op == 'x') {
        const std::set<char> gone(step.begin() + 1, step.end());
        for (int index : group.DropClosed([&](HWND w) { return !gone.count(Name(w)); }))
            if (dropped)
                *dropped += std::to_string(index);
    }
}

std::string Play(const std::string& steps, std::string* dropped = nullptr, std::string* changes = nullptr)
{
    CTabGroup group;
    ChangeLog log;
    group.SetObserver(&log);
    std::istringstream in(steps);
    for (std::string step; in >> step;)
        if (step == "|")
            log.text.clear();
        else
            Step(group, step, dropped);
    if (changes)
        *changes = log.text;
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
    Case{"+a +b s1 +c", "a^ b* c"},
    // Before a given tab: the selection and the previous one stay with their windows.
    Case{"+a +b i0c", "c a* b"},
    Case{"+a +b s1 i1c", "a^ c b*"},
    Case{"+a +b s1 i2c", "a^ b* c"},
    Case{"i0a i0b", "b a*"},
    Case{"+a i3b i-1b", "a*"},
    Case{"+a +b i0b", "a* b"}));

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
    ASSERT_TRUE(group.Select(2));
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

// A selection names a tab while the group has one: an index that names none, or the selected
// tab itself, changes nothing, not even the previous selection.
INSTANTIATE_TEST_SUITE_P(SelectAndCycle, TabGroupTable, ::testing::Values(
    Case{"+a +b +c s2", "a^ b c*"},
    Case{"+a +b +c s7", "a* b c"},
    Case{"+a +b +c s-1", "a* b c"},
    Case{"+a +b +c s1 s1", "a^ b* c"},
    Case{"+a +b +c n+", "a^ b* c"},
    Case{"+a +b +c s2 n+", "a* b c^"},
    Case{"+a +b +c n-", "a^ b c*"},
    Case{"+a +b +c n- n-", "a b* c^"},
    Case{"+a n+", "a*"},
    Case{"+a n-", "a*"},
    Case{"+a +b -0 -0 n+", ""},
    Case{"n+ s0", ""},
    Case{"+a +b +c s7 n+", "a^ b* c"},
    Case{"+a +b +c s7 n-", "a^ b c*"}));

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

// What the strip is told: each change once, after it is made, in the order made; a step that
// changes nothing tells nothing.
class TabChangeTable : public ::testing::TestWithParam<Case> {};

TEST_P(TabChangeTable, StepsTellChanges)
{
    std::string changes;
    Play(GetParam().steps, nullptr, &changes);
    EXPECT_EQ(GetParam().state, changes) << GetParam().steps;
}

INSTANTIATE_TEST_SUITE_P(Changes, TabChangeTable, ::testing::Values(
    // The first tab is selected as it comes; later ones are not.
    Case{"+a +b", "+0a s0<-1a +1b"},
    Case{"+a +a", "+0a s0<-1a"},
    Case{"+a | i0b i9c", "+0b"},
    Case{"+a +b +c | s2 s2 s5 n+", "s2<0c s0<2a"},
    Case{"+a +b +c | n-", "s2<0c"},
    Case{"+a | n+ n-", ""},
    // A removed selected tab passes the selection on: the strip hears of both; the tab selected
    // before it left, so the new selection comes from none.
    Case{"+a +b +c | -2", "-2c"},
    Case{"+a +b +c | -0", "-0a s0<-1b"},
    Case{"+a +b +c s2 | -2", "-2c s1<-1b"},
    Case{"+a | -0 -0", "-0a"},
    Case{"+a +b | t0", "-0a s0<-1b"},
    Case{"+a +b +c s1 | xab", "-0a -0b s0<-1c"},
    Case{"+a +b +c | m0>2 m1>1 m5>0", "m0>2a"},
    Case{"+a +b | rX1 rX1 rY1 rZ4", "r1b r1b"}));

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
