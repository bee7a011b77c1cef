#ifndef BACKUP_RESOURCE_H
#define BACKUP_RESOURCE_H

// Resource identifiers of the wizard program. The numbers are fixed: the
// page classes and the resource script refer to them by name. The wizard
// framework's own (page templates, their controls, button captions) are in
// its WizardResource.h.

#define IDB_WIZARD              400

// Texts of the pages and the program's messages.
#define IDS_RECOVERY_WELCOME        257
#define IDS_RECOVERY_READY          260
#define IDS_RECOVERY_RESTORING      265
#define IDS_BACKUP_WELCOME          273
#define IDS_BACKUP_INSERT_DISK      274
#define IDS_COPYING_FILE            275
#define IDS_BACKUP_COPY_ERROR       277
#define IDS_BACKUP_COMPLETE         278
#define IDS_RECOVERY_COPY_HEADER    279
#define IDS_BACKUP_COPY_HEADER      280
#define IDS_STAGE_USER_INFORMATION  281
#define IDS_STAGE_PRODUCT_BACKUP    282
#define IDS_STAGE_PRODUCT_RESTORE   283
#define IDS_PROGRAM_NAME            352
#define IDS_NO_PRODUCT_ID           353
#define IDS_BACKUP_TITLE            355
#define IDS_RECOVERY_TITLE          357
#define IDS_ERROR_COPY              371
#define IDS_ERROR_CREATE_DIRECTORY  373
#define IDS_ERROR_GET_CUSTOMER_ID   374
#define IDS_ERROR_WRITE_CUSTOMER_ID 375
#define IDS_ERROR_WRITE_PRODUCT_ID  376
#define IDS_ERROR_READ_PRODUCT_ID   377
#define IDS_ERROR_GET_TRANSACTION   379
#define IDS_ERROR_WRITE_TRANSACTION 380

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
