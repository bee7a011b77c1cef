#ifndef BACKUP_WIZARDAPP_H
#define BACKUP_WIZARDAPP_H

#include "CWinApp.h"

// The program's application object: reads the command line, runs the chosen
// wizard modally and ends. The exit code is 0 in every case.
class WizardApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

#endif
