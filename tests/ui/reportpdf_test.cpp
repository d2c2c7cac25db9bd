// The printed report: the simulator's data set through tools/report-pdf.sh, and the print module.
#include "dataset/DataSetImage.h"
#include "support/DataHarness.h"
#include "ui/PrintModule.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
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

// The report of the simulator's data set, made by zozedud-cli without a display: a document of
// numbered pages, each with the running header; a table running over a page break starts the next
// page with its heading and column heads again. The text form aligns its columns, and a difference
// report holds only what differs.
TEST(ReportPdfTest, TheSimulatorsReportIsADocumentOfNumberedPages) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const QString dat = dir.filePath(QStringLiteral("report.DAT"));
    int code = -1;
    const QString output = run(QStringLiteral(ZOZ_SOURCE_DIR "/tools/report-pdf.sh"), {pdf}, code);
    ASSERT_EQ(code, 0) << output.toStdString();
    DataSet set;
    ASSERT_TRUE(DataSetImage::Read(DataHarness::readFile(dat), set));

    const QString info = run("pdfinfo", {pdf}, code);
    EXPECT_TRUE(info.contains("(A4)"));
    EXPECT_TRUE(info.contains(QString::fromUtf8("Title:           Konfiguration des QPL \u2013 QPL "
                                                "Audio Controller (Sim)")))
        << info.toStdString();
    const int pages = info.section(QStringLiteral("Pages:"), 1).section('\n', 0, 0).toInt();
    ASSERT_GE(pages, 3) << info.toStdString();
    const QRegularExpression columnHeads("^\\s*(Feld\\s+Wert|A\\s+B\\s+C\\s+D|REC\\s)");
    QString whole;
    QStringList headings; // lines followed by column heads
    for (int page = 1; page <= pages; ++page) {
        const QString n = QString::number(page);
        // Compatibility form: the PDF's text has the font's ligatures ("\uFB01" for "fi").
        const QString text = run("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"}, code)
                                 .normalized(QString::NormalizationForm_KC);
        ASSERT_EQ(code, 0);
        QStringList lines = text.split('\n');
        lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
        ASSERT_GE(lines.size(), 4) << page;
        EXPECT_TRUE(lines[0].trimmed().startsWith("Konfiguration des QPL")) << page;
        EXPECT_TRUE(lines[0].contains(QString::number(QDate::currentDate().year()))) << page;
        EXPECT_EQ(lines[1].trimmed(), "QPL Audio Controller (Sim), SN QPL-0418-0001") << page;
        EXPECT_EQ(lines.last().trimmed(), QStringLiteral("Seite %1 / %2").arg(page).arg(pages));
        for (int l = 2; l + 1 < lines.size(); ++l)
            if (columnHeads.match(lines[l + 1]).hasMatch())
                headings.append(lines[l].trimmed());
        EXPECT_TRUE(page == 1 || headings.contains(lines[2].trimmed()))
            << "page " << page << " starts inside a table: " << lines[2].toStdString();
        whole += text;
    }
    EXPECT_TRUE(whole.contains(QString::fromUtf8("Gerät"))); // the title block
    EXPECT_TRUE(whole.contains("VX418 ZozEdud 2."));
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
            EXPECT_TRUE(whole.contains(set.ChannelName(g, i).trimmedRight())) << g << "/" << i;

    // The text form, then only what differs from a copy with two other names.
    const QString cli = QFileInfo(QStringLiteral(QPL_SIM_PATH)).absolutePath() + "/zozedud-cli";
    const QStringList settings{"--quiet", "--settings", ZOZ_SOURCE_DIR "/resources/zozedud.Ini"};
    const QString text = run(cli, settings + QStringList{"report", dat}, code);
    ASSERT_EQ(code, 0) << text.toStdString();
    QSet<int> valueColumns;
    for (const QString& line : text.split('\n'))
        if (line.startsWith("Digitaleingang "))
            valueColumns.insert(line.indexOf("Dig "));
    EXPECT_EQ(valueColumns.size(), 1) << text.toStdString();
    DataSet other = set;
    other.ChannelName(1, 2) = QStringLiteral("Kick");
    other.ChannelName(3, 5) = QStringLiteral("Vox");
    other.Editor.MachSource(1)[1] = 1; // REC: a mark in the whole report
    other.Editor.MachSource(1)[3] = 2; // B: a value other than 0 and 1 as its number
    const QString copy = dir.filePath("copy.DAT");
    DataHarness::writeFile(copy, DataSetImage::Write(other));
    const QString diff =
        run(cli, settings + QStringList{"report", dat, "--differences", copy}, code);
    ASSERT_EQ(code, 0) << diff.toStdString();
    EXPECT_TRUE(diff.contains("Nur was von den Daten des QPL abweicht (copy.DAT)"));
    EXPECT_TRUE(QRegularExpression("Feld +Wert +Auf dem QPL\n").match(diff).hasMatch());
    EXPECT_TRUE(QRegularExpression("Digitaleingang 2 +Dig 02 +Kick").match(diff).hasMatch());
    EXPECT_TRUE(QRegularExpression("ADAT-Eingang 5 +Adat 5 +Vox").match(diff).hasMatch());
    EXPECT_TRUE(QRegularExpression("Quelle 01 REC +aus +ein").match(diff).hasMatch());
    EXPECT_FALSE(diff.contains("Dig 01")) << diff.toStdString();
    const QString copied = run(cli, settings + QStringList{"report", copy}, code);
    EXPECT_TRUE(copied.contains("Quelle 01  x       2\nQuelle 02\n")) << copied.toStdString();
    // A page whose first group is named as the last of the page before still starts a table.
    QByteArray renamed = DataHarness::readFile(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");
    DataHarness::writeFile(dir.filePath("renamed.Ini"),
                           renamed.replace("Caption=Steuerung", "Caption=GPIO Ausg\xe4nge"));
    const QString heads =
        run(cli, {"--quiet", "--settings", dir.filePath("renamed.Ini"), "report", dat}, code);
    EXPECT_TRUE(heads.contains(QString::fromUtf8("\nEditor \u2013 GPIO Ausg\u00e4nge\n")));
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
    int painted = 0;
    const auto paint = [&painted](QPagedPaintDevice&) { ++painted; };
    EXPECT_FALSE(built.print("Report", QMarginsF(), paint, nullptr)); // cancelled
    EXPECT_EQ(painted, 0);
    EXPECT_EQ(shown, "dlgPrint");

    QTemporaryDir dir; // an editor without the module, then with a broken one where installed
    PrintModule elsewhere(dir.filePath("bin/zozedud"));
    const QString installed = elsewhere.candidates().last();
    EXPECT_FALSE(elsewhere.load(error));
    EXPECT_TRUE(error.contains(installed)) << error.toStdString();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()));
    DataHarness::writeFile(installed, "not a library");
    EXPECT_FALSE(elsewhere.load(error) || elsewhere.print("Report", QMarginsF(), paint, nullptr));
}

} // namespace
