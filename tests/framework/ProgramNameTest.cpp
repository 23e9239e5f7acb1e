#include "ProgramName.h"
#include "Fixture.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// Our own file name as the loader saw it, read by another route than the one under test.
std::string OwnFileName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of("\\/") + 1);
}

TEST(ProgramNames, OurOwnProcessAndTheFixtureByItsWindowGiveTheirFileNamesWithoutFolder)
{
    CProgramNames names;
    EXPECT_EQ(OwnFileName(), names.OfProcess(::GetCurrentProcessId()));

    CFixtureProcess fixture({"title=Named By Its Program"});
    ASSERT_TRUE(fixture.Window(0));
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfWindow(fixture.Window(0)));
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(fixture.Id()));
    EXPECT_EQ(2u, names.Count()) << "one entry a process, however often it is asked";
}

TEST(ProgramNames, NothingIsNamedForAProcessThatIsGoneOrNeverWas)
{
    CProgramNames names;
    EXPECT_EQ("", names.OfWindow(NULL));
    EXPECT_EQ("", names.OfProcess(0xFFFFFFF0));
    EXPECT_EQ(0u, names.Count());

    auto fixture = std::make_unique<CFixtureProcess>(std::vector<std::string>{"title=Soon Gone"});
    const DWORD id = fixture->Id();
    ASSERT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(id));
    fixture.reset();  // ends it and waits for its end
    EXPECT_EQ("", names.OfProcess(id)) << "an ended process's name is not served from before";
    EXPECT_EQ(0u, names.Count());
}

TEST(ProgramNames, EndedProcessesAreLetGoAndTheRunningKept)
{
    CProgramNames names;
    auto ending = std::make_unique<CFixtureProcess>(std::vector<std::string>{"title=Ending"});
    CFixtureProcess staying({"title=Staying"});
    ASSERT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(ending->Id()));
    ASSERT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(staying.Id()));
    ASSERT_EQ(2u, names.Count());
    ending.reset();
    names.DropEnded();
    EXPECT_EQ(1u, names.Count());
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(staying.Id()));
}

}  // namespace
