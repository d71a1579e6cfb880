#pragma once
// A recording machine that carries something of every infection of the catalogue: target
// files at several depths (one under a hidden folder, some below others), configuration
// copies (one below another), processes, the Run value and a resident "systray.exe" in
// the current directory.
#include "cleaning/RecordingPlatform.h"

#include <string>
#include <vector>

const std::string MircIni = "[mirc]\r\nn0=mirc.hst\r\nn1=\xC4\r\nn2=server.ini\r\nkeep\n";
const std::string ScriptIni = "a\r\n/load mirc.hst\r\n";
const std::vector<std::string> MircCopies = {"c:\\mirc\\mirc.ini", "c:\\mirc\\down\\mirc.ini",
                                             "c:\\progs\\irc\\mirc.ini"};
const std::vector<std::string> ScriptCopies = {"c:\\mirc\\script.ini", "c:\\progs\\irc\\script.ini"};

// What a copy of MircIni reads after the purge of one marker.
inline std::string PurgedMircIni(const std::string& marker)
{
    if (marker == "mirc.hst") return "[mirc]\r\nn1=\xC4\r\nn2=server.ini\r\nkeep\r\n";
    if (marker == "\xC4") return "[mirc]\r\nn0=mirc.hst\r\nn2=server.ini\r\nkeep\r\n";
    return "[mirc]\r\nn0=mirc.hst\r\nn1=\xC4\r\nkeep\r\n";
}
const std::string PurgedScriptIni = "a\r\n";

inline void BuildInfectedMachine(RecordingPlatform& machine)
{
    for (const std::string& copy : MircCopies)
        machine.AddFile(copy, MircIni);
    for (const std::string& copy : ScriptCopies)
        machine.AddFile(copy, ScriptIni);

    machine.AddFile("c:\\windows\\pynkicture image.scr");
    machine.SetShortName("c:\\windows\\pynkicture image.scr", "PYNKIC~1.SCR");
    machine.AddFile("c:\\windows\\system\\netol.scr");
    machine.AddDirectory("c:\\hidden dir", FileAttr::Directory | FileAttr::Hidden);
    machine.AddFile("c:\\hidden dir\\netol.scr");
    machine.AddFile("c:\\a\\mirc.hst");
    machine.AddFile("c:\\a\\b\\mirc.hst");
    machine.AddFile("c:\\progs\\mirc.hst");
    machine.AddFile("c:\\a\\b\\c\\\xC4");
    machine.AddFile("c:\\progs\\\xC4");
    machine.AddFile("c:\\progs\\irc\\server.ini");
    machine.AddFile("c:\\a\\server.ini");
    machine.AddFile("c:\\windows\\system\\acdt.dat", "", FileAttr::Hidden);
    machine.AddFile("c:\\a\\b\\pddt.dat", "", FileAttr::ReadOnly | FileAttr::Archive);
    machine.AddFile("c:\\windows\\sysdemio.exe", "", FileAttr::System | FileAttr::Hidden);
    machine.AddFile("c:\\progs\\systemio.exe");
    machine.AddFile("c:\\a\\b\\c\\xcvbnm.exe");

    machine.AddFile("c:\\progs\\app\\systray.exe");
    machine.SetCurrentDir("c:\\progs\\app");
    machine.SetWindowsDir("c:\\windows");

    machine.AddProcess("systray.exe");
    machine.AddProcess("C:\\WINDOWS\\SYSDEMIO.EXE");
    machine.AddProcess("systemio.exe");
    machine.AddProcess("xcvbnm.exe");
    machine.AddProcess("explorer.exe");

    machine.SetValue("software\\microsoft\\windows\\currentversion\\run", "systemtray", "systray.exe");
    machine.SetValue("software\\microsoft\\windows\\currentversion\\run", "other", "other.exe");
}
