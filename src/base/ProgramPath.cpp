#include "base/ProgramPath.h"

#include <QFileInfo>

namespace zoz {

bool ProgramPath::isAbsolute(const QString& name) {
    return name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')) ||
           name.contains(QLatin1Char(':'));
}

QString ProgramPath::place(const QString& folder, const QString& name) {
    if (folder.isEmpty() || name.isEmpty() || isAbsolute(name))
        return name;
    return folder + QLatin1Char('/') + name;
}

QString ProgramPath::dialogFolder(const QString& folder, const QString& name) {
    if (name.isEmpty())
        return folder;
    return QFileInfo(place(folder, name)).absolutePath();
}

} // namespace zoz
