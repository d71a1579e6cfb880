// PelkarinCmd.exe: the removal plans for unattended runs. It prints and logs what it finds
// or does, ends with an exit code that says how the run went, and never shows a window.
#include "console/Win32ConsoleProgram.h"

int main(int argc, char** argv)
{
    return ConsoleProgram(argc, argv);
}
