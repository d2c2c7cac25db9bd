// The field catalogue and the text form built on it.
#include "dataset/DataSetJson.h"
#include "dataset/FieldCatalog.h"

#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/QtPrinters.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QString kIni = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");

// Every byte of the 2913 belongs to exactly one field: setting a field alone changes only its own
// bytes, and no two fields share one.
TEST(FieldCatalogTest, FieldsCoverEveryByteOnceShowTheirValuesAndGoThroughTheTextForm) {
    Texts texts(kIni);
    texts.setLanguage(QStringLiteral("ENG"));
    Switches switches;
    switches.IniFileName = kIni;
    switches.Language = QStringLiteral("ENG");
    DataStore store;
    store.LoadGPIOLists(switches);
    store.lstData[DataStore::GpioOutputList].append({QStringLiteral("|Mute"), 250}); // no key
    const FieldCatalog catalog(texts, store);
    QVector<int> owner(DataSetImage::Size, -1);
    for (int f = 0; f < catalog.fields().size(); ++f) {
        const FieldRef& ref = catalog.fields().at(f);
        DataSet set;
        if (ref.length > 0)
            catalog.setText(f, set, QString(ref.length, QChar(0xFF)));
        else
            catalog.setNumber(f, set, ref.maximum);
        const QByteArray image = DataSetImage::Write(set);
        for (int b = 0; b < image.size(); ++b) {
            if (image.at(b) == '\0') // a fresh record is all zero
                continue;
            EXPECT_EQ(owner[b], -1) << ref.key.toStdString() << " shares byte " << b;
            owner[b] = f;
        }
        EXPECT_TRUE(owner.contains(f)) << ref.key.toStdString();
    }
    EXPECT_EQ(owner.count(-1), 0);

    // Values read as the pages show them (the diff and the history window list them so).
    DataSet set;
    set.Name.InputAdatName[3] = QStringLiteral("Vox 1");
    set.Name.OutputSummenName[2] = QStringLiteral("Mix");
    const std::tuple<const char*, int, const char*> rows[] = {
        {"layer.B[2]", 302, "ADAT input 3 'Vox 1'"},
        {"layer.A[1]", 501, "Bus 2 'Mix'"}, // the last group
        {"monitor.extmon[4]", 0, "not defined"},
        {"layer.D[6]", 999, "#999"},
        {"layer.D[5]", 116, "#116"}, // one past the last digital input
        {"monitor.volume", 44, "+12 dB"},
        {"snapshot.startup", 0, "temporary"},
        {"snapshot.startup", 8, "Config 8"},
        {"gpio.input[2]", catalog.gpioCode(0, QStringLiteral("5")), "5 Layer A"},
        {"gpio.input[3]", catalog.gpioCode(0, QStringLiteral("1")), "1 Talkback"}, // the first
        {"gpio.output[1]", 250, " Mute"},
    };
    for (const auto& [key, value, shown] : rows) {
        const int f = catalog.indexOf(QString::fromLatin1(key));
        ASSERT_GE(f, 0) << key;
        catalog.setNumber(f, set, value);
        EXPECT_EQ(catalog.valueText(set, f).toStdString(), shown) << key;
    }

    // Random bytes reach values the pages cannot show (codes outside the lists, option value 2,
    // unassigned Windows-1252 characters), some fields values they show. The text form gives the
    // same bytes back; copying the fields `differences` names makes two sets equal.
    const DataSetJson json(catalog);
    QRandomGenerator random(418);
    DataSet previous;
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
            else if (ref.kind == FieldKind::GpioInput)
                catalog.setNumber(f, set, store.lstData[0].at(random.bounded(4)).itemData);
        }
        DataSet back = previous; // every field is written over, by a null too
        QString error;
        ASSERT_TRUE(json.read(json.write(set), back, error))
            << round << ": " << error.toStdString();
        ASSERT_EQ(DataSetImage::Write(back), DataSetImage::Write(set)) << "round " << round;

        const QList<int> diff = catalog.differences(previous, set);
        EXPECT_TRUE(std::is_sorted(diff.begin(), diff.end()));
        EXPECT_FALSE(diff.isEmpty());
        for (int f : diff)
            catalog.copyField(f, set, previous);
        EXPECT_TRUE(previous == set) << round;
    }

    // A bad field is named, and nothing of the input reaches the data set.
    const QJsonObject good = QJsonDocument::fromJson(json.write(DataSet{})).object();
    const std::tuple<const char*, QJsonValue, const char*> refusals[] = {
        // undefined: removed by the insert
        {"names.adat[3]", QJsonValue(QJsonValue::Undefined), "missing"},
        {"names.digital[5]", QStringLiteral("\u20ACok\u4E2D"), "character U+4E2D"},
        {"names.analog[1]", 12, "a text expected"},
        {"monitor.volume", QJsonObject{{"value", 40000}}, "40000 is out of range"},
        {"monitor.mode[2]", QJsonObject{{"value", "maybe"}}, "\"on\", \"off\""},
        {"layer.C[4]", QJsonObject{{"group", "mic"}, {"number", 1}}, "unknown group"},
        {"layer.C[5]", QJsonObject{{"group", "digital"}, {"number", 101}}, "101 is out of range"},
        {"gpio.output[7]", QJsonObject{{"key", "nope"}}, "no function with key"},
        {"fbox.input[1]", QJsonObject{{"code", 1.5}}, "1.5 is not a whole"},
        {"snapshot.file[2]", QString(256, QLatin1Char('x')), "longer than 255"},
        {"names.extra[1]", QStringLiteral("x"), "no such field"},
    };
    for (const auto& [key, value, expected] : refusals) {
        QJsonObject root = good;
        QJsonObject fields = root.value(QStringLiteral("fields")).toObject();
        fields.insert(QString::fromLatin1(key), value);
        root.insert(QStringLiteral("fields"), fields);
        DataSet set = previous;
        QString error;
        EXPECT_FALSE(json.read(QJsonDocument(root).toJson(), set, error)) << key;
        EXPECT_TRUE(error.startsWith(key + QString(": ") + QString::fromUtf8(expected)))
            << error.toStdString();
        EXPECT_EQ(DataSetImage::Write(set), DataSetImage::Write(previous)) << key;
    }
}

} // namespace
