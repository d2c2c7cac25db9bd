// Qt's file dialog behind the user interface; SIGINT and SIGTERM end the running editor the
// orderly way, also while a box waits; Qt's texts follow [Main] Language; a refused port's box.
#include "support/ProgramFolder.h"
#include "support/SimProcess.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

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

// The dialog as set up (start folder, caption, filter as worded, the overwrite question left to
// the program); a typed name of a missing file comes back instead of a box of Qt's own.
TEST(FileDialog, SetUpAsAskedAndTakesAnyName) {
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtPrompts ui{window};
    test::ProgramFolder folder;
    const QString path = folder.dir.path(), sub = folder.path("sub");
    QDir(path).mkdir("sub");
    for (const auto& [save, start] :
         {std::pair{true, path}, std::pair{false, path}, std::pair{false, sub}}) {
        QStringList seen;
        onNext<QFileDialog>(&window, [&](QFileDialog* dialog) {
            seen << dialog->directory().absolutePath() << dialog->windowTitle()
                 << dialog->findChild<QComboBox*>("fileTypeCombo")->currentText()
                 << QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite))
                 << QString::number(dialog->testOption(QFileDialog::DontUseNativeDialog));
            onNext<QMessageBox>(&window, [](QMessageBox* box) { box->reject(); });
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            edit->setText("fehlt");
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        EXPECT_EQ(ui.fileDialog({save, "t", "Datendatei", "DAT", "alt.DAT", start}),
                  QDir(start).filePath("fehlt.DAT"));
        EXPECT_EQ(seen,
                  (QStringList{start, "t", "VX418 ZozEdud Datendatei  (*.DAT *.dat)", "1", "1"}));
    }
}

TEST(EndSignals, EndInOrderWhileABoxWaitsTheLanguageRulesQtTextsARefusedPortIsNamed) {
    const std::tuple<int, QByteArray, QByteArray, QString, QString> cases[] = {
        {SIGINT, "GER", "", "", "&Ja"},
        {SIGTERM, "ENG", "", "", "&Yes"},
        {0, "GER", "/dev/zoz-none", "COM-Ports (/dev/zoz-none)", "&Ja"},
        {0, "ENG", "zoz-none", "COM-Port (zoz-none)", "&Yes"},
        {0, "GER", "99", "COM-Ports (99 = /dev/ttyS98)", "&Ja"}};
    for (const auto& [signal, language, port, named, yesText] : cases) {
        test::SimProcess sim;
        test::ProgramFolder folder;
        folder.writeIni("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                        "RequestStatus=no\r\nRequestData=no\r\nLanguage=" +
                        language + "\r\n[Comm]\r\nPort=" +
                        (signal ? sim.device().toLocal8Bit() : port) + "\r\n");
        folder.write("default.DAT", QByteArray(2913, '\0'));
        QMessageBox question(QMessageBox::Question, "zozedud", "?",
                             QMessageBox::Yes | QMessageBox::No);
        QString shown, yes;
        if (!signal) { // the port is refused: start-up ends with a box naming it
            onNext<QMessageBox>(&question, [&](QMessageBox* box) {
                shown = box->text();
                box->close();
            });
        }
        if (signal == SIGTERM) // started without stdin (as by some launchers): fd 0 is free
            ::close(0);
        // The end (the terminator) notes Qt's own Yes text as it stands then.
        Application app({folder.path("zozedud"), [&] {
                             yes = question.button(QMessageBox::Yes)->text();
                             question.reject();
                         }});
        app.Main();
        if (signal) {
            QTimer::singleShot(0, [signal = signal] { std::raise(signal); });
            // The end closes the question; a lost signal fails the row instead of hanging.
            QTimer::singleShot(10000, &question, &QDialog::reject);
            question.exec();
        }
        EXPECT_EQ(yes, yesText) << language.constData() << " " << signal;
        EXPECT_TRUE(named.isEmpty() || shown.endsWith(named)) << shown.toStdString();
    }
    EXPECT_EXIT(std::raise(SIGINT), testing::KilledBySignal(SIGINT), ""); // as before the program
}

} // namespace
