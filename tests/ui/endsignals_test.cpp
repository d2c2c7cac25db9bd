// SIGINT and SIGTERM end the running editor the orderly way without a question, also while a
// box waits for an answer; Qt's own button texts follow [Main] Language; a refused port is named.
#include "ui/Application.h"

#include "support/SimProcess.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

QByteArray settings(const QByteArray& language, const QByteArray& port) {
    return "[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nShowMsgBox=no\r\n"
           "RequestStatus=no\r\nRequestData=no\r\nLanguage=" +
           language + "\r\n[Comm]\r\nPort=" + port + "\r\n";
}

struct Folder {
    explicit Folder(const QByteArray& ini) {
        QFile file(dir.filePath("zozedud.Ini"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(ini) > 0);
        QFile dat(dir.filePath("default.DAT"));
        EXPECT_TRUE(dat.open(QIODevice::WriteOnly) && dat.write(QByteArray(2913, '\0')) > 0);
    }
    QByteArray read(const QString& pattern) {
        QFile file(dir.filePath(QDir(dir.path()).entryList({pattern}).value(0, "-")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST(EndSignals, EndTheEditorInOrderWhileAQuestionIsOpen) {
    const struct {
        int signal;
        QByteArray language, yes;
    } cases[] = {{SIGINT, "GER", "&Ja"}, {SIGTERM, "ENG", "&Yes"}};
    for (const auto& c : cases) {
        zoz::test::SimProcess sim;
        Folder folder(settings(c.language, sim.device().toLocal8Bit()));
        QMessageBox question(QMessageBox::Question, "zozedud", "?",
                             QMessageBox::Yes | QMessageBox::No);
        QString yesText;
        Application app({folder.dir.filePath("zozedud"), [&] {
                             yesText = question.button(QMessageBox::Yes)->text();
                             question.reject();
                         }});
        app.Main();
        ASSERT_TRUE(app.switches().InitDone) << c.language.constData();
        QTimer::singleShot(0, [&] { std::raise(c.signal); });
        QTimer::singleShot(10000, &question, &QDialog::reject); // a lost signal fails, not hangs
        question.exec();
        EXPECT_EQ(yesText, c.yes);
        const QByteArray log = folder.read("zozedud-*.Log");
        EXPECT_TRUE(log.contains(">  QueryEndProg_NoQuery\r\n") &&
                    log.trimmed().endsWith("***** End   *****"))
            << log.constData();
        EXPECT_TRUE(folder.read("zozedud.Ini").contains("Coord_H")) << c.language.constData();
    }
}

TEST(EndSignals, ARefusedPortIsNamedInTheStartUpFailure) {
    const QByteArray cases[][2] = {{"/dev/zoz-none", "COM-Ports (/dev/zoz-none)"},
                                   {"zoz-none", "COM-Ports (zoz-none)"},
                                   {"99", "COM-Ports (99 = /dev/ttyS98)"}};
    for (const auto& c : cases) {
        Folder folder(settings("GER", c[0]));
        QString shown;
        QTimer acceptor; // the failure box shows inside Main
        QObject::connect(&acceptor, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->close();
            }
        });
        acceptor.start(20);
        Application app({folder.dir.filePath("zozedud"), [] {}});
        app.Main();
        EXPECT_TRUE(shown.endsWith(QString::fromLatin1(c[1]))) << shown.toStdString();
    }
}

} // namespace
