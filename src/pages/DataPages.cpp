#include "pages/DataPages.h"

#include "app/IniFile.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "pages/AssignBox.h"
#include "pages/EditorPage.h"
#include "pages/FBoxPage.h"
#include "pages/GpioPage.h"
#include "pages/LayerPage.h"
#include "pages/MonitorPage.h"
#include "pages/NamesPage.h"
#include "pages/SnapShotPage.h"
#include "pages/StatusPage.h"
#include "pages/SystemPage.h"
#include "pages/ValueCheckBox.h"
#include "ui/ChooseDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <stdexcept>

// Resources of a static library are registered by hand, outside any namespace.
static void initPageResources() {
    Q_INIT_RESOURCE(pages);
}

namespace zoz {

namespace {

// Every statement of a copy runs on its own: one that fails (an index outside its array, a value
// a control refuses) is skipped and the next one runs.
template <typename F> void step(F&& statement) {
    try {
        statement();
    } catch (const std::exception&) {
    }
}

template <typename T> T& at(QList<T>& list, int index) {
    if (index < 0 || index >= list.size())
        throw std::out_of_range("control index");
    return list[index];
}

template <typename T> const T& at(const QList<T>& list, int index) {
    if (index < 0 || index >= list.size())
        throw std::out_of_range("control index");
    return list[index];
}

// A text box shows a text up to its first code-0 character.
QString shown(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// Blanks only, as the fixed-width fields pad with blanks; other white space is kept.
QString rightTrimmed(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString trimmedBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return rightTrimmed(text.mid(start));
}

// A number rounded to a 16-bit integer (halves to even); out of range fails the statement.
qint16 toInteger(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded > 32767 || rounded < -32768)
        throw std::range_error("overflow");
    return static_cast<qint16>(rounded);
}

void setListIndex(QComboBox* list, int index) {
    if (index < -1 || index >= list->count())
        throw std::out_of_range("list index");
    list->setCurrentIndex(index);
}

QStringList splitList(const QString& text) {
    QStringList fields = text.split(QLatin1Char('|'));
    for (QString& field : fields)
        field = field.trimmed();
    while (fields.size() < 2)
        fields.append(QString());
    return fields;
}

QString tagOf(const QWidget* widget) {
    return widget->property("Tag").toString();
}

} // namespace

DataPages::DataPages(DataStore& store, const Switches& switches, const Texts& texts,
                     ChooseDialog& chooser, QWidget* mainWindow, QObject* parent)
    : QObject(parent), m_store(store), m_switches(switches), m_texts(texts), m_chooser(chooser),
      m_mainWindow(mainWindow) {
    initPageResources();
    m_status = new StatusPage(texts, switches);
    m_names = new NamesPage(texts, switches);
    m_layer = new LayerPage(texts, switches);
    m_monitor = new MonitorPage(texts, switches);
    m_gpio = new GpioPage(texts, switches);
    // The GPIO page's load clears the definition lists; they are refilled when next needed.
    m_store.lstData[DataStore::GpioInputList].clear();
    m_store.lstData[DataStore::GpioOutputList].clear();
    m_editor = new EditorPage(texts, switches);
    m_snapShot = new SnapShotPage(texts, switches);
    m_fbox = new FBoxPage(texts, switches);
    m_system = new SystemPage(texts, switches);
    m_pages = {m_status, m_names,    m_layer, m_monitor, m_gpio,
               m_editor, m_snapShot, m_fbox,  m_system};
    connectPages();
}

DataPages::~DataPages() {
    // A host may have taken the pages over; only those still alive are ours to delete.
    for (DataPage* page : m_pages) {
        QPointer<DataPage> alive(page);
        if (alive && !alive->parent())
            delete alive;
    }
}

DataPage* DataPages::page(int number) const {
    return number >= 1 && number <= m_pages.size() ? m_pages[number - 1] : nullptr;
}

void DataPages::connectPages() {
    connect(m_layer, &LayerPage::cellClicked, this,
            [this](AssignBox* cell, int row) { ChooseChannel(cell, row, false); });
    connect(m_monitor, &MonitorPage::extMonClicked, this, [this](int i) {
        if (i < 0 || i > 3)
            return;
        ChooseChannel(m_monitor->txtExtMon[i], i % 2, false, true, m_switches.OutputOnMonitorKeys);
    });
    for (GpioPageBase* page :
         {static_cast<GpioPageBase*>(m_gpio), static_cast<GpioPageBase*>(m_fbox)}) {
        connect(page, &GpioPageBase::rowClicked, this, [this, page](int listNo, int i) {
            if (listNo == 0)
                ChooseGpioItem(page->txtInput[i], page->txtInputInfo[i], 0);
            else
                ChooseGpioItem(page->txtOutput[i], page->txtOutputInfo[i], 1);
        });
    }
    auto groups = [this](const QList<ValueCheckBox*>& boxes, bool keepOne) {
        for (ValueCheckBox* box : boxes)
            connect(box, &ValueCheckBox::valueChanged, this,
                    [this, keepOne](ValueCheckBox* b) { CheckGroupClick(b, keepOne); });
    };
    groups(m_monitor->chkMonMode, true);
    groups(m_monitor->chkMonAbgriff, true);
    groups(m_monitor->chkPeakmeter, true);
    groups(m_editor->chkControl, true);
    for (const QList<ValueCheckBox*>& column : m_editor->chkMachSource)
        groups(column, false);
    connect(m_snapShot, &SnapShotPage::requestConfiguration, this, [this](int configuration) {
        if (services.requestConfiguration)
            reportTransferError(services.requestConfiguration(configuration));
    });
    connect(m_snapShot, &SnapShotPage::sendConfiguration, this, [this](int configuration) {
        if (services.sendConfiguration)
            reportTransferError(services.sendConfiguration(configuration));
    });
    connect(m_system, &SystemPage::sendVersionClicked, this, [this] {
        if (services.menuCommand)
            services.menuCommand(108);
    });
}

void DataPages::reportTransferError(const QString& description) {
    if (description.isEmpty())
        return;
    QString text = QStringLiteral("  ") + m_texts.message(QStringLiteral("SnapShot_Transfer_Err"));
    ReplaceParams(text, description);
    if (services.writeLog)
        services.writeLog(text);
    if (services.setBusyCursor)
        services.setBusyCursor(false);
}

double DataPages::numericValue(const QString& text) {
    const QString s = QStringLiteral("0") + text;
    QString number;
    bool point = false;
    for (const QChar c : s) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            number.append(c);
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            number.append(c);
        } else {
            break;
        }
    }
    return number.toDouble();
}

