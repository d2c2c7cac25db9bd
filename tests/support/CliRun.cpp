#include "support/CliRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace zoz::test {

CliRun runCli(const QString& settings, const QStringList& args, QStringList wrapper) {
    const QString program = QFileInfo(QStringLiteral(QPL_SIM_PATH)).dir().filePath("zozedud-cli");
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    wrapper << program << "--settings" << settings << args;
    process.start(wrapper.takeFirst(), wrapper);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError()), clock.elapsed(),
            QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace zoz::test
