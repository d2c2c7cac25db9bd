// Every text the program looks up has a real German and English text in the shipped settings file.
// The keys are collected from the sources, so a new lookup without its texts fails here.
#include "app/IniFile.h"
#include "ui/MainWindow.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QString kShipped = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");

// Message keys of the settings reference that the scan below may not see: single words passed
// on in variables, and those that only a future lookup will use.
const QStringList kReferenceKeys =
    QStringLiteral(
        "NotDefined Ready QueryEndProg SaveAs OpenFile DataFile ConfigFile QueryOverwrite "
        "FileNotFound QueryDataReset ResetDone QueryReadData ReadingData ReadingFile WritingData "
        "WritingFile ReadingConfig WritingConfig QuerySendData QueryRequestData QuerySendDataReset "
        "MonitorOff TwoChannels FourChannels Comm_WaitForResponse_Err")
        .split(QLatin1Char(' '));

// Message keys named in the sources: literals shaped like a key (words joined by "_"), and the
// single-word keys passed to a lookup. Settings keys and control names are not texts.
QSet<QString> keysInSources(int* scanned) {
    const QRegularExpression shaped(
        QStringLiteral(R"re("([A-Z][A-Za-z0-9]*(?:_[A-Za-z0-9]+)+(?:\.(?:Caption|ToolTip))?)")re"));
    const QRegularExpression lookup(QStringLiteral(
        R"re(\b(?:message|cached|confirmed|reporter\.text|reporter\.line)\(\s*(?:QStringLiteral\()?"([A-Za-z0-9_.]+)")re"));
    QSet<QString> settingsKeys;
    for (const char* section : {"Main", "Comm", "Screen", "Recent"})
        for (const QString& key : GetIniKeys(QString::fromLatin1(section), kShipped))
            settingsKeys.insert(key.toLower());
    QSet<QString> keys;
    QDirIterator it(QStringLiteral(ZOZ_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        ++*scanned;
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            if (line.contains(QLatin1String("ObjectName")))
                continue;
            for (const QRegularExpression* re : {&shaped, &lookup}) {
                auto matches = re->globalMatch(line);
                while (matches.hasNext()) {
                    const QString key = matches.next().captured(1);
                    if (!settingsKeys.contains(key.toLower()))
                        keys.insert(key);
                }
            }
        }
    }
    return keys;
}

TEST(ShippedKeys, EveryLookedUpTextExistsInGermanAndEnglish) {
    int scanned = 0;
    QSet<QString> keys = keysInSources(&scanned);
    ASSERT_GT(scanned, 20);
    // The scan must find the lookups it is meant for.
    EXPECT_TRUE(keys.contains(QStringLiteral("Comm_Waiting_For_Answer")));
    EXPECT_TRUE(keys.contains(QStringLiteral("QueryEndProg")));
    EXPECT_FALSE(keys.contains(QStringLiteral("LoadAtStartup_Default")));
    for (const QString& key : kReferenceKeys)
        keys.insert(key);
    for (int button = 1; button <= MainWindow::ButtonCount; ++button) {
        const QString name = MainWindow::ToolbarCommandName(button);
        if (name != QLatin1String("???"))
            keys.insert(QStringLiteral("Menu_") + name + QStringLiteral(".ToolTip"));
    }
    for (const char* section : {"Messages_GER", "Messages_ENG"})
        for (const QString& key : std::as_const(keys))
            EXPECT_FALSE(GetIniValue(kShipped, section, key, "").isEmpty())
                << section << " lacks " << key.toStdString();
}

TEST(ShippedKeys, TheTwoLanguagesDifferWhereATextIsLanguage) {
    // A text copied into the other language unchanged is a forgotten translation; names and
    // numbers may stay the same.
    int same = 0;
    const QStringList keys = GetIniKeys(QStringLiteral("Messages_GER"), kShipped).mid(1);
    for (const QString& key : keys) {
        const QString ger = GetIniValue(kShipped, QStringLiteral("Messages_GER"), key, {});
        const QString eng = GetIniValue(kShipped, QStringLiteral("Messages_ENG"), key, {});
        if (ger == eng && ger.count(QLatin1Char(' ')) >= 2)
            ADD_FAILURE() << key.toStdString()
                          << " is the same in both languages: " << ger.toStdString();
        same += ger == eng;
    }
    EXPECT_GT(keys.size(), 40);
    EXPECT_LT(same, keys.size() / 4);
}

} // namespace
