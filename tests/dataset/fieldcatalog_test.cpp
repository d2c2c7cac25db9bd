#include "dataset/FieldCatalog.h"

#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"

#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QString kIni = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");

struct English {
    Texts texts{kIni};
    DataStore store;
    English() {
        texts.setLanguage(QStringLiteral("ENG"));
        Switches switches;
        switches.IniFileName = kIni;
        switches.Language = QStringLiteral("ENG");
        store.LoadGPIOLists(switches);
    }
};

// Every byte of the 2913 belongs to exactly one field: changing a field alone changes only its
// own bytes, and no two fields share one.
TEST(FieldCatalogTest, FieldsCoverEveryByteOfTheRecordOnce) {
    English e;
    const FieldCatalog catalog(e.texts, e.store);
    const QByteArray zero = DataSetImage::Write(DataSet{});
    QVector<int> owner(DataSetImage::Size, -1);
    QSet<QString> keys;
    for (int f = 0; f < catalog.fields().size(); ++f) {
        const FieldRef& ref = catalog.fields().at(f);
        EXPECT_FALSE(keys.contains(ref.key)) << "duplicate key " << ref.key.toStdString();
        keys.insert(ref.key);
        EXPECT_FALSE(ref.page.isEmpty() || ref.group.isEmpty() || ref.item.isEmpty()) << f;
        DataSet set;
        if (ref.length > 0)
            catalog.setText(f, set, QString(ref.length, QChar(0xFF)));
        else
            catalog.setNumber(f, set, ref.maximum);
        const QByteArray image = DataSetImage::Write(set);
        int changed = 0;
        for (int b = 0; b < image.size(); ++b) {
            if (image.at(b) == zero.at(b))
                continue;
            ++changed;
            EXPECT_EQ(owner[b], -1) << ref.key.toStdString() << " shares byte " << b;
            owner[b] = f;
        }
        EXPECT_GT(changed, 0) << ref.key.toStdString();
    }
    EXPECT_EQ(owner.count(-1), 0);
}

TEST(FieldCatalogTest, ValuesReadAsThePagesShowThem) {
    English e;
    const FieldCatalog c(e.texts, e.store);
    DataSet set;
    set.Name.InputAdatName[3] = QStringLiteral("Vox 1");
    const int layerA = e.store.lstData[0].isEmpty() ? 0 : c.gpioCode(0, QStringLiteral("5"));
    ASSERT_NE(layerA, 0);
    const struct {
        const char* key;
        int value;
        const char* shown;
        const char* item;
    } rows[] = {
        {"layer.B[2]", 302, "ADAT input 3 'Vox 1'", "Channel 3 / 4"},
        {"monitor.extmon[4]", 0, "not defined", "Key 4"},
        {"layer.D[6]", 999, "#999", "Channel 11 / 12"},
        {"monitor.volume", 0, "off", "Volume"},
        {"monitor.volume", 44, "+12 dB", "Volume"},
        {"monitor.channel", -1, "not defined", "Channel"},
        {"monitor.mode[3]", 1, "on", "Mode: LL"},
        {"editor.source[5].c", 0, "off", "Source 05 C"},
        {"editor.channels", 1, "Four channels", "Mode"},
        {"snapshot.startup", 0, "temporary", "Start-up configuration"},
        {"gpio.input[2]", layerA, "5 Layer A", "Input 2"},
        {"fbox.output[9]", 7, "#7", "Output 9"},
    };
    for (const auto& row : rows) {
        const int f = c.indexOf(QString::fromLatin1(row.key));
        ASSERT_GE(f, 0) << row.key;
        c.setNumber(f, set, row.value);
        EXPECT_EQ(c.valueText(set, f).toStdString(), row.shown) << row.key;
        EXPECT_EQ(c.fields().at(f).item.toStdString(), row.item) << row.key;
    }
    const int name = c.indexOf(QStringLiteral("names.adat[3]"));
    EXPECT_EQ(c.valueText(set, name), QStringLiteral("Vox 1"));
    EXPECT_EQ(c.fields().at(name).control, QStringLiteral("txtInputAdat_2"));
    EXPECT_EQ(c.fields().at(name).page, QStringLiteral("Names"));
}

// Copying the differing fields one by one turns a into b: differences misses none, and they come
// in page order.
TEST(FieldCatalogTest, CopyingTheDifferencesMakesTheSetsEqual) {
    English e;
    const FieldCatalog c(e.texts, e.store);
    QRandomGenerator random(11);
    for (int round = 0; round < 20; ++round) {
        QByteArray bytesA(DataSetImage::Size, '\0'), bytesB(DataSetImage::Size, '\0');
        for (int i = 0; i < DataSetImage::Size; ++i) {
            bytesA[i] = char(random.bounded(256));
            bytesB[i] = random.bounded(8) == 0 ? char(random.bounded(256)) : bytesA[i];
        }
        DataSet a, b;
        DataSetImage::Read(bytesA, a);
        DataSetImage::Read(bytesB, b);
        const QList<int> diff = c.differences(a, b);
        EXPECT_TRUE(std::is_sorted(diff.begin(), diff.end()));
        EXPECT_EQ(diff.isEmpty(), a == b);
        for (int f : diff)
            c.copyField(f, b, a);
        EXPECT_TRUE(a == b) << round;
        EXPECT_TRUE(c.differences(a, b).isEmpty());
    }
}

} // namespace
