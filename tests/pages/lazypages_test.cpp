// Pages build their controls when first needed: what a take-over gives does not depend on when a
// page was built, and start-up builds only the pages it shows or reads.
#include "dataset/DataSetImage.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "pages/EditorPage.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedUi.h"
#include "support/SimProcess.h"
#include "ui/Application.h"
#include "ui/ChangeTracker.h"
#include "ui/MainWindow.h"
#include "widgets/ChooseDialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Values the controls take as they are (first) and values they refuse, cut or normalise (second),
// so that the result of the second refresh depends on what the first left in the controls.
DataSet first() {
    DataSet d;
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
            d.ChannelName(g, i) = QStringLiteral("A%1-%2").arg(g).arg(i);
    d.Layer.LayerA = {0, 101, 305, 402, 0, 203, 999};
    d.Monitor = {{0, 0, 1, 0, 0}, 3, 1, {}, {}, {0, 302, 305, 401, 104}};
    d.Editor.Frames = d.Editor.Channels = 1;
    d.GPIO.GPIOInput = {0, 1, 5, 0, 77};
    d.SnapShot.StartUpConf = 4;
    d.SnapShot.SnapShotFile[2] = QStringLiteral("one.CNS");
    return d;
}

DataSet second(const QString& folder) {
    DataSet d = first();
    d.ChannelName(3, 6) = QStringLiteral("   ");                      // blank: cell 305 empties
    d.ChannelName(4, 2) = QString::fromLatin1("Ex\0tra", 6);          // cut at the NUL
    d.ChannelName(1, 2) = QStringLiteral("Digital2");                 // eight characters
    d.Monitor.MonVolume = 900;                                        // refused: 3 stays
    d.Monitor.MonMode = {0, 1, 1, 1, 1};                              // keep-one group
    d.Editor.Frames = 40;                                             // refused: 1 stays
    d.Editor.MachSource(4) = {0, 1, 1, 0, 1, 0};                      // one per row
    d.GPIO.GPIOOutput[2] = 999;                                       // not in the list
    d.SnapShot.StartUpConf = 12;                                      // refused: 4 stays
    d.SnapShot.SnapShotFile[2] = folder + QStringLiteral("/two.CNS"); // shown without folder
    d.SnapShot.SnapShotGroupFile = QString::fromLatin1("grp\0x", 5);
    return d;
}

// The store, the chooser and the nine pages on a settings file with GPIO lists.
struct Pages {
    explicit Pages(const QString& folder) : texts(folder + QStringLiteral("/zozedud.Ini")) {
        switches.ProgramFolder = folder;
        texts.setLanguage(QStringLiteral("ENG"));
        switches.NotDefinedText = QStringLiteral("- none -");
    }
    Switches switches;
    Texts texts;
    DataStore store;
    ChooseDialog chooser{texts};
    test::ScriptedUi ui;
    DataPages pages{store,  switches, texts, ui, [this]() -> ChooseDialog& { return chooser; },
                    nullptr};
};

// Refresh with the first set, refresh with the second, type a name, take over; `early` pages are
// built before the first refresh, `between` (shown) after it.
QByteArray refreshRefreshTakeOver(const QString& folder, const QList<int>& early, int between) {
    Pages p(folder);
    for (int n : early)
        p.pages.page(n);
    p.store.DataSet = first();
    p.store.StatusText[2] = QString::fromLatin1("st\0at", 5);
    p.store.QPLVersion = QStringLiteral("0123");
    p.pages.RefreshPages();
    if (between > 0)
        p.pages.window(between)->show();
    p.store.DataSet = second(folder);
    p.store.StatusText[2] = QStringLiteral("status two");
    p.pages.RefreshPages();
    // A name typed after the refresh reaches Layer and Monitor only with the next refresh.
    QTest::keyClicks(p.pages.page(2)->findChild<QLineEdit*>("txtInputAdat_5"), "Xy");
    p.pages.TakeOverPages();
    QByteArray monitor; // the names Monitor shows are those of the last refresh
    for (const QLineEdit* box : p.pages.page(4)->findChildren<QLineEdit*>())
        monitor += box->text().toUtf8() + '|';
    return DataSetImage::Write(p.store.DataSet) + p.store.StatusText[2].text().toUtf8() +
           p.store.QPLVersion.text().toUtf8() + monitor;
}

TEST(LazyPages, TakeOverIsTheSameWhenEverAPageWasBuilt) {
    test::ProgramFolder dir;
    dir.writeIni("[GPIO_Input_Data_ENG]\r\n1=Start\r\n5=Stop\r\n"
                 "[GPIO_Output_Data_ENG]\r\n3=Tally\r\n21=Mute\r\n");
    const QString folder = dir.path(QString());
    // All pages built from the start: the program as it was before pages became lazy.
    const QByteArray expected = refreshRefreshTakeOver(folder, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0);
    ASSERT_NE(expected.left(DataSetImage::Size), DataSetImage::Write(second(folder)))
        << "the data must hold values the controls change";
    EXPECT_EQ(refreshRefreshTakeOver(folder, {}, 0), expected) << "all built at the take-over";
    for (int page = 1; page <= 9; ++page) {
        EXPECT_EQ(refreshRefreshTakeOver(folder, {page}, 0), expected) << "early " << page;
        EXPECT_EQ(refreshRefreshTakeOver(folder, {}, page), expected) << "between " << page;
    }
}

