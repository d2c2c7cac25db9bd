#include "ui/QtUserInterface.h"

#include "app/Switches.h"
#include "app/Texts.h"
#include "support/QtPrinters.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Runs the action on the next modal dialog that opens.
void onNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start(10);
}

class QtUserInterfaceTest : public ::testing::Test {
protected:
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtUserInterface ui{window};
};

TEST_F(QtUserInterfaceTest, MessageBoxShowsIconButtonsAndTitleAndReturnsTheAnswer) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QMessageBox::StandardButtons buttons;
    onNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        title = box->windowTitle();
        buttons = box->standardButtons();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui.messageBox("Wirklich?", MsgButtons::YesNo, MsgIcon::Critical, "caption"),
              MsgAnswer::No);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(title, "caption");
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);

    // Return takes the first button, Escape the safe one.
    onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    EXPECT_EQ(ui.messageBox("x", MsgButtons::YesNo, MsgIcon::Question, "t"), MsgAnswer::Yes);
    onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(ui.messageBox("x", MsgButtons::YesNo, MsgIcon::Question, "t"), MsgAnswer::No);
    onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(ui.messageBox("x", MsgButtons::OkCancel, MsgIcon::Information, "t"),
              MsgAnswer::Cancel);
    onNextModal([&](QWidget* w) {
        icon = qobject_cast<QMessageBox*>(w)->icon();
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(ui.messageBox("x", MsgButtons::Ok, MsgIcon::Exclamation, "t"), MsgAnswer::Ok);
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST_F(QtUserInterfaceTest, SaveDialogHasTheFilterSuffixAndNoOwnOverwriteQuestion) {
    QTemporaryDir dir;
    QStringList filters;
    QString suffix;
    bool confirms = true;
    QString title;
    onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        title = dialog->windowTitle();
        dialog->selectFile(dir.filePath("typed"));
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request;
    request.save = true;
    request.title = "Speichern unter";
    request.filterText = "Datendatei";
    request.extension = "DAT";
    request.initialName = dir.filePath("zozedud.Dat");
    EXPECT_EQ(ui.fileDialog(request), dir.filePath("typed.DAT"));
    // QFileDialog folds the two blanks of the filter text into one when it shows it.
    EXPECT_EQ(QtUserInterface::fileFilter("Datendatei", "dat"),
              "VX418 ZozEdud Datendatei  (*.DAT *.dat)");
    EXPECT_EQ(filters, QStringList({"VX418 ZozEdud Datendatei (*.DAT *.dat)"}));
    EXPECT_EQ(suffix, "DAT");
    EXPECT_FALSE(confirms);
    EXPECT_EQ(title, "Speichern unter");

    onNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    request.save = false;
    EXPECT_EQ(ui.fileDialog(request), "");
}

TEST_F(QtUserInterfaceTest, DefaultCursorRemovesEveryOverride) {
    ui.setBusyCursor(true);
    ui.setBusyCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::CrossCursor); // someone else's override as well
    ui.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUserInterfaceTest, CaptionGeometryAndHooks) {
    ui.setMainCaption("VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(window.windowTitle(), "VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(ui.mainCaption(), "VX418 ZozEdud Version 2.0 Build 1");
    ui.setMainGeometry({30, 40, 250, true});
    const FormGeometry g = ui.mainGeometry();
    EXPECT_EQ(g.left, 30);
    EXPECT_EQ(g.top, 40);
    EXPECT_EQ(g.height, 250);
    EXPECT_TRUE(g.normalState);

    // Hooks not yet connected do nothing; connected ones are reached.
    ui.refreshPages();
    ui.showSplash();
    EXPECT_EQ(ui.activeTab(), 1);
    int loads = 0;
    QList<int> hidden;
    ui.hooks().loadMainWindow = [&loads] { ++loads; };
    ui.hooks().setToolbarButtonVisible = [&hidden](int b, bool v) {
        if (!v)
            hidden.append(b);
    };
    ui.hooks().activeTab = [] { return 5; };
    ui.loadMainWindow();
    ui.loadMainWindow(); // loading again has no effect
    ui.setToolbarButtonVisible(7, false);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(hidden, QList<int>({7}));
    EXPECT_EQ(ui.activeTab(), 5);
}

} // namespace
