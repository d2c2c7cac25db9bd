#pragma once

#include "dataset/DataSet.h"

#include <QString>
#include <QVector>
#include <array>

namespace zoz {

class AppLog;
class IniCache;
class Texts;
class Activity;
class PageCopy;
struct Switches;

// A snapshot configuration image, opaque to the editor, and the eight images of a group (1..8).
using ConfigBlock = FixedText<512>;
using ConfigGroup = std::array<ConfigBlock, 9>;

// One entry of a GPIO function list: "key|value" and its GpioItemCode.
struct GpioListEntry {
    QString text;
    int itemData = 0;
};

// The single owner of the data set, its reference copy, the module data beside them and the two
// GPIO function lists. Created once by start-up and passed to every user by reference.
class DataStore {
public:
    static constexpr int GpioInputList = 0;  // list name "Input"
    static constexpr int GpioOutputList = 1; // list name "Output"

    // The working copy (pages, encoder, decoder, data file) and the reference copy (reset,
    // replacement names). Both start with every byte zero.
    zoz::DataSet DataSet;
    zoz::DataSet DataSetDefault;

    // Module data, not part of the record and not in the data file.
    std::array<FixedText<32>, 7> StatusText{}; // 1..6, the Status page lines
    FixedText<4> QPLVersion{};
    ConfigBlock SnapShotData{};      // one configuration ("31".."38", CNS)
    ConfigGroup SnapShotGroupData{}; // 1..8 ("30", CNG)
    bool GroupReceiveActive = false;
    qint16 GroupReceiveCount = 0;
    QString GroupReceiveFile;

    // The GPIO page's hidden lists lstData(0) inputs and lstData(1) outputs.
    std::array<QVector<GpioListEntry>, 2> lstData;

    // Start-up: the machine-source default, both copies equal, pages refreshed.
    void InitDataSet(PageCopy& pages);

    // Replaces blank channel names by those of DataSetDefault; the analog, ADAT, ext. monitor and
    // bus names are first taken from the Names page boxes, the digital names are used as they
    // stand. Always true.
    bool BlankNames_Replaced(PageCopy& pages, Activity& activity, Texts& texts, AppLog& log,
                             bool showStatus = false);

    // Fills each empty GPIO function list from the settings file (section
    // "GPIO_<list>_Data_<Language>") or from the definition file named by [Main]
    // GPIO_<list>_DataDef (section "Data_<Language>"). A list once filled is kept for the run.
    void LoadGPIOLists(const Switches& switches, IniCache* cache = nullptr);
};

} // namespace zoz
