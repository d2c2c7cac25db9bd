#include "log/AppLog.h"

#include "base/CodePage.h"
#include "log/MemoryProtoSink.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Friday, 4 December 2026.
const QDateTime kNow(QDate(2026, 12, 4), QTime(7, 8, 9));

QString friday() {
    return QLocale::system().dayName(5, QLocale::ShortFormat);
}

QByteArray readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AppLogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QDateTime now = kNow;
    AppLog log{dir.path(), QStringLiteral("zozedud"), [this] { return now; }};
    QString stamp = friday() + QStringLiteral("  04.12.2026  07:08:09 ");
    QByteArray stampBytes = CodePage::fromUnicode(stamp);
};

TEST_F(AppLogTest, StampHasWeekdayDateAndTimeWithDoubleBlanks) {
    EXPECT_EQ(log.stamp(), stamp);
    now = QDateTime(QDate(2027, 1, 2), QTime(23, 0, 5));
    EXPECT_TRUE(log.stamp().endsWith(QStringLiteral("  02.01.2027  23:00:05 ")));
}

TEST_F(AppLogTest, StartMessageAndEndLinesWithCrLf) {
    const QString name = dir.filePath("zozedud-2026-12-04.Log");
    log.OpenLog(name, nullptr, std::nullopt, std::nullopt, std::nullopt, QStringLiteral("  err"));
    log.WriteLog(QStringLiteral("Init"));
    QString withCr = QStringLiteral("  Fehler\r");
    log.WriteLog(withCr);
    EXPECT_EQ(withCr, "  Fehler\r\n"); // the caller's text gets its LF
    log.WriteLog(QStringLiteral("x")); // one character is a start line, not a message
    log.setMaxLogFileAge(0);
    log.CloseLog();
    const QByteArray s = stampBytes;
    EXPECT_EQ(readFile(name), s + "***** Start *****\r\n" + s + ">  Init\r\n" + s +
                                  ">    Fehler\r\n\r\n" + s + "***** Start *****\r\n" + s +
                                  "***** End   *****\r\n\r\n\r\n");
}

TEST_F(AppLogTest, MessagesAreWrittenInWindows1252) {
    log.setFileName(dir.filePath("a.Log"));
    log.WriteLog(QString::fromUtf8("  Grüße €"));
    EXPECT_EQ(readFile(dir.filePath("a.Log")), stampBytes + ">    Gr\xfc\xdf"
                                                            "e \x80\r\n");
}

TEST_F(AppLogTest, FileNameSetterPlacesRelativeNamesAndFillsTheDate) {
    log.setFileName(QString());
    EXPECT_EQ(log.fileNameTemplate(), dir.path() + "/zozedud-$DATE$.Log");
    EXPECT_EQ(log.fileName(), dir.path() + "/zozedud-2026-12-04.Log");
    log.setFileName(QStringLiteral("sub/x-$date$.txt"));
    EXPECT_EQ(log.fileNameTemplate(), dir.path() + "/sub/x-$date$.txt");
    EXPECT_EQ(log.fileName(), dir.path() + "/sub/x-2026-12-04.txt");
    log.setFileName(QStringLiteral("/abs/y.Log"));
    EXPECT_EQ(log.fileName(), "/abs/y.Log");
    log.setFileName(QStringLiteral("c:y.Log")); // a drive letter makes it absolute
    EXPECT_EQ(log.fileName(), "c:y.Log");
}

TEST_F(AppLogTest, MessagesAlsoGoToTheProtocolBox) {
    MemoryProtoSink box;
    log.OpenLog(dir.filePath("b.Log"), &box);
    log.WriteLog(QStringLiteral("  shown"));
    log.WriteLog(QStringLiteral("  file only"), true, false);
    log.WriteLog(QStringLiteral("  box only"), false, true);
    log.WriteLog(QStringLiteral("y"), false, true); // too short for the box
    EXPECT_EQ(box.text(), " " + stamp + "    shown\r\n " + stamp + "    box only\r\n");
    EXPECT_EQ(readFile(dir.filePath("b.Log")), stampBytes + "***** Start *****\r\n" + stampBytes +
                                                   ">    shown\r\n" + stampBytes +
                                                   ">    file only\r\n");
}

TEST_F(AppLogTest, DisabledFileOutputStillShowsAndTouchesNoFile) {
    MemoryProtoSink box;
    log.OpenLog(dir.filePath("c.Log"), &box, std::nullopt, true);
    log.WriteLog(QStringLiteral("  visible"));
    log.CloseLog();
    EXPECT_FALSE(QFile::exists(dir.filePath("c.Log")));
    EXPECT_EQ(box.text(), " " + stamp + "    visible\r\n");
    log.setToScreenDisabled(true);
    log.WriteLog(QStringLiteral("  hidden"));
    EXPECT_EQ(box.text(), " " + stamp + "    visible\r\n");
}

