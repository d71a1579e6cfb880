#include "engine/ThreatCatalogue.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(ThreatCatalogue, RowsInSelectorOrder)
{
    const auto& rows = ThreatCatalogue();
    ASSERT_EQ(rows.size(), 5u);
    const Strings texts = {"Backdoor 2.03 ", "Netol ", "Cadena ", "DeepThroat",
                           "Cadena 2 ( Publicidad de web Porno )"};
    const Strings files = {"back.kvd", "netol.kvd", "cadena.kvd", "deep.kvd", "cadena2.kvd"};
    const PlanKind kinds[] = {PlanKind::ResidentBackdoor, PlanKind::MircWorm, PlanKind::MircWorm,
                              PlanKind::ResidentBackdoor, PlanKind::MircWorm};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[i].listText, texts[i]);
        EXPECT_EQ(rows[i].infoFile, files[i]);
        EXPECT_EQ(rows[i].kind, kinds[i]);
        EXPECT_EQ(FindThreat(i), &rows[i]);
    }
    for (int bad : {-1, 5, 6, -2, 1000})
        EXPECT_EQ(FindThreat(bad), nullptr) << bad;
}

TEST(ThreatCatalogue, WormPlans)
{
    const auto& netol = ThreatCatalogue()[1];
    ASSERT_EQ(netol.configPurges.size(), 2u);
    EXPECT_EQ(netol.configPurges[0].file, "mirc.ini");
    EXPECT_EQ(netol.configPurges[0].marker, "mirc.hst");
    EXPECT_EQ(netol.configPurges[1].file, "script.ini");
    EXPECT_EQ(netol.configPurges[1].marker, "mirc.hst");
    EXPECT_EQ(netol.filesToDelete, (Strings{"pynkic~1.scr", "mirc.hst", "netol.scr"}));

    const auto& cadena = ThreatCatalogue()[2];
    ASSERT_EQ(cadena.configPurges.size(), 1u);
    EXPECT_EQ(cadena.configPurges[0].marker, "\xC4");
    EXPECT_EQ(cadena.filesToDelete, Strings{"\xC4"});

    const auto& cadena2 = ThreatCatalogue()[4];
    ASSERT_EQ(cadena2.configPurges.size(), 1u);
    EXPECT_EQ(cadena2.configPurges[0].file, "mirc.ini");
    EXPECT_EQ(cadena2.configPurges[0].marker, "server.ini");
    EXPECT_EQ(cadena2.filesToDelete, Strings{"server.ini"});
}

TEST(ThreatCatalogue, ResidentPlans)
{
    const auto& back = ThreatCatalogue()[0];
    EXPECT_EQ(back.processes, (Strings{"systray.exe", "sysdemio.exe", "systemio.exe"}));
    EXPECT_EQ(back.filesToDelete, (Strings{"acdt.dat", "pddt.dat", "sysdemio.exe", "systemio.exe"}));
    EXPECT_EQ(back.foundLine,
              "Se encontr\xF3 rastro del Troyano Backdoor 2.03,archivos eliminados sin problemas");
    EXPECT_EQ(back.notFoundLine, "No se encontr\xF3 el Troyano Backdoor 2.03 en su sistema :)");

    const auto& deep = ThreatCatalogue()[3];
    EXPECT_EQ(deep.processes, (Strings{"systray.exe", "sysdemio.exe", "systemio.exe", "xcvbnm.exe"}));
    EXPECT_EQ(deep.filesToDelete, (Strings{"acdt.dat", "pddt.dat", "xcvbnm.exe"}));
    EXPECT_EQ(deep.foundLine,
              "Se encontr\xF3 rastro del Troyano DeepThroat.b,archivos eliminados sin problemas");
    EXPECT_EQ(deep.notFoundLine, "No se encontr\xF3 el Troyano Deepthroat.b en su sistema :)");

    for (const auto* row : {&back, &deep}) {
        EXPECT_EQ(row->residentFile, "systray.exe");
        EXPECT_EQ(row->startupValue, "systemtray");
    }
}
