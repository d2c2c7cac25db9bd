#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zoz {

class IniCache;

// The settings file's re-layout at the end of a run, written so that a kill leaves the old or
// the new file, and its recovery at the next start.

// Lines up the "=" of every section. 0 on success, otherwise 1000 x the failed step + the
// system's error number; 1000 for a missing file. An entry before the first section fails at
// step 3 and leaves the file as it was.
// A cache's copy of the file is dropped.
qint16 FormatIniFile(const QString& fileName, IniCache* cache = nullptr);
// tmptmp.tmp in the settings file's folder, where FormatIniFile writes its copy.
QString TempIniFileName(const QString& fileName);
// Start-up, before any setting is read: a missing settings file with a complete lined-up copy
// beside it (an end killed between writing and renaming) gets that copy back. True when taken.
bool TakeBackIniFile(const QString& fileName);
// The lines as FormatIniFile writes them; none when an entry comes before the first section.
std::optional<QStringList> LinedUpIniLines(const QStringList& lines);

} // namespace zoz
