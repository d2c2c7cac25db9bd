// The project's report script on the simulator's data set: every channel name is in the PDF.
#include "dataset/DataSetImage.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
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
}

} // namespace
