/* Imports GetTickCount64, which Windows 95, NT 4 and XP lack: the import
   check must refuse it. The declaration is hidden below Vista's version. */
#include <windows.h>

__declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);

int main(void)
{
    return (int)(GetTickCount64() & 1);
}
