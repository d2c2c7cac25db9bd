#include "app/Texts.h"
#include "log/AppLog.h"
#include "ui/ProtoTextBox.h"
#include "ui/ProtoWindow.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zoz;

namespace {
void writeIni(const QString& path, const QByteArray& caption) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("[Messages_ENG]\r\nForm_Proto.Caption=" + caption +
            "\r\nForm_Proto.ToolTip=All events\r\n");
}
} // namespace

TEST(ProtoWindow, ReadsCaptionAndToolTipOnceOnFirstShow) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("zozedud.Ini");
    writeIni(ini, "Protocol");
    Texts texts(ini);
    texts.setLanguage("ENG");
    ProtoWindow w(texts);
    EXPECT_EQ(w.objectName(), "frmProto");
    EXPECT_EQ(w.windowTitle(), "Protokoll");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol");
    EXPECT_EQ(w.txtProto()->toolTip(), "All events");
    QTest::mouseClick(w.cmdOk(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    writeIni(ini, "Changed");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol"); // not read again
}

TEST(ProtoWindow, WithoutALanguageKeepsTheDesignedCaption) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("zozedud.Ini");
    writeIni(ini, "Protocol");
    Texts texts(ini);
    ProtoWindow w(texts);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protokoll");
    EXPECT_FALSE(w.textsSet());
    texts.setLanguage("ENG");
    w.hide();
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol");
}

TEST(ProtoWindow, TheTextBoxIsTheLogsSinkAlsoWhileHidden) {
    QTemporaryDir dir;
    Texts texts(dir.filePath("zozedud.Ini"));
    ProtoWindow w(texts);
    AppLog log(dir.path(), "zozedud");
    log.OpenLog(QString(), w.txtProto());
    log.WriteLog(QStringLiteral("  first line"));
    log.WriteLog(QStringLiteral("  second line"));
    const QString text = w.txtProto()->text();
    EXPECT_TRUE(text.contains("first line\r\n"));
    EXPECT_LT(text.indexOf("first line"), text.indexOf("second line"));
    const QString shown = w.txtProto()->toPlainText();
    EXPECT_EQ(shown.count('\n'), text.count("\r\n") - 1); // one line per logged line
    EXPECT_FALSE(shown.contains('\r'));
}
