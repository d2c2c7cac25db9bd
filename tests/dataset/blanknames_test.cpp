#include "dataset/DataStore.h"

#include "support/DataHarness.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Only a name of blanks (0x20) is blank: other white space is a name the controller sent and
// goes back to it unchanged.
TEST(BlankNames, OnlyBlanksCountAsBlank) {
    const QString received[] = {"        ", "", "\t", "\r\n", "\u00a0\u00a0", "\v\f", " \t "};
    DataHarness h;
    for (int i = 1; i <= 16; ++i) {
        h.store.DataSetDefault.ChannelName(1, i) = QStringLiteral("Ref%1").arg(i);
        h.store.DataSet.ChannelName(1, i) = i <= 7 ? received[i - 1] : QStringLiteral("keep");
    }
    const DataSet before = h.store.DataSet;
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false);
    for (int i = 1; i <= 7; ++i) {
        const bool blank = i <= 2; // the first two rows
        EXPECT_EQ(h.store.DataSet.ChannelName(1, i).text(),
                  blank ? QStringLiteral("Ref%1").arg(i).leftJustified(8)
                        : before.ChannelName(1, i).text())
            << i;
    }
}

} // namespace
