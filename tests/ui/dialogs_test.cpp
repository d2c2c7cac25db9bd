// The program's own windows and dialogs, driven by real input events: the splash and about
// window, the transfer dialog, the protocol window, the choose dialog and the message boxes and
// file dialogs of the user interface.
#include "app/Switches.h"
#include "app/Texts.h"
#include "log/AppLog.h"
#include "support/LinkRig.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "ui/ChooseDialog.h"
#include "ui/CommDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProtoTextBox.h"
#include "ui/ProtoWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/SplashWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

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

template <typename T = QWidget> T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

TEST(SplashWindow, SplashThenAboutWithItsLayoutInfoTextAndLink) {
    SplashWindow window;
    window.setStartUpSplash(false);
    window.show();
    const QSize designed = window.size();
    const QPoint logoAt = child(window, "picLogo")->pos();
    window.hide();
    for (int i = 0; i < 2; ++i) { // a second splash must not take the splash size for the design
        window.setStartUpSplash(true);
        window.show();
        EXPECT_EQ(window.size(), child(window, "picLogo")->size());
        EXPECT_FALSE(child(window, "cmdOk")->isVisible());
        EXPECT_EQ(child<QLabel>(window, "lblInfo1")->text(), QStringLiteral("V%1.%2.%3")
                                                                 .arg(ZOZ_VERSION_MAJOR)
                                                                 .arg(ZOZ_VERSION_MINOR)
                                                                 .arg(ZOZ_VERSION_REVISION));
        window.hide();
    }
    QList<QUrl> opened;
    window.setLinkOpener([&](const QUrl& url) { opened.append(url); });
    window.setStartUpSplash(false);
    window.show();
    EXPECT_EQ(window.size(), designed);
    EXPECT_EQ(child(window, "picLogo")->pos(), logoAt);
    EXPECT_TRUE(child(window, "cmdOk")->isVisible());
    EXPECT_TRUE(child<QLabel>(window, "lblInfo1")->text().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Info zu VX418 ZozEdud"));
    QTest::mouseClick(child(window, "lblInternet"), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>({QUrl(QStringLiteral("https://www.example.org/zozedud"))}));

    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(window.ShowDetails());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.ShowDetails());
    // Modal as the about window: OK ends exec() once the dialog's own loop runs.
    onNextModal([&](QWidget*) { QTest::mouseClick(child(window, "cmdOk"), Qt::LeftButton); });
    EXPECT_EQ(window.exec(), QDialog::Accepted);

    VersionInfo info;
    info.productName = QStringLiteral("VX418 ZozEdud");
    info.major = 2;
    info.minor = 7;
    info.revision = 13;
    info.fileDescription = QStringLiteral("eins<cr>zwei<cr>drei");
    info.companyName = QStringLiteral("Firma<tab>A<tab>B");
    info.comments = QStringLiteral("<tab><cr>");
    window.setVersionInfo(info);
    window.FillInfoText();
    EXPECT_EQ(window.infoText(), QStringLiteral("VX418 ZozEdud  V2.7.13\r\neins\r\nzwei\r\ndrei\r\n"
                                                "Firma\tA\tB\r\n\t\r\n"));
    EXPECT_EQ(child<QPlainTextEdit>(window, "txtInfo")->toPlainText(),
              QStringLiteral("VX418 ZozEdud  V2.7.13\neins\nzwei\ndrei\nFirma\tA\tB\n\t\n"));
}

TEST(CommDialog, CaptionRulesAndCancelEndsAWaitForTheAnswer) {
    LinkRig rig{{{"TimeOut", "0"}}};
    ASSERT_TRUE(rig.opened);
    CommDialog dialog([&] { rig.transport->Cancel(); });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenübertragung"));
    QWidget main;
    main.setGeometry(100, 120, 800, 600);
    main.show();
    dialog.showTransfer(QStringLiteral("Senden"), &main);
    EXPECT_TRUE(dialog.isVisible() && !dialog.isModal());
    EXPECT_LE((main.frameGeometry().center() - dialog.frameGeometry().center()).manhattanLength(),
              4);
    dialog.hideTransfer();
    EXPECT_FALSE(dialog.isVisible());
    dialog.showTransfer(QString(), nullptr); // the last caption that was given
    EXPECT_EQ(dialog.windowTitle(), "Senden");
    dialog.showTransfer(QStringLiteral("Empfangen"), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Empfangen");
    dialog.unload();
    EXPECT_EQ(dialog.windowTitle(), "Senden"); // remembered at the last activation

    // The user presses Cancel while the program waits for an answer that never comes.
    rig.sim.command("fault noanswer");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r")));
    dialog.showTransfer(QString(), nullptr);
    QTimer::singleShot(200, &dialog,
                       [&] { QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton); });
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Cancelled");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
}

