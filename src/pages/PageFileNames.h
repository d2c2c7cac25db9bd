#pragma once

#include <QString>

namespace zoz {

// File names as the pages show them: the program folder is left out when the file lies in it.
class PageFileNames {
public:
    // File names keep their case on Linux (/TMP/x is not /tmp/x); Windows folds it.
#ifdef Q_OS_WIN
    static constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseInsensitive;
#else
    static constexpr Qt::CaseSensitivity FileNameCase = Qt::CaseSensitive;
#endif
    // The display form of a stored file name and its reverse.
    static QString display(const QString& programFolder, const QString& stored);
    static QString stored(const QString& programFolder, const QString& shownName);
};

} // namespace zoz
