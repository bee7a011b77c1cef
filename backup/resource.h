#ifndef BACKUP_RESOURCE_H
#define BACKUP_RESOURCE_H

// Resource identifiers of the wizard program. The numbers are fixed: the
// page classes and the resource script refer to them by name.

#define IDD_MESSAGE_PAGE        100
#define IDD_PROGRESS_PAGE       101

#define IDB_WIZARD              400

#define IDC_MESSAGE             1000
#define IDC_PICTURE             1001
#define IDC_PROGRESS_HEADER     1010
#define IDC_PROGRESS_OPERATION  1011
#define IDC_PROGRESS_BAR        1012
#define IDC_PROGRESS_PICTURE    1013
#define IDC_DRIVE               1031
#define IDC_DRIVE_LIST          1137

// Captions of the sheet's buttons: label, line feed, width in dialog units.
#define IDS_WIZARD_BACK         61989
#define IDS_WIZARD_NEXT         61990
#define IDS_WIZARD_FINISH       61991
#define IDS_WIZARD_CANCEL       61992
#define IDS_WIZARD_HELP         61993

// Strings the copy worker reads: data rather than messages.
#define IDS_COPY_COMPLETE           276
#define IDS_BACKUP_DRIVE            288
#define IDS_DISK_PRODUCT_FOLDER     289
#define IDS_MACHINE_PRODUCT_FOLDERS 290
#define IDS_RECEIPT_FILE            305
#define IDS_CUSTOMER_SECTION        306
#define IDS_CUSTOMER_KEY            307
#define IDS_PRODUCT_SECTION         308
#define IDS_PRODUCT_KEY             309
#define IDS_TRANSACTION_SECTION     310
#define IDS_TRANSACTION_KEY         311

// The program icon, the first icon group and so the one the shell shows.
#define IDI_MAIN                    201

#endif
