#ifndef BUYHOST_RESOURCE_H
#define BUYHOST_RESOURCE_H

// String table: the numbers are the message codes the user sees.
#define IDS_INTERFACE_FAILED 4
#define IDS_RECORD_MISSING   5

#endif
