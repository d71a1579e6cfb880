#pragma once
// A recording machine with the cleaning operations over it, and the texts they write.
#include "cleaning/RecordingPlatform.h"
#include "cleaning/SystemCleaning.h"
#include "tests/support/LineReport.h"
#include "tests/support/WalkAndAct.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Strings = std::vector<std::string>;

const std::string SearchDone = "B\xFAsqueda concluida,siguiente b\xFAsqueda...";
const std::string CopyDeleted = "Fichero del Troyano borrado.";
const std::string CopyKept = "No se pudo borrar el fichero del Troyano: ";
const std::string RunKey = "software\\microsoft\\windows\\currentversion\\run";

class CleaningTest : public ::testing::Test {
protected:
    RecordingPlatform machine;
    LineReport report;
    SharedFlags flags;
    SystemCleaning ops{machine, report, flags};

    // Every entry of the drive but the program's own data root.
    Strings DrivePaths() const
    {
        Strings paths;
        for (const std::string& path : machine.AllPaths())
            if (path.rfind("c:\\programdata", 0) != 0)
                paths.push_back(path);
        return paths;
    }

    // Every listing, key and file the operations opened is closed again.
    void ExpectNothingOpen() const
    {
        EXPECT_EQ(machine.OpenListings(), 0);
        EXPECT_EQ(machine.OpenKeys(), 0);
        EXPECT_EQ(machine.OpenFiles(), 0);
    }
};
