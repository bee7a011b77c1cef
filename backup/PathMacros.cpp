#include "PathMacros.h"

#include "FileSystem.h"

#include <cstring>

namespace {

const char GuidMacro[] = "<guid>";
const char SystemMacro[] = "<sysdir>";
const char WindowsMacro[] = "<windir>";

// The text behind the macro found at position.
QFC::String textAfter(const QFC::String& path, int position, const char* macro)
{
    return path.right(path.length() - position - static_cast<int>(std::strlen(macro)));
}

void replaceWithDirectory(QFC::String& path, const char* macro, QFC::String (*directory)())
{
    int position = path.find(macro);
    if (position < 0)
        return;
    QFC::String expanded = directory();
    expanded.append(textAfter(path, position, macro));
    if (expanded.isEmpty() || expanded.at(expanded.length() - 1) != '\\')
        expanded.append('\\');
    path = expanded;
}

} // namespace

void ExpandPathMacros(QFC::String& path, QFC::String productIdentifier)
{
    int position = path.find(GuidMacro);
    if (position >= 0) {
        QFC::String expanded = path.left(position);
        expanded.append(productIdentifier);
        expanded.append(textAfter(path, position, GuidMacro));
        path = expanded;
    }
    replaceWithDirectory(path, SystemMacro, QFC::systemDirectory);
    replaceWithDirectory(path, WindowsMacro, QFC::windowsDirectory);
}
