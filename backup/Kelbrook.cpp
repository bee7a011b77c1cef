// Entry of the wizard program: everything happens in the application object.
#include "CWinApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunApplication();
}
