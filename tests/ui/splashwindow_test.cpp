#include "ui/SplashWindow.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

VersionInfo bareInfo() {
    VersionInfo info;
    info.productName = QStringLiteral("VX418 ZozEdud");
    info.major = 2;
    info.minor = 7;
    info.revision = 13;
    return info;
}

TEST(SplashWindowTest, SplashShowsOnlyTheLogoWithTheVersion) {
    SplashWindow splash;
    splash.setStartUpSplash(true);
    splash.show();
    auto* logo = splash.findChild<QLabel*>(QStringLiteral("picLogo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->pos(), QPoint(0, 0));
    EXPECT_EQ(splash.size(), logo->size());
    EXPECT_FALSE(splash.findChild<QWidget*>(QStringLiteral("cmdOk"))->isVisible());
    EXPECT_FALSE(splash.findChild<QWidget*>(QStringLiteral("txtInfo"))->isVisible());
    EXPECT_EQ(splash.findChild<QLabel*>(QStringLiteral("lblInfo1"))->text(),
              QStringLiteral("V%1.%2.%3")
                  .arg(ZOZ_VERSION_MAJOR)
                  .arg(ZOZ_VERSION_MINOR)
                  .arg(ZOZ_VERSION_REVISION));
    splash.hide();
}

TEST(SplashWindowTest, AboutAfterSplashGetsTheDesignedLayoutBack) {
    SplashWindow window;
    window.setStartUpSplash(false);
    window.show();
    const QSize designed = window.size();
    const QPoint logoAt = window.findChild<QLabel*>(QStringLiteral("picLogo"))->pos();
    window.hide();
    window.setStartUpSplash(true);
    window.show();
    window.hide();
    window.setStartUpSplash(true);
    window.show(); // a second splash must not take the splash size for the design
    window.hide();
    window.setStartUpSplash(false);
    window.show();
    EXPECT_EQ(window.size(), designed);
    EXPECT_GT(designed.width(), window.findChild<QLabel*>(QStringLiteral("picLogo"))->width());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("picLogo"))->pos(), logoAt);
    EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("cmdOk"))->isVisible());
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblInfo1"))->text().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Info zu VX418 ZozEdud"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblInternet"))->toolTip(),
              QStringLiteral("Internet:  https://www.example.org/zozedud"));
    window.hide();
}

TEST(SplashWindowTest, InfoTextHasTheProductLineAndTheNonEmptyItems) {
    SplashWindow window;
    window.setVersionInfo(bareInfo());
    window.FillInfoText();
    EXPECT_EQ(window.infoText(), QStringLiteral("VX418 ZozEdud  V2.7.13"));

    VersionInfo info = bareInfo();
    info.fileDescription = QStringLiteral("eins<cr>zwei<cr>drei");
    info.companyName = QStringLiteral("Firma<tab>A<tab>B");
    info.comments = QStringLiteral("<tab><cr>");
    window.setVersionInfo(info);
    window.FillInfoText();
    EXPECT_EQ(window.infoText(), QStringLiteral("VX418 ZozEdud  V2.7.13\r\neins\r\nzwei\r\ndrei\r\n"
                                                "Firma\tA\tB\r\n\t\r\n"));
    EXPECT_EQ(window.findChild<QPlainTextEdit*>(QStringLiteral("txtInfo"))->toPlainText(),
              QStringLiteral("VX418 ZozEdud  V2.7.13\neins\nzwei\ndrei\nFirma\tA\tB\n\t\n"));
}

TEST(SplashWindowTest, AltShowsDetailsEscapeAndOkClose) {
    SplashWindow window;
    window.setStartUpSplash(false);
    window.show();
    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(window.ShowDetails());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.ShowDetails());
    EXPECT_EQ(window.result(), QDialog::Accepted);

    // Modal as the about window: OK ends exec(). Showing runs pending events once, so the click
    // waits until the dialog's own loop runs.
    QTimer::singleShot(100, &window, [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), &window);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
}

TEST(SplashWindowTest, ClickOnTheAddressOpensIt) {
    SplashWindow window;
    QList<QUrl> opened;
    window.setLinkOpener([&](const QUrl& url) { opened.append(url); });
    window.setStartUpSplash(false);
    window.show();
    QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("lblInternet")), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://www.example.org/zozedud")));
    EXPECT_EQ(opened[0].host(), QStringLiteral("www.example.org"));
}

TEST(SplashWindowTest, BorderIsEtchedOnAllSidesAtTheInset) {
    QImage image(40, 30, QImage::Format_RGB32);
    const QRgb background = qRgb(10, 200, 10);
    image.fill(background);
    SplashWindow::DrawBorder(image, 2);
    // Outside the inset nothing is drawn; on every side of the rectangle the edge is.
    EXPECT_EQ(image.pixel(1, 1), background);
    EXPECT_EQ(image.pixel(38, 28), background);
    EXPECT_NE(image.pixel(20, 2), background);
    EXPECT_NE(image.pixel(2, 15), background);
    EXPECT_NE(image.pixel(37, 15), background);
    EXPECT_NE(image.pixel(20, 27), background);
    EXPECT_EQ(image.pixel(20, 15), background);
    // Etched: the outer and the inner line differ in shade.
    EXPECT_NE(image.pixel(20, 2), image.pixel(20, 3));
}

} // namespace
