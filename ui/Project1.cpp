// The program's entry.
#include "Form1Classes.h"
#include "Form1Description.h"
#include "Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunProgram(instance, Form1Description(), Form1Classes());
}
