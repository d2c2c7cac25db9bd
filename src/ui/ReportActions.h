#pragma once

#include "report/ConfigReport.h"
#include "ui/PrintModule.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zoz {

class AppLog;
class ChooseDialog;
class DataStore;
class EditorHistory;
class Texts;
class Activity;
class PageCopy;
class Prompts;
struct Switches;

// The extras menu's report commands: print (a printer, or a PDF through the print dialog) and
// save as PDF. Each first asks what to report (the whole configuration, what differs from the
// default data, what differs from the controller's copy) and says in the header what the data is.
class ReportActions {
public:
    struct Services {
        const Texts& texts;
        DataStore& store;
        const Switches& switches;
        Prompts& prompts;
        Activity& activity;
        PageCopy& pageCopy;
        AppLog& log;
        EditorHistory& history;
        std::function<ChooseDialog&()> chooser; // built on first use
        QWidget& window;                        // the main window, parent of the print dialog
    };
    // executable: the editor's file, beside which the print module is looked for first.
    ReportActions(Services services, const QString& executable);

    // Where the data set in the editor came from: "F<file>", "C<port>", "" the default data.
    void setOrigin(const QString& origin) { m_origin = origin; }
    // The report's request for a variant: its source lines, and what it compares with.
    ConfigReport::Request request(ConfigReport::Variant variant) const;

    void print();
    void savePdf();

private:
    QString originText() const;
    QString copyTime() const;
    // The variant chosen in the selection dialog; nothing when it was cancelled.
    std::optional<ConfigReport::Variant> chooseVariant() const;

    Services m_services;
    QString m_origin;
    PrintModule m_printModule; // loaded on the first print
};

} // namespace zoz
