// Text that reaches a box other than as a plain key, the mouse wheel, and the keyboard's ways.
#include "PageFixture.h"

#include "ui/KeyboardAccess.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <functional>

namespace zoz::test {
namespace {

using PageInput = PageFixture;

void commit(QLineEdit* box, const QString& preedit, const QString& text) {
    if (!preedit.isEmpty()) { // a dead key first shows what it waits to compose
        QInputMethodEvent composing(preedit, {});
        QApplication::sendEvent(box, &composing);
    }
    QInputMethodEvent done;
    done.setCommitString(text);
    QApplication::sendEvent(box, &done);
}

void paste(QLineEdit* box, const QString& text) {
    QApplication::clipboard()->setText(text);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(box, &key); // as the window system sends Ctrl+V
}

void wheel(QWidget* widget) {
    QWheelEvent turn(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &turn);
}

// What the key filter refuses stays out, whichever way it comes; what it lets through and what
// the program put there stay.
TEST_F(PageInput, OnlyWhatAKeyWouldGiveGetsIntoTheBoxes) {
    auto* name = find<QLineEdit>(2, QStringLiteral("txtInputDigital_0"));
    auto* version = find<QLineEdit>(9, QStringLiteral("txtQPLVersion"));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    // what, the box, its text before, the input, its text after
    const std::tuple<const char*, QLineEdit*, QString, std::function<void(QLineEdit*)>, QString>
        cases[] = {
            {"dead key ´ e", name, "ab", [](QLineEdit* b) { commit(b, "\u00B4", "\u00E9"); }, "ab"},
            {"input method", name, "\u00E4b", [](QLineEdit* b) { commit(b, {}, "x\u00A7\u00F1"); },
             "\u00E4bx\u00A7"},
            {"emoji key", name, "ab",
             [&](QLineEdit* b) {
                 QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, emoji);
                 QApplication::sendEvent(b, &key);
             },
             "ab"},
            {"paste", name, "ab", [&](QLineEdit* b) { paste(b, "1\u00E9" + emoji + "\t2"); },
             "ab12"},
            {"paste version", version, QString(), [](QLineEdit* b) { paste(b, "1a23"); }, "123"},
        };
    for (const auto& [what, box, before, input, after] : cases) {
        box->setText(before);
        EXPECT_EQ(box->text(), before) << what;
        box->setCursorPosition(before.size());
        input(box);
        EXPECT_EQ(box->text(), after) << what;
    }
}

// The wheel over a list without the focus leaves it alone; the tab strip never takes it.
TEST_F(PageInput, TheWheelChangesOnlyTheFocusedListAndNoTab) {
    auto* list = find<QComboBox>(4, QStringLiteral("cmbVolume"));
    list->setCurrentIndex(3);
    wheel(list);
    EXPECT_EQ(list->currentIndex(), 3);
    QWidget* page = pages->window(4);
    page->show();
    QApplication::setActiveWindow(page);
    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    wheel(list);
    EXPECT_EQ(list->currentIndex(), 4);

    MainWindow window(switches, *texts);
    KeyboardAccess keyboard(window, *texts);
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabData"));
    tabs->setCurrentIndex(2);
    wheel(tabs);
    EXPECT_EQ(tabs->currentIndex(), 2);
}

// The pages read their texts as the settings file was when they were made, also one built later.
TEST_F(PageInput, APageBuiltLaterShowsTheTextsOfStartUp) {
    build(defaultIni() + "[TabStrip_Monitor_ENG]\r\nPart01.Caption=Before\r\n");
    folder.writeIni(defaultIni() + "[TabStrip_Monitor_ENG]\r\nPart01.Caption=After\r\n");
    EXPECT_EQ(find<QGroupBox>(4, "fraContainerPart01")->title().trimmed(), "Before");
}

// Tab visits every enabled control of a page, group by group, in each group top to bottom and
// left to right (a control of the same row sits to the right of the one before).
TEST_F(PageInput, TabWalksEveryPageInReadingOrder) {
    for (int p = 1; p <= 9; ++p) {
        DataPage* page = pages->window(p);
        page->show();
        QApplication::setActiveWindow(page); // the focus goes to the first control
        const auto at = [page](QWidget* w) { return QRect(w->mapTo(page, QPoint()), w->size()); };
        const auto group = [page](QWidget* w) {
            while (w != page && !qobject_cast<QGroupBox*>(w))
                w = w->parentWidget();
            return w;
        };
        QList<QWidget*> seen, groups;
        for (QWidget* w = QApplication::focusWidget(); w && !seen.contains(w);
             QTest::keyClick(w, Qt::Key_Tab), w = QApplication::focusWidget()) {
            const QRect a = seen.isEmpty() ? QRect() : at(seen.last()), b = at(w);
            if (!seen.isEmpty() && group(w) == groups.last())
                EXPECT_FALSE(b.center().y() < a.top() ||
                             (b.center().y() <= a.bottom() && b.x() < a.x()))
                    << p << ": " << qPrintable(w->objectName()) << " after "
                    << qPrintable(seen.last()->objectName());
            else
                EXPECT_FALSE(groups.contains(group(w)))
                    << p << ": back to " << qPrintable(w->objectName());
            seen << w;
            groups << group(w);
        }
        for (QWidget* w : page->findChildren<QWidget*>())
            EXPECT_TRUE(seen.contains(w) || !w->isVisibleTo(page) || !w->isEnabled() ||
                        !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                << p << ": Tab misses " << qPrintable(w->objectName());
        page->hide();
    }
}

// Marks not by colour alone: the tab of a page holding a marked control shows a picture (its text
// stays), and the status field, reached with Tab, opens Compare with Enter and Space.
TEST_F(PageInput, MarkedPagesShowOnTheirTabsAndTheStatusFieldOpensCompare) {
    MainWindow window(switches, *texts);
    KeyboardAccess keyboard(window, *texts);
    window.BuildTabStrip();
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("TabData"));
    QWidget* third = window.pageWindows().at(2);
    for (const QList<QWidget*>& marked : {QList<QWidget*>{third->findChild<QWidget*>()}, {}}) {
        keyboard.markPages(marked);
        for (int j = 0; j < tabs->count(); ++j)
            EXPECT_EQ(tabs->tabIcon(j).isNull(), marked.isEmpty() || j != 2) << j;
    }

    auto* field = new QLabel(QStringLiteral("2 changes"));
    window.statusBar()->addPermanentWidget(field);
    int opened = 0;
    keyboard.start(field, [&opened] { ++opened; });
    window.show();
    QApplication::setActiveWindow(&window);
    window.FocusTabStrip();
    for (int i = 0; i < 100 && QApplication::focusWidget() != field; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), field);
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(opened, 2);
}

} // namespace
} // namespace zoz::test
