// Every key the sources look up has a German and an English text in the shipped settings file.
#include "settings/IniFile.h"
#include "ui/MainWindow.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QString kShipped = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");

// Keys the scan below cannot see: single words passed on in variables.
const QStringList kReferenceKeys =
    QStringLiteral(
        "NotDefined Ready QueryEndProg SaveAs OpenFile DataFile ConfigFile QueryOverwrite "
        "FileNotFound QueryDataReset ResetDone QueryReadData ReadingData ReadingFile WritingData "
        "WritingFile ReadingConfig WritingConfig QuerySendData QueryRequestData QuerySendDataReset "
        "MonitorOff TwoChannels FourChannels Comm_WaitForResponse_Err")
        .split(QLatin1Char(' '));

// Literals shaped like a key (words joined by "_") and single words passed to a lookup.
QSet<QString> keysInSources() {
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
        file.open(QIODevice::ReadOnly);
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
    QSet<QString> keys = keysInSources();
    // The scan must find the lookups it is meant for.
    EXPECT_TRUE(keys.contains(QStringLiteral("Comm_Waiting_For_Answer")));
    EXPECT_TRUE(keys.contains(QStringLiteral("QueryEndProg")));
    for (const QString& key : kReferenceKeys)
        keys.insert(key);
    for (int button = 1; button <= MainWindow::ButtonCount; ++button)
        keys.insert("Menu_" + MainWindow::ToolbarCommandName(button) + ".ToolTip");
    keys.remove("Menu_???.ToolTip"); // the gaps between the buttons
    for (const char* section : {"Messages_GER", "Messages_ENG"})
        for (const QString& key : std::as_const(keys))
            EXPECT_FALSE(GetIniValue(kShipped, section, key, "").isEmpty())
                << section << " lacks " << key.toStdString();
}

TEST(ShippedKeys, TheTwoLanguagesDifferWhereATextIsLanguage) {
    // A text copied unchanged is a forgotten translation; one with fewer "&" loses a value.
    const QStringList keys = GetIniKeys(QStringLiteral("Messages_GER"), kShipped).mid(1);
    for (const QString& key : keys) {
        const QString ger = GetIniValue(kShipped, QStringLiteral("Messages_GER"), key, {});
        const QString eng = GetIniValue(kShipped, QStringLiteral("Messages_ENG"), key, {});
        EXPECT_FALSE(ger == eng && ger.count(' ') >= 2) << "untranslated " << key.toStdString();
        EXPECT_EQ(ger.count('&'), eng.count('&')) << key.toStdString();
    }
    EXPECT_GT(keys.size(), 40);
}

} // namespace
