#ifndef WIZARD_WIZARDSHEETCONSTANTS_H
#define WIZARD_WIZARDSHEETCONSTANTS_H

#include <windows.h>

// What the files of the sheet's definitions share.

// The result while the sheet runs and after it ends.
const int WizardResultRunning = -1;
const int WizardResultFinish = 1;
const int WizardResultCancel = 2;

// Pop-up, caption, system menu and the dialog-frame bit; the layout sizes
// the frame for these styles.
const DWORD WizardSheetStyle = 0x80C80080;
const DWORD WizardSheetExStyle = WS_EX_DLGMODALFRAME;

#endif