QString DataPages::displayFileName(const QString& stored) const {
    const QString name = rightTrimmed(shown(stored));
    const QString prefix = m_switches.ProgramFolder + QLatin1Char('/');
    if (!m_switches.ProgramFolder.isEmpty() &&
        name.left(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
        return name.mid(prefix.size());
    return name;
}

QString DataPages::storedFileName(const QString& shownName) const {
    const QString name = trimmedBlanks(shownName);
    // A name is absolute when it starts with a separator or names a drive.
    if (name.isEmpty() || name.contains(QLatin1Char(':')) || name.startsWith(QLatin1Char('/')) ||
        name.startsWith(QLatin1Char('\\')))
        return name;
    return m_switches.ProgramFolder + QLatin1Char('/') + name;
}

void DataPages::RefreshPages() {
    DataSet& data = m_store.DataSet;
    step([&] {
        if (services.setBusyCursor)
            services.setBusyCursor(true);
    });
    step([&] {
        if (services.focusTabStrip)
            services.focusTabStrip();
    });
    step([&] { LoadGPIOLists(); });

    // Page 01.
    for (int i = 0; i < 6; ++i)
        step([&] {
            at(m_status->txtStatus, i)->setText(shown(m_store.StatusText.at(i + 1).trimmedRight()));
        });

    // Page 02: digital, analog, Adat, ext. monitor, bus.
    for (int g = 1; g <= DataSet::GroupCount; ++g) {
        const QList<QLineEdit*>& boxes = m_names->group(g);
        for (int i = 0; i < boxes.size(); ++i)
            step([&] { boxes.at(i)->setText(shown(data.ChannelName(g, i + 1).trimmedRight())); });
    }

    // Page 03: row by row, columns A..D.
    const std::array<qint16, 7>* layers[4] = {&data.Layer.LayerA, &data.Layer.LayerB,
                                              &data.Layer.LayerC, &data.Layer.LayerD};
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c) {
            step([&] {
                AssignBox* cell = at(at(m_layer->txtInput, c), r);
                cell->setTag(QString::number(layers[c]->at(r + 1)));
            });
            step([&] {
                AssignBox* cell = at(at(m_layer->txtInput, c), r);
                ShowChannelName(cell, toInteger(numericValue(cell->tag())));
            });
        }
    }

    // Page 04.
    MonitorRecord& mon = data.Monitor;
    for (int i = 0; i < 4; ++i)
        step([&] { at(m_monitor->chkMonMode, i)->setValue(mon.MonMode.at(i + 1)); });
    step([&] { setListIndex(m_monitor->cmbVolume, mon.MonVolume); });
    step([&] { setListIndex(m_monitor->cmbKanal, mon.MonKanal); });
    for (int i = 0; i < 3; ++i)
        step([&] { at(m_monitor->chkMonAbgriff, i)->setValue(mon.MonAbgriff.at(i + 1)); });
    for (int i = 0; i < 2; ++i)
        step([&] { at(m_monitor->chkPeakmeter, i)->setValue(mon.Peakmeter.at(i + 1)); });
    for (int k = 0; k < 4; ++k) {
        step([&] { at(m_monitor->txtExtMon, k)->setTag(QString::number(mon.ExtMon.at(k + 1))); });
        step([&] {
            AssignBox* box = at(m_monitor->txtExtMon, k);
            ShowChannelName(box, toInteger(numericValue(box->tag())));
        });
    }

    // Pages 05 and 08 share the row pattern: Tag, then the function's key and description.
    auto gpioRows = [&](GpioPageBase* page, const auto& inputs, const auto& outputs) {
        for (int i = 0; i < page->txtInput.size(); ++i) {
            step([&] { at(page->txtInput, i)->setTag(QString::number(inputs.at(i + 1))); });
            step([&] {
                ShowGpioItem(at(page->txtInput, i), at(page->txtInputInfo, i), inputs.at(i + 1), 0);
            });
        }
        for (int i = 0; i < page->txtOutput.size(); ++i) {
            step([&] { at(page->txtOutput, i)->setTag(QString::number(outputs.at(i + 1))); });
            step([&] {
                ShowGpioItem(at(page->txtOutput, i), at(page->txtOutputInfo, i), outputs.at(i + 1),
                             1);
            });
        }
    };
    gpioRows(m_gpio, data.GPIO.GPIOInput, data.GPIO.GPIOOutput);

    // Page 06.
    EditorRecord& ed = data.Editor;
    for (int i = 0; i < 3; ++i)
        step([&] { at(m_editor->chkControl, i)->setValue(ed.Control.at(i + 1)); });
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        for (int k = 0; k < 5; ++k)
            step([&] {
                at(at(m_editor->chkMachSource, s - 1), k)->setValue(ed.MachSource(s).at(k + 1));
            });
    step([&] { setListIndex(m_editor->cmbFrames, ed.Frames); });
    step([&] { setListIndex(m_editor->cmbChannels, ed.Channels); });

    // Page 07.
    SnapShotRecord& snap = data.SnapShot;
    for (int i = 0; i < 8; ++i)
        step([&] {
            SnapShotPage::button(at(m_snapShot->ToolbarPart01, i), 1)
                ->setProperty("Tag", QString::number(snap.SnapShotSwitch1.at(i + 1)));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            SnapShotPage::button(at(m_snapShot->ToolbarPart01, i), 2)
                ->setProperty("Tag", QString::number(snap.SnapShotSwitch2.at(i + 1)));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            at(m_snapShot->txtInfoPart01, i)
                ->setText(displayFileName(snap.SnapShotFile.at(i + 1).text()));
        });
    step([&] {
        at(m_snapShot->txtInfoPart02, 0)->setText(displayFileName(snap.SnapShotGroupFile.text()));
    });
    step([&] { setListIndex(m_snapShot->cmbStartUpConf, snap.StartUpConf); });

    // Page 08.
    gpioRows(m_fbox, data.FBox.FBoxInput, data.FBox.FBoxOutput);

    // Page 09.
    step([&] { m_system->txtQPLVersion->setText(shown(m_store.QPLVersion.trimmedRight())); });

    step([&] { UpdateSnapShotButtons(); });
    step([&] {
        if (services.setBusyCursor)
            services.setBusyCursor(false);
    });
    step([&] {
        if (services.focusTabStrip)
            services.focusTabStrip();
    });
}

