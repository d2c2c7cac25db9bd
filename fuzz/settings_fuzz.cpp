// The settings reader and the layout written at the end, on arbitrary file bytes (no file: the
// reader's parsed form is made from the bytes). Every value must read the same before and after
// the layout, and a second layout must change nothing.
#include "base/CodePage.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/IniLayout.h"

#include <cstdint>

using namespace zoz;

namespace {

QStringList values(const IniDocument& doc) {
    QStringList out;
    for (int section = 0; section < doc.sectionCount(); ++section) {
        const QString name = doc.sectionName(section);
        for (const QString& key : GetIniKeys(doc, name))
            out << GetIniValue(doc, name, key, QStringLiteral("-"));
    }
    return out;
}

QByteArray written(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += CodePage::fromUnicode(line) + "\r\n";
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const IniDocument doc = IniDocument::fromBytes(bytes);
    const std::optional<QStringList> once = LinedUpIniLines(IniDocument::splitLines(bytes));
    if (!once)
        return 0; // an entry before the first section: the file stays as it was
    const IniDocument laidOut = IniDocument::fromBytes(written(*once));
    if (values(laidOut) != values(doc))
        __builtin_trap();
    const QStringList laidOutLines = IniDocument::splitLines(laidOut.bytes());
    if (LinedUpIniLines(laidOutLines) != laidOutLines)
        __builtin_trap();
    return 0;
}
