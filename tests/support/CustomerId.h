#ifndef TESTSUPPORT_CUSTOMERID_H
#define TESTSUPPORT_CUSTOMERID_H

namespace testsupport {

// The key below HKEY_LOCAL_MACHINE where the stand-in product-information
// library reads the customer identifier (value "CustomerId").
extern const char CustomerIdKey[];

// Sets the customer identifier, or removes the value for nullptr. False when
// the key could not be opened or the value not written.
bool setCustomerId(const char* id);

} // namespace testsupport

#endif
