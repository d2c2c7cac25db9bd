// The report from the editor's extras menu: after start-up received the simulator's data set, the
// PDF names the controller's port as its source and holds the channel names the pages show.
#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "support/SimProcess.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

TEST(ApplicationReport, ReportAsPdfFromTheExtrasMenu) {
    QTemporaryDir dir;
    zoz::test::SimProcess sim;
    QFile ini(dir.filePath("zozedud.Ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Main]\r\nLanguage=ENG\r\nLoadAtStartup_Default=default.DAT\r\nShowMsgBox=no\r\n"
              "RequestStatus=no\r\n[Comm]\r\nTimerInterval=20\r\nPort=" +
              sim.device().toLocal8Bit() + "\r\n");
    ini.close();
    QFile dat(dir.filePath("default.DAT"));
    ASSERT_TRUE(dat.open(QIODevice::WriteOnly));
    dat.write(DataSetImage::Write(DataSet{}));
    dat.close();
    int terminated = 0;
    Application app(Application::Options{dir.filePath("zozedud"), [&] { ++terminated; }});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    // Start-up asked the controller for its data set (RequestData defaults to yes).
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !app.dataStore().DataSet.Name.InputDigitalName[1].text().trimmed().isEmpty();
        },
        5000));

    // The save dialog is accepted with the name it proposes: the program's name beside it.
    const QString pdf = dir.filePath("zozedud.pdf");
    QTimer accepter;
    QObject::connect(&accepter, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        static_cast<QDialog*>(dialog)->accept();
    });
    accepter.start(20);
    // The command as the extras menu holds it.
    auto* menu = app.mainWindow().findChild<QMenu*>("mnuExtras");
    ASSERT_NE(menu, nullptr);
    QAction* action = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == "actReportPdf")
            action = a;
    ASSERT_NE(action, nullptr);
    QTimer::singleShot(0, action, &QAction::trigger);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(pdf); }, 10000));

    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString report = QString::fromUtf8(text.readAllStandardOutput());
    // The settings file has no report texts: the keys stand in, the port is named all the same.
    EXPECT_TRUE(report.contains("Report_FromController " + sim.device()))
        << report.left(300).toStdString();
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i) {
            const QString name = app.dataStore().DataSet.ChannelName(g, i).trimmedRight();
            EXPECT_TRUE(report.contains(name)) << name.toStdString();
        }
    EXPECT_EQ(terminated, 0);
}

} // namespace
