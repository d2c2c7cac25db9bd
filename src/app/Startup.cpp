#include "app/Startup.h"

#include "app/Activity.h"
#include "app/FormPosition.h"
#include "app/Prompts.h"
#include "app/Shell.h"
#include "app/Shutdown.h"
#include "app/WaitMilliseconds.h"
#include "log/AppLog.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QElapsedTimer>
#include <exception>

namespace zoz {

namespace {

const QString kMain = QStringLiteral("Main");

struct FailureTexts {
    int step;
    const char* german;
    const char* english;
};

// Built in: they must show even when the settings file is missing or broken.
constexpr FailureTexts kFailureTexts[] = {
    {7, "Fehler beim Setzen des Flags <LogHexData>", "Error setting flag <LogHexData>"},
    {8, "Fehler beim Setzen des Flags <ShowMsgBox>", "Error setting flag <ShowMsgBox>"},
    {9, "Fehler beim Setzen des Flags <RequestData>", "Error setting flag <RequestData>"},
    {10, "Fehler beim Setzen des Flags <Debug>", "Error setting flag <Debug>"},
    {11, "Fehler beim Setzen des Flags <SaveLoadEnabled>", "Error setting flag <SaveLoadEnabled>"},
    {12, "Fehler beim Setzen des Flags <WriteLogFile>", "Error setting flag <WriteLogFile>"},
    {13, "Fehler beim Setzen des Flags <SystemResetEnabled>",
     "Error setting flag <SystemResetEnabled>"},
    {14, "Fehler beim Setzen des Flags <VersionInfoEnabled>",
     "Error setting flag <VersionInfoEnabled>"},
    {15, "Fehler beim Setzen des Flags <OnlineTestEnabled>",
     "Error setting flag <OnlineTestEnabled>"},
    {16, "Fehler beim Setzen des Flags <ShowProtocolEnabled>",
     "Error setting flag <ShowProtocolEnabled>"},
    {17, "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>",
     "Error reading value <LoadAtStartup_Default>"},
    {18, "Fehler beim Lesen der in <LoadAtStartup_Default> angegebenen Datei",
     "Error reading the file in <LoadAtStartup_Default>"},
    {19, "Fehler beim Setzen des Flags <RequestStatus>", "Error setting flag <RequestStatus>"},
    {20, "Fehler beim Initialisieren des DataSets", "Error initializing the DataSet"},
    {31, "Fehler bei Setzen des COM-Ports", "Error setting the COM-Port"},
    {32, "Fehler bei Setzen der Einstellungen für den COM-Port",
     "Error setting the COM-Port parameters"},
    {33, "Fehler bei Setzen der Empfangspuffer-Grösse für den COM-Port",
     "Error setting the receive buffer size for the COM-Port"},
    {34, "Fehler bei Setzen der Sendepuffer-Grösse für den COM-Port",
     "Error setting the send buffer size for the COM-Port"},
    {35, "Fehler bei Setzen von 'DTR enable' für den COM-Port",
     "Error setting 'DTR enable' for the COM-Port"},
    {36, "Fehler bei Setzen von 'RTS enable' für den COM-Port",
     "Error setting 'RTS enable' for the COM-Port"},
    {37, "Fehler bei Setzen des Handshakings für den COM-Port",
     "Error setting the handshaking for the COM-Port"},
    {38, "Fehler bei Setzen der generellen Einstellungen für den COM-Port",
     "Error setting der general values for the COM-Port"},
    {39, "Fehler bei Setzen des Timeouts für den COM-Port",
     "Error setting the timeout for the COM-Port"},
    {40, "Fehler bei Setzen von 'ShowCancelDialog' für den COM-Port",
     "Error setting 'ShowCancelDialog' for the COM-Port"},
    {41, "Fehler bei Setzen des Timer-Intervalls für den COM-Port",
     "Error setting the timer interval for the COM-Port"},
};

Startup::Timing withDefaults(Startup::Timing timing) {
    if (!timing.tickCount) {
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        timing.tickCount = [clock] { return clock->elapsed(); };
    }
    if (!timing.wait)
        timing.wait = WaitMilliseconds;
    if (!timing.today)
        timing.today = [] { return QDate::currentDate(); };
    return timing;
}

} // namespace

Startup::Startup(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                 Activity& activity, Shell& shell, Shutdown& shutdown, StartupParts& parts,
                 Timing timing)
    : m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts), m_activity(activity),
      m_shell(shell), m_shutdown(shutdown), m_parts(parts),
      m_timing(withDefaults(std::move(timing))) {}

