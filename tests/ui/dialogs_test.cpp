#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "files/DataFile.h"
#include "link/LinkReporter.h"
#include "log/AppLog.h"
#include "support/QtPrinters.h"
#include "ui/CommDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtUserInterface.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Runs action on the next modal window for which accept holds; the timer ends with the test.
void onNextModal(QObject* owner, std::function<bool(QWidget*)> accept,
                 std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [timer, accept, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && accept(modal)) {
            timer->stop();
            action(modal);
        }
    });
    timer->start(10);
}

bool isFileDialog(QWidget* w) {
    return qobject_cast<QFileDialog*>(w) != nullptr;
}

bool isBox(QWidget* w) {
    return qobject_cast<QMessageBox*>(w) != nullptr;
}

class DialogsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtUserInterface ui{window};
    QObject timers;
};

// What the user sees in the file dialog and what a typed name becomes.
TEST_F(DialogsTest, FileDialogStartsInTheGivenFolderShowsTheFilterAsWordedAndTakesAnyName) {
    QDir(dir.path()).mkdir("sub");
    const struct {
        bool save;
        QString initialName;
        QString folder;
        QString typed;
    } rows[] = {
        {true, "", dir.path(), "neu"},
        {false, "", dir.path(), "fehlt"},
        {false, "alt.DAT", dir.filePath("sub"), "fehlt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed.toStdString() + (row.save ? " save" : " open"));
        QString startedIn, shownFilter;
        bool qtComplained = false;
        onNextModal(&timers, isFileDialog, [&](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            startedIn = dialog->directory().absolutePath();
            if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo"))
                shownFilter = types->currentText();
            // A box of Qt's own would block the dialog: note it and close it.
            onNextModal(&timers, isBox, [&](QWidget* box) {
                qtComplained = true;
                static_cast<QDialog*>(box)->reject();
            });
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            edit->setText(row.typed);
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        FileDialogRequest request;
        request.save = row.save;
        request.filterText = "Datendatei";
        request.extension = "DAT";
        request.initialName = row.initialName;
        request.folder = row.folder;
        EXPECT_EQ(ui.fileDialog(request), QDir(row.folder).filePath(row.typed + ".DAT"));
        EXPECT_EQ(startedIn, row.folder);
        EXPECT_EQ(shownFilter, "VX418 ZozEdud Datendatei  (*.DAT *.dat)");
        EXPECT_FALSE(qtComplained);
    }
}

// Error reports keep their two blanks in the log; the box shows them trimmed.
TEST_F(DialogsTest, ErrorBoxesShowTheReportWithoutItsLeadingBlanks) {
    switches.ProgramName = "zozedud";
    AppLog log(dir.path(), "zozedud");
    log.setFileName(dir.filePath("zozedud.Log"));
    DataStore store;
    DataFile dataFile(store, switches, texts, log, ui, {});
    LinkReporter reporter(switches, texts, log, ui);
    const std::function<void()> reports[] = {
        [&] { dataFile.ReportFileError("WriteToDisk_Err", "disk full", "x.DAT"); },
        [&] { reporter.errorReport("Comm_OpenPort_Err", "busy", " 2", true, true); },
    };
    for (const auto& report : reports) {
        QString shown;
        onNextModal(&timers, isBox, [&](QWidget* w) {
            shown = static_cast<QMessageBox*>(w)->text();
            static_cast<QDialog*>(w)->accept();
        });
        report();
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_FALSE(shown.startsWith(' ')) << shown.toStdString();
        EXPECT_EQ(shown, shown.trimmed());
    }
}

// Escape and the close button stop the transfer like Cancel; a showing without a caption while
// the dialog is up changes neither caption.
TEST_F(DialogsTest, TransferDialogEscapeAndCloseCancelAndNestedShowingsKeepTheCaption) {
    int cancels = 0;
    CommDialog dialog([&cancels] { ++cancels; });
    const QString designed = dialog.windowTitle();
    const std::function<void()> ways[] = {
        [&] { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [&] { dialog.close(); },
        [&] { dialog.cmdCancel()->click(); },
    };
    int expected = 0;
    for (const auto& way : ways) {
        dialog.showTransfer("Senden", nullptr);
        dialog.showTransfer(QString(), nullptr); // a showing inside the running one
        EXPECT_EQ(dialog.windowTitle(), "Senden");
        way();
        EXPECT_EQ(cancels, ++expected);
        EXPECT_FALSE(dialog.isVisible());
        dialog.unload();
        EXPECT_EQ(dialog.windowTitle(), designed);
    }
}

} // namespace