void DataPages::TakeOverPages() {
    DataSet& data = m_store.DataSet;

    for (int i = 0; i < 6; ++i)
        step([&] {
            m_store.StatusText.at(i + 1) = rightTrimmed(at(m_status->txtStatus, i)->text());
        });

    for (int g = 1; g <= DataSet::GroupCount; ++g) {
        const QList<QLineEdit*>& boxes = m_names->group(g);
        for (int i = 0; i < boxes.size(); ++i)
            step([&] {
                if (i + 1 > DataSet::GroupSize.at(g))
                    throw std::out_of_range("channel");
                data.ChannelName(g, i + 1) = rightTrimmed(boxes.at(i)->text());
            });
    }

    std::array<qint16, 7>* layers[4] = {&data.Layer.LayerA, &data.Layer.LayerB, &data.Layer.LayerC,
                                        &data.Layer.LayerD};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            step([&] {
                layers[c]->at(r + 1) =
                    toInteger(numericValue(at(at(m_layer->txtInput, c), r)->tag()));
            });

    MonitorRecord& mon = data.Monitor;
    for (int i = 0; i < 4; ++i)
        step([&] { mon.MonMode.at(i + 1) = at(m_monitor->chkMonMode, i)->value(); });
    step([&] { mon.MonVolume = m_monitor->cmbVolume->currentIndex(); });
    step([&] { mon.MonKanal = m_monitor->cmbKanal->currentIndex(); });
    for (int i = 0; i < 3; ++i)
        step([&] { mon.MonAbgriff.at(i + 1) = at(m_monitor->chkMonAbgriff, i)->value(); });
    for (int i = 0; i < 2; ++i)
        step([&] { mon.Peakmeter.at(i + 1) = at(m_monitor->chkPeakmeter, i)->value(); });
    for (int k = 0; k < 4; ++k)
        step([&] {
            mon.ExtMon.at(k + 1) = toInteger(numericValue(at(m_monitor->txtExtMon, k)->tag()));
        });

    auto gpioRows = [&](GpioPageBase* page, auto& inputs, auto& outputs) {
        for (int i = 0; i < page->txtInput.size(); ++i)
            step([&] { inputs.at(i + 1) = toInteger(numericValue(at(page->txtInput, i)->tag())); });
        for (int i = 0; i < page->txtOutput.size(); ++i)
            step([&] {
                outputs.at(i + 1) = toInteger(numericValue(at(page->txtOutput, i)->tag()));
            });
    };
    gpioRows(m_gpio, data.GPIO.GPIOInput, data.GPIO.GPIOOutput);

    EditorRecord& ed = data.Editor;
    for (int i = 0; i < 3; ++i)
        step([&] { ed.Control.at(i + 1) = at(m_editor->chkControl, i)->value(); });
    for (int s = 1; s <= EditorRecord::MachSourceCount; ++s)
        for (int k = 0; k < 5; ++k)
            step([&] {
                ed.MachSource(s).at(k + 1) =
                    static_cast<quint8>(at(at(m_editor->chkMachSource, s - 1), k)->value());
            });
    step([&] { ed.Frames = m_editor->cmbFrames->currentIndex(); });
    step([&] { ed.Channels = m_editor->cmbChannels->currentIndex(); });

    SnapShotRecord& snap = data.SnapShot;
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotSwitch1.at(i + 1) = toInteger(std::floor(
                numericValue(tagOf(SnapShotPage::button(at(m_snapShot->ToolbarPart01, i), 1)))));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotSwitch2.at(i + 1) = toInteger(std::floor(
                numericValue(tagOf(SnapShotPage::button(at(m_snapShot->ToolbarPart01, i), 2)))));
        });
    for (int i = 0; i < 8; ++i)
        step([&] {
            snap.SnapShotFile.at(i + 1) = storedFileName(at(m_snapShot->txtInfoPart01, i)->text());
        });
    step(
        [&] { snap.SnapShotGroupFile = storedFileName(at(m_snapShot->txtInfoPart02, 0)->text()); });
    step([&] { snap.StartUpConf = m_snapShot->cmbStartUpConf->currentIndex(); });

    gpioRows(m_fbox, data.FBox.FBoxInput, data.FBox.FBoxOutput);

    step([&] { m_store.QPLVersion = rightTrimmed(m_system->txtQPLVersion->text()); });
}