// A take-over held for unbuilt pages (the history's start-up baseline) gives the values of its
// own moment, also when a newer refresh comes before the pages are built.
TEST(LazyPages, HeldTakeOverKeepsItsMoment) {
    test::ProgramFolder dir;
    const QString folder = dir.path(QString());
    const auto takeOver = [&](bool later, int built = 0) {
        Pages p(folder);
        if (!later)
            p.pages.TakeOverPages(); // builds every page
        p.store.DataSet = second(folder);
        p.pages.RefreshPages();
        if (!later) {
            p.pages.TakeOverPages();
            return DataSetImage::Write(p.store.DataSet);
        }
        if (built > 0) // a page built before the held take-over gives its part at once
            p.pages.ensureBuilt(p.pages.page(built));
        QByteArray image;
        p.pages.TakeOverPagesLater(
            [&](const DataStore& held) { image = DataSetImage::Write(held.DataSet); });
        p.store.DataSet = first();
        p.pages.RefreshPages();
        p.pages.TakeOverPages();
        return image;
    };
    const QByteArray expected = takeOver(false);
    EXPECT_NE(expected, DataSetImage::Write(second(folder)));
    for (int built = 0; built <= 9; ++built)
        EXPECT_EQ(takeOver(true, built), expected) << "built before: " << built;
}

// Start-up to "Ready" builds the shown page only; the first look at another page builds the rest,
// and undo still ends at the start-up set.
TEST(LazyPages, StartUpBuildsOnlyWhatItShowsOrReads) {
    test::SimProcess sim;
    test::ProgramFolder folder;
    folder.writeIni("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                    "RequestStatus=no\r\nRequestData=no\r\nShowMsgBox=no\r\nLanguage=ENG\r\n"
                    "XPLook=yes\r\n[Comm]\r\nPort=" +
                    sim.device().toLocal8Bit() + "\r\n");
    DataSet data = first();
    data.Monitor.MonVolume = 900; // refused by its list: the take-over changes it
    data.ChannelName(2, 1) = QString::fromLatin1("ab\0cd", 5); // the check reads the box: "ab"
    folder.write("default.DAT", DataSetImage::Write(data));
    Application app(Application::Options{folder.path("zozedud"), {}});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    // Nor what start-up does not show: the text boxes of the about and protocol windows, the
    // choose dialog's list, the transfer dialog.
    for (const QWidget* w : QApplication::allWidgets())
        EXPECT_FALSE(w->inherits("QPlainTextEdit") || w->inherits("QListWidget") ||
                     w->inherits("zoz::CommDialog"))
            << w->metaObject()->className();
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(app.pages().window(n)->isBuilt(), n == 1) << "page " << n;
        EXPECT_EQ(app.pages().window(n)->number(), n);
    }
    EXPECT_TRUE(app.pages().editorPage()->isBuilt()); // asking for a page builds it
    EXPECT_EQ(app.dataStore().DataSet.ChannelName(2, 1).trimmedRight(), QStringLiteral("ab"));
    // A click on another tab synchronises: every page is built and taken over. The refused
    // value is normalised as at the start-up baseline, so there is nothing to undo.
    auto* tabs = app.mainWindow().findChild<QTabBar*>(QStringLiteral("TabData"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.pages().window(9)->isBuilt());
    // The XP look reaches a page built after start-up: captions padded, the page's frame flat.
    int padded = 0;
    for (const QGroupBox* frame : app.pages().window(9)->findChildren<QGroupBox*>()) {
        if (frame->objectName() == "fraTab")
            EXPECT_TRUE(frame->isFlat() && frame->title().isEmpty());
        else if (!frame->title().trimmed().isEmpty())
            padded += frame->title().size() == 150 ? 1 : -100;
    }
    EXPECT_GT(padded, 0);
    for (int n = 1; n <= 9; ++n) // and every drop-down button its picture
        for (const QToolButton* b : app.pages().window(n)->findChildren<QToolButton*>())
            EXPECT_TRUE(b->parent()->inherits("QToolBar") || b->property("Picture") == "picXP")
                << n << b->objectName().toStdString();
    EXPECT_EQ(app.dataStore().DataSet.Monitor.MonVolume, 0);
    EXPECT_FALSE(app.mainWindow().findChild<QAction*>(QStringLiteral("actUndo"))->isEnabled());
    QAccessible::setActive(true); // a screen reader names the controls; labels say what they show
    EXPECT_FALSE(app.pages().window(2)->findChild<QLineEdit*>()->accessibleName().isEmpty());
    for (int n = 1; n <= 9; ++n)
        for (const QLabel* label : app.pages().window(n)->findChildren<QLabel*>())
            EXPECT_EQ(label->accessibleName(), "") << n << label->objectName().toStdString();
    QAccessible::setActive(false);
}

// Requesting the data set at start-up still builds only the shown page; the set that arrives is
// the controller's copy, so a volume the Monitor page cannot show counts as a change not sent.
TEST(LazyPages, StartUpWithRequestDataBuildsOnlyTheShownPage) {
    test::ProgramFolder folder;
    test::SimProcess sim(test::SimProcess::withDataSet(folder.path("set.hex"), {{346, "\x3D"}}));
    folder.writeIni("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                    "RequestStatus=no\r\nRequestData=yes\r\nShowMsgBox=no\r\nLanguage=ENG\r\n"
                    "[Comm]\r\nTimerInterval=20\r\nPort=" +
                    sim.device().toLocal8Bit() + "\r\n");
    folder.write("default.DAT", DataSetImage::Write(first()));
    Application app(Application::Options{folder.path("zozedud"), {}});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(app.pages().window(n)->isBuilt(), n == 1) << "page " << n;
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.editorHistory().controllerCopy().known(); }));
    EXPECT_EQ(app.editorHistory().controllerCopy().dataSet().Monitor.MonVolume, 60);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return app.editorHistory().tracker()->changesNotSent().size() == 1; }));
}

} // namespace
