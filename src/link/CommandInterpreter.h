#pragma once

#include "link/LinkOutcome.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zoz {

class DataStore;
class FrameTransport;
class LinkReporter;
class PageCopy;

// Acts on every complete frame from the controller: answers its requests, stores received data,
// checks the acknowledgement of what we sent. Owns RequestedBlock and LastSentChecksum.
class CommandInterpreter : public QObject {
    Q_OBJECT
public:
    CommandInterpreter(FrameTransport& transport, LinkReporter& reporter, DataStore& store,
                       PageCopy& pageCopy, QObject* parent = nullptr);

    // code: the command byte as two hex digits; frame: the whole frame as received. How acting on
    // it ended (a checksum mismatch, a failed answer), also kept in LastAnswer.
    LinkOutcome InterpretCommand(const QString& code, const QByteArray& frame);
    // The complete "83" frame answering "82".
    QByteArray BuildVersionInfo();
    // Fills StatusText 1..6 from an "83" payload; the description of a failure, "" when read.
    QString ReadVersionInfo(const QString& payload);

    // Block code of the last "84" received; "" when none. Cleared by the dispatcher after sending.
    QString RequestedBlock;
    // CalcChecksum of the payload of the last "85" frame we sent.
    qint32 LastSentChecksum = 0;
    // The outcome of the last frame acted on.
    LinkOutcome LastAnswer;

    static constexpr int SendDataDelayMs = 100;

signals:
    // A data block ("85") was acknowledged: its payload for the decoder (Interpret_HexData).
    void hexDataReceived(const QString& payload);
    // The controller asked for a reset ("87"): ResetDataSet with NoQuery true and ReadDefaultFile
    // false.
    void resetRequested();
    // The controller runs software of another major version: QueryEndProg without asking.
    void endRequested();
    // The controller asked for data ("84"): arm timSendData with this interval; its tick sends
    // RequestedBlock (command 107).
    void sendDataRequested(int intervalMs);
    // A data set ("85" "20") was acknowledged and decoded into the data store.
    void dataSetReceived();
    // The controller confirmed what we sent: its "86" carried LastSentChecksum.
    void sendConfirmed(qint32 checksum);

private:
    // The description of a run-time failure, "" otherwise; outcome tells how the frame ended.
    QString interpret(const QString& code, const QString& payload, LinkOutcome& outcome);
    void infoBox(const QString& text, bool thenStatus);

    FrameTransport& m_transport;
    LinkReporter& m_reporter;
    DataStore& m_store;
    PageCopy& m_pageCopy;
};

} // namespace zoz
