#include "ui/Application.h"

#include "base/CodePage.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers every modal message box with Return, as a user pressing OK would.
class BoxAcceptor {
public:
    BoxAcceptor() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.append({box->text(), box->windowTitle(), box->icon()});
            QTest::keyClick(box, Qt::Key_Return);
        });
        m_timer.start(20);
    }
    QList<SeenBox> seen;

private:
    QTimer m_timer;
};

QStringList logLines(const QString& folder) {
    QFile f(folder + "/zozedud-" + QDate::currentDate().toString("yyyy-MM-dd") + ".Log");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return CodePage::toUnicode(f.readAll()).split("\r\n");
}

QString stampPattern() {
    return QRegularExpression::escape(
               QLocale::system().dayName(QDate::currentDate().dayOfWeek(), QLocale::ShortFormat)) +
           "  \\d\\d\\.\\d\\d\\.\\d{4}  \\d\\d:\\d\\d:\\d\\d ";
}

TEST(Application, EmptyProgramFolderShowsStep17AndEndsWithTheLogClosed) {
    QTemporaryDir dir;
    int terminated = 0;
    BoxAcceptor user;
    Application app({dir.filePath("zozedud"), [&terminated] { ++terminated; }});
    app.Main();

    ASSERT_EQ(user.seen.size(), 1);
    EXPECT_EQ(user.seen[0].text, "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>");
    EXPECT_EQ(user.seen[0].title, "zozedud");
    EXPECT_EQ(user.seen[0].icon, QMessageBox::Warning);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(app.mainWindow().isVisible());

    const QStringList lines = logLines(dir.path());
    ASSERT_EQ(lines.size(), 8) << lines.join("|").toStdString();
    const QString s = stampPattern();
    const QStringList patterns = {s + "\\*\\*\\*\\*\\* Start \\*\\*\\*\\*\\*",
                                  s + ">  Init",
                                  s + ">  Fehler beim Lesen des Eintrags <LoadAtStartup_Default>",
                                  s + ">  QueryEndProg_NoQuery",
                                  s + "\\*\\*\\*\\*\\* End   \\*\\*\\*\\*\\*",
                                  "",
                                  "",
                                  ""}; // the text ends with CR LF
    for (int i = 0; i < patterns.size(); ++i) {
        EXPECT_TRUE(QRegularExpression("^" + patterns[i] + "$").match(lines[i]).hasMatch())
            << i << ": " << lines[i].toStdString();
    }
}

TEST(Application, ClosingTheMainWindowEndsWithoutAQuestion) {
    QTemporaryDir dir;
    zoz::test::SimProcess sim;
    {
        QFile ini(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nRequestStatus=no\r\n"
                  "RequestData=no\r\n[Screen]\r\nCoord_X=1500\r\nCoord_Y=750\r\n[Comm]\r\nPort=" +
                  sim.device().toLocal8Bit() + "\r\n");
        QFile dat(dir.filePath("default.DAT"));
        ASSERT_TRUE(dat.open(QIODevice::WriteOnly));
        dat.write(QByteArray(2913, '\0'));
    }
    int terminated = 0;
    BoxAcceptor user;
    Application app({dir.filePath("zozedud"), [&terminated] { ++terminated; }});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    EXPECT_TRUE(app.mainWindow().isVisible());
    EXPECT_EQ(app.mainWindow().windowTitle(), "VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(app.mainWindow().pos(), QPoint(100, 50));
    EXPECT_EQ(terminated, 0);

    app.mainWindow().close();
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(user.seen.isEmpty());
    const QStringList lines = logLines(dir.path());
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[lines.size() - 5].endsWith(">  QueryEndProg_NoQuery"));
    EXPECT_TRUE(lines[lines.size() - 4].endsWith("***** End   *****"));
}

} // namespace
