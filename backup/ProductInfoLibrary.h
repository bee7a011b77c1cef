#ifndef BACKUP_PRODUCTINFOLIBRARY_H
#define BACKUP_PRODUCTINFOLIBRARY_H

#include "String.h"

#include <windows.h>

// The product-information library ZEPHAPI.DLL, outside this program, linked
// by ordinal at load time (the program does not start without it).
extern "C" {
void* WINAPI OpenProductStore();                                      // 504; null on failure
BOOL WINAPI SelectProduct(void* session, const char* productId);      // 523
const char* WINAPI GetProductField(void* session, const char* field); // 103; null or "" when missing
void WINAPI CloseProductStore(void* session);                         // 505
QFC::String WINAPI GetCustomerId();                                   // 508; empty on failure
}

typedef QFC::String(WINAPI* CustomerIdSource)();

// The product record's "ZEPH-Receipt-TxN". Empty when no session opens, the
// product cannot be selected or the field is missing; an opened session is
// always closed.
QFC::String ReadReceiptTransaction(const QFC::String& productIdentifier);

// The customer identifier; empty on failure. While an answer is longer than
// 255 characters and longer than the one before, the library is asked again
// (at most 8 times in all) and the newest answer kept.
QFC::String ReadCustomerId(CustomerIdSource ask = GetCustomerId);

#endif
