#ifndef WIZARD_WIZARDCONTROLS_H
#define WIZARD_WIZARDCONTROLS_H

#include <windows.h>

// Questions the sheet and the pages ask about controls and the program.
namespace WizardControls {

// True for a push button (default or not), by its dialog code.
bool IsPushButton(HWND window);
// True for a visible, enabled window with the tab-stop style.
bool IsTabStop(HWND window);
// True when the application object names a help file.
bool AppHasHelpFile();

} // namespace WizardControls

#endif
