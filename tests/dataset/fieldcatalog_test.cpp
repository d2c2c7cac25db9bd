// The field catalogue, the text form built on it, and blank names.
#include "dataset/DataSetJson.h"
#include "dataset/FieldCatalog.h"

#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "support/DataHarness.h"

#include <QJsonDocument>
#include <QJsonObject>
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

// Random bytes reach every value the pages cannot show: codes outside the lists, option value 2,
// code-0 characters in names, the unassigned Windows-1252 codes. Some fields are set to values the
// pages do show, so that list keys, channel groups and blank padding are written too.
TEST(DataSetJsonTest, ExportThenImportGivesBackTheSameBytes) {
    English fx;
    const FieldCatalog catalog(fx.texts, fx.store);
    const DataSetJson json(catalog);
    QRandomGenerator random(418);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(DataSetImage::Size, '\0');
        for (char& b : bytes)
            b = char(random.bounded(round % 3 == 0 ? 4 : 256));
        DataSet set;
        DataSetImage::Read(bytes, set);
        for (int f = 0; f < catalog.fields().size(); ++f) {
            const FieldRef& ref = catalog.fields().at(f);
            if (random.bounded(2))
                continue;
            if (ref.kind == FieldKind::Name)
                catalog.setText(f, set, QStringLiteral("Ch %1").arg(random.bounded(100)));
            else if (ref.kind == FieldKind::Channel)
                catalog.setNumber(f, set, 100 * (1 + random.bounded(5)) + random.bounded(4));
            else if (ref.kind == FieldKind::GpioInput && !fx.store.lstData[0].isEmpty())
                catalog.setNumber(f, set, fx.store.lstData[0].at(random.bounded(4)).itemData);
        }
        const QByteArray text = json.write(set);
        DataSet back;
        QString error;
        ASSERT_TRUE(json.read(text, back, error)) << round << ": " << error.toStdString();
        ASSERT_EQ(DataSetImage::Write(back), DataSetImage::Write(set)) << "round " << round;
    }
}

// A bad field is named, and nothing of the input reaches the data set.
TEST(DataSetJsonTest, ImportRefusesBadInputNamingTheField) {
    English fx;
    const FieldCatalog catalog(fx.texts, fx.store);
    const DataSetJson json(catalog);
    DataSet original;
    original.Name.InputAnalogName[2] = QStringLiteral("Keep");
    const QJsonObject good = QJsonDocument::fromJson(json.write(DataSet{})).object();
    const struct {
        const char* key;
        QJsonValue value; // undefined: removed
        const char* expected;
    } rows[] = {
        {"names.adat[3]", QJsonValue(QJsonValue::Undefined), "names.adat[3]: missing"},
        {"names.bus[2]", QStringLiteral("Nine char"), "names.bus[2]: longer than 8"},
        {"names.digital[5]", QStringLiteral("\u20ACok\u4E2D"),
         "names.digital[5]: character U+4E2D"},
        {"names.analog[1]", 12, "names.analog[1]: a text expected"},
        {"monitor.volume", QJsonObject{{"value", 40000}}, "monitor.volume: 40000 is out of range"},
        {"editor.source[3].rec", QJsonObject{{"value", 256}}, "editor.source[3].rec: 256 is out"},
        {"monitor.mode[2]", QJsonObject{{"value", "maybe"}}, "monitor.mode[2]: \"on\", \"off\""},
        {"layer.C[4]", QJsonObject{{"group", "mic"}, {"number", 1}}, "layer.C[4]: unknown group"},
        {"gpio.output[7]", QJsonObject{{"key", "nope"}}, "gpio.output[7]: no function with key"},
        {"fbox.input[1]", QJsonObject{{"code", 1.5}}, "fbox.input[1]: 1.5 is not a whole"},
        {"snapshot.file[2]", QString(256, QLatin1Char('x')), "snapshot.file[2]: longer than 255"},
        {"names.extra[1]", QStringLiteral("x"), "names.extra[1]: no such field"},
    };
    for (const auto& row : rows) {
        QJsonObject fields = good.value(QStringLiteral("fields")).toObject();
        if (row.value.isUndefined())
            fields.remove(QString::fromLatin1(row.key));
        else
            fields.insert(QString::fromLatin1(row.key), row.value);
        QJsonObject root = good;
        root.insert(QStringLiteral("fields"), fields);
        DataSet set = original;
        QString error;
        EXPECT_FALSE(json.read(QJsonDocument(root).toJson(), set, error)) << row.key;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(row.expected))) << error.toStdString();
        EXPECT_EQ(DataSetImage::Write(set), DataSetImage::Write(original)) << row.key;
    }
}

// Only a name of blanks (0x20) is blank: other white space is a name the controller sent and
// goes back to it unchanged.
TEST(BlankNames, OnlyBlanksCountAsBlank) {
    const QString received[] = {"        ", "", "\t", "\r\n", "\u00a0\u00a0", "\v\f", " \t "};
    zoz::test::DataHarness h;
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