void DataPages::Synchronise() {
    if (!m_switches.InitDone)
        return;
    TakeOverPages();
    if (services.blankNamesReplaced)
        services.blankNamesReplaced(true);
    RefreshPages();
}

void DataPages::TabSelected(int pageNumber) {
    Synchronise();
    PageSelected(pageNumber);
}

void DataPages::PageSelected(const QString& windowName) {
    for (DataPage* page : m_pages)
        if (page->objectName().compare(windowName, Qt::CaseInsensitive) == 0)
            PageSelected(page->number());
}

void DataPages::PageSelected(int pageNumber) {
    if (pageNumber == 3 || pageNumber == 4)
        FillChannelChoice(0, true);
    else if (pageNumber == 5 || pageNumber == 8)
        LoadGPIOLists();
}

void DataPages::LoadGPIOLists() {
    m_store.LoadGPIOLists(m_switches, m_texts.iniCache());
    // The GPIO page's hidden lists show what the store holds.
    for (int k = 0; k < 2; ++k) {
        QListWidget* list = m_gpio->lstData.at(k);
        const QVector<GpioListEntry>& entries = m_store.lstData[k];
        if (list->count() == entries.size())
            continue;
        list->clear();
        for (const GpioListEntry& entry : entries) {
            auto* item = new QListWidgetItem(entry.text, list);
            item->setData(Qt::UserRole, entry.itemData);
        }
    }
}

