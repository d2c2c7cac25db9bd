#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "pages/DataPage.h"
#include "settings/IniFile.h"
#include "ui/ChangeTracker.h"
#include "widgets/PluginFreeStyle.h"
#include "widgets/ProtoTextBox.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

namespace zoz {

namespace {

QString programFile(const Application::Options& options) {
    return options.programFilePath.isEmpty() ? QCoreApplication::applicationFilePath()
                                             : options.programFilePath;
}

Switches programSwitches(const ProgramPlace& place) {
    Switches switches;
    switches.ProgramFolder = place.folder;
    switches.ProgramName = place.name;
    return switches;
}

// The style is settled before the first widget is made.
std::unique_ptr<MainWindow> makeMainWindow(const Switches& switches, Texts& texts) {
    PluginFreeStyle::install();
    return std::make_unique<MainWindow>(switches, texts);
}

} // namespace

Application::Application(Options options)
    : m_place(ProgramFolder::Locate(programFile(options))), m_switches(programSwitches(m_place)),
      m_texts(QString(), &m_iniCache), m_log(m_switches.ProgramFolder, m_switches.ProgramName),
      m_mainWindow(makeMainWindow(m_switches, m_texts)), m_prompts(*m_mainWindow),
      m_shell(*m_mainWindow), m_shutdown(m_switches, m_texts, m_log, m_prompts, m_shell),
      m_startup(m_switches, m_texts, m_log, m_prompts, m_shell, m_shell, m_shutdown, *this),
      m_dataFile(m_dataStore, m_switches, m_texts, m_log, m_prompts, m_shell, *this),
      m_configFile(m_dataFile, m_texts, m_log, m_shell),
      m_encoder(m_dataStore, m_switches, m_texts, m_log, m_shell),
      m_decoder(m_dataStore, m_switches, m_texts, m_log, m_shell, *this,
                m_configFile.decoderFiles()),
      m_linkReporter(m_switches, m_texts, m_log, m_prompts, m_shell), m_serialPort(m_linkReporter),
      m_transport(m_serialPort, m_linkReporter),
      m_portReviver(m_serialPort, m_transport, m_linkReporter),
      m_interpreter(m_transport, m_linkReporter, m_dataStore, *this),
      m_configTransfer(m_dataStore, m_configFile, m_encoder, m_transport, m_interpreter,
                       m_linkReporter, *this),
      m_dispatcher(m_switches, m_texts, m_log, m_prompts, m_shell, *this, m_dataStore, m_encoder,
                   m_decoder, m_dataFile, m_transport, m_interpreter, m_configTransfer, m_shutdown),
      m_programFile(programFile(options)) {
    if (options.terminator)
        m_shutdown.setTerminator(std::move(options.terminator));
    // The program ends only through QueryEndProg, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    connectLink();
    m_mainWindow->installEventFilter(this);

    // The tab strip hosts the frames of the nine pages.
    MainWindow* window = m_mainWindow.get();
    connect(window, &MainWindow::pagesWanted, this, [this] {
        QList<QWidget*> windows;
        for (int n = 1; n <= 9; ++n)
            windows.append(pages().window(n));
        m_mainWindow->hostPageWindows(windows);
    });
    connect(window, &MainWindow::pagesToSynchronise, this, [this] { pages().Synchronise(); });
    connect(window, &MainWindow::pageSelected, this,
            [this](const QString& windowName) { pages().PageSelected(windowName); });
    connect(window, &MainWindow::firstActivated, this, [this] { m_serialPort.OpenPort(); });
    connectCommands();
    connect(&m_endSignals, &EndSignals::received, this, [this] { m_shutdown.QueryEndProg(false); });
    connectExtras();
    connectHistory();
    addReportActions();
    m_accessibleNames = std::make_unique<AccessibleNames>(
        m_texts, [this]() -> const FieldCatalog& { return m_editorHistory->catalog(); });
    m_keyboard = std::make_unique<KeyboardAccess>(*m_mainWindow, m_texts);
}

// The editor's added commands, in the menu at the toolbar's right end.
void Application::connectExtras() {
    m_portPickerAction = new QAction(m_mainWindow.get());
    m_portPickerAction->setObjectName(QStringLiteral("actPortPicker"));
    m_portPickerAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P));
    connect(m_portPickerAction, &QAction::triggered, this, [this] {
        PortPickerDialog::Link link;
        link.configuredDevice = m_serialPort.deviceName();
        link.openDevice = m_serialPort.isOpen() ? m_serialPort.deviceName() : QString();
        link.settings = m_serialPort.Settings;
        link.handshaking = m_serialPort.Handshaking;
        link.choose = [this](const QString& port) { return ChangePort(port); };
        link.iniFileName = m_switches.IniFileName;
        portPicker().start(std::move(link));
    });
    m_mainWindow->addExtraAction(m_portPickerAction);
}

