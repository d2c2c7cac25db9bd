#pragma once

#include "dataset/DataStore.h"
#include "dataset/Decoder.h"

#include <QString>

namespace zoz {

class AppLog;
class DataFile;
class Texts;
class Activity;

// Configuration files: one ConfigBlock (*.CNS, 512 bytes) or the eight blocks of a group (*.CNG,
// 4096 bytes), no header, no length or version check. Index 1..8 is one configuration, 0 the group.
class ConfigFile {
public:
    static constexpr int BlockSize = 512;
    static constexpr int GroupSize = 8 * BlockSize;

    ConfigFile(DataFile& dataFile, Texts& texts, AppLog& log, Activity& activity);

    // mode 1 opens an existing file, any other mode saves. The chosen name or "".
    QString ChooseConfigFile(const QString& fileName, int mode, int index);
    // Reads 512 bytes into single (index 1..8) or 4096 into group 1..8 (index 0); a shorter file
    // leaves blanks in the rest, a longer one is read up to that length. true when a file was read.
    bool ReadConfigFile(QString& fileName, int index, ConfigBlock& single, ConfigGroup& group);
    // Writes single (index 1..8) or group 1..8 (index 0), asking for the name first when askName.
    // true when the file was written.
    bool WriteConfigFile(QString& fileName, int index, const ConfigBlock& single,
                         const ConfigGroup& group, bool askName);

    // What the decoder needs of the files: the reset to the reference copy and the writing of
    // received configurations.
    Decoder::Files decoderFiles();

private:
    QString message(const char* key);

    DataFile& m_dataFile;
    Texts& m_texts;
    AppLog& m_log;
    Activity& m_activity;
};

} // namespace zoz
