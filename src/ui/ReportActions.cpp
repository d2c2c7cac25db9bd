#include "ui/ReportActions.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "dataset/DataStore.h"
#include "log/AppLog.h"
#include "report/ReportPages.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/ChangeTracker.h"
#include "ui/EditorHistory.h"
#include "widgets/ChooseDialog.h"

#include <QFileInfo>
#include <QLocale>

namespace zoz {

ReportActions::ReportActions(Services services, const QString& executable)
    : m_services(std::move(services)), m_printModule(executable) {}

QString ReportActions::originText() const {
    const bool controller = m_origin.startsWith(QLatin1Char('C'));
    QString text = m_services.texts.message(controller ? QStringLiteral("Report_FromController")
                                                       : QStringLiteral("Report_FromFile"));
    const QString detail =
        m_origin.isEmpty() ? m_services.switches.DefaultDataFile : m_origin.mid(1);
    // A settings file without the text still names the port or file.
    if (!text.contains(QLatin1Char('&')))
        return text + QLatin1Char(' ') + detail;
    return ReplaceParams(text, detail);
}

QString ReportActions::copyTime() const {
    const QLocale locale(m_services.texts.language() == QLatin1String("ENG") ? QLocale::English
                                                                             : QLocale::German);
    return locale.toString(m_services.history.controllerCopy().time(), QLocale::ShortFormat);
}

ConfigReport::Request ReportActions::request(ConfigReport::Variant variant) const {
    const Texts& texts = m_services.texts;
    const ControllerCopy& copy = m_services.history.controllerCopy();
    ChangeTracker* tracker = m_services.history.tracker();
    const bool sent = copy.origin() == ControllerCopy::Origin::Sent;
    ConfigReport::Request request;
    request.variant = variant;
    if (!copy.known() || !tracker) {
        QString source = texts.message(QStringLiteral("Report_EditorDataFrom"));
        request.source = ReplaceParams(source, originText());
        request.sourceDetail = texts.message(QStringLiteral("Report_CopyUnknown"));
    } else if (const int unsent = int(tracker->changesNotSent().size()); unsent == 0) {
        QString source = texts.message(sent ? QStringLiteral("Report_AsSent")
                                            : QStringLiteral("Report_AsReceived"));
        request.source = ReplaceParams(source, copyTime());
        QString port = texts.message(QStringLiteral("Report_FromController"));
        request.sourceDetail = ReplaceParams(port, copy.port());
    } else {
        QString source = texts.message(unsent == 1 ? QStringLiteral("Report_EditorData1")
                                                   : QStringLiteral("Report_EditorData"));
        request.source = ReplaceParams(source, QString::number(unsent));
        QString detail = texts.message(sent ? QStringLiteral("Report_CopySent")
                                            : QStringLiteral("Report_CopyReceived"));
        request.sourceDetail = ReplaceParams(detail, copyTime(), copy.port());
    }
    if (variant == ConfigReport::Variant::FromDefault) {
        request.base = m_services.store.DataSetDefault;
        request.baseName = QFileInfo(m_services.switches.DefaultDataFile).fileName();
    } else if (variant == ConfigReport::Variant::FromController) {
        request.base = copy.dataSet();
        request.baseName = copyTime() + QStringLiteral(", ") + copy.port();
    }
    return request;
}

std::optional<ConfigReport::Variant> ReportActions::chooseVariant() const {
    using Variant = ConfigReport::Variant;
    ChooseDialog& dialog = m_services.chooser();
    const QString caption = dialog.windowTitle();
    dialog.setWindowTitle(m_services.texts.message(QStringLiteral("Report_Choose")));
    dialog.clearList();
    const bool known = m_services.history.controllerCopy().known();
    for (Variant variant : {Variant::Whole, Variant::FromDefault, Variant::FromController}) {
        if (variant == Variant::FromController && !known)
            continue; // nothing to compare with
        const QString key = variant == Variant::Whole ? QStringLiteral("Report_Whole")
                            : variant == Variant::FromDefault
                                ? QStringLiteral("Report_OnlyFromDefault")
                                : QStringLiteral("Report_OnlyFromQpl");
        QString text = m_services.texts.message(key);
        dialog.addItem(ReplaceParams(text, request(variant).baseName), int(variant));
    }
    dialog.ChosenItemData = QString::number(int(Variant::Whole));
    dialog.setResult(QDialog::Rejected);
    dialog.showModal();
    dialog.setWindowTitle(caption);
    if (dialog.result() != QDialog::Accepted)
        return std::nullopt;
    return Variant(dialog.ChosenItemData.toInt()); // OK without a selection: the whole
}

void ReportActions::print() {
    // What the pages show is what is printed.
    if (m_services.switches.InitDone)
        m_services.pageCopy.takeOverPages();
    QString error;
    if (!m_printModule.load(error)) {
        // Also clear with a settings file that lacks the text.
        QString text =
            m_services.texts.message(QStringLiteral("Report_PrintModule_Err"),
                                     QStringLiteral("The print module could not be loaded: &"));
        ReplaceParams(text, error);
        m_services.log.WriteLog(QStringLiteral("  ") + text);
        m_services.prompts.messageBox(text, MsgButtons::Ok, MsgIcon::Exclamation,
                                      m_services.switches.ProgramName);
        return;
    }
    const std::optional<ConfigReport::Variant> variant = chooseVariant();
    if (!variant)
        return;
    const ConfigReport report(m_services.texts, m_services.store, request(*variant));
    const ReportPages pages(report);
    const QString title = report.title() + QStringLiteral(" \u2013 ") + report.controller();
    if (!m_printModule.print(
            title, ReportPages::margins(),
            [&pages](QPagedPaintDevice& device) { pages.paint(device); }, &m_services.window))
        return;
    m_services.activity.showStatusText(m_services.texts.message(QStringLiteral("Report_Printed")));
}

void ReportActions::savePdf() {
    const Switches& switches = m_services.switches;
    Prompts& prompts = m_services.prompts;
    Activity& activity = m_services.activity;
    const Texts& texts = m_services.texts;
    if (switches.InitDone)
        m_services.pageCopy.takeOverPages();
    const std::optional<ConfigReport::Variant> variant = chooseVariant();
    if (!variant)
        return;
    FileDialogRequest fileRequest;
    fileRequest.save = true;
    fileRequest.title = texts.message(QStringLiteral("Menu_ReportPdf"));
    fileRequest.filterText = texts.message(QStringLiteral("Report_Filter"));
    fileRequest.extension = QStringLiteral("PDF");
    fileRequest.initialName =
        switches.ProgramFolder + QLatin1Char('/') + switches.ProgramName + QStringLiteral(".pdf");
    const QString name = prompts.fileDialog(fileRequest);
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name)) {
        QString question = texts.message(QStringLiteral("QueryOverwrite"));
        if (prompts.messageBox(ReplaceParams(question, name), MsgButtons::YesNo, MsgIcon::Question,
                               prompts.mainCaption()) != MsgAnswer::Yes)
            return;
    }
    activity.setBusyCursor(true);
    QString error;
    const ConfigReport report(texts, m_services.store, request(*variant));
    const bool written = ReportPages(report).writePdf(name, error);
    activity.setBusyCursor(false);
    QString text =
        texts.message(written ? QStringLiteral("Report_Saved") : QStringLiteral("Report_Err"));
    ReplaceParams(text, written ? name : error);
    m_services.log.WriteLog(QStringLiteral("  ") + text);
    if (written)
        activity.showStatusText(text);
    else
        prompts.messageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, switches.ProgramName);
}

} // namespace zoz
