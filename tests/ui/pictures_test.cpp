// Every picture the editor shows (toolbar, window icon, splash, page buttons) is there at the
// size it is shown, and at twice that size for a HiDPI screen: this executable runs at a scale
// factor of 2, so icons pick up their @2x pictures as on such a screen.
#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "support/ProgramFolder.h"
#include "ui/ChooseDialog.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Before main() makes the application.
const bool scaled = qputenv("QT_SCALE_FACTOR", "2");

// A picture shown smaller than its button asks for, or not at all, is a missing or mis-sized file.
void expectSharp(const QIcon& icon, QSize size, const QString& what) {
    for (const qreal dpr : {1.0, 2.0})
        EXPECT_EQ(icon.pixmap(size, dpr).size(), size * dpr) << what.toStdString() << " @" << dpr;
}

// Buttons with neither text nor picture would show as blank squares; disabled ones are spacers.
// Qt's own (toolbar extension, tab scrolling) draw their style's arrows.
int expectButtonPictures(const QWidget* parent, const QString& where) {
    int shown = 0;
    for (const QToolButton* b : parent->findChildren<QToolButton*>()) {
        const QString name = b->objectName();
        if (b->isEnabled() && b->text().isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
            !name.startsWith(QLatin1String("Scroll"))) {
            expectSharp(b->icon(), b->iconSize(), where + QLatin1Char('/') + name);
            ++shown;
        }
    }
    return shown;
}

} // namespace

TEST(Pictures, EveryShownPictureIsSharpAtOneAndTwiceTheScale) {
    ASSERT_TRUE(scaled);
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    test::ProgramFolder dir;
    Switches switches;
    switches.ProgramFolder = dir.path(QString());
    Texts texts(dir.writeIni("[Main]\r\nLanguage=ENG\r\n"));
    texts.setLanguage(QStringLiteral("ENG"));

    MainWindow window(switches, texts);
    EXPECT_EQ(expectButtonPictures(&window, QStringLiteral("toolbar")), 11);
    expectSharp(window.windowIcon(), QSize(240, 120), QStringLiteral("window icon"));
    SplashWindow splash;
    const QLabel* logo = splash.findChild<QLabel*>(QStringLiteral("picLogo"));
    EXPECT_EQ(logo->pixmap().size(), QSize(240, 120));
    EXPECT_NE(logo->pixmap().toImage().pixel(120, 60), logo->pixmap().toImage().pixel(1, 1));

    for (const bool xp : {false, true}) {
        switches.XPLook = xp;
        DataStore store;
        ChooseDialog chooser(texts);
        DataPages pages(store, switches, texts, chooser, nullptr);
        pages.RefreshPages(); // the snapshot switches show their state from here on
        int shown = 0;
        for (int n = 1; n <= 9; ++n)
            shown += expectButtonPictures(pages.page(n), QStringLiteral("page %1").arg(n));
        // The snapshot switches show their other pictures once flipped.
        for (QToolButton* b : pages.page(7)->findChildren<QToolButton*>(QStringLiteral("Button1")))
            QTest::mouseClick(b, Qt::LeftButton);
        for (QToolButton* b : pages.page(7)->findChildren<QToolButton*>(QStringLiteral("Button2")))
            QTest::mouseClick(b, Qt::LeftButton);
        expectButtonPictures(pages.page(7), QStringLiteral("flipped"));
        EXPECT_GT(shown, 40) << "xp " << xp;
    }
}
