#pragma once

#include <QString>

namespace zoz {

class AppLog;
class DataStore;
class Texts;
class Activity;
struct Switches;

// Turns the data set or a configuration image into the data frame of command 0x85. The encoder
// and the decoder are the only code that knows the payload layout.
//
// The frame is text in Windows-1252: its first character is CodePage::toUnicode(0x85), its last
// "\r"; CodePage::fromUnicode(frame) gives the bytes for the wire, frame.mid(1, size - 2) the
// payload of upper-case hex digits.
class Encoder {
public:
    Encoder(DataStore& store, const Switches& switches, Texts& texts, AppLog& log,
            Activity& activity);

    // Block "20" (the data set, 446 bytes), "31".."38" (SnapShotData), "30" (SnapShotGroupData
    // 1..8); any other code gives a frame without payload. Building block "20" fails when a list
    // position names no entry or a GPIO key is not a 16-bit whole number: then the frame is "",
    // the description is returned and the busy cursor stays for the caller's report to reset.
    // Returns "" on success.
    QString Preparing_DataExchange(QString& frame, const QString& code);

    static constexpr int DataSetBlockSize = 446;

private:
    QString buildDataSetBlock(QString& payload) const;
    void writeHexFile(const QString& payload) const;

    DataStore& m_store;
    const Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Activity& m_activity;
};

} // namespace zoz
