#include "ProductRecord.h"
#include "ProductIdentifier.h"
#include "FileSystem.h"

#include <windows.h>

namespace {

const char InfoFolder[] = "Brenvick\\ZEPH\\Info";
const char RecordFileName[] = "PRODUCT.INF";
const char RecordSection[] = "PRODUCT";

bool isFile(const QFC::String& path)
{
    DWORD attributes = ::GetFileAttributesA(path.textOrEmpty());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The record file below base; empty when base is unknown, so that a missing
// Program Files entry never turns into a path relative to the current folder.
QFC::String recordPathBelow(const QFC::String& base, const QFC::String& productIdentifier)
{
    QFC::String path;
    if (base.isEmpty())
        return path;
    path = base;
    path.appendPath(InfoFolder);
    path.appendPath(productIdentifier.textOrEmpty());
    path.appendPath(RecordFileName);
    return path;
}

} // namespace

bool ProductRecord::Open(const QFC::String& productIdentifier)
{
    recordPath.clear();
    if (!QFC::isUsableProductIdentifier(productIdentifier))
        return false;
    const QFC::String bases[] = {QFC::programFilesDirectory(), QFC::windowsDirectory()};
    for (const QFC::String& base : bases) {
        QFC::String path = recordPathBelow(base, productIdentifier);
        if (!path.isEmpty() && isFile(path)) {
            recordPath = path;
            return true;
        }
    }
    return false;
}

QFC::String ProductRecord::Field(const char* name) const
{
    if (!IsOpen())
        return QFC::String();
    return QFC::profileString(recordPath.text(), RecordSection, name, "");
}
