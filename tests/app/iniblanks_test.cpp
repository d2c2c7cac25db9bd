#include "app/IniFile.h"
#include "app/Shutdown.h"

#include "support/QtPrinters.h"
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

QByteArray readAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Names and values lose blanks (0x20) only; tabs go only from a read value, and only after it
// has been cut, never from a name; no-break spaces and stray CRs are part of the text.
TEST(IniBlanks, ReaderTrimsBlanksOnly) {
    struct Case {
        QByteArray file;
        const char* section;
        const char* key;
        QString expected;
    };
    const Case cases[] = {
        {"[Main]\r\nRequestStatus=yes\xA0\r\n", "Main", "RequestStatus",
         QStringLiteral("yes\u00A0")},
        {"[S]\r\n\tAlpha=1\r\n", "S", "Alpha", QStringLiteral("DEF")},
        {"[\tS]\r\nAlpha=1\r\n", "S", "Alpha", QStringLiteral("DEF")},
        {"[S]\r\nA=1\r\r\n", "S", "A", QStringLiteral("1\r")},
        {"[S]\r\nA=\xA0x\r\n", "S", "A", QStringLiteral("\u00A0x")},
        {"[S]\r\n  A  =  \t x \t  \r\n", "S", "A", QStringLiteral("x")},
    };
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("z.Ini"));
    for (const Case& c : cases) {
        writeAll(ini, c.file);
        EXPECT_EQ(
            GetIniValue(ini, QLatin1String(c.section), QLatin1String(c.key), QStringLiteral("DEF")),
            c.expected)
            << c.file.toStdString();
    }
    writeAll(ini, cases[0].file);
    EXPECT_FALSE(IsYes(GetIniValue(ini, "Main", "RequestStatus", "no")));
}

TEST(IniBlanks, LayoutTrimsBlanksOnly) {
    const struct {
        QByteArray before;
        int result;
        QByteArray after;
    } cases[] = {
        {"[S]\r\n\tAlpha=1\r\nBe=2\r\n", 0, "[S]\r\n  \tAlpha = 1\r\n  Be     = 2\r\n"},
        {"[S]\r\n\t; note\r\n  ; kept\r\n", 0, "[S]\r\n  \t; note\r\n; kept\r\n"},
        {"[S]\r\nA = x\xA0\r\n \t\r\n", 0, "[S]\r\n  A = x\xA0\r\n  \t\r\n"},
        // A tab-led header is no header, so the entry stands before any section.
        {"\t[S]\r\nA=1\r\n", 3000 + ERANGE, "\t[S]\r\nA=1\r\n"},
    };
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("z.Ini"));
    for (const auto& c : cases) {
        writeAll(ini, c.before);
        EXPECT_EQ(FormatIniFile(ini), c.result) << c.before.toStdString();
        EXPECT_EQ(readAll(ini), c.after) << c.before.toStdString();
    }
}

} // namespace
