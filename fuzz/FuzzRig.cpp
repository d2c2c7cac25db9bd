#include "FuzzRig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace zoz::fuzz {

namespace {

QString scratchFolder() {
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/zoz-fuzz-XXXXXX"));
    return dir.path();
}

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "zoz-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

} // namespace

FuzzRig& FuzzRig::instance() {
    application();
    static FuzzRig rig;
    return rig;
}

FuzzRig::FuzzRig()
    : texts(QString(), &cache), log(scratchFolder(), QStringLiteral("zozedud")),
      dataFile(store, switches, texts, log, ui, ui, ui), configFile(dataFile, texts, log, ui),
      decoder(store, switches, texts, log, ui, ui, configFile.decoderFiles()),
      reporter(switches, texts, log, ui, ui), port(reporter), transport(port, reporter),
      interpreter(transport, reporter, store, ui), m_folder(scratchFolder()) {
    switches.ProgramFolder = m_folder;
    switches.ProgramName = QStringLiteral("zozedud");
    switches.IniFileName = path(QStringLiteral("zozedud.Ini"));
    switches.HexFileName = path(QStringLiteral("zozedud.HEX"));
    switches.Language = QStringLiteral("GER");
    switches.ShowMsgBox = true;
    QFile::remove(switches.IniFileName);
    QFile::copy(QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"), switches.IniFileName);
    texts.setIniFileName(switches.IniFileName);
    texts.setLanguage(switches.Language);
    log.setToFileDisabled(true);
    log.setToScreenDisabled(true);
    store.InitDataSet(ui);
    store.LoadGPIOLists(switches, &cache);
    defaults = store.DataSet;
    port.TimeOut = 1; // an unfinished frame is cancelled by the target long before

    transport.setInterpreter([this](const QString& code, const QByteArray& frame) {
        interpreter.InterpretCommand(code, frame);
    });
    QObject::connect(&interpreter, &CommandInterpreter::hexDataReceived,
                     [this](const QString& payload) {
                         QString data = payload;
                         decoder.Interpret_HexData(data);
                     });
    QObject::connect(&interpreter, &CommandInterpreter::resetRequested,
                     [this] { store.DataSet = defaults; });
}

QString FuzzRig::path(const QString& name) const {
    return m_folder + QLatin1Char('/') + name;
}

void FuzzRig::writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void FuzzRig::reset() {
    store.DataSet = defaults;
    store.DataSetDefault = defaults;
    store.GroupReceiveActive = false;
    store.GroupReceiveCount = 0;
    store.GroupReceiveFile.clear();
    interpreter.RequestedBlock.clear();
    interpreter.LastSentChecksum = 0;
    ui.onProcessEvents = nullptr;
}

} // namespace zoz::fuzz
