// report-pdf: the editor's printed report of a data file, as an A4 PDF.
//   report-pdf [--settings FILE] [--source TEXT] IN.DAT OUT.pdf
#include "app/IniFile.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "ui/ConfigReport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The configuration report of a data file"));
    parser.addHelpOption();
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Settings file (language, GPIO lists)."),
                                      QStringLiteral("file"));
    const QCommandLineOption source(QStringLiteral("source"),
                                    QStringLiteral("Source named in the header."),
                                    QStringLiteral("text"));
    parser.addOptions({settings, source});
    parser.addPositionalArgument(QStringLiteral("in"), QStringLiteral("Data file (*.DAT)."));
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("PDF to write."));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        parser.showHelp(2);

    zoz::Switches switches;
    switches.IniFileName = parser.value(settings);
    switches.Language = zoz::GetIniValue(switches.IniFileName, QStringLiteral("Main"),
                                         QStringLiteral("Language"), QStringLiteral("GER"))
                            .trimmed()
                            .toUpper();
    zoz::Texts texts(switches.IniFileName);
    texts.setLanguage(switches.Language);
    zoz::DataStore store;
    store.LoadGPIOLists(switches);
    QFile in(args[0]);
    if (!in.open(QIODevice::ReadOnly) || in.size() != zoz::DataSetImage::Size ||
        !zoz::DataSetImage::Read(in.readAll(), store.DataSet)) {
        fprintf(stderr, "report-pdf: %s: not a data file\n", qPrintable(args[0]));
        return 2;
    }
    const QString from =
        parser.isSet(source) ? parser.value(source) : QFileInfo(args[0]).absoluteFilePath();
    QString error;
    if (!zoz::ConfigReport(texts, store)
             .writePdf(args[1], from, QDateTime::currentDateTime(), error)) {
        fprintf(stderr, "report-pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