TEST(ProtoWindow, TextsOnceOnTheFirstShowWithALanguageAndTheLogAlsoWhileHidden) {
    test::ProgramFolder folder;
    const auto writeIni = [&](const QByteArray& caption) {
        folder.writeIni("[Messages_ENG]\r\nForm_Proto.Caption=" + caption +
                        "\r\nForm_Proto.ToolTip=All events\r\n");
    };
    writeIni("Protocol");
    Texts texts(folder.ini());
    ProtoWindow w(texts);
    AppLog log(folder.dir.path(), "zozedud");
    log.OpenLog(QString(), w.txtProto());
    log.WriteLog(QStringLiteral("  first line"));
    log.WriteLog(QStringLiteral("  second line"));
    const QString text = w.txtProto()->text();
    EXPECT_LT(text.indexOf("first line\r\n"), text.indexOf("second line\r\n"));
    const QString shown = w.txtProto()->toPlainText();
    EXPECT_EQ(shown.count('\n'), text.count("\r\n") - 1); // one line per logged line
    EXPECT_FALSE(shown.contains('\r'));

    w.show(); // no language yet: the designed caption
    EXPECT_EQ(w.windowTitle(), "Protokoll");
    texts.setLanguage("ENG");
    QTest::mouseClick(w.cmdOk(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol");
    EXPECT_EQ(w.txtProto()->toolTip(), "All events");
    w.hide();
    writeIni("Changed");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol"); // not read again
}

TEST(ChooseDialog, PresetClickDoubleClickOkAndCancel) {
    test::ProgramFolder folder;
    Texts texts(folder.writeIni("[Messages_ENG]\r\nForm_Choose.Caption=Choose target\r\n"
                                "Form_Choose.ToolTip=Double click picks an entry\r\n"));
    texts.setLanguage("ENG");
    ChooseDialog dialog(texts);
    EXPECT_EQ(dialog.windowTitle(), "Choose target");
    EXPECT_EQ(dialog.lstChoose()->toolTip(), "Double click picks an entry");
    dialog.addItem("first", 100);
    dialog.addItem("second", 205);
    dialog.addItem("third", -3);
    enum Act { Ok, Cancel, ClickOk, ClickCancel, DoubleClick, EmptyOk };
    struct Case {
        const char* preset;
        Act act;
        int row; // clicked
        int preselected;
        const char* chosen;
    };
    const Case cases[] = {
        {" 205 ", Ok, -1, 1, "205"},
        {"100", ClickOk, 2, 0, "-3"},
        {"100", DoubleClick, 1, 0, "205"},
        {" 100 ", ClickCancel, 1, 0, "100"},
        {"999", Ok, -1, -1, ""},
        {"205", Cancel, -1, 1, "205"},
        {"", Ok, -1, -1, ""}, // each show clears the previous selection
        {" ABC ", Cancel, -1, -1, "abc"},
        {"100", EmptyOk, -1, -1, ""},
    };
    for (const Case& c : cases) {
        if (c.act == EmptyOk)
            dialog.clearList();
        dialog.ChosenItemData = QString::fromLatin1(c.preset);
        int preselected = -2;
        dialog.setModalRunner([&](ChooseDialog& d) {
            QListWidget* list = d.lstChoose();
            const auto selected = list->selectedItems();
            preselected = selected.isEmpty() ? -1 : list->row(selected.first());
            if (c.row >= 0) {
                const QPoint at = list->visualItemRect(list->item(c.row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                if (c.act == DoubleClick)
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                EXPECT_EQ(d.isVisible(), c.act != DoubleClick); // a single click only selects
            }
            if (c.act != DoubleClick)
                QTest::mouseClick(
                    child(d, c.act == Cancel || c.act == ClickCancel ? "cmdCancel" : "cmdOk"),
                    Qt::LeftButton);
        });
        dialog.showModal();
        EXPECT_EQ(preselected, c.preselected) << c.preset << c.act;
        EXPECT_EQ(dialog.ChosenItemData, c.chosen) << c.preset << c.act;
        EXPECT_FALSE(dialog.isVisible());
    }
    // The real modal loop ends on OK.
    dialog.setModalRunner({});
    dialog.ChosenItemData = "7";
    QTimer::singleShot(0, &dialog,
                       [&] { QTest::mouseClick(child(dialog, "cmdOk"), Qt::LeftButton); });
    dialog.showModal();
    EXPECT_EQ(dialog.ChosenItemData, "");
}

TEST(QtUserInterface, MessageBoxesFileDialogsCursorAndCaption) {
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtUserInterface ui{window};
    struct Case {
        MsgButtons buttons;
        MsgIcon icon;
        Qt::Key key;
        MsgAnswer answer;
        QMessageBox::Icon shown;
        QMessageBox::StandardButtons offered;
    };
    // Return takes the first button, Escape the safe one.
    const Case cases[] = {
        {MsgButtons::YesNo, MsgIcon::Critical, Qt::Key_Return, MsgAnswer::Yes,
         QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No},
        {MsgButtons::YesNo, MsgIcon::Question, Qt::Key_Escape, MsgAnswer::No, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No},
        {MsgButtons::OkCancel, MsgIcon::Information, Qt::Key_Escape, MsgAnswer::Cancel,
         QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel},
        {MsgButtons::Ok, MsgIcon::Exclamation, Qt::Key_Return, MsgAnswer::Ok, QMessageBox::Warning,
         QMessageBox::Ok},
    };
    for (const Case& c : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString title;
        onNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            icon = box->icon();
            buttons = box->standardButtons();
            title = box->windowTitle() + "|" + box->text();
            QTest::keyClick(w, c.key);
        });
        EXPECT_EQ(ui.messageBox("Wirklich?", c.buttons, c.icon, "caption"), c.answer);
        EXPECT_EQ(icon, c.shown);
        EXPECT_EQ(buttons, c.offered);
        EXPECT_EQ(title, "caption|Wirklich?");
    }

    test::ProgramFolder folder;
    QStringList seen;
    onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        seen << dialog->nameFilters() << dialog->defaultSuffix() << dialog->windowTitle()
             << QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->selectFile(folder.path("typed"));
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request;
    request.save = true;
    request.title = "Speichern unter";
    request.filterText = "Datendatei";
    request.extension = "DAT";
    request.initialName = folder.path("zozedud.Dat");
    EXPECT_EQ(ui.fileDialog(request), folder.path("typed.DAT"));
    // QFileDialog folds the two blanks of the filter text into one when it shows it; the
    // overwrite question is the program's own.
    EXPECT_EQ(QtUserInterface::fileFilter("Datendatei", "dat"),
              "VX418 ZozEdud Datendatei  (*.DAT *.dat)");
    EXPECT_EQ(seen, QStringList(
                        {"VX418 ZozEdud Datendatei (*.DAT *.dat)", "DAT", "Speichern unter", "1"}));
    onNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    request.save = false;
    EXPECT_EQ(ui.fileDialog(request), "");

    ui.setBusyCursor(true);
    ui.setBusyCursor(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::CrossCursor); // someone else's override as well
    ui.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ui.setMainCaption("VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(window.windowTitle(), "VX418 ZozEdud Version 2.0 Build 1");
    ui.setMainGeometry({30, 40, 250, true});
    const FormGeometry g = ui.mainGeometry();
    EXPECT_EQ(QList<int>({g.left, g.top, g.height}), QList<int>({30, 40, 250}));
    int loads = 0;
    ui.hooks().loadMainWindow = [&loads] { ++loads; };
    ui.loadMainWindow();
    ui.loadMainWindow(); // loading again has no effect
    EXPECT_EQ(loads, 1);
}

} // namespace
