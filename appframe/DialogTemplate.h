#ifndef APPFRAME_DIALOGTEMPLATE_H
#define APPFRAME_DIALOGTEMPLATE_H

#include <windows.h>

// The header of a dialog template, plain or extended: where its style fields
// lie and what they and its size (in dialog units) hold.
struct DialogTemplateHeader {
    size_t styleAt;
    size_t exStyleAt;
    DWORD style;
    DWORD exStyle;
    SIZE size;
};

// Reads the header of the size bytes at data. False when data is null or
// the bytes are too few for the header of their own layout: 18 plain, 26
// extended. The platform reads a template without knowing its size, so this
// is the only check that keeps a short one from being read beyond its end.
bool readDialogTemplateHeader(const BYTE* data, DWORD size, DialogTemplateHeader& header);

#endif
