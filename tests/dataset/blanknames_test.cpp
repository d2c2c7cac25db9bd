#include "dataset/DataStore.h"

#include "support/DataHarness.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Only a name of blanks (0x20) is blank: other white space is a name the controller sent and
// goes back to it unchanged.
TEST(BlankNames, OnlyBlanksCountAsBlank) {
    const struct {
        QString received;
        bool replaced;
    } rows[] = {
        {"        ", true},      {"", true},
        {"\t", false},           {"\r\n", false},
        {"\u00a0\u00a0", false}, {QString(QChar(0x0b)) + QChar(0x0c), false},
        {" \t ", false},
    };
    DataHarness h;
    for (int i = 1; i <= 7; ++i) {
        h.store.DataSetDefault.ChannelName(1, i) = QStringLiteral("Ref%1").arg(i);
        h.store.DataSet.ChannelName(1, i) = rows[i - 1].received;
    }
    for (int i = 8; i <= 16; ++i)
        h.store.DataSet.ChannelName(1, i) = QStringLiteral("keep");
    h.ui.onNameBox = [&h](int group, int index) {
        return NameBox{h.store.DataSet.ChannelName(group, index).text(), {}};
    };
    const DataSet before = h.store.DataSet;
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false);
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        const QByteArray now(h.store.DataSet.ChannelName(1, i).bytes.data(), 8);
        const QByteArray was(before.ChannelName(1, i).bytes.data(), 8);
        EXPECT_EQ(now, rows[i - 1].replaced ? QStringLiteral("Ref%1    ").arg(i).toLatin1() : was);
    }
}

} // namespace
