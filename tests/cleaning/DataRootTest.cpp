// Where the data root lies for each kind of rights, and how its folders are had.
#include "cleaning/DataRoot.h"
#include "cleaning/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(DataRoot, LiesWhereTheProgramsRightsSay)
{
    const struct {
        ProgramRights rights;
        const char* common;
        const char* root;
    } cases[] = {
        {ProgramRights::Administrator, "c:\\programdata", "c:\\programdata\\Pelkarin\\"},
        {ProgramRights::StandardUser, "c:\\programdata", "c:\\users\\user\\appdata\\local\\Pelkarin\\"},
        {ProgramRights::Windows9x, "c:\\programdata", "c:\\windows\\Pelkarin\\"},
        {ProgramRights::Administrator, "", "c:\\windows\\Pelkarin\\"},   // no such folder on the system
    };
    for (const auto& c : cases) {
        RecordingPlatform machine;
        machine.SetRights(c.rights);
        machine.SetDataDirectories(c.common, "c:\\users\\user\\appdata\\local");
        EXPECT_EQ(DataRoot(machine).Path(), c.root);
    }
}

TEST(DataRoot, FoldersAreMadeAdministratorsOnlyAndWhatStandsInTheWayIsMovedAside)
{
    RecordingPlatform machine;
    machine.AddFile("c:\\programdata\\Pelkarin\\Cuarentena", "a file in the way");
    machine.SetAdministratorsOnly("c:\\programdata\\Pelkarin", true);
    DataRoot data(machine);
    EXPECT_EQ(data.Folder("Cuarentena\\7"), "c:\\programdata\\Pelkarin\\Cuarentena\\7\\");
    EXPECT_EQ(machine.Contents("c:\\programdata\\Pelkarin\\Cuarentena.untrusted-1"), "a file in the way");
    EXPECT_EQ(machine.HeldFolders(), 3);
    for (const char* made : {"c:\\programdata\\Pelkarin\\Cuarentena", "c:\\programdata\\Pelkarin\\Cuarentena\\7"})
        EXPECT_TRUE(machine.HoldFolder(made)->AdministratorsOnly()) << made;
    EXPECT_FALSE(machine.Rename("c:\\programdata\\Pelkarin", "c:\\programdata\\moved")) << "held";
}

} // namespace
