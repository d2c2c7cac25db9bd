// page-screenshots <settings file> <output folder>: renders the nine data pages, filled with a
// sample configuration, in German and English to <page>_<ger|eng>.png; then the change marks,
// Compare and History in English.
#include "app/ConsoleUserInterface.h"
#include "dataset/ControllerCopy.h"
#include "dataset/DataStore.h"
#include "dataset/EditorDocument.h"
#include "dataset/FieldCatalog.h"
#include "files/HistoryStore.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "pages/NamesPage.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/ChangeTracker.h"
#include "ui/CompareWindow.h"
#include "ui/HistoryWindow.h"
#include "widgets/ChooseDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <utility>

namespace {

void sampleData(zoz::DataStore& store, const QString& folder) {
    using zoz::DataSet;
    zoz::DataSet& d = store.DataSet;
    const char* const digital[16] = {"Kick",  "Snare", "HiHat", "Tom 1", "Tom 2",  "OH L",
                                     "OH R",  "Bass",  "Git 1", "Git 2", "Keys L", "Keys R",
                                     "Vox 1", "Vox 2", "Choir", "Talk"};
    for (int i = 1; i <= 16; ++i)
        d.ChannelName(1, i) = QString::fromLatin1(digital[i - 1]);
    for (int i = 1; i <= 8; ++i) {
        d.ChannelName(2, i) = QStringLiteral("Mic %1").arg(i);
        d.ChannelName(3, i) = QStringLiteral("ADAT %1").arg(i);
    }
    for (int i = 1; i <= 4; ++i) {
        d.ChannelName(4, i) = QStringLiteral("Ext %1").arg(i);
        d.ChannelName(5, i) = QStringLiteral("Bus %1").arg(i);
    }
    for (int r = 1; r <= 6; ++r) {
        d.Layer.LayerA[r] = static_cast<qint16>(100 + 2 * (r - 1) + (r % 2 == 0 ? 1 : 0));
        d.Layer.LayerB[r] = static_cast<qint16>(r <= 4 ? 200 + r - 1 : 0);
        d.Layer.LayerC[r] = static_cast<qint16>(300 + r - 1);
        d.Layer.LayerD[r] = static_cast<qint16>(r == 1 ? 112 : r == 2 ? 113 : 0);
    }
    d.Monitor.MonMode[1] = 1;
    d.Monitor.MonVolume = 20;
    d.Monitor.MonKanal = 0;
    d.Monitor.MonAbgriff[1] = 1;
    d.Monitor.Peakmeter[2] = 1;
    d.Monitor.ExtMon = {0, 400, 401, 402, 403};
    d.GPIO.GPIOInput = {0, 100, 101, 102, 0};
    for (int i = 1; i <= 16; ++i)
        d.GPIO.GPIOOutput[i] = static_cast<qint16>(i <= 12 ? 99 + i : 0);
    d.Editor.Control[1] = 1;
    const int rows[12] = {1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4};
    for (int s = 1; s <= 12; ++s)
        d.Editor.MachSource(s)[rows[s - 1]] = 1;
    d.Editor.Frames = 0;
    d.Editor.Channels = 1;
    for (int i = 1; i <= 8; ++i) {
        d.SnapShot.SnapShotSwitch1[i] = static_cast<qint16>(i % 2);
        d.SnapShot.SnapShotSwitch2[i] = static_cast<qint16>(i <= 4 ? 1 : 0);
        if (i <= 5)
            d.SnapShot.SnapShotFile[i] = folder + QStringLiteral("/Show%1.CNS").arg(i);
    }
    d.SnapShot.SnapShotGroupFile = folder + QStringLiteral("/Season.CNG");
    d.SnapShot.StartUpConf = 1;
    for (int i = 1; i <= 9; ++i) {
        d.FBox.FBoxInput[i] = static_cast<qint16>(i <= 6 ? 99 + i : 0);
        d.FBox.FBoxOutput[i] = static_cast<qint16>(i <= 7 ? 100 + i : 0);
    }
    const char* const status[6] = {"QPL 418",      "Firmware 2.04", "V2.0 build 117",
                                   "SN 0418-2211", "1234 h",        "none"};
    for (int i = 1; i <= 6; ++i)
        store.StatusText[i] = QString::fromLatin1(status[i - 1]);
    store.QPLVersion = QStringLiteral("2004");
}

bool save(QWidget* widget, const QString& file) {
    widget->show();
    QApplication::processEvents();
    const bool ok = widget->grab().save(file);
    std::printf("%s\n", qPrintable(file));
    widget->hide();
    return ok;
}

// The change marks on the Names and Monitor pages with the status field, the compare window and
// the history window: the sample configuration is the controller's copy, two edits are not sent
// yet, and one value the pages cannot show counts as a third.
bool historyShots(zoz::DataStore& store, zoz::Switches& switches, zoz::Texts& texts,
                  zoz::DataPages& pages, const QString& out) {
    // The controller holds a monitor volume the Monitor page cannot show: marked there with the
    // controller's value and counted as a change not sent.
    store.DataSet.Monitor.MonVolume = 60;
    pages.RefreshPages();
    zoz::EditorDocument document;
    document.copy().adopt(store.DataSet, zoz::ControllerCopy::Origin::Received,
                          QStringLiteral("/dev/ttyS0"),
                          QDateTime(QDate(2026, 12, 7), QTime(9, 30, 12)));
    zoz::FieldCatalog catalog(texts, store);
    zoz::ChangeTracker tracker(
        store, switches, texts, document, [&]() -> const zoz::FieldCatalog& { return catalog; },
        [&] { return &pages; });
    pages.namesPage()->group(1).at(1)->setText(QStringLiteral("Snare 2"));
    pages.namesPage()->group(3).at(2)->setText(QStringLiteral("Vox 1"));
    const zoz::DataSet edited = tracker.editorSet();
    tracker.updateMarks();
    // Each page above the status bar with its status field, as in the main window.
    const auto marks = [&](int page, const QString& file) {
        QWidget shot;
        auto* layout = new QVBoxLayout(&shot);
        layout->setContentsMargins(0, 0, 0, 0);
        zoz::DataPage* data = pages.page(page);
        data->resize(zoz::DataPage::DesignWidth, data->height());
        layout->addWidget(data);
        data->show(); // hidden since its own picture
        auto* bar = new QStatusBar(&shot);
        bar->addPermanentWidget(tracker.statusField());
        layout->addWidget(bar);
        shot.resize(zoz::DataPage::DesignWidth, shot.sizeHint().height());
        const bool saved = save(&shot, out + file);
        tracker.statusField()->setParent(nullptr);
        data->setParent(nullptr);
        return saved;
    };
    bool ok = marks(2, QStringLiteral("/marks_eng.png"));
    ok = marks(4, QStringLiteral("/marks_monitor_eng.png")) && ok;

    zoz::DataSet older = store.DataSet;
    older.Layer.LayerB[2] = 104;
    std::swap(older.Monitor.MonMode[1], older.Monitor.MonMode[2]); // an option group: one row
    // A controller copy one step older than the edited set; no files, nothing taken or sent.
    struct Shown : zoz::CompareSources {
        Shown(const zoz::DataSet& edited, const zoz::DataSet& older)
            : edited(edited), older(older) {}
        zoz::DataSet editorSet() const override { return edited; }
        std::optional<zoz::DataSet> controllerSet(QString* title, QString* header) override {
            *title = QStringLiteral("QPL (received 2026-12-07 09:30:12 from /dev/ttyS0)");
            *header = QStringLiteral("QPL, received 09:30:12");
            return older;
        }
        QString chooseFile() override { return {}; }
        std::optional<zoz::DataSet> readFile(const QString&) override { return std::nullopt; }
        void takeIntoEditor(const zoz::DataSet&) override {}
        void sendToController(const zoz::DataSet&) override {}
        const zoz::DataSet& edited;
        const zoz::DataSet& older;
    } shown{edited, older};
    zoz::CompareWindow compare(texts, catalog, shown);
    compare.compareWithController();
    ok = save(&compare, out + QStringLiteral("/compare_eng.png")) && ok;

    QTemporaryDir dir;
    zoz::HistoryStore history(dir.filePath(QStringLiteral("History")));
    const QDateTime t0(QDate(2026, 12, 7), QTime(9, 12, 40));
    history.write(older, zoz::HistoryEntry::Direction::Received, t0, 500, nullptr);
    history.write(store.DataSet, zoz::HistoryEntry::Direction::Sent, t0.addSecs(1075), 500,
                  nullptr);
    history.write(store.DataSet, zoz::HistoryEntry::Direction::Received, t0.addSecs(1052 + 60 * 17),
                  500, nullptr);
    const QDateTime kept = t0.addSecs(2400);
    QFile unsent(history.keepUnsent(edited, kept, QString(), nullptr));
    if (unsent.open(QIODevice::ReadWrite)) // kept then, not when this picture is taken
        unsent.setFileTime(kept, QFileDevice::FileModificationTime);
    zoz::HistoryWindow window(texts, catalog, history, [&] { return edited; });
    window.reload();
    return save(&window, out + QStringLiteral("/history_eng.png")) && ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: page-screenshots <settings file> <output folder>\n");
        return 2;
    }
    const QString ini = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const char* const names[9] = {"status", "name",     "layer", "monitor", "gpio",
                                  "editor", "snapshot", "fbox",  "system"};
    for (const QString& language : {QStringLiteral("GER"), QStringLiteral("ENG")}) {
        zoz::Texts texts(ini);
        texts.setLanguage(language);
        zoz::Switches switches;
        switches.IniFileName = ini;
        switches.ProgramFolder = QFileInfo(ini).absolutePath();
        switches.Language = language;
        switches.NotDefinedText = texts.message(QStringLiteral("NotDefined"));
        switches.InitDone = true;
        zoz::DataStore store;
        sampleData(store, switches.ProgramFolder);
        zoz::ChooseDialog chooser(texts);
        zoz::ConsoleUserInterface quiet; // no cursor, no tab strip
        zoz::DataPages pages(
            store, switches, texts, quiet, [&]() -> zoz::ChooseDialog& { return chooser; },
            nullptr);
        pages.RefreshPages();
        for (int p = 1; p <= 9; ++p) {
            zoz::DataPage* page = pages.page(p);
            page->resize(zoz::DataPage::DesignWidth, page->height());
            page->show();
            page->layout()->activate();
            QApplication::processEvents();
            const QString file =
                QStringLiteral("%1/%2_%3.png")
                    .arg(out, QString::fromLatin1(names[p - 1]), language.toLower());
            if (!page->grab().save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
            std::printf("%s\n", qPrintable(file));
            page->hide();
        }
        if (language == QLatin1String("ENG") && !historyShots(store, switches, texts, pages, out))
            return 1;
    }
    return 0;
}
