#pragma once

#include <QString>
#include <QStringList>

namespace zoz {

class IniCache;
class IniDocument;

// The settings file with the private-profile behaviour: Windows-1252 bytes, CR LF or LF read and
// CR LF written, names trimmed and compared without case, the first of duplicates wins, values
// after the first "=" trimmed with one pair of matching quotes removed, ";" lines are comments.
// Without a cache every call opens, reads or writes and closes the file. With one, a parsed copy
// is reused while the file is unchanged (see IniCache), and every write drops it.

// At most 127 characters, cut at the first ";", tabs deleted, blanks trimmed; the default goes
// through the same steps. A present key with an empty value yields "".
QString GetIniValue(const QString& fileName, const QString& section, const QString& key,
                    const QString& defaultValue, IniCache* cache = nullptr);
QString GetIniValue(const IniDocument& doc, const QString& section, const QString& key,
                    const QString& defaultValue);
// Non-zero on success.
int SetIniValue(const QString& fileName, const QString& section, const QString& key,
                const QString& value, IniCache* cache = nullptr);
// Element 0 is always "", the keys follow from element 1 in file order; a missing or empty section
// gives the single element 0. At most 10240 characters of key names (with separators) are read.
QStringList GetIniKeys(const QString& section, const QString& fileName, IniCache* cache = nullptr);
QStringList GetIniKeys(const IniDocument& doc, const QString& section);
bool IsYes(const QString& value);
// Fills up to five "&" in five passes, each searching from the start; text is changed in place.
QString ReplaceParams(QString& text, const QString& p1 = {}, const QString& p2 = {},
                      const QString& p3 = {}, const QString& p4 = {}, const QString& p5 = {});
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);
// Wildcards match any file; any error gives false.
bool FileExists(const QString& fileName);

} // namespace zoz
