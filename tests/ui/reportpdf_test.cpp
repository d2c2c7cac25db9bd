// The project's report script on the simulator's data set: every channel name is in the PDF.
#include "dataset/DataSetImage.h"
#include "support/DataHarness.h"
#include "ui/PrintModule.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

QString run(const QString& program, const QStringList& args, int& exitCode) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZOZ_BIN"), QFileInfo(QStringLiteral(QPL_SIM_PATH)).absolutePath());
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.waitForFinished(60000);
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
}

TEST(ReportPdfTest, TheSimulatorsReportHoldsEveryChannelName) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    int code = -1;
    const QString output = run(QStringLiteral(ZOZ_SOURCE_DIR "/tools/report-pdf.sh"), {pdf}, code);
    ASSERT_EQ(code, 0) << output.toStdString();

    DataSet set;
    ASSERT_TRUE(DataSetImage::Read(DataHarness::readFile(dir.filePath("report.DAT")), set));

    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, code);
    ASSERT_EQ(code, 0) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("QPL simulator"))) << "source missing from header";
    int names = 0;
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i) {
            const QString name = set.ChannelName(g, i).trimmedRight();
            ASSERT_FALSE(name.trimmed().isEmpty()) << g << "/" << i;
            EXPECT_TRUE(text.contains(name)) << name.toStdString();
            ++names;
        }
    EXPECT_EQ(names, 40);
    // Fields are printed page by page and group by group, under one heading each.
    EXPECT_EQ(text.count(QStringLiteral("Namen")), 1);
    EXPECT_EQ(text.count(QString::fromUtf8("Digitale Eingänge")), 1);
    EXPECT_EQ(text.count(QLatin1Char('\f')), 4); // A4 pages at the report's margins
    EXPECT_TRUE(run("pdfinfo", {pdf}, code).contains("(A4)"));
}

// The editor maps no Qt PrintSupport at start-up; it loads the module beside it on the first print.
TEST(PrintModuleTest, TheModuleBesideTheEditorPrintsAMissingOrBrokenOneIsReported) {
    int code = -1;
    EXPECT_FALSE(run("ldd", {ZOZ_BINARY_DIR "/bin/zozedud"}, code).contains("PrintSupport"));
    PrintModule built(ZOZ_BINARY_DIR "/bin/zozedud");
    QString error, shown;
    ASSERT_TRUE(built.load(error)) << error.toStdString();
    QTimer::singleShot(0, [&shown] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shown = dialog->objectName();
            dialog->close();
        }
    });
    QTextDocument document;
    EXPECT_FALSE(built.print(document, nullptr)); // cancelled
    EXPECT_EQ(shown, "dlgPrint");

    QTemporaryDir dir; // an editor without the module, then with a broken one where installed
    PrintModule elsewhere(dir.filePath("bin/zozedud"));
    const QString installed = elsewhere.candidates().last();
    EXPECT_FALSE(elsewhere.load(error));
    EXPECT_TRUE(error.contains(installed)) << error.toStdString();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()));
    DataHarness::writeFile(installed, "not a library");
    EXPECT_FALSE(elsewhere.load(error) || elsewhere.print(document, nullptr));
}

} // namespace
