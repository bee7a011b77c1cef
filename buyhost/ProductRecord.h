#ifndef BUYHOST_PRODUCTRECORD_H
#define BUYHOST_PRODUCTRECORD_H

#include "String.h"

// One product's record: the profile file PRODUCT.INF, section [PRODUCT], in
// <base>\Brenvick\ZEPH\Info\<product id>, where base is the Program Files
// directory, or else the Windows directory. Holds no handle; closing is
// forgetting the file.
class ProductRecord {
public:
    ProductRecord() = default;
    ProductRecord(const ProductRecord&) = delete;
    ProductRecord& operator=(const ProductRecord&) = delete;

    // True when the record file exists under either base. False, and the
    // record closed, for an unusable identifier or when neither base has it.
    bool Open(const QFC::String& productIdentifier);

    bool IsOpen() const { return !recordPath.isEmpty(); }

    // The value of a field; empty when the field is missing or the record
    // is closed.
    QFC::String Field(const char* name) const;

    // The record file in use; empty while closed.
    const QFC::String& Path() const { return recordPath; }

private:
    QFC::String recordPath;
};

#endif
