#pragma once

#include "dataset/FieldAccess.h"

#include <QList>

namespace zoz {

// How a field's value is shown and written in the text form.
enum class FieldKind {
    Name,       // channel name, Text(8)
    FileName,   // configuration file name, Text(255)
    Channel,    // ChannelRef: group * 100 + channel within the group, 0 = none
    GpioInput,  // GpioItemCode of the input function list, 0 = none
    GpioOutput, // GpioItemCode of the output function list, 0 = none
    Option,     // one box of an option group: 0 off, 1 on, 2 grey
    Flag,       // one Byte row flag of a machine source
    Switch,     // SnapShot switch, 0 off / 1 on
    List,       // position in a page list (`choices`), -1 = none chosen
};

// How an item's label is made from its page's texts. "Item text" is the row's item key (its "%1"
// the two-digit index) looked up with the row's built-in text (its "%1" the index).
enum class FieldLabel {
    Text,         // the item text
    NameBox,      // the item text; element 0, shown by no box, is "<group> [0]"
    Option,       // the item text, built-ins "|"-separated by index; "<prefix text>: " before it
    LayerCell,    // "<item text> 2i-1 / 2i"; the group gets the column letter
    SourceCell,   // "<item text> <nn(index)> <column>"
    ConfigSwitch, // "<item text of the column> <switch word> <index>"
    ConfigFile,   // "<item text> <file word>"
};

// The list behind a List field.
enum class FieldChoices {
    None,
    MonitorVolumes,
    MonitorChannels,
    FrameRates,
    ChannelCounts,
    StartUpConfs
};

// One row of the field table: one field, or a run of them over an index (and over the columns of
// a matrix, the column running faster). Keys: "%1" the index, "%2" the column, "%3" the column in
// lower case.
struct FieldRow {
    const char* page;    // section of the page texts ("Name" reads [TabStrip_Name_<LANG>])
    const char* caption; // the page's built-in caption
    const char* key;     // "names.adat[%1]"
    FieldKind kind;
    FieldLabel label;
    const char* group; // text key of the group label and its built-in text
    const char* groupDefault;
    const char* item; // text key of the item label and its built-in text (see FieldLabel)
    const char* itemDefault;
    int first; // the index run
    int last;
    FieldAccess access;            // called with the index and the column's position
    const char* columns = nullptr; // a matrix's columns, "|"-separated
    FieldChoices choices = FieldChoices::None;
    const char* prefix = nullptr; // text key of an option group's label
};

// Every field of the record (all 2913 bytes) in page order.
const QList<FieldRow>& fieldTable();

} // namespace zoz
