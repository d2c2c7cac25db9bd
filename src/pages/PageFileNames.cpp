#include "pages/PageFileNames.h"

#include "base/ProgramPath.h"
#include "pages/DataPage.h"

namespace zoz {

namespace {

QString trimmedBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return DataPage::rightTrimmed(text.mid(start));
}

} // namespace

QString PageFileNames::display(const QString& programFolder, const QString& stored) {
    const QString name = DataPage::rightTrimmed(DataPage::shown(stored));
    const QString prefix = programFolder + QLatin1Char('/');
    if (!programFolder.isEmpty() && name.left(prefix.size()).compare(prefix, FileNameCase) == 0)
        return name.mid(prefix.size());
    return name;
}

QString PageFileNames::stored(const QString& programFolder, const QString& shownName) {
    return ProgramPath::place(programFolder, trimmedBlanks(shownName));
}

} // namespace zoz
