#ifndef WIZARD_WIZARDRESOURCE_H
#define WIZARD_WIZARDRESOURCE_H

// Resource identifiers that the wizard framework reads from the program that
// links it; WizardPages.rc defines the resources under these numbers, and a
// program includes that script in its own.

// Templates of the generic pages.
#define IDD_MESSAGE_PAGE        100
#define IDD_PROGRESS_PAGE       101

// Controls of the message page's template; the drive label and list are
// hidden and no page of the framework uses them.
#define IDC_MESSAGE             1000
#define IDC_PICTURE             1001
#define IDC_DRIVE               1031
#define IDC_DRIVE_LIST          1137

// Controls of the progress page's template.
#define IDC_PROGRESS_HEADER     1010
#define IDC_PROGRESS_OPERATION  1011
#define IDC_PROGRESS_BAR        1012
#define IDC_PROGRESS_PICTURE    1013

// Captions of the sheet's buttons: label, line feed, width in dialog units.
#define IDS_WIZARD_BACK         61989
#define IDS_WIZARD_NEXT         61990
#define IDS_WIZARD_FINISH       61991
#define IDS_WIZARD_CANCEL       61992
#define IDS_WIZARD_HELP         61993

#endif