PortPickerDialog& Application::portPicker() {
    if (!m_portPicker)
        m_portPicker = std::make_unique<PortPickerDialog>(m_texts, m_mainWindow.get());
    return *m_portPicker;
}

bool Application::ChangePort(const QString& port) {
    const QString ini = m_switches.IniFileName;
    const QString comm = QStringLiteral("Comm");
    const QString key = QStringLiteral("Port");
    // The port's own default when the key is missing.
    const QString previous = GetIniValue(ini, comm, key, QStringLiteral("2"));
    SetIniValue(ini, comm, key, port);
    m_serialPort.ClosePort();
    const int step = m_serialPort.SetCommParameters();
    if (step == 0) {
        // Another controller may answer there: nothing is known of its data.
        m_editorHistory->portChanged();
        const bool opened = m_serialPort.OpenPort();
        if (opened)
            QTimer::singleShot(0, this, [this] { offerReceive(); });
        return opened;
    }
    const QString message =
        Startup::FailureText(step + 30, m_switches.Language == QLatin1String("GER"));
    m_prompts.messageBox(message, MsgButtons::Ok, MsgIcon::Exclamation, m_switches.ProgramName);
    m_shell.showStatusText(message);
    m_log.WriteLog(message);
    // A port that cannot even be set up would end the next start: the previous one comes back.
    SetIniValue(ini, comm, key, previous);
    if (m_serialPort.SetCommParameters() == 0)
        m_serialPort.OpenPort();
    return false;
}

void Application::offerReceive() {
    QString question = m_texts.message(QStringLiteral("QueryReceiveNewPort"));
    ReplaceParams(question, m_serialPort.portText().trimmed());
    if (m_prompts.messageBox(question, MsgButtons::YesNo, MsgIcon::Question,
                             m_prompts.mainCaption()) != MsgAnswer::Yes)
        return;
    m_editorHistory->beginOperation(QStringLiteral("Step_DataReceived"));
    m_dispatcher.Interpret_MenuCommand(MenuCommand::ReceiveWithoutQuestion);
    m_editorHistory->endOperation();
}

// The controller's copy follows what is received and what the controller confirms; the
// commands that replace the whole set are one undo step each.
void Application::connectHistory() {
    m_editorHistory = std::make_unique<EditorHistory>(
        m_switches, m_texts, m_log, m_prompts, m_shell, *this, m_dataStore, m_dataFile,
        *m_mainWindow, [this] { return m_pages.get(); },
        [this] { return m_serialPort.deviceName(); });
    EditorHistory* history = m_editorHistory.get();
    connect(&m_interpreter, &CommandInterpreter::dataSetReceived, history,
            &EditorHistory::dataSetReceived);
    connect(&m_interpreter, &CommandInterpreter::sendConfirmed, history,
            &EditorHistory::sendConfirmed);
    connect(&m_dispatcher, &Dispatcher::dataSetSending, history, &EditorHistory::dataSetSending);
    connect(history, &EditorHistory::sendRequested, &m_dispatcher, &Dispatcher::SendDataSet);
    m_decoder.setDataSetDecoded([history](const DataSet& set) { history->dataSetDecoded(set); });
    connect(&m_shutdown, &Shutdown::ending, history, &EditorHistory::ending);
}

