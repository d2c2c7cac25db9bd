#pragma once

#include "dataset/FixedText.h"

#include <QtGlobal>
#include <array>

namespace zoz {

// The controller configuration as the editor holds it: one plain record of seven member records,
// copied as a whole (`DataSetDefault = DataSet`) and stored in files in its 2913-byte serialized
// form (DataSetImage).
//
// Indexing: element i of an array of the record is index i here. The name arrays run 0..16, 0..8,
// 0..4 and element 0 is part of the record and of the serialized form. The arrays 1..n have one
// more slot, index 0, which is never serialized, sent or read: `LayerA[1]` is row 1 of layer A.
//
// Integer fields are 16-bit signed, Byte fields 8-bit unsigned, Text(n) is FixedText<n>.

using NameText = FixedText<8>;
using FileText = FixedText<255>;

struct NameRecord {
    std::array<NameText, 17> InputDigitalName{}; // 0..16, group 1
    std::array<NameText, 9> InputAnalogName{};   // 0..8, group 2
    std::array<NameText, 9> InputAdatName{};     // 0..8, group 3
    std::array<NameText, 5> InputExtMonName{};   // 0..4, group 4
    std::array<NameText, 5> OutputSummenName{};  // 0..4, group 5
};

// Rows 1..6 of each layer hold a ChannelRef (group * 100 + channel within the group, 0 = none).
struct LayerRecord {
    std::array<qint16, 7> LayerA{};
    std::array<qint16, 7> LayerB{};
    std::array<qint16, 7> LayerC{};
    std::array<qint16, 7> LayerD{};
};

struct MonitorRecord {
    std::array<qint16, 5> MonMode{};    // 1..4 option group "Stereo", "Mono", "LL", "RR"
    qint16 MonVolume = 0;               // list index, 0 = off .. 44 = +12 dB, -1 = none chosen
    qint16 MonKanal = 0;                // list index, 0 = IN 1/2 .. 13, -1 = none chosen
    std::array<qint16, 4> MonAbgriff{}; // 1..3 option group "MON", "PF", "AF"
    std::array<qint16, 3> Peakmeter{};  // 1..2 option group "4 Kanal", "2 x 2 Kanal"
    std::array<qint16, 5> ExtMon{};     // 1..4 ChannelRef
};

// GpioItemCode values: 99 + position in the input (GPIOInput) or output (GPIOOutput) list.
struct GpioRecord {
    std::array<qint16, 5> GPIOInput{};   // 1..4
    std::array<qint16, 17> GPIOOutput{}; // 1..16
};

// Row flags of one machine source: 1 "REC", 2 "A", 3 "B", 4 "C", 5 "D".
using MachSourceRows = std::array<quint8, 6>;

struct EditorRecord {
    std::array<qint16, 4> Control{}; // 1..3 option group "MIDI", "ESAM", "VCA"
    MachSourceRows MachSource01{};
    MachSourceRows MachSource02{};
    MachSourceRows MachSource03{};
    MachSourceRows MachSource04{};
    MachSourceRows MachSource05{};
    MachSourceRows MachSource06{};
    MachSourceRows MachSource07{};
    MachSourceRows MachSource08{};
    MachSourceRows MachSource09{};
    MachSourceRows MachSource10{};
    MachSourceRows MachSource11{};
    MachSourceRows MachSource12{};
    qint16 Frames = 0;   // index in PageLists::FrameRates
    qint16 Channels = 0; // index in PageLists::ChannelCounts

    static constexpr int MachSourceCount = 12;
    // Machine source s = 1..12 (MachSource01 .. MachSource12).
    MachSourceRows& MachSource(int s) { return this->*machSourceMember(s); }
    const MachSourceRows& MachSource(int s) const { return this->*machSourceMember(s); }

private:
    static MachSourceRows EditorRecord::*machSourceMember(int s) {
        static constexpr MachSourceRows EditorRecord::*members[MachSourceCount] = {
            &EditorRecord::MachSource01, &EditorRecord::MachSource02, &EditorRecord::MachSource03,
            &EditorRecord::MachSource04, &EditorRecord::MachSource05, &EditorRecord::MachSource06,
            &EditorRecord::MachSource07, &EditorRecord::MachSource08, &EditorRecord::MachSource09,
            &EditorRecord::MachSource10, &EditorRecord::MachSource11, &EditorRecord::MachSource12};
        return members[s - 1];
    }
};

struct SnapShotRecord {
    std::array<qint16, 9> SnapShotSwitch1{}; // 1..8, 0 off / 1 on
    std::array<qint16, 9> SnapShotSwitch2{}; // 1..8
    std::array<FileText, 9> SnapShotFile{};  // 1..8, ".CNS" files; blank = none chosen
    FileText SnapShotGroupFile{};            // ".CNG" file
    qint16 StartUpConf = 0;                  // index in PageLists::StartUpConfs
};

struct FBoxRecord {
    std::array<qint16, 10> FBoxInput{};  // 1..9 GpioItemCode of the input list
    std::array<qint16, 10> FBoxOutput{}; // 1..9 GpioItemCode of the output list
};

struct DataSet {
    NameRecord Name;
    LayerRecord Layer;
    MonitorRecord Monitor;
    GpioRecord GPIO;
    EditorRecord Editor;
    SnapShotRecord SnapShot;
    FBoxRecord FBox;

    // Channel groups 1..5 in record order and their sizes (40 channels).
    static constexpr int GroupCount = 5;
    static constexpr std::array<int, 6> GroupSize{0, 16, 8, 8, 4, 4};
    // Name of channel `index` (1-based) of `group` (1..5).
    NameText& ChannelName(int group, int index);
    const NameText& ChannelName(int group, int index) const;

    // Equal when the serialized forms are equal (the unused slots 0 of 1..n arrays do not count).
    bool operator==(const DataSet& other) const;
    bool operator!=(const DataSet& other) const { return !(*this == other); }
};

} // namespace zoz
