#ifndef BACKUP_RESOURCE_H
#define BACKUP_RESOURCE_H

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
