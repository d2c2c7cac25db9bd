#include "cli/CliReport.h"

#include "cli/CliSession.h"
#include "cli/CliTool.h"
#include "report/ConfigReport.h"
#include "report/ReportPages.h"
#include "settings/IniFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace zoz {

CliReport::CliReport(CliSession& session, Load load, QTextStream& out, QTextStream& err)
    : m_session(session), m_load(std::move(load)), m_out(out), m_err(err) {}

int CliReport::run(const QString& fileName, const QString& output, const QString& differences,
                   bool askController) {
    ConfigReport::Request request;
    QString error;
    const Texts& texts = m_session.texts;
    if (!differences.isEmpty()) {
        const bool byDefault = differences == QLatin1String("default");
        // The default data file as the editor finds it: [Main] LoadAtStartup_Default beside the
        // settings file.
        const QString base =
            byDefault ? m_session.switches.ProgramFolder + QLatin1Char('/') +
                            GetIniValue(m_session.switches.IniFileName, QStringLiteral("Main"),
                                        QStringLiteral("LoadAtStartup_Default"), {})
                                .trimmed()
                      : differences;
        if (const int code = m_load(base))
            return code;
        request.base = m_session.store.DataSet;
        request.baseName = QFileInfo(base).fileName();
        request.variant =
            byDefault ? ConfigReport::Variant::FromDefault : ConfigReport::Variant::FromController;
    }
    if (const int code = m_load(fileName))
        return code;
    if (askController) {
        int code = m_session.openLink(error);
        if (!code)
            code = m_session.checkVersion(error); // 82 -> 83 brings the status texts too
        if (code) {
            m_err << "zozedud-cli: " << error << Qt::endl;
            return code;
        }
    }
    QString source = texts.message(QStringLiteral("Report_FromFile"));
    request.source = ReplaceParams(source, QFileInfo(fileName).absoluteFilePath());
    const ConfigReport report(texts, m_session.store, request);
    if (output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        if (ReportPages(report).writePdf(output, error))
            return CliTool::Done;
    } else if (output.isEmpty() || output == QLatin1String("-")) {
        m_out << report.text();
        return CliTool::Done;
    } else {
        QSaveFile file(output);
        const QByteArray text = report.text().toUtf8();
        if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
            return CliTool::Done;
        error = QStringLiteral("%1: %2").arg(output, file.errorString());
    }
    m_err << "zozedud-cli: " << error << Qt::endl;
    return CliTool::BadInput;
}

} // namespace zoz
