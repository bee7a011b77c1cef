#ifndef TESTSUPPORT_CUSTOMERID_H
#define TESTSUPPORT_CUSTOMERID_H

#include <windows.h>

namespace testsupport {

// The key below HKEY_LOCAL_MACHINE where the stand-in product-information
// library reads the customer identifier (value "CustomerId").
extern const char CustomerIdKey[];

// Sets the customer identifier, or removes the value for nullptr. False when
// the key could not be opened or the value not written.
bool setCustomerId(const char* id);

// Makes the stand-in answer the customer identifier and each product
// selection delayMs late; 0 removes the delay. False when it cannot be set.
bool setAnswerDelay(DWORD delayMs);

} // namespace testsupport

#endif
