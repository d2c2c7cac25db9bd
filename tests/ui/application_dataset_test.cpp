#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "support/QtPrinters.h"

#include "support/SimProcess.h"
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Start-up with a program folder holding a settings file and the given default data file.
class StartupDataTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    zoz::test::SimProcess sim; // the port that start-up sets up
    int terminated = 0;
    QStringList boxes;
    QTimer acceptor;

    void SetUp() override {
        QFile ini(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nRequestStatus=no\r\n"
                  "RequestData=no\r\n[Comm]\r\nPort=" +
                  sim.device().toLocal8Bit() + "\r\n");
        QObject::connect(&acceptor, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.append(box->text());
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        acceptor.start(20);
    }
    void writeDefault(const QByteArray& bytes) {
        QFile dat(dir.filePath("default.DAT"));
        ASSERT_TRUE(dat.open(QIODevice::WriteOnly));
        dat.write(bytes);
    }
};

TEST_F(StartupDataTest, DefaultDataFileBecomesDataSetAndReferenceCopy) {
    DataSet file;
    file.Name.InputDigitalName[1] = QStringLiteral("Kick");
    file.Layer.LayerC[4] = 307;
    file.Editor.MachSource05[5] = 1; // the file, not the start-up zig-zag, decides
    writeDefault(DataSetImage::Write(file));
    Application app({dir.filePath("zozedud"), [this] { ++terminated; }});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(boxes.isEmpty());
    const DataSet& d = app.dataStore().DataSet;
    EXPECT_EQ(d.Name.InputDigitalName[1].text(), "Kick    ");
    EXPECT_EQ(d.Layer.LayerC[4], 307);
    EXPECT_EQ(d.Editor.MachSource01[1], 0);
    EXPECT_EQ(d.Editor.MachSource05[5], 1);
    EXPECT_TRUE(app.dataStore().DataSetDefault == d);
}

TEST_F(StartupDataTest, DefaultDataFileOfAnotherVersionEndsTheProgram) {
    writeDefault(QByteArray(2914, '\0'));
    Application app({dir.filePath("zozedud"), [this] { ++terminated; }});
    app.Main();
    EXPECT_GE(terminated, 1);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes[0].startsWith("Versionskonflikt: Die Datei '")) << boxes[0].toStdString();
    EXPECT_TRUE(boxes[0].contains("Version conflict: The file '"));
}

} // namespace