// Every command goes through the dispatcher: toolbar, start-up (8, 106), the controller's data
// request (107 after timSendData), the System page (108) and the test button.
void Application::connectCommands() {
    connect(m_mainWindow.get(), &MainWindow::menuCommand, this, [this](MenuCommand command) {
        // Loading, resetting and receiving replace the whole set: one undo step each.
        const QString step = command == MenuCommand::FileRead ? QStringLiteral("Step_FileLoaded")
                             : command == MenuCommand::Reset  ? QStringLiteral("Step_Reset")
                             : command == MenuCommand::CommReceiveData
                                 ? QStringLiteral("Step_DataReceived")
                                 : QString();
        if (!step.isEmpty())
            m_editorHistory->beginOperation(step);
        const QString fileBefore = m_switches.DatFileName;
        const QByteArray before = DataSetImage::Write(m_dataStore.DataSet);
        m_dispatcher.Interpret_MenuCommand(command);
        const bool changed = DataSetImage::Write(m_dataStore.DataSet) != before;
        if (command == MenuCommand::FileRead && (changed || m_switches.DatFileName != fileBefore))
            m_report->setOrigin(QStringLiteral("F") + m_switches.DatFileName);
        else if (command == MenuCommand::Reset && changed)
            m_report->setOrigin(QString());
        if (!step.isEmpty())
            m_editorHistory->endOperation();
    });
    connect(m_mainWindow.get(), &MainWindow::dummyClicked, this,
            [this] { m_dispatcher.TestButton(); });
    connect(&m_interpreter, &CommandInterpreter::sendDataRequested, this,
            [this](int intervalMs) { m_mainWindow->timSendData().start(intervalMs); });
    connect(&m_dispatcher, &Dispatcher::protocolRequested, this, [this] {
        ProtoWindow& proto = protoWindow();
        m_editorHistory->addStepActions(&proto);
        if (proto.parentWidget() != m_mainWindow.get())
            proto.setParent(m_mainWindow.get(), proto.windowFlags() | Qt::Dialog);
        const QSize screen = m_mainWindow->screen()->geometry().size();
        proto.move(Dispatcher::ProtocolWindowPosition(
            m_mainWindow->frameGeometry(), WindowPlacement::framedSize(proto, m_mainWindow.get()),
            screen));
        proto.exec();
    });
    connect(&m_dispatcher, &Dispatcher::aboutRequested, this, [this] {
        SplashWindow& about = splashWindow();
        about.setStartUpSplash(false);
        about.exec();
    });
}

