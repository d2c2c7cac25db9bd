// SIGINT and SIGTERM end the running editor the orderly way without a question, also while a
// box waits for an answer; Qt's own button texts follow [Main] Language; a refused port is named.
#include "ui/Application.h"

#include "support/SimProcess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// A program folder with the settings and an empty default data file; returns the program path.
QString programFolder(const QTemporaryDir& dir, const QByteArray& language,
                      const QByteArray& port) {
    QFile ini(dir.filePath("zozedud.Ini")), dat(dir.filePath("default.DAT"));
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly) && dat.open(QIODevice::WriteOnly));
    ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nRequestStatus=no\r\n"
              "RequestData=no\r\nLanguage=" +
              language + "\r\n[Comm]\r\nPort=" + port + "\r\n");
    dat.write(QByteArray(2913, '\0'));
    return dir.filePath("zozedud");
}

QByteArray readFile(const QTemporaryDir& dir, const QString& pattern) {
    QFile file(dir.filePath(QDir(dir.path()).entryList({pattern}).value(0, "-")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(EndSignals, EndTheEditorInOrderWhileAQuestionIsOpen) {
    const struct {
        int signal;
        QByteArray language, yes;
    } cases[] = {{SIGINT, "GER", "&Ja"}, {SIGTERM, "ENG", "&Yes"}};
    for (const auto& c : cases) {
        zoz::test::SimProcess sim;
        QTemporaryDir dir;
        QMessageBox question(QMessageBox::Question, "zozedud", "?",
                             QMessageBox::Yes | QMessageBox::No);
        QString yesText;
        Application app({programFolder(dir, c.language, sim.device().toLocal8Bit()), [&] {
                             yesText = question.button(QMessageBox::Yes)->text();
                             question.reject();
                         }});
        app.Main();
        ASSERT_TRUE(app.switches().InitDone) << c.language.constData();
        QTimer::singleShot(0, [&] { std::raise(c.signal); });
        QTimer::singleShot(10000, &question, &QDialog::reject); // a lost signal fails, not hangs
        question.exec();
        EXPECT_EQ(yesText, c.yes);
        const QByteArray log = readFile(dir, "zozedud-*.Log");
        EXPECT_TRUE(log.contains(">  QueryEndProg_NoQuery\r\n") &&
                    log.trimmed().endsWith("***** End   *****"))
            << log.constData();
        EXPECT_TRUE(readFile(dir, "zozedud.Ini").contains("Coord_H"));
    }
}

TEST(EndSignals, ARefusedPortIsNamedInTheStartUpFailure) {
    const QByteArray cases[][2] = {{"/dev/zoz-none", "COM-Ports (/dev/zoz-none)"},
                                   {"zoz-none", "COM-Ports (zoz-none)"},
                                   {"99", "COM-Ports (99 = /dev/ttyS98)"}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QString shown;
        QTimer acceptor; // the failure box shows inside Main
        QObject::connect(&acceptor, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                shown = box->text(), box->close();
        });
        acceptor.start(20);
        Application({programFolder(dir, "GER", c[0]), [] {}}).Main();
        EXPECT_TRUE(shown.endsWith(QString::fromLatin1(c[1]))) << shown.toStdString();
    }
}

} // namespace
