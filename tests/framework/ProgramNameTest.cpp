#include "ProgramName.h"
#include "Fixture.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// Our own file name as the loader saw it: another route than the one under test.
std::string OwnFileName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    const std::string full(path);
    return full.substr(full.find_last_of("\\/") + 1);
}

TEST(ProgramNames, OurProcessAndTheFixtureByItsWindowGiveTheirFileNamesOnceEach)
{
    CProgramNames names;
    EXPECT_EQ(OwnFileName(), names.OfProcess(::GetCurrentProcessId()));
    CFixtureProcess fixture({"title=Named By Its Program"});
    ASSERT_TRUE(fixture.Window(0));
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfWindow(fixture.Window(0)));
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(fixture.Id()));
    EXPECT_EQ(2u, names.Count());
    EXPECT_EQ("", names.OfWindow(NULL));
    EXPECT_EQ("", names.OfProcess(0xFFFFFFF0));
    EXPECT_EQ(2u, names.Count());
}

TEST(ProgramNames, AnEndedProcessIsNotNamedFromBeforeAndIsLetGo)
{
    CProgramNames names;
    auto asked = std::make_unique<CFixtureProcess>(std::vector<std::string>{"title=Asked Again"});
    auto dropped = std::make_unique<CFixtureProcess>(std::vector<std::string>{"title=Dropped"});
    CFixtureProcess staying({"title=Staying"});
    const DWORD askedId = asked->Id();
    for (DWORD id : {askedId, dropped->Id(), staying.Id()})
        ASSERT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(id));
    asked.reset();  // ends it and waits for its end
    dropped.reset();
    EXPECT_EQ("", names.OfProcess(askedId));
    EXPECT_EQ(2u, names.Count());
    names.DropEnded();
    EXPECT_EQ(1u, names.Count());
    EXPECT_EQ(QUORTAB_FIXTURE_EXE, names.OfProcess(staying.Id()));
}

}  // namespace