TEST_F(AppLogTest, AFailedWriteShowsTheStepInRedAndTheNextWriteTriesAgain) {
    MemoryProtoSink box(false);
    const QString name = dir.filePath("missing/d.Log");
    log.OpenLog(name, &box);
    ASSERT_EQ(box.pieces().size(), 1);
    const MemoryProtoSink::Piece failure = box.pieces().first();
    EXPECT_EQ(failure.color, 255);
    EXPECT_TRUE(failure.text.startsWith("Fehler 2 beim Schreiben des Logs ("))
        << failure.text.toStdString();
    EXPECT_TRUE(failure.text.endsWith(")\r\n"));
    EXPECT_FALSE(failure.text.contains('&'));

    ASSERT_TRUE(QDir(dir.path()).mkdir("missing"));
    log.WriteLog(QStringLiteral("  again"), true, true, 0xFF0000);
    EXPECT_EQ(readFile(name), stampBytes + ">    again\r\n");
    ASSERT_EQ(box.pieces().size(), 2);
    EXPECT_EQ(box.pieces()[1].text, stamp + "    again\r\n");
    EXPECT_EQ(box.pieces()[1].color, 0xFF0000);
}

TEST_F(AppLogTest, CloseDeletesDatedLogsOlderThanTheMaximumAge) {
    const QStringList names = {"zozedud-2026-09-04.Log", "zozedud-2026-09-05.Log",
                               "zozedud-2026-09-06.Log", "zozedud-2025-12-31.Log",
                               "zozedud-notadate!.Log",  "other-2020-01-01.Log"};
    for (const QString& n : names) {
        QFile f(dir.filePath(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    log.OpenLog(QString()); // the template keeps "$DATE$"
    EXPECT_EQ(log.maxLogFileAge(), 90);
    log.CloseLog();

    QStringList left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, QStringList({"other-2020-01-01.Log", "zozedud-2026-09-06.Log",
                                 "zozedud-2026-12-04.Log", "zozedud-notadate!.Log"}));
    const QByteArray s = stampBytes;
    EXPECT_EQ(readFile(dir.filePath("zozedud-2026-12-04.Log")),
              s + "***** Start *****\r\n" + s + ">  Logs \xe4lter als 90 Tage gel\xf6scht (3)\r\n" +
                  s + "***** End   *****\r\n\r\n\r\n");
}

TEST_F(AppLogTest, NoDeletionWithoutDateInTheNameOrWithAgeZero) {
    QFile old(dir.filePath("zozedud-2000-01-01.Log"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    log.OpenLog(dir.filePath("fixed.Log"));
    log.CloseLog();
    log.OpenLog(QString(), nullptr, 0);
    log.CloseLog();
    EXPECT_TRUE(old.exists());
}

// Lines of exactly 100 characters with their CR LF.
QString lines(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text +=
            QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0')).leftJustified(98, '.') + "\r\n";
    return text;
}

TEST(WriteProto, DropsTheOldestWholeLinesToStayBelow20480) {
    AppLog log(QStringLiteral("/tmp"), QStringLiteral("zozedud"));
    MemoryProtoSink box;
    log.setTextControl(&box);

    box.setText(lines(204));          // 20400
    log.WriteProto(QString(76, 'a')); // 20400 + 1 + 76 + 2 = 20479 still fits
    EXPECT_EQ(box.text(), lines(204) + " " + QString(76, 'a') + "\r\n");

    box.setText(lines(204));
    log.WriteProto(QString(77, 'b')); // would reach 20480: the first line goes
    EXPECT_EQ(box.text(), lines(204).mid(100) + " " + QString(77, 'b') + "\r\n");
    EXPECT_EQ(box.text().size(), 20380);

    box.setText(lines(204));
    log.WriteProto(QString(250, 'c')); // 173 too many: two whole lines go
    EXPECT_EQ(box.text(), lines(204).mid(200) + " " + QString(250, 'c') + "\r\n");
}

TEST(WriteProto, ARichBoxLosesItsOldestLinesAndGetsTheColour) {
    AppLog log(QStringLiteral("/tmp"), QStringLiteral("zozedud"));
    MemoryProtoSink box(false);
    log.setTextControl(&box);
    box.setText(lines(204));
    log.WriteProto(QStringLiteral("red"), 255);
    EXPECT_EQ(box.text(), lines(204).mid(0) + "red\r\n"); // 20405 still below
    log.WriteProto(QString(100, 'x'), 0);
    EXPECT_EQ(box.text(), lines(204).mid(100) + "red\r\n" + QString(100, 'x') + "\r\n");
    EXPECT_EQ(box.pieces().first().color, 255);
    EXPECT_GE(box.scrolls(), 2);
}

TEST(WriteProto, ALongRunNeverReachesTheLimitAndStartsAtALine) {
    QTemporaryDir dir;
    AppLog log(dir.path(), QStringLiteral("zozedud"));
    MemoryProtoSink box;
    log.OpenLog(QString(), &box, std::nullopt, true);
    for (int i = 0; i < 2000; ++i) {
        log.WriteLog(QStringLiteral("  line %1 ").arg(i).leftJustified(20 + (i * 37) % 300, '-'));
        ASSERT_LT(box.text().size(), 20480);
        ASSERT_TRUE(box.text().startsWith(' ' + log.stamp().left(3)));
    }
    EXPECT_TRUE(box.text().endsWith(
        QStringLiteral("  line 1999 ").leftJustified(20 + (1999 * 37) % 300, '-') + "\r\n"));
}

} // namespace
