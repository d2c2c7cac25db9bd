// SIGINT and SIGTERM end the running editor the orderly way without a question, also while a
// box waits for an answer; Qt's own button texts follow [Main] Language; a refused port is named.
#include "ui/Application.h"

#include "support/SimProcess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

TEST(EndSignals, EndInOrderWhileABoxWaitsTheLanguageRulesQtTextsARefusedPortIsNamed) {
    const struct {
        int signal; // 0: the port is refused, start-up ends with the box below
        QByteArray language, port, shown, yes;
    } cases[] = {{SIGINT, "GER", "", "", "&Ja"},
                 {SIGTERM, "ENG", "", "", "&Yes"},
                 {0, "GER", "/dev/zoz-none", "COM-Ports (/dev/zoz-none)", "&Ja"},
                 {0, "ENG", "zoz-none", "COM-Port (zoz-none)", "&Yes"},
                 {0, "GER", "99", "COM-Ports (99 = /dev/ttyS98)", "&Ja"}};
    for (const auto& c : cases) {
        zoz::test::SimProcess sim;
        QTemporaryDir dir;
        QFile ini(dir.filePath("zozedud.Ini")), dat(dir.filePath("default.DAT"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly) && dat.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nRequestStatus=no\r\n"
                  "RequestData=no\r\nLanguage=" +
                  c.language + "\r\n[Comm]\r\nPort=" +
                  (c.signal ? sim.device().toLocal8Bit() : c.port) + "\r\n");
        dat.write(QByteArray(2913, '\0'));
        ini.close(), dat.close();
        QMessageBox question(QMessageBox::Question, "zozedud", "?",
                             QMessageBox::Yes | QMessageBox::No);
        QString shown, yes;
        QTimer acceptor; // the failure box shows inside Main
        QObject::connect(&acceptor, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                shown = box->text(), box->close();
        });
        if (!c.signal)
            acceptor.start(20);
        // The end (the terminator) notes Qt's own Yes text as it stands then.
        Application app({dir.filePath("zozedud"), [&] {
                             yes = question.button(QMessageBox::Yes)->text();
                             question.reject();
                         }});
        app.Main();
        if (c.signal) {
            QTimer::singleShot(0, [&] { std::raise(c.signal); });
            // The end closes the question; a lost signal fails the row instead of hanging.
            QTimer::singleShot(10000, &question, &QDialog::reject);
            question.exec();
        }
        EXPECT_EQ(yes, c.yes) << c.language.constData() << " " << c.signal;
        EXPECT_TRUE(c.shown.isEmpty() || shown.endsWith(QString::fromLatin1(c.shown)))
            << shown.toStdString();
    }
}

} // namespace