QString Startup::FailureText(int step, bool german) {
    if (step <= 0)
        return {};
    for (const FailureTexts& texts : kFailureTexts) {
        if (texts.step == step)
            return QString::fromUtf8(german ? texts.german : texts.english);
    }
    return german ? QStringLiteral("Fehler beim Programmstart (Schritt %1)").arg(step)
                  : QStringLiteral("Error starting the program (step %1)").arg(step);
}

QString Startup::Caption() {
    return QStringLiteral("VX418 ZozEdud Version %1.%2 Build %3")
        .arg(ZOZ_VERSION_MAJOR)
        .arg(ZOZ_VERSION_MINOR)
        .arg(ZOZ_VERSION_REVISION);
}

void Startup::Main() {
    // Qt needs no common-controls initialisation; what is left is the start-up itself.
    try {
        InitProgram();
    } catch (...) {
    }
}

void Startup::InitProgram() {
    m_errStep = 0;
    bool ok = false;
    try {
        ok = runSteps();
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok)
        failurePath();
}

bool Startup::readSwitch(int step, const char* key, const char* defaultValue) {
    m_errStep = step;
    return IsYes(GetIniValue(m_switches.IniFileName, kMain, QLatin1String(key),
                             QLatin1String(defaultValue), m_texts.iniCache()));
}

