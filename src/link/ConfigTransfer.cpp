#include "link/ConfigTransfer.h"

#include "app/PageCopy.h"
#include "app/WaitMilliseconds.h"
#include "base/CodePage.h"
#include "dataset/DataStore.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "link/CommandInterpreter.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"

#include <QDir>

namespace zoz {

namespace {
// A name never set holds code-0 characters; like blanks they mean "none chosen yet".
QString storedName(const FileText& stored) {
    QString name = stored.text();
    name.remove(QChar(0));
    return TrimBlanks(name);
}
} // namespace

ConfigTransfer::ConfigTransfer(DataStore& store, ConfigFile& configFile, Encoder& encoder,
                               FrameTransport& transport, CommandInterpreter& interpreter,
                               LinkReporter& reporter, PageCopy& pageCopy)
    : m_store(store), m_configFile(configFile), m_encoder(encoder), m_transport(transport),
      m_interpreter(interpreter), m_reporter(reporter), m_pageCopy(pageCopy) {}

QString ConfigTransfer::ProposedFileName(int index) const {
    const Switches& sw = m_reporter.switches();
    const QString extension = index > 0 ? QStringLiteral(".CNS") : QStringLiteral(".CNG");
    return sw.ProgramFolder + QDir::separator() + sw.ProgramName + QLatin1Char(' ') +
           QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0')) + extension;
}

// "Waiting for the answer of <what>": the waits show what they wait for in the dialog's caption.
QString ConfigTransfer::waitingCaption(const QString& key) {
    QString caption = m_reporter.text(QStringLiteral("Comm_Waiting_For_Answer"));
    ReplaceParams(caption, m_reporter.text(key));
    return caption;
}

void ConfigTransfer::record(const LinkOutcome& outcome) {
    if (LastOutcome.ok())
        LastOutcome = outcome;
}

QString ConfigTransfer::SendConfiguration(int index) {
    LastOutcome = LinkOutcome::done();
    const QString code = BlockIndexToCode(index);
    if (code.isEmpty())
        return QStringLiteral("No configuration %1").arg(index);
    if (!m_store.BlankNames_Replaced(m_pageCopy, m_reporter.activity(), m_reporter.texts(),
                                     m_reporter.appLog(), true))
        return {};
    m_pageCopy.takeOverPages();

    FileText& stored = index > 0 ? m_store.DataSet.SnapShot.SnapShotFile[index]
                                 : m_store.DataSet.SnapShot.SnapShotGroupFile;
    QString name = storedName(stored);
    if (name.isEmpty())
        name = ProposedFileName(index);
    if (!m_configFile.ReadConfigFile(name, index, m_store.SnapShotData, m_store.SnapShotGroupData))
        return {};
    stored = name;
    m_pageCopy.refreshPages();

    const bool group = index == 0;
    const int first = group ? 1 : index;
    const int last = group ? 8 : index;
    for (int k = first; k <= last; ++k) {
        if (group)
            m_store.SnapShotData = m_store.SnapShotGroupData[k];
        QString frame;
        const QString failure = m_encoder.Preparing_DataExchange(frame, BlockIndexToCode(k));
        if (!failure.isEmpty())
            return failure;
        m_interpreter.LastSentChecksum = CalcChecksum(frame.mid(1, frame.size() - 2));
        LinkOutcome outcome =
            m_transport.TransmitData(frame, m_reporter.text(QStringLiteral("TransmitData_Send")));
        if (outcome)
            outcome = m_transport.WaitForResponse(
                QStringLiteral("86"), waitingCaption(QStringLiteral("TransmitData_Send")));
        if (outcome && InterpretAnswers) {
            m_interpreter.LastAnswer = LinkOutcome::done();
            outcome = m_transport.WaitForData();
            if (outcome)
                outcome = m_interpreter.LastAnswer;
        }
        record(outcome);
        // The controller needs its time between the blocks of a group, after the last one too.
        if (group)
            WaitMilliseconds(GroupPauseMs);
    }
    return {};
}

QString ConfigTransfer::RequestConfiguration(int index) {
    LastOutcome = LinkOutcome::done();
    const QString code = BlockIndexToCode(index);
    if (code.isEmpty())
        return QStringLiteral("No configuration %1").arg(index);
    m_store.GroupReceiveFile.clear();
    m_store.GroupReceiveActive = false;
    m_store.GroupReceiveCount = 0;
    if (index == 0) {
        m_pageCopy.takeOverPages();
        FileText& stored = m_store.DataSet.SnapShot.SnapShotGroupFile;
        const QString name = m_configFile.ChooseConfigFile(storedName(stored), 2, 0);
        if (name.isEmpty())
            return {};
        stored = name;
        m_pageCopy.refreshPages();
        m_store.GroupReceiveFile = name;
        m_store.GroupReceiveActive = true;
        m_store.GroupReceiveCount = 0;
    }
    const QByteArray frame = '\x84' + code.toLatin1() + '\r';
    LinkOutcome outcome =
        m_transport.TransmitData(frame, m_reporter.text(QStringLiteral("TransmitConfig_Request")));
    if (outcome)
        outcome = m_transport.WaitForResponse(
            QStringLiteral("85"), waitingCaption(QStringLiteral("TransmitConfig_Request")));
    record(outcome);
    return {};
}

} // namespace zoz
