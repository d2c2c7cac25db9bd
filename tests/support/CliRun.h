#pragma once

#include <QString>
#include <QStringList>

namespace zoz::test {

// One run of zozedud-cli (beside the simulator in the build's bin folder) and what it left.
struct CliRun {
    int exitCode = -1; // -1 when it crashed or did not end within 30 s
    QString err;
    qint64 ms = 0;
    QString out;
};

// The tool with `--settings settings` and args; a wrapper (prlimit ...) runs it under its limits.
CliRun runCli(const QString& settings, const QStringList& args, QStringList wrapper = {});

} // namespace zoz::test
