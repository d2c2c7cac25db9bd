#include "log/AppLog.h"

#include "base/CodePage.h"
#include "log/MemoryProtoSink.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

class AppLogTest : public ::testing::Test {
protected:
    test::ProgramFolder folder;
    // Friday, 4 December 2026.
    AppLog log{folder.dir.path(), QStringLiteral("zozedud"),
               [] { return QDateTime(QDate(2026, 12, 4), QTime(7, 8, 9)); }};
    QString stamp = QLocale::system().dayName(5, QLocale::ShortFormat) + "  04.12.2026  07:08:09 ";
    QByteArray stampBytes = CodePage::fromUnicode(stamp);
};

// With a maximum age of 0 no old log is deleted.
TEST_F(AppLogTest, StartMessageAndEndLinesWithCrLf) {
    const QString old = folder.write("zozedud-2000-01-01.Log", {});
    log.OpenLog(QString(), nullptr, 0, std::nullopt, std::nullopt, QStringLiteral("  err"));
    log.WriteLog(QStringLiteral("OK"));           // the shortest message
    log.WriteLog(QString::fromUtf8("  Grüße €")); // in Windows-1252
    QString withCr = QStringLiteral("  Fehler\r");
    log.WriteLog(withCr);
    EXPECT_EQ(withCr, "  Fehler\r\n"); // the caller's text gets its LF
    log.WriteLog(QStringLiteral("x")); // one character is a start line, not a message
    log.CloseLog();
    EXPECT_TRUE(QFile::exists(old));
    const QByteArray s = stampBytes;
    EXPECT_EQ(folder.read("zozedud-2026-12-04.Log"),
              s + "***** Start *****\r\n" + s + ">  OK\r\n" + s + ">    Gr\xfc\xdf" + "e \x80\r\n" +
                  s + ">    Fehler\r\n\r\n" + s + "***** Start *****\r\n" + s +
                  "***** End   *****\r\n\r\n\r\n");
}

TEST_F(AppLogTest, FileNameSetterPlacesRelativeNamesAndFillsTheDate) {
    log.setFileName(QStringLiteral("sub/x-$date$.txt"));
    EXPECT_EQ(log.fileName(), folder.dir.path() + "/sub/x-2026-12-04.txt");
    log.setFileName(QStringLiteral("/abs/y.Log"));
    EXPECT_EQ(log.fileName(), "/abs/y.Log");
    log.setFileName(QStringLiteral("c:y.Log")); // a drive letter makes it absolute
    EXPECT_EQ(log.fileName(), "c:y.Log");
}

TEST_F(AppLogTest, MessagesAlsoGoToTheProtocolBox) {
    MemoryProtoSink box;
    log.OpenLog(folder.path("b.Log"), &box);
    log.WriteLog(QStringLiteral("  shown"));
    log.WriteLog(QStringLiteral("  file only"), LogTo::File);
    log.WriteLog(QStringLiteral("  box only"), LogTo::Screen);
    log.WriteLog(QStringLiteral("y"), LogTo::Screen); // too short for the box
    EXPECT_EQ(box.text(), " " + stamp + "    shown\r\n " + stamp + "    box only\r\n");
    EXPECT_EQ(folder.read("b.Log"), stampBytes + "***** Start *****\r\n" + stampBytes +
                                        ">    shown\r\n" + stampBytes + ">    file only\r\n");
    // Disabled file output still shows and touches no file; disabled screen output shows nothing.
    box.setText({});
    log.OpenLog(folder.path("c.Log"), &box, std::nullopt, true);
    log.WriteLog(QStringLiteral("  visible"));
    log.CloseLog();
    EXPECT_FALSE(QFile::exists(folder.path("c.Log")));
    log.setToScreenDisabled(true);
    log.WriteLog(QStringLiteral("  hidden"));
    EXPECT_EQ(box.text(), " " + stamp + "    visible\r\n");
}

TEST_F(AppLogTest, AFailedWriteShowsTheStepInRedAndTheNextWriteTriesAgain) {
    MemoryProtoSink box(false);
    const QString name = folder.path("missing/d.Log");
    log.OpenLog(name, &box);
    ASSERT_EQ(box.pieces().size(), 1);
    const MemoryProtoSink::Piece failure = box.pieces().first();
    EXPECT_EQ(failure.color, 255);
    EXPECT_TRUE(failure.text.startsWith("Fehler 2 beim Schreiben des Logs ("))
        << failure.text.toStdString();
    EXPECT_FALSE(failure.text.contains('&'));

    ASSERT_TRUE(QDir(folder.dir.path()).mkdir("missing"));
    log.WriteLog(QStringLiteral("  again"), LogTo::File | LogTo::Screen, 0xFF0000);
    EXPECT_EQ(folder.read("missing/d.Log"), stampBytes + ">    again\r\n");
    ASSERT_EQ(box.pieces().size(), 2);
    EXPECT_EQ(box.pieces()[1].text, stamp + "    again\r\n");
    EXPECT_EQ(box.pieces()[1].color, 0xFF0000);
}

TEST_F(AppLogTest, CloseDeletesDatedLogsOlderThanTheMaximumAge) {
    const QStringList names = {"zozedud-2026-09-04.Log", "zozedud-2026-09-05.Log",
                               "zozedud-2026-09-06.Log", "zozedud-2025-12-31.Log",
                               "zozedud-notadate!.Log",  "other-2020-01-01.Log"};
    for (const QString& n : names)
        folder.write(n, {});
    log.OpenLog(QString()); // the template keeps "$DATE$"
    log.CloseLog();

    QStringList left = QDir(folder.dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, QStringList({"other-2020-01-01.Log", "zozedud-2026-09-06.Log",
                                 "zozedud-2026-12-04.Log", "zozedud-notadate!.Log"}));
    const QByteArray s = stampBytes;
    EXPECT_EQ(folder.read("zozedud-2026-12-04.Log"),
              s + "***** Start *****\r\n" + s + ">  Logs \xe4lter als 90 Tage gel\xf6scht (3)\r\n" +
                  s + "***** End   *****\r\n\r\n\r\n");
}

// A plain box gets a blank before each text, a rich one the colour; both stay below 20480
// characters by dropping their oldest whole lines.
TEST(WriteProto, DropsTheOldestWholeLinesToStayBelow20480) {
    const std::tuple<bool, QString, int> cases[] = {
        // plain box, text, lines dropped
        {true, QString(76, 'a'), 0}, // 20400 + 1 + 76 + 2 = 20479 still fits
        {true, QString(77, 'b'), 1}, // would reach 20480
        {true, QString(250, 'c'), 2},  {false, QStringLiteral("red"), 0},
        {false, QString(100, 'x'), 1},
    };
    QString full; // 204 numbered lines of 100 characters with their CR LF
    for (int i = 0; i < 204; ++i)
        full +=
            QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0')).leftJustified(98, '.') + "\r\n";
    for (const auto& [plain, text, droppedLines] : cases) {
        AppLog log(QStringLiteral("/tmp"), QStringLiteral("zozedud"));
        MemoryProtoSink box(plain);
        log.setTextControl(&box);
        box.setText(full);
        log.WriteProto(text, 255);
        EXPECT_EQ(box.text(), full.mid(100 * droppedLines) + (plain ? " " : "") + text + "\r\n");
        EXPECT_TRUE(plain || (box.pieces().last().color == 255 && box.scrolls() >= 1));
    }
}

} // namespace
