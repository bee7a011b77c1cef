#ifndef WIZARD_QFXWIZARDSHEETINTERNAL_H
#define WIZARD_QFXWIZARDSHEETINTERNAL_H

#include <windows.h>

// Internal to the files of the sheet's definitions; pages and programs use
// QFXWizardSheet.h, where DoModal's results and the button flags are.

// The result while the sheet runs; DoModal never returns it.
const int WizardResultRunning = -1;

// Pop-up, caption, system menu and the dialog-frame bit; the layout sizes
// the frame for these styles.
const DWORD WizardSheetStyle = 0x80C80080;
const DWORD WizardSheetExStyle = WS_EX_DLGMODALFRAME;

#endif
