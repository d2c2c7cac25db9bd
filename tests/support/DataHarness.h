#pragma once

#include "base/CodePage.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "log/AppLog.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QRandomGenerator>

namespace zoz::test {

// The data-set subsystem wired as start-up wires it, in a temporary program folder.
class DataHarness : public ProgramFolder {
public:
    // Keys of the GPIO function lists of the settings file (item codes 100, 101, ... in order).
    static const QStringList InputKeys;
    static const QStringList OutputKeys;

    DataHarness();

    QString logText() const { return CodePage::toUnicode(read(QStringLiteral("zozedud.Log"))); }

    // A set that survives encode then decode; element 0 of the names and the file names as in
    // `like`.
    DataSet randomDataSet(QRandomGenerator& random, const DataSet& like) const;

    Switches switches;
    Texts texts;
    AppLog log;
    ScriptedUi ui;
    DataStore store;
    DataFile dataFile;
    ConfigFile configFile;
    Encoder encoder;
    Decoder decoder;
};

} // namespace zoz::test
