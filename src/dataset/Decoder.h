#pragma once

#include "dataset/DataStore.h"

#include <QString>
#include <functional>

namespace zoz {

class AppLog;
class Texts;
class Activity;
class PageCopy;
struct Switches;

// The inverse of the encoder: a "20" payload becomes the data set, "30" and "31".."38" the
// configuration buffers and a configuration file. Reads a byte per two characters from a position
// counter; past the end it reads 0, characters after the last field are ignored. It knows no
// files: the reset and the writing of received configurations are the files layer's, reached
// through Files.
class Decoder {
public:
    struct Files {
        // ResetDataSet without asking and without reading the default file.
        std::function<void()> resetDataSet;
        // WriteConfigFile: one configuration (index 1..8) or the group (0); name in/out.
        std::function<bool(QString& name, int index, const ConfigBlock& single,
                           const ConfigGroup& group, bool askName)>
            writeConfigFile;
    };

    Decoder(DataStore& store, const Switches& switches, Texts& texts, AppLog& log,
            Activity& activity, PageCopy& pageCopy, Files files);

    // The configuration branches replace payload with the decoded characters. A failure (a GPIO
    // key from 0x8000 on) ends the decoding with "Interpret_HexData_Err" in the log only; what was
    // decoded until then stays in the data set.
    void Interpret_HexData(QString& payload);
    // The failure of the last Interpret_HexData, "" when it decoded the block.
    QString LastFailure() const { return m_lastFailure; }

    // Gets the data set exactly as the controller sent it, once decoded and before any page has
    // seen it (and dropped what it cannot show).
    void setDataSetDecoded(std::function<void(const DataSet&)> decoded) {
        m_decoded = std::move(decoded);
    }

private:
    // The description of a failure, "" when the block was decoded.
    QString decodeDataSet(const QString& payload);
    void decodeGroup(QString& payload);
    void decodeSingle(QString& payload, int index);
    void writeConfigFile(QString& name, int index, bool askName);

    DataStore& m_store;
    const Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Activity& m_activity;
    PageCopy& m_pageCopy;
    Files m_files;
    std::function<void(const DataSet&)> m_decoded;
    QString m_lastFailure;
};

} // namespace zoz
