#pragma once

#include <QString>

namespace zoz {

// Asks a port whether a controller answers there, without showing or logging anything.
class ControllerProbe {
public:
    // Opens `port` (a [Comm] Port value: number, name or path) with `settings` ("19200,n,8,1") and
    // `handshaking` (0..3), sends the online test 80 using the project's own frame code and returns
    // true when 81 arrives within timeoutMs. Shows nothing, logs nothing. `error` gets the system's
    // text when the port cannot be opened (or names the value that was refused).
    static bool answersOnlineTest(const QString& port, const QString& settings, int handshaking,
                                  int timeoutMs, QString* error = nullptr);
};

} // namespace zoz