bool Startup::runSteps() {
    Switches& s = m_switches;
    StartupParts& c = m_parts;

    // 1
    s.InitDone = false;
    const qint64 startTick = m_timing.tickCount();
    // 2
    m_shell.showSplash();
    // 3
    const QString base = s.ProgramFolder + QLatin1Char('/') + s.ProgramName;
    s.LogFileName = base + QLatin1Char('-') +
                    m_timing.today().toString(QStringLiteral("yyyy-MM-dd")) +
                    QStringLiteral(".Log");
    s.IniFileName = base + QStringLiteral(".Ini");
    s.DatFileName = base + QStringLiteral(".Dat");
    s.HexFileName = base + QStringLiteral(".HEX");
    // Before the first setting is read: an end killed before its rename left only the copy.
    const bool takenBack = TakeBackIniFile(s.IniFileName) || c.settingsTakenBack();
    m_texts.setIniFileName(s.IniFileName);
    m_texts.setLanguage(QString()); // the language is not known before step 12
    // 4
    s.WriteLogFile = readSwitch(12, "WriteLogFile", "yes");
    if (!s.WriteLogFile)
        m_log.setToFileDisabled(true);
    // 5
    const QString writeLogErr = m_texts.message(QStringLiteral("WriteLog_Err"));
    m_log.OpenLog(s.LogFileName, c.txtProto(), std::nullopt, std::nullopt, std::nullopt,
                  QStringLiteral("  ") + writeLogErr);
    // 6
    m_log.WriteLog(QStringLiteral("Init"));
    m_errStep = 0;
    // 7
    m_shell.loadMainWindow();
    // 8
    RestoreFormPosition(m_shell, s.IniFileName, QStringLiteral("Screen"), QStringLiteral("Coord_"),
                        m_texts.iniCache());
    // 9
    m_shell.setMainCaption(Caption());
    // 10
    s.LogHexData = readSwitch(7, "LogHexData", "no");
    s.ShowMsgBox = readSwitch(8, "ShowMsgBox", "yes");
    s.RequestData = readSwitch(9, "RequestData", "yes");
    s.Debug = readSwitch(10, "Debug", "no");
    s.SaveLoadEnabled = readSwitch(11, "SaveLoadEnabled", "yes");
    s.SystemResetEnabled = readSwitch(13, "SystemResetEnabled", "no");
    s.VersionInfoEnabled = readSwitch(14, "VersionInfoEnabled", "no");
    s.OnlineTestEnabled = readSwitch(15, "OnlineTestEnabled", "no");
    s.ShowProtocolEnabled = readSwitch(16, "ShowProtocolEnabled", "no");
    // 11
    m_errStep = 17;
    // Blanks only: a tab or a no-break space is part of the name.
    const QString defaultFile = IniDocument::trimBlanks(GetIniValue(
        s.IniFileName, kMain, QStringLiteral("LoadAtStartup_Default"), {}, m_texts.iniCache()));
    if (defaultFile.isEmpty())
        return false;
    s.DefaultDataFile = s.ProgramFolder + QLatin1Char('/') + defaultFile;
    if (!FileExists(s.DefaultDataFile)) {
        m_errStep = 18;
        return false;
    }
    m_errStep = 19;
    // 12
    s.RequestStatus = readSwitch(19, "RequestStatus", "yes");
    s.Language = GetIniValue(s.IniFileName, kMain, QStringLiteral("Language"),
                             QStringLiteral("GER"), m_texts.iniCache())
                     .toUpper();
    m_texts.setLanguage(s.Language);
    c.languageKnown(s.Language);
    if (takenBack) {
        QString text = m_texts.message(QStringLiteral("IniFile_TakenBack"));
        ReplaceParams(text, TempIniFileName(s.IniFileName), s.IniFileName);
        m_log.WriteLog(QStringLiteral("  ") + text);
    }
    s.ShowTabStrip_System = readSwitch(19, "ShowTabStrip_System", "no");
    s.RestoreLastPosition = readSwitch(19, "RestoreLastPosition", "Yes");
    s.XPLook = readSwitch(19, "XPLook", "no");
    s.OutputOnMonitorKeys = readSwitch(19, "OutputOnMonitorKeys", "no");
    // 13
    s.NotDefinedText = m_texts.message(QStringLiteral("NotDefined"));
    // 14
    m_errStep = 20;
    if (!c.initDataSet())
        return false;
    // 15
    const int commStep = c.setCommParameters();
    if (commStep > 0) {
        m_errStep = commStep + 30;
        return false;
    }
    // 16
    m_shell.loadMainWindow();
    // 17
    if (!s.SaveLoadEnabled) {
        m_shell.setToolbarButtonVisible(1, false);
        m_shell.setToolbarButtonVisible(2, false);
    }
    if (!s.SystemResetEnabled)
        m_shell.setToolbarButtonVisible(7, false);
    if (!s.VersionInfoEnabled)
        m_shell.setToolbarButtonVisible(8, false);
    if (!s.OnlineTestEnabled)
        m_shell.setToolbarButtonVisible(9, false);
    if (!s.ShowProtocolEnabled)
        m_shell.setToolbarButtonVisible(11, false);
    // 18
    c.markPortClosed();
    // 19
    if (s.Debug) {
        m_shell.setTestButtonVisible(true);
    } else {
        const qint64 rest = kMinimumSplashMs - (m_timing.tickCount() - startTick);
        if (rest > 0)
            m_timing.wait(static_cast<int>(rest));
    }
    // 20
    m_shell.showMainWindow();
    // 21
    m_shell.closeSplash();
    m_activity.processEvents();
    // 22
    c.resetDataSet();
    // 23
    if (s.RequestStatus)
        c.menuCommand(MenuCommand::CommGetInfo);
    // 24
    if (s.RequestData) {
        if (s.RequestStatus)
            m_timing.wait(kStatusToDataPauseMs);
        c.menuCommand(MenuCommand::ReceiveWithoutQuestion);
    }
    // 25
    s.ReadyText = m_texts.message(QStringLiteral("Ready"));
    m_activity.showStatusText(s.ReadyText);
    // 26
    m_activity.focusTabStrip();
    // 27
    s.InitDone = true;
    return true;
}

void Startup::failurePath() {
    // Before step 12 has run, the language still decides: read it the way step 12 would.
    const QString language =
        m_switches.IniFileName.isEmpty()
            ? m_switches.Language
            : GetIniValue(m_switches.IniFileName, kMain, QStringLiteral("Language"),
                          QStringLiteral("GER"), m_texts.iniCache())
                  .toUpper();
    m_parts.languageKnown(language);
    if (m_errStep > 0) {
        QString message = FailureText(m_errStep, language == QLatin1String("GER")).trimmed();
        // A port that does not exist is the commonest first-run failure: say which one.
        if (m_errStep == 31)
            message += QStringLiteral(" (%1)").arg(m_parts.commPortName());
        m_prompts.messageBox(message, MsgButtons::Ok, MsgIcon::Exclamation, m_switches.ProgramName);
        m_activity.showStatusText(message);
        m_log.WriteLog(message);
    }
    m_shutdown.QueryEndProg(false);
}

} // namespace zoz
