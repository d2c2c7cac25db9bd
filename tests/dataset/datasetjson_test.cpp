#include "dataset/DataSetJson.h"

#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "dataset/FieldCatalog.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

struct Fixture {
    Texts texts{QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini")};
    DataStore store;
    Fixture() {
        texts.setLanguage(QStringLiteral("ENG"));
        Switches switches;
        switches.IniFileName = texts.iniFileName();
        switches.Language = QStringLiteral("ENG");
        store.LoadGPIOLists(switches);
    }
};

// Random bytes reach every value the pages cannot show: codes outside the lists, option value 2,
// code-0 characters in names, the unassigned Windows-1252 codes. Some fields are set to values the
// pages do show, so that list keys, channel groups and blank padding are written too.
TEST(DataSetJsonTest, ExportThenImportGivesBackTheSameBytes) {
    Fixture fx;
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
    Fixture fx;
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

} // namespace
