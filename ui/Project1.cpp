// The program's entry.
#include "ui/Form1Description.h"
#include "ui/Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunProgram(instance, Form1Description());
}
