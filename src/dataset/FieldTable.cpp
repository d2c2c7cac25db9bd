#include "dataset/FieldTable.h"

namespace zoz {

namespace {

using K = FieldKind;
using L = FieldLabel;
using C = FieldChoices;

FieldAccess::Name channelName(int group) {
    static constexpr FieldAccess::Name byGroup[DataSet::GroupCount] = {
        [](DataSet& s, int i, int) -> NameText& { return s.ChannelName(1, i); },
        [](DataSet& s, int i, int) -> NameText& { return s.ChannelName(2, i); },
        [](DataSet& s, int i, int) -> NameText& { return s.ChannelName(3, i); },
        [](DataSet& s, int i, int) -> NameText& { return s.ChannelName(4, i); },
        [](DataSet& s, int i, int) -> NameText& { return s.ChannelName(5, i); }};
    return byGroup[group - 1];
}

qint16& layerCell(DataSet& s, int row, int column) {
    using Column = std::array<qint16, 7> LayerRecord::*;
    static constexpr Column columns[4] = {&LayerRecord::LayerA, &LayerRecord::LayerB,
                                          &LayerRecord::LayerC, &LayerRecord::LayerD};
    return (s.Layer.*columns[column])[row];
}

QList<FieldRow> makeTable() {
    const FieldAccess name[6] = {{},
                                 FieldAccess::of(channelName(1)),
                                 FieldAccess::of(channelName(2)),
                                 FieldAccess::of(channelName(3)),
                                 FieldAccess::of(channelName(4)),
                                 FieldAccess::of(channelName(5))};
    auto int16 = [](FieldAccess::Int16 f) { return FieldAccess::of(f); };
    // Names: element 0 of each array is stored but shown by no box.
    return {
        {"Name", "Names", "names.digital[%1]", K::Name, L::NameBox, "Part01.Caption",
         "Digital inputs", "Part01.ToolTip%1", "Digital input %1", 0, 16, name[1]},
        {"Name", "Names", "names.analog[%1]", K::Name, L::NameBox, "Part02.Caption",
         "Analog inputs", "Part02.ToolTip%1", "Analog input %1", 0, 8, name[2]},
        {"Name", "Names", "names.adat[%1]", K::Name, L::NameBox, "Part03.Caption", "ADAT inputs",
         "Part03.ToolTip%1", "ADAT input %1", 0, 8, name[3]},
        {"Name", "Names", "names.extmon[%1]", K::Name, L::NameBox, "Part04.Caption",
         "External monitor inputs", "Part04.ToolTip%1", "Ext. monitor input %1", 0, 4, name[4]},
        {"Name", "Names", "names.bus[%1]", K::Name, L::NameBox, "Part05.Caption", "Sums (bus)",
         "Part05.ToolTip%1", "Bus %1", 0, 4, name[5]},
        // Row by row as the page copies them, columns A..D.
        {"Layer", "Layer", "layer.%2[%1]", K::Channel, L::LayerCell, "Row.Caption", "Layer",
         "Col.Caption", "Channel", 1, 6, int16(layerCell), "A|B|C|D"},

        {"Monitor", "Monitor", "monitor.mode[%1]", K::Option, L::Option, "Part01.Caption", "Part01",
         "Part01.Opt%1.Caption", "Stereo|Mono|LL|RR", 1, 4,
         int16([](DataSet& s, int i, int) -> qint16& { return s.Monitor.MonMode[i]; }), nullptr,
         C::None, "Part01.Label01"},
        {"Monitor", "Monitor", "monitor.volume", K::List, L::Text, "Part01.Caption", "Monitor",
         "Part01.Label02", "Volume", 0, 0,
         int16([](DataSet& s, int, int) -> qint16& { return s.Monitor.MonVolume; }), nullptr,
         C::MonitorVolumes},
        {"Monitor", "Monitor", "monitor.channel", K::List, L::Text, "Part01.Caption", "Monitor",
         "Part01.Label03", "Channel", 0, 0,
         int16([](DataSet& s, int, int) -> qint16& { return s.Monitor.MonKanal; }), nullptr,
         C::MonitorChannels},
        {"Monitor", "Monitor", "monitor.tap[%1]", K::Option, L::Option, "Part02.Caption", "Part02",
         "Part02.Opt%1.Caption", "MON|PF|AF", 1, 3,
         int16([](DataSet& s, int i, int) -> qint16& { return s.Monitor.MonAbgriff[i]; }), nullptr,
         C::None, "Part02.Label01"},
        {"Monitor", "Monitor", "monitor.peakmeter[%1]", K::Option, L::Option, "Part03.Caption",
         "Part03", "Part03.Opt%1.Caption", "4 channels|2 x 2 channels", 1, 2,
         int16([](DataSet& s, int i, int) -> qint16& { return s.Monitor.Peakmeter[i]; }), nullptr,
         C::None, "Part03.Label01"},
        {"Monitor", "Monitor", "monitor.extmon[%1]", K::Channel, L::Text, "Part04.Caption",
         "External monitor keys", "Part04.Label%1", "Key %1", 1, 4,
         int16([](DataSet& s, int i, int) -> qint16& { return s.Monitor.ExtMon[i]; })},

        {"GPIO", "GPIO", "gpio.input[%1]", K::GpioInput, L::Text, "Part01.Caption", "Part01",
         "Part01.Label%1", "Input %1", 1, 4,
         int16([](DataSet& s, int i, int) -> qint16& { return s.GPIO.GPIOInput[i]; })},
        {"GPIO", "GPIO", "gpio.output[%1]", K::GpioOutput, L::Text, "Part02.Caption", "Part02",
         "Part02.Label%1", "Output %1", 1, 16,
         int16([](DataSet& s, int i, int) -> qint16& { return s.GPIO.GPIOOutput[i]; })},

        {"Editor", "Editor", "editor.control[%1]", K::Option, L::Option, "Part01.Caption",
         "Control", "Part01.Opt%1.Caption", "MIDI|ESAM|VCA", 1, 3,
         int16([](DataSet& s, int i, int) -> qint16& { return s.Editor.Control[i]; })},
        {"Editor", "Editor", "editor.source[%1].%3", K::Flag, L::SourceCell, "Part02.Caption",
         "Machine sources", "Part02.Col.Caption", "Source", 1, EditorRecord::MachSourceCount,
         FieldAccess::of(
             [](DataSet& s, int i, int c) -> quint8& { return s.Editor.MachSource(i)[c + 1]; }),
         "REC|A|B|C|D"},
        {"Editor", "Editor", "editor.frames", K::List, L::Text, "Part03.Caption", "Time code",
         "Part03.Label01", "Frame rate", 0, 0,
         int16([](DataSet& s, int, int) -> qint16& { return s.Editor.Frames; }), nullptr,
         C::FrameRates},
        {"Editor", "Editor", "editor.channels", K::List, L::Text, "Part04.Caption", "Channels",
         "Part04.Label01", "Mode", 0, 0,
         int16([](DataSet& s, int, int) -> qint16& { return s.Editor.Channels; }), nullptr,
         C::ChannelCounts},

        {"SnapShot", "SnapShot", "snapshot.switch%1[%2]", K::Switch, L::ConfigSwitch,
         "Part01.Caption", "Configurations", "Part01.Label%1", "Config %1", 1, 2,
         int16([](DataSet& s, int w, int c) -> qint16& {
             return w == 1 ? s.SnapShot.SnapShotSwitch1[c + 1] : s.SnapShot.SnapShotSwitch2[c + 1];
         }),
         "1|2|3|4|5|6|7|8"},
        {"SnapShot", "SnapShot", "snapshot.file[%1]", K::FileName, L::ConfigFile, "Part01.Caption",
         "Configurations", "Part01.Label%1", "Config %1", 1, 8,
         FieldAccess::of(
             [](DataSet& s, int i, int) -> FileText& { return s.SnapShot.SnapShotFile[i]; })},
        {"SnapShot", "SnapShot", "snapshot.groupfile", K::FileName, L::Text, "Part02.Caption",
         "Group", "Part02.Label01", "All 8", 0, 0,
         FieldAccess::of(
             [](DataSet& s, int, int) -> FileText& { return s.SnapShot.SnapShotGroupFile; })},
        {"SnapShot", "SnapShot", "snapshot.startup", K::List, L::Text, "Part03.Caption", "Start-up",
         "Part03.Label01", "Start-up configuration", 0, 0,
         int16([](DataSet& s, int, int) -> qint16& { return s.SnapShot.StartUpConf; }), nullptr,
         C::StartUpConfs},

        {"FBox", "FBox", "fbox.input[%1]", K::GpioInput, L::Text, "Part01.Caption", "Part01",
         "Part01.Label%1", "Input %1", 1, 9,
         int16([](DataSet& s, int i, int) -> qint16& { return s.FBox.FBoxInput[i]; })},
        {"FBox", "FBox", "fbox.output[%1]", K::GpioOutput, L::Text, "Part02.Caption", "Part02",
         "Part02.Label%1", "Output %1", 1, 9,
         int16([](DataSet& s, int i, int) -> qint16& { return s.FBox.FBoxOutput[i]; })},
    };
}

} // namespace

const QList<FieldRow>& fieldTable() {
    static const QList<FieldRow> table = makeTable();
    return table;
}

} // namespace zoz
