#include "PurchasingInterface.h"
#include "LoadedLibrary.h"
#include "ProductRecord.h"
#include "resource.h"

#include "Messages.h"

#include <windows.h>

namespace {

const char Caption[] = "ZEPHBuy";
const UINT MessageStyle = MB_OK | MB_ICONHAND;
const char LibraryField[] = "UI-LIBRARY";
const char ExecuteExport[] = "execute";
// The library's truth value is one byte wide; higher bits are noise.
const unsigned int ResultByte = 0xFFu;

typedef BOOL(WINAPI* ExecuteEntry)(const char* productIdentifier);

QFC::String interfaceFailedText(const QFC::String& libraryName)
{
    QFC::String templateText;
    templateText.loadString(IDS_INTERFACE_FAILED);
    QFC::String text;
    QFC::formatMessage(text, templateText.textOrEmpty(), libraryName.textOrEmpty());
    return text;
}

} // namespace

bool RunPurchasingInterface(const QFC::String& productIdentifier)
{
    ProductRecord record;
    // Declared after the record: the library is released before the record
    // closes, and the record stays open for the whole call.
    LoadedLibrary library;
    QFC::String message;

    if (!record.Open(productIdentifier)) {
        message.loadString(IDS_RECORD_MISSING);
    } else {
        QFC::String libraryName = record.Field(LibraryField);
        if (!library.Load(libraryName)) {
            message = interfaceFailedText(libraryName);
        } else {
            // FARPROC carries no signature; the contract gives execute its own.
            ExecuteEntry execute =
                reinterpret_cast<ExecuteEntry>(reinterpret_cast<void*>(library.Export(ExecuteExport)));
            if (!execute) {
                message = interfaceFailedText(libraryName);
            } else {
                // The library gets a copy of its own that lives through the call.
                QFC::String identifier(productIdentifier.textOrEmpty());
                const unsigned int result = static_cast<unsigned int>(execute(identifier.textOrEmpty()));
                return (result & ResultByte) != 0;
            }
        }
    }
    ::MessageBoxA(nullptr, message.textOrEmpty(), Caption, MessageStyle);
    return false;
}
