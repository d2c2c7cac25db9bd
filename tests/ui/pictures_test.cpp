// Every picture of a button is there at the size it is shown and at twice that size: this
// executable runs at a scale factor of 2, as on a HiDPI screen.
#include "dataset/DataStore.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedUi.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "widgets/ChooseDialog.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const bool scaled = qputenv("QT_SCALE_FACTOR", "2"); // before main() makes the application

// Our buttons without text (not Qt's own arrows, not the disabled spacers) at 1x and 2x: a
// missing or mis-sized picture shows as a null or smaller pixmap.
int expectPictures(const QWidget* parent) {
    int shown = 0;
    for (const QToolButton* b : parent->findChildren<QToolButton*>()) {
        const QString name = b->objectName();
        if (!b->isEnabled() || !b->text().isEmpty() || name.startsWith(QLatin1String("qt_")) ||
            name.startsWith(QLatin1String("Scroll")))
            continue;
        for (const qreal dpr : {1.0, 2.0})
            EXPECT_EQ(b->icon().pixmap(b->iconSize(), dpr).size(), b->iconSize() * dpr)
                << name.toStdString() << " @" << dpr;
        ++shown;
    }
    return shown;
}

} // namespace

TEST(Pictures, EveryButtonPictureIsSharpAtOneAndTwiceTheScale) {
    ASSERT_TRUE(scaled && qApp->devicePixelRatio() == 2.0);
    test::ProgramFolder dir;
    Switches switches;
    Texts texts(dir.writeIni("[Main]\r\nLanguage=ENG\r\n"));
    MainWindow window(switches, texts);
    EXPECT_EQ(expectPictures(&window), 11);
    SplashWindow splash;
    EXPECT_EQ(splash.findChild<QLabel*>("picLogo")->pixmap().size(), QSize(240, 120));
    for (const bool xp : {false, true}) {
        switches.XPLook = xp;
        DataStore store;
        ChooseDialog chooser(texts);
        test::ScriptedUi ui;
        DataPages pages(
            store, switches, texts, ui, [&]() -> ChooseDialog& { return chooser; }, nullptr);
        pages.RefreshPages(); // the snapshot switches show their state from here on
        int shown = 0;
        for (int n = 1; n <= 9; ++n)
            shown += expectPictures(pages.page(n));
        const QRegularExpression switchButton(QStringLiteral("^Button[12]$"));
        for (QToolButton* b : pages.page(7)->findChildren<QToolButton*>(switchButton))
            QTest::mouseClick(b, Qt::LeftButton); // their other pictures
        expectPictures(pages.page(7));
        EXPECT_GT(shown, 40);
    }
}
