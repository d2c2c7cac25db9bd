#include "link/ControllerProbe.h"

#include "app/ConsoleUserInterface.h"
#include "base/CodePage.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/NetworkLink.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QTimer>

namespace zoz {

bool ControllerProbe::answersOnlineTest(const QString& port, const QString& settings,
                                        int handshaking, int timeoutMs, QString* error) {
    // A private, silent link: no settings file, no log file, no screen, no boxes.
    Switches switches;
    switches.WriteLogFile = false;
    switches.ShowMsgBox = false;
    Texts texts{QString()};
    AppLog log{QString(), QString()};
    log.setToFileDisabled(true);
    log.setToScreenDisabled(true);
    ConsoleUserInterface ui;
    LinkReporter reporter(switches, texts, log, ui, ui);
    SerialPort serial(reporter);
    serial.Overrides = {{QStringLiteral("Port"), port},
                        {QStringLiteral("Settings"), settings},
                        {QStringLiteral("HandShaking"), QString::number(handshaking)},
                        {QStringLiteral("ShowCancelDialog"), QStringLiteral("no")},
                        {QStringLiteral("TimeOut"), QStringLiteral("0")}};
    // A network port connects within TimeOut (5 s when 0): the probe's limit holds there too.
    if (NetworkLink::isNetworkPort(port))
        serial.Overrides.insert(QStringLiteral("TimeOut"),
                                QString::number(qMax(1, (timeoutMs + 999) / 1000)));
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const int step = serial.SetCommParameters();
    if (step == 1)
        return fail(QStringLiteral("no such port: ") + port);
    if (step != 0)
        return fail(step == 2 ? QStringLiteral("bad settings: ") + settings
                              : QStringLiteral("bad handshaking: %1").arg(handshaking));
    if (!serial.OpenPort())
        return fail(serial.openError());
    if (error)
        error->clear();
    FrameTransport transport(serial, reporter);
    // The wait has no deadline of its own (TimeOut 0); this one ends it to the millisecond.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &transport, &FrameTransport::Cancel);
    limit.start(qMax(0, timeoutMs));
    const QString frame = QString(CodePage::toUnicode(0x80)) + QLatin1Char('\r');
    const bool answered = transport.TransmitData(frame) && !transport.CancelRequested() &&
                          transport.WaitForResponse(QStringLiteral("81"));
    serial.ClosePort();
    return answered;
}

} // namespace zoz