void Application::addReportActions() {
    m_report = std::make_unique<ReportActions>(
        ReportActions::Services{m_texts, m_dataStore, m_switches, m_prompts, m_shell, *this, m_log,
                                *m_editorHistory, [this]() -> ChooseDialog& { return chooser(); },
                                *m_mainWindow},
        m_programFile);
    auto* print = new QAction(m_mainWindow.get());
    print->setObjectName(QStringLiteral("actPrintReport"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { m_report->print(); });
    auto* pdf = new QAction(m_mainWindow.get());
    pdf->setObjectName(QStringLiteral("actReportPdf"));
    pdf->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(pdf, &QAction::triggered, this, [this] { m_report->savePdf(); });
    // The language is known only after start-up read the settings: texts when the menu opens.
    auto retext = [this, print, pdf] {
        for (auto [action, key] : {std::pair{print, "Menu_PrintReport"}, {pdf, "Menu_ReportPdf"}}) {
            const QString k = QString::fromLatin1(key);
            action->setText(m_texts.message(k, k));
            action->setToolTip(m_texts.message(k + QStringLiteral(".ToolTip"), k));
        }
    };
    retext();
    m_mainWindow->addExtraAction(print);
    m_mainWindow->addExtraAction(pdf);
    if (auto* menu = m_mainWindow->findChild<QMenu*>(QStringLiteral("mnuExtras")))
        connect(menu, &QMenu::aboutToShow, this, retext);
}

SplashWindow& Application::splashWindow() {
    return m_shell.splashWindow();
}

// The protocol text takes the log's lines from the log's opening on.
ProtoSink* Application::txtProto() {
    return &m_protoText;
}

bool Application::initDataSet() {
    m_dataStore.InitDataSet(*this);
    return true;
}

// Start-up step 15 sets up the port, step 18 marks it closed; shutdown closes it.
int Application::setCommParameters() {
    return m_serialPort.SetCommParameters();
}

void Application::markPortClosed() {
    m_serialPort.PortOpened = false;
}

// Step 22: the default data file becomes the data set and its reference copy; a default file
// that cannot be read ends the program.
void Application::resetDataSet() {
    if (!m_dataFile.ResetDataSet(ResetFlag::NoQuery | ResetFlag::ReadDefaultFile))
        m_shutdown.QueryEndProg(false);
}

void Application::menuCommand(MenuCommand command) {
    m_dispatcher.Interpret_MenuCommand(command);
}

void Application::languageKnown(const QString& language) {
    m_qtTranslation.setLanguage(language);
}

QString Application::commPortName() {
    const QString device = m_serialPort.requestedDevice();
    const QString port = m_serialPort.CommPort;
    return device.isEmpty() || device == port ? port : port + " = " + device;
}

bool Application::settingsTakenBack() {
    return m_place.settingsTakenBack;
}

// Every complete frame goes to the interpreter; the transfer dialog shows over the main window.
void Application::connectLink() {
    // An end during an exchange (a signal, the window closed) lets events run: the link starts no
    // wait or box of its own any more.
    connect(&m_shutdown, &Shutdown::linkToStop, &m_transport, &FrameTransport::Stop);
    connect(&m_shutdown, &Shutdown::portToClose, &m_serialPort, &SerialPort::ClosePort);
    // The editor has a port picker: a hang-up report names it as the way out.
    m_linkReporter.setHangUpHint(true);

    m_transport.setInterpreter([this](const QString& code, const QByteArray& frame) {
        m_interpreter.InterpretCommand(code, frame);
    });
    connect(&m_interpreter, &CommandInterpreter::hexDataReceived, this,
            [this](const QString& payload) {
                // Block "20" is the data set: the controller becomes the report's source.
                if (payload.startsWith(QLatin1String("20")))
                    m_report->setOrigin(QStringLiteral("C") + m_serialPort.portText().trimmed());
                QString data = payload;
                m_decoder.Interpret_HexData(data);
            });
    connect(&m_interpreter, &CommandInterpreter::resetRequested, this, [this] {
        m_editorHistory->beginOperation(QStringLiteral("Step_Reset"));
        m_dataFile.ResetDataSet(ResetFlag::NoQuery);
        m_editorHistory->endOperation();
    });
    connect(&m_interpreter, &CommandInterpreter::endRequested, this,
            [this] { m_shutdown.QueryEndProg(false); });

    connect(&m_shell, &ShellWindows::transferCancelled, &m_transport, &FrameTransport::Cancel);
}

CommDialog& Application::commDialog() {
    return m_shell.commDialog();
}

// Built when first shown: the log keeps the text meanwhile.
ProtoWindow& Application::protoWindow() {
    if (!m_protoWindow)
        m_protoWindow = std::make_unique<ProtoWindow>(m_texts, m_protoText);
    return *m_protoWindow;
}

ChooseDialog& Application::chooser() {
    if (!m_chooser)
        m_chooser = std::make_unique<ChooseDialog>(m_texts, m_mainWindow.get());
    return *m_chooser;
}

DataPages& Application::pages() {
    if (m_pages)
        return *m_pages;
    m_pages = std::make_unique<DataPages>(
        m_dataStore, m_switches, m_texts, m_shell, [this]() -> ChooseDialog& { return chooser(); },
        m_mainWindow.get());
    // A page built after the main window hosted it takes the window's look as well.
    for (int n = 1; n <= 9; ++n) {
        connect(m_pages->window(n), &DataPage::built, m_mainWindow.get(),
                &MainWindow::applyXPLookTo);
        m_accessibleNames->addPage(m_pages->window(n));
    }
    m_pages->setServices(*this);
    connect(m_pages.get(), &DataPages::commandWanted, this,
            [this](MenuCommand command) { m_dispatcher.Interpret_MenuCommand(command); });
    return *m_pages;
}

void Application::blankNamesReplaced() {
    m_dataStore.BlankNames_Replaced(*this, m_shell, m_texts, m_log, true);
}

QString Application::requestConfiguration(int index) {
    return m_configTransfer.RequestConfiguration(index);
}

QString Application::sendConfiguration(int index) {
    return m_configTransfer.SendConfiguration(index);
}

void Application::writeLog(const QString& text) {
    m_log.WriteLog(text);
}

Application::~Application() {
    m_mainWindow->removeEventFilter(this);
}

void Application::Main() {
    if (m_place.errorKey.isEmpty()) {
        m_startup.Main();
        if (m_switches.InitDone) {
            m_editorHistory->start();
            ChangeTracker* tracker = m_editorHistory->tracker();
            m_keyboard->start(tracker->statusField(), [this] { m_editorHistory->showCompare(); });
            connect(tracker, &ChangeTracker::marksChanged, m_keyboard.get(),
                    &KeyboardAccess::markPages);
        }
        // The language is known now.
        m_portPickerAction->setText(m_texts.message(QStringLiteral("Menu_PortPicker")));
        m_portPickerAction->setToolTip(m_texts.message(QStringLiteral("Menu_PortPicker.ToolTip")));
        return;
    }
    // No program folder: nothing can be read or logged there. The text comes from the templates'
    // settings file when there is one; the program ends as after a failed start-up step.
    Texts texts(m_place.templates + QLatin1Char('/') + m_place.name + QStringLiteral(".Ini"));
    texts.setLanguage(GetIniValue(texts.iniFileName(), QStringLiteral("Main"),
                                  QStringLiteral("Language"), QStringLiteral("GER")));
    QString message = texts.message(m_place.errorKey, QString());
    if (message.isEmpty())
        message = m_place.fallbackMessage;
    else
        ReplaceParams(message, m_place.errorText, m_place.errorPath);
    m_prompts.messageBox(message, MsgButtons::Ok, MsgIcon::Exclamation, m_switches.ProgramName);
    m_shutdown.QueryEndProg(false);
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
