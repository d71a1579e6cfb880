// PelkarinCmd.exe whose plans fault: what a crash of the real program leaves behind.
#include "console/Win32ConsoleProgram.h"

int main(int argc, char** argv)
{
    return ConsoleProgram(argc, argv,
                          [](const ConsoleOptions&, PlatformServices&, SystemCleaning&, UserHives&, ConsoleLines& lines,
                             SharedFlags&, ConsoleProgress&, RunOutcome&) {
                              lines.Append("a punto de fallar");
                              *static_cast<volatile int*>(nullptr) = 0;
                          });
}