void DataPages::ShowChannelName(QLineEdit* box, int code) {
    if (code == 0) {
        box->setText(m_switches.NotDefinedText);
        box->setProperty("Tag", QString());
        return;
    }
    const int group = code / 100;
    const int k = code % 100;
    step([&] {
        if (group >= 1 && group <= 5)
            box->setText(at(m_names->group(group), k)->text());
    });
    box->setProperty("Tag", QString::number(code));
    if (box->text().trimmed().isEmpty()) {
        box->setText(m_switches.NotDefinedText);
        box->setProperty("Tag", QString());
    }
}

void DataPages::FillChannelChoice(int pairFilter, bool withNotDefined, bool withExtMon,
                                  bool withOutputs) {
    m_chooser.clearList();
    if (withNotDefined)
        m_chooser.addItem(m_switches.NotDefinedText, 0);
    for (int group = 1; group <= 3; ++group) {
        const QList<QLineEdit*>& boxes = m_names->group(group);
        for (int j = 1; j <= boxes.size(); ++j) {
            const QString name = boxes.at(j - 1)->text().trimmed();
            const bool pass = pairFilter == 0 || (pairFilter == 1 && j % 2 == 1) ||
                              (pairFilter == 2 && j % 2 == 0);
            if (!name.isEmpty() && pass)
                m_chooser.addItem(name, group * 100 + j - 1);
        }
    }
    // Ext. monitor inputs and outputs are offered by pair only; without the ext. monitor flag
    // the inputs appear in the unfiltered list.
    const bool withExtMonPairs[2] = {withExtMon, withOutputs};
    for (int group = 4; group <= 5; ++group) {
        const QList<QLineEdit*>& boxes = m_names->group(group);
        for (int j = 1; j <= boxes.size(); ++j) {
            const QString name = boxes.at(j - 1)->text().trimmed();
            if (name.isEmpty())
                continue;
            const bool pairPass =
                (pairFilter == 1 && j % 2 == 1) || (pairFilter == 2 && j % 2 == 0);
            bool add = false;
            if (withExtMonPairs[group - 4])
                add = pairPass;
            else if (group == 4)
                add = pairFilter == 0;
            if (add)
                m_chooser.addItem(name, group * 100 + j - 1);
        }
    }
    // The shown names follow the Names page.
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c) {
            AssignBox* cell = m_layer->txtInput[c][r];
            step([&] { ShowChannelName(cell, toInteger(numericValue(cell->tag()))); });
        }
    for (AssignBox* box : m_monitor->txtExtMon)
        step([&] { ShowChannelName(box, toInteger(numericValue(box->tag()))); });
}

