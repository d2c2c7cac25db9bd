// The settings reader and the layout written at the end, on arbitrary file bytes (no file: the
// reader's parsed form is made from the bytes). Every value must read the same before and after
// the layout, and a second layout must change nothing.
#include "base/CodePage.h"
#include "app/IniDocument.h"
#include "app/IniFile.h"
#include "app/Shutdown.h"

#include <cstdint>

using namespace zoz;

namespace {

QStringList values(const IniDocument& doc) {
    QStringList out;
    for (const IniDocument::Line& line : doc.parsed()) {
        if (line.kind != IniDocument::Line::Section)
            continue;
        for (const QString& key : GetIniKeys(doc, line.name))
            out << GetIniValue(doc, line.name, key, QStringLiteral("-"));
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
    const IniDocument doc =
        IniDocument::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::optional<QStringList> once = LinedUpIniLines(doc.lines());
    if (!once)
        return 0; // an entry before the first section: the file stays as it was
    const IniDocument laidOut = IniDocument::fromBytes(written(*once));
    if (values(laidOut) != values(doc))
        __builtin_trap();
    if (LinedUpIniLines(laidOut.lines()) != laidOut.lines())
        __builtin_trap();
    return 0;
}
