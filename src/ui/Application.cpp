#include "ui/Application.h"

#include "pages/DataPage.h"
#include "ui/ProtoTextBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>

namespace zoz {

namespace {

Switches programSwitches(const QString& programFilePath) {
    const QFileInfo file(programFilePath.isEmpty() ? QCoreApplication::applicationFilePath()
                                                   : programFilePath);
    const QFileInfo resolved(file.canonicalFilePath().isEmpty() ? file.absoluteFilePath()
                                                                : file.canonicalFilePath());
    Switches switches;
    switches.ProgramFolder = resolved.absolutePath();
    switches.ProgramName = resolved.completeBaseName();
    return switches;
}

} // namespace

Application::Application(Options options)
    : m_switches(programSwitches(options.programFilePath)), m_texts(QString(), &m_iniCache),
      m_log(m_switches.ProgramFolder, m_switches.ProgramName),
      m_mainWindow(std::make_unique<MainWindow>(m_switches, m_texts)), m_ui(*m_mainWindow),
      m_shutdown(m_switches, m_texts, m_log, m_ui),
      m_startup(m_switches, m_texts, m_log, m_ui, m_shutdown),
      m_dataFile(m_dataStore, m_switches, m_texts, m_log, m_ui,
                 [this] { m_shutdown.QueryEndProg(false); }),
      m_configFile(m_dataFile, m_texts, m_log, m_ui),
      m_encoder(m_dataStore, m_switches, m_texts, m_log, m_ui),
      m_decoder(m_dataStore, m_switches, m_texts, m_log, m_ui, m_dataFile, m_configFile),
      m_linkReporter(m_switches, m_texts, m_log, m_ui), m_serialPort(m_linkReporter),
      m_transport(m_serialPort, m_linkReporter),
      m_interpreter(m_transport, m_linkReporter, m_dataStore),
      m_configTransfer(m_dataStore, m_configFile, m_encoder, m_transport, m_interpreter,
                       m_linkReporter),
      m_commDialog(std::make_unique<CommDialog>([this] { m_transport.Cancel(); })),
      m_protoWindow(std::make_unique<ProtoWindow>(m_texts)),
      m_dispatcher(m_switches, m_texts, m_log, m_ui, m_dataStore, m_encoder, m_decoder, m_dataFile,
                   m_transport, m_interpreter, m_configTransfer, m_shutdown) {
    if (options.terminator)
        m_shutdown.setTerminator(std::move(options.terminator));
    // The program ends only through QueryEndProg, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    connectLink();
    m_startup.collaborators().initDataSet = [this] {
        m_dataStore.InitDataSet(m_ui);
        return true;
    };
    // Step 22: the default data file becomes the data set and its reference copy; a default file
    // that cannot be read ends the program.
    m_startup.collaborators().resetDataSet = [this] { m_dataFile.ResetDataSet(true, true); };
    m_ui.hooks().refreshPages = [this] { pages().RefreshPages(); };
    m_ui.hooks().takeOverPages = [this] { pages().TakeOverPages(); };
    m_ui.hooks().nameBox = [this](int group, int index) { return pages().nameBox(group, index); };
    m_mainWindow->installEventFilter(this);

    // The real windows behind start-up's window steps.
    auto& uiHooks = m_ui.hooks();
    uiHooks.showSplash = [this] {
        SplashWindow& splash = splashWindow();
        splash.setStartUpSplash(true);
        splash.show();
        splash.repaint();
    };
    uiHooks.closeSplash = [this] {
        if (m_splash)
            m_splash->hide();
    };
    uiHooks.setToolbarButtonVisible = [this](int button, bool visible) {
        m_mainWindow->setToolbarButtonVisible(button, visible);
    };
    uiHooks.setTestButtonVisible = [this](bool visible) {
        m_mainWindow->setTestButtonVisible(visible);
    };
    uiHooks.activeTab = [this] { return m_mainWindow->activeTab(); };
    uiHooks.focusTabStrip = [this] { m_mainWindow->FocusTabStrip(); };

    // The tab strip hosts the frames of the nine pages.
    MainWindow::Hooks& mainHooks = m_mainWindow->hooks();
    mainHooks.loadPages = [this] {
        QList<QWidget*> windows;
        for (int n = 1; n <= 9; ++n)
            windows.append(pages().page(n));
        return windows;
    };
    mainHooks.synchronisePages = [this] { pages().Synchronise(); };
    mainHooks.pageSelected = [this](const QString& windowName) {
        pages().PageSelected(windowName);
    };
    mainHooks.openPort = [this] { m_serialPort.OpenPort(); };
    connectCommands();
}

// Every command goes through the dispatcher: toolbar, start-up (8, 106), the controller's data
// request (107 after timSendData), the System page (108) and the test button.
void Application::connectCommands() {
    m_startup.collaborators().menuCommand = [this](int command) {
        m_dispatcher.Interpret_MenuCommand(command);
    };
    connect(m_mainWindow.get(), &MainWindow::menuCommand, this,
            [this](int command) { m_dispatcher.Interpret_MenuCommand(command); });
    connect(m_mainWindow.get(), &MainWindow::dummyClicked, this,
            [this] { m_dispatcher.TestButton(); });
    connect(&m_interpreter, &CommandInterpreter::sendDataRequested, this,
            [this](int intervalMs) { m_mainWindow->timSendData().start(intervalMs); });
    m_dispatcher.windows.showProtocol = [this] {
        ProtoWindow& proto = *m_protoWindow;
        if (proto.parentWidget() != m_mainWindow.get())
            proto.setParent(m_mainWindow.get(), proto.windowFlags() | Qt::Dialog);
        const QSize screen = m_mainWindow->screen()->geometry().size();
        proto.move(Dispatcher::ProtocolWindowPosition(m_mainWindow->frameGeometry(),
                                                      proto.frameGeometry().size(), screen));
        proto.exec();
    };
    m_dispatcher.windows.showAbout = [this] {
        SplashWindow& about = splashWindow();
        about.setStartUpSplash(false);
        about.exec();
    };
}

SplashWindow& Application::splashWindow() {
    if (!m_splash)
        m_splash = std::make_unique<SplashWindow>();
    return *m_splash;
}

// Start-up step 15 sets up the port, step 18 marks it closed; shutdown closes it. Every complete
// frame goes to the interpreter; the transfer dialog shows over the main window; txtProto is the
// log's text box from the log's opening on.
void Application::connectLink() {
    Startup::Collaborators& c = m_startup.collaborators();
    c.txtProto = [this]() -> ProtoSink* { return m_protoWindow->txtProto(); };
    c.setCommParameters = [this] { return m_serialPort.SetCommParameters(); };
    c.markPortClosed = [this] { m_serialPort.PortOpened = false; };
    m_shutdown.setClosePort([this] { m_serialPort.ClosePort(); });

    m_transport.setInterpreter([this](const QString& code, const QByteArray& frame) {
        m_interpreter.InterpretCommand(code, frame);
    });
    CommandInterpreter::Collaborators ic;
    ic.interpretHexData = [this](QString& payload) { m_decoder.Interpret_HexData(payload); };
    ic.resetDataSet = [this] { m_dataFile.ResetDataSet(true, false); };
    ic.endProgram = [this] { m_shutdown.QueryEndProg(false); };
    m_interpreter.setCollaborators(std::move(ic));

    m_ui.hooks().showCommDialog = [this](const QString& caption) {
        m_commDialog->showTransfer(caption, m_mainWindow.get());
    };
    m_ui.hooks().hideCommDialog = [this] { m_commDialog->hideTransfer(); };
}

ChooseDialog& Application::chooser() {
    if (!m_chooser)
        m_chooser = std::make_unique<ChooseDialog>(m_texts, m_mainWindow.get());
    return *m_chooser;
}

DataPages& Application::pages() {
    if (m_pages)
        return *m_pages;
    m_pages = std::make_unique<DataPages>(m_dataStore, m_switches, m_texts, chooser(),
                                          m_mainWindow.get());
    DataPages::Services& services = m_pages->services;
    services.focusTabStrip = [this] { m_ui.focusTabStrip(); };
    services.setBusyCursor = [this](bool busy) { m_ui.setBusyCursor(busy); };
    services.blankNamesReplaced = [this](bool showStatus) {
        m_dataStore.BlankNames_Replaced(m_ui, m_texts, m_log, showStatus);
    };
    services.requestConfiguration = [this](int index) {
        return m_configTransfer.RequestConfiguration(index);
    };
    services.sendConfiguration = [this](int index) {
        return m_configTransfer.SendConfiguration(index);
    };
    services.writeLog = [this](const QString& text) { m_log.WriteLog(text); };
    services.menuCommand = [this](int command) {
        if (m_startup.collaborators().menuCommand)
            m_startup.collaborators().menuCommand(command);
    };
    return *m_pages;
}

Application::~Application() {
    m_mainWindow->removeEventFilter(this);
}

void Application::Main() {
    m_startup.Main();
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    // Closing the main window ends the program without a question.
    if (watched == m_mainWindow.get() && event->type() == QEvent::Close) {
        event->ignore();
        m_shutdown.QueryEndProg(false);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zoz
