// The data-file, configuration-file and History origins readers on arbitrary file contents. A data
// file of the exact size reaches the record decoding; other sizes the version check.
#include "FuzzRig.h"
#include "dataset/DataSetImage.h"
#include "files/HistoryOrigins.h"

#include <cstdint>

using namespace zoz;
using namespace zoz::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    FuzzRig& rig = FuzzRig::instance();
    rig.reset();
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const int mode = data[0] % 12;
    if (mode == 11) {
        FuzzRig::writeFile(rig.path(QStringLiteral("History.Origins")), bytes);
        HistoryOrigins(rig.path(QStringLiteral("History"))).all();
        return 0;
    }
    if (mode <= 1) {
        if (mode == 0)
            bytes = bytes.leftJustified(DataSetImage::Size, '\0', true);
        QString name = rig.path(QStringLiteral("fuzz.Dat"));
        FuzzRig::writeFile(name, bytes);
        if (rig.dataFile.ReadDataFile(name, ReadFlag::NoDialog))
            rig.store.BlankNames_Replaced(rig.ui, rig.ui, rig.texts, rig.log, false);
        return 0;
    }
    const int index = mode - 2; // 0 the group, 1..8 one configuration
    QString name = rig.path(index == 0 ? QStringLiteral("fuzz.CNG") : QStringLiteral("fuzz.CNS"));
    FuzzRig::writeFile(name, bytes);
    ConfigBlock single;
    ConfigGroup group;
    rig.configFile.ReadConfigFile(name, index, single, group);
    return 0;
}
