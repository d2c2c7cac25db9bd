#include "dataset/DataStore.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "base/ProgramPath.h"
#include "dataset/GpioItemCode.h"
#include "dataset/HexCodec.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

namespace zoz {

void DataStore::InitDataSet(PageCopy& pages) {
    DataSet = DataSetDefault;
    // Row set for machine sources 1..12: REC, A, B, C, D, C, B, A, REC, A, B, C.
    static constexpr int zigZag[EditorRecord::MachSourceCount] = {1, 2, 3, 4, 5, 4,
                                                                  3, 2, 1, 2, 3, 4};
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        DataSet.Editor.MachSource(s)[zigZag[s - 1]] = 1;
    DataSetDefault = DataSet;
    pages.refreshPages();
}

bool DataStore::BlankNames_Replaced(PageCopy& pages, Activity& activity, Texts& texts, AppLog& log,
                                    bool showStatus) {
    bool replaced = false;
    for (int group = 1; group <= zoz::DataSet::GroupCount; ++group) {
        for (int i = 1; i <= zoz::DataSet::GroupSize[group]; ++i) {
            NameText& field = DataSet.ChannelName(group, i);
            NameBox box;
            if (group > 1) {
                box = pages.nameBox(group, i);
                QString text = box.text;
                while (text.endsWith(QLatin1Char(' ')))
                    text.chop(1);
                field = text;
            }
            // Blanks only: a name of tabs or no-break spaces is the controller's and stays.
            if (!TrimBlanks(field.text()).isEmpty())
                continue;
            field = DataSetDefault.ChannelName(group, i);
            if (group == 1)
                box = pages.nameBox(group, i); // only its tool tip is used
            QString message = texts.cached(QStringLiteral("BlankNames_Replaced"));
            ReplaceParams(message, box.toolTip);
            if (showStatus)
                activity.showStatusText(message);
            log.WriteLog(message);
            replaced = true;
        }
    }
    if (showStatus && !replaced)
        activity.showStatusText(QString());
    return true;
}

void DataStore::LoadGPIOLists(const Switches& switches, IniCache* cache) {
    static const char* const listNames[2] = {"Input", "Output"};
    for (int k = 0; k < 2; ++k) {
        if (!lstData[k].isEmpty())
            continue;
        const QString listName = QString::fromLatin1(listNames[k]);
        const QString definition = GetIniValue(
            switches.IniFileName, QStringLiteral("Main"),
            QStringLiteral("GPIO_") + listName + QStringLiteral("_DataDef"), QString(), cache);
        QString file = switches.IniFileName;
        QString section =
            QStringLiteral("GPIO_") + listName + QStringLiteral("_Data_") + switches.Language;
        if (!QString(definition).remove(QLatin1Char(' ')).isEmpty()) {
            file = ProgramPath::place(switches.ProgramFolder, definition);
            section = QStringLiteral("Data_") + switches.Language;
        }
        const QStringList keys = GetIniKeys(section, file, cache);
        for (int i = 1; i < keys.size(); ++i) {
            const QString value = GetIniValue(file, section, keys.at(i), QString(), cache);
            lstData[k].append(
                {keys.at(i) + QLatin1Char('|') + value, GpioItemCode::FromPosition(i)});
        }
    }
}

} // namespace zoz
