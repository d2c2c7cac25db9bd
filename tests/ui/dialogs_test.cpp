// The program's own dialogs and boxes; SIGINT and SIGTERM end the running editor the orderly way
// without a question, also while a box waits for an answer; Qt's own button texts follow
// [Main] Language; a refused port is named.
#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "files/DataFile.h"
#include "log/AppLog.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"
#include "ui/Application.h"
#include "ui/CommDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Runs action on the next modal window of type W; the timer lives as long as owner.
template <typename W> void onNext(QObject* owner, std::function<void(W*)> action) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            action(w);
        }
    });
    timer->start(10);
}

struct DialogsTest : ::testing::Test {
    QTemporaryDir dir;
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtUserInterface ui{window};
    QObject timers;
};

// The folder the dialog starts in, the filter as worded, and a typed name of a missing file
// that comes back to the program instead of a box of Qt's own.
TEST_F(DialogsTest, FileDialogStartsInTheGivenFolderShowsTheFilterAsWordedAndTakesAnyName) {
    QDir(dir.path()).mkdir("sub");
    const std::pair<bool, QString> rows[] = {
        {true, dir.path()}, {false, dir.path()}, {false, dir.filePath("sub")}};
    for (const auto& [save, folder] : rows) {
        QString startedIn, filter;
        bool qtBox = false;
        onNext<QFileDialog>(&timers, [&](QFileDialog* dialog) {
            startedIn = dialog->directory().absolutePath();
            filter = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
            onNext<QMessageBox>(&timers, [&](QMessageBox* box) {
                qtBox = true;
                box->reject();
            });
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            edit->setText("fehlt");
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        FileDialogRequest request{save, "t", "Datendatei", "DAT", "alt.DAT", folder};
        EXPECT_EQ(ui.fileDialog(request), QDir(folder).filePath("fehlt.DAT"));
        EXPECT_EQ(startedIn, folder);
        EXPECT_EQ(filter, "VX418 ZozEdud Datendatei  (*.DAT *.dat)");
        EXPECT_FALSE(qtBox);
    }
}

// An error report keeps its two blanks in the log; the box shows it trimmed.
TEST_F(DialogsTest, ErrorBoxShowsTheReportWithoutItsLeadingBlanks) {
    AppLog log(dir.path(), "zozedud");
    log.setFileName(dir.filePath("zozedud.Log"));
    DataStore store;
    DataFile dataFile(store, switches, texts, log, ui, {});
    QString shown;
    onNext<QMessageBox>(&timers, [&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    dataFile.ReportFileError("WriteToDisk_Err", "disk full", "x.DAT");
    EXPECT_EQ(shown, "WriteToDisk_Err");
}

// Escape and the close button stop the transfer like Cancel; a showing without a caption while
// the dialog is up (inside a running one) changes neither caption.
TEST(TransferDialog, EscapeAndCloseCancelAndANestedShowingKeepsTheCaptions) {
    int cancels = 0;
    CommDialog dialog([&cancels] { ++cancels; });
    const QString designed = dialog.windowTitle();
    const std::function<void()> ways[] = {[&] { QTest::keyClick(&dialog, Qt::Key_Escape); },
                                          [&] { dialog.close(); },
                                          [&] { dialog.cmdCancel()->click(); }};
    for (const auto& way : ways) {
        dialog.showTransfer("Senden", nullptr);
        dialog.showTransfer(QString(), nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Senden");
        way();
        EXPECT_FALSE(dialog.isVisible());
        dialog.unload();
        EXPECT_EQ(dialog.windowTitle(), designed);
    }
    EXPECT_EQ(cancels, 3);
}

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
