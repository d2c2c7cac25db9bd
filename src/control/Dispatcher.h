#pragma once

#include "app/MenuCommand.h"
#include "app/Notices.h"
#include "dataset/DataSet.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace zoz {

class AppLog;
class CommandInterpreter;
class ConfigTransfer;
class DataFile;
class DataStore;
class Decoder;
class Encoder;
class FrameTransport;
class Shutdown;
class Texts;
class Activity;
class PageCopy;
class Prompts;
struct Switches;

// Interpret_MenuCommand: every user command by its number. 1..14 are the toolbar buttons
// (separators counted), 106 and 107 the receive and send exchanges without a question, 108 the
// System page's version number. Failures go to the log only.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    Dispatcher(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts, Activity& activity,
               PageCopy& pageCopy, DataStore& store, Encoder& encoder, Decoder& decoder,
               DataFile& dataFile, FrameTransport& transport, CommandInterpreter& interpreter,
               ConfigTransfer& configTransfer, Shutdown& shutdown);

    void Interpret_MenuCommand(MenuCommand command);
    // A command by its number from outside (a tool, a test): an unknown number is reported.
    void Interpret_MenuCommand(int number);
    // Sends a set other than the pages' as the data set (Compare's selected rows on the
    // controller's copy): the question, frame, log lines and confirmation of command 5; the pages
    // and the editor's set stay as they are.
    void SendDataSet(const DataSet& set);
    // The main window's test button: encoder and decoder on the current pages, no controller.
    void TestButton();

    // Centred on the main window and kept on the screen (all in logical pixels).
    static QPoint ProtocolWindowPosition(const QRect& mainWindow, const QSize& protocolWindow,
                                         const QSize& screen);

signals:
    // Commands 11 and 12: the protocol window (modal over the main window, placed by
    // ProtocolWindowPosition) and the splash window in about mode.
    void protocolRequested();
    void aboutRequested();
    // The data set is about to go out as block "20" with this LastSentChecksum.
    void dataSetSending(qint32 checksum, const zoz::DataSet& set);

private:
    bool confirmed(const QString& key);
    // TransmitData, then WaitForResponse with the waiting caption; the answer is the
    // interpreter's.
    void exchange(const QString& frame, const QString& infoKey, const QString& answerCode);
    QString sendData(bool ask);
    // The set as the data set block, out and answered.
    QString sendDataSetBlock(const DataSet& set);
    QString sendVersionNumber();
    void errorReport(const QString& detail);

    Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Activity& m_activity;
    PageCopy& m_pageCopy;
    DataStore& m_store;
    Encoder& m_encoder;
    Decoder& m_decoder;
    DataFile& m_dataFile;
    FrameTransport& m_transport;
    CommandInterpreter& m_interpreter;
    ConfigTransfer& m_configTransfer;
    Shutdown& m_shutdown;
    Notices m_notices;
};

} // namespace zoz