void DataPages::centreChooser() {
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    const QRect dialog = m_chooser.frameGeometry();
    m_chooser.move(main.left() + (main.width() - dialog.width()) / 2,
                   main.top() + (main.height() - dialog.height()) / 2);
}

void DataPages::ChooseChannel(AssignBox* box, int index, bool withNotDefined, bool withExtMon,
                              bool withOutputs) {
    int pairFilter = 0;
    if (index == 0 || index == 2 || index == 4)
        pairFilter = 1;
    else if (index == 1 || index == 3 || index == 5)
        pairFilter = 2;
    FillChannelChoice(pairFilter, withNotDefined, withExtMon, withOutputs);
    centreChooser();
    m_chooser.ChosenItemData = box->tag();
    m_chooser.showModal();
    step([&] { ShowChannelName(box, toInteger(numericValue(m_chooser.ChosenItemData))); });
}

void DataPages::ShowGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int code, int listNo) {
    if (code == 0) {
        itemBox->setText(QStringLiteral("0"));
        infoBox->setText(m_switches.NotDefinedText);
        itemBox->setTag(QString());
        return;
    }
    step([&] {
        for (const GpioListEntry& entry : m_store.lstData.at(listNo)) {
            if (entry.itemData == code) {
                const QStringList fields = splitList(entry.text);
                itemBox->setText(fields.at(0));
                infoBox->setText(fields.at(1));
                break;
            }
        }
    });
    itemBox->setTag(QString::number(code));
}

void DataPages::ChooseGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int listNo) {
    m_chooser.clearList();
    for (const GpioListEntry& entry : m_store.lstData.at(listNo)) {
        const QStringList fields = splitList(entry.text);
        m_chooser.addItem(fields.at(0) + QLatin1Char('\t') + fields.at(1), entry.itemData);
    }
    centreChooser();
    m_chooser.ChosenItemData = itemBox->tag();
    m_chooser.showModal();
    step([&] {
        ShowGpioItem(itemBox, infoBox, toInteger(numericValue(m_chooser.ChosenItemData)), listNo);
    });
}

void DataPages::CheckGroupClick(ValueCheckBox* box, bool keepOne) {
    const auto* page = box->parentWidget();
    while (page && !qobject_cast<const DataPage*>(page))
        page = page->parentWidget();
    QList<ValueCheckBox*> members;
    const QWidget* root = page ? page : box->window();
    for (ValueCheckBox* other : root->findChildren<ValueCheckBox*>())
        if (other->arrayName() == box->arrayName())
            members.append(other);
    if (box->value() == 1) {
        for (ValueCheckBox* other : members)
            if (other != box && other->index() != box->index())
                other->setValue(0);
    }
    if (keepOne) {
        bool anyChecked = false;
        for (ValueCheckBox* other : members)
            anyChecked = anyChecked || other->value() == 1;
        if (!anyChecked)
            box->setValue(1);
    }
}

void DataPages::UpdateSnapShotButtons() {
    m_snapShot->UpdateSnapShotButtons();
}

NameBox DataPages::nameBox(int group, int index) const {
    const QList<QLineEdit*>& boxes = m_names->group(group);
    if (index < 1 || index > boxes.size())
        return {};
    return {boxes.at(index - 1)->text(), boxes.at(index - 1)->toolTip()};
}

} // namespace zoz
