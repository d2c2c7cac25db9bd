#pragma once

#include "app/EndSignals.h"
#include "app/PageCopy.h"
#include "app/QtTranslation.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "control/Dispatcher.h"
#include "dataset/DataStore.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/CommandInterpreter.h"
#include "link/ConfigTransfer.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/PortReviver.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "log/ProtoText.h"
#include "pages/DataPages.h"
#include "settings/IniCache.h"
#include "settings/ProgramFolder.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/AccessibleNames.h"
#include "ui/EditorHistory.h"
#include "ui/KeyboardAccess.h"
#include "ui/MainWindow.h"
#include "ui/PortPickerDialog.h"
#include "ui/ProtoWindow.h"
#include "ui/QtPrompts.h"
#include "ui/ReportActions.h"
#include "ui/ShellWindows.h"
#include "ui/SplashWindow.h"
#include "widgets/ChooseDialog.h"
#include "widgets/CommDialog.h"

#include <QObject>
#include <functional>
#include <memory>

namespace zoz {

// The composition root: creates every program-wide object once, connects the parts and runs
// start-up. Everything it owns lives until the process ends inside QueryEndProg. It copies the
// data set to and from the pages, which it builds on first use, and serves what the pages and
// start-up ask.
class Application : public QObject, public PageCopy, public PageServices, public StartupParts {
    Q_OBJECT
public:
    struct Options {
        QString programFilePath;          // default: the running executable; see ProgramFolder
        std::function<void()> terminator; // default: flush and end the process at once
    };

    explicit Application(Options options = {});
    ~Application() override;

    // The program's entry: start-up in its steps (ends the process when a step fails).
    void Main();

    Switches& switches() { return m_switches; }
    Texts& texts() { return m_texts; }
    AppLog& log() { return m_log; }
    MainWindow& mainWindow() { return *m_mainWindow; }
    Prompts& prompts() { return m_prompts; }
    ShellWindows& shell() { return m_shell; }
    Shutdown& shutdown() { return m_shutdown; }
    Startup& startup() { return m_startup; }
    DataStore& dataStore() { return m_dataStore; }
    DataFile& dataFile() { return m_dataFile; }
    ConfigFile& configFile() { return m_configFile; }
    Encoder& encoder() { return m_encoder; }
    Decoder& decoder() { return m_decoder; }
    LinkReporter& linkReporter() { return m_linkReporter; }
    SerialPort& serialPort() { return m_serialPort; }
    FrameTransport& transport() { return m_transport; }
    CommandInterpreter& interpreter() { return m_interpreter; }
    ConfigTransfer& configTransfer() { return m_configTransfer; }
    CommDialog& commDialog();
    ProtoWindow& protoWindow();
    Dispatcher& dispatcher() { return m_dispatcher; }
    // The controller's copy, history, undo, compare (started at the end of Main).
    EditorHistory& editorHistory() { return *m_editorHistory; }
    // frmSplash, created on first use (the splash at start-up, later the about window).
    SplashWindow& splashWindow();
    // The nine data pages and the choose dialog, created on first use (the first RefreshPages
    // of start-up), once the settings file and the language are known.
    DataPages& pages();
    ChooseDialog& chooser();
    // The port picker of the extras menu, created on first use.
    PortPickerDialog& portPicker();
    // Writes [Comm] Port and sets the port up again (ClosePort, set-up, OpenPort). A set-up
    // failure is reported with its start-up text and the previous port comes back; the editor
    // keeps running. OpenPort reports its own failure.
    bool ChangePort(const QString& port);
    // After a port change: the question whether to receive the data set there.
    void offerReceive();

    // The extras menu's report commands (print, save as PDF).
    ReportActions& reportActions() { return *m_report; }

    void refreshPages() override { pages().RefreshPages(); }
    void takeOverPages() override { pages().TakeOverPages(); }
    NameBox nameBox(int group, int index) override { return pages().nameBox(group, index); }

    void blankNamesReplaced() override;
    QString requestConfiguration(int index) override;
    QString sendConfiguration(int index) override;
    void writeLog(const QString& text) override;

    ProtoSink* txtProto() override;
    bool initDataSet() override;
    int setCommParameters() override;
    void markPortClosed() override;
    void resetDataSet() override;
    void menuCommand(MenuCommand command) override;
    void languageKnown(const QString& language) override;
    QString commPortName() override;
    bool settingsTakenBack() override;

private:
    void connectCommands();
    void connectExtras();
    void addReportActions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectLink();
    void connectHistory();

    ProgramPlace m_place; // decided before anything reads the program folder
    Switches m_switches;
    IniCache m_iniCache; // before m_texts, which reads through it
    Texts m_texts;
    ProtoText m_protoText; // the log writes here from the first line; frmProto shows it
    AppLog m_log;
    std::unique_ptr<MainWindow> m_mainWindow;
    QtPrompts m_prompts;
    ShellWindows m_shell;
    Shutdown m_shutdown;
    Startup m_startup;
    DataStore m_dataStore;
    DataFile m_dataFile;
    ConfigFile m_configFile;
    Encoder m_encoder;
    Decoder m_decoder;
    // The device link; frmComm and frmProto are built when first needed and kept for
    // the run.
    LinkReporter m_linkReporter;
    SerialPort m_serialPort;
    FrameTransport m_transport;
    PortReviver m_portReviver; // reopens the port after a hang-up
    CommandInterpreter m_interpreter;
    ConfigTransfer m_configTransfer;
    std::unique_ptr<ProtoWindow> m_protoWindow;
    std::unique_ptr<ChooseDialog> m_chooser;
    std::unique_ptr<DataPages> m_pages;
    std::unique_ptr<PortPickerDialog> m_portPicker;
    QAction* m_portPickerAction = nullptr; // owned by the main window
    Dispatcher m_dispatcher;
    QtTranslation m_qtTranslation;
    // SIGINT and SIGTERM end the program the orderly way, without a question.
    EndSignals m_endSignals;
    std::unique_ptr<EditorHistory> m_editorHistory;
    std::unique_ptr<AccessibleNames> m_accessibleNames;
    std::unique_ptr<KeyboardAccess> m_keyboard;
    QString m_programFile;
    std::unique_ptr<ReportActions> m_report;
};

} // namespace zoz
