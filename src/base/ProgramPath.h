#pragma once

#include <QString>

namespace zoz {

// Where a file name lives: a name that begins with a separator or names a drive (":") is absolute
// and stays as it is; any other name lives in the program folder.
class ProgramPath {
public:
    static bool isAbsolute(const QString& name);
    // name placed in folder unless absolute; "" stays "".
    static QString place(const QString& folder, const QString& name);
    // The folder a file dialog starts in for name: its own folder, or the program folder when the
    // name is empty or has none.
    static QString dialogFolder(const QString& folder, const QString& name);
};

} // namespace zoz
