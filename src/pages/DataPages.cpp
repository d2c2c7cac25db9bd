#include "pages/DataPages.h"

#include "app/Activity.h"
#include "dataset/DataStore.h"
#include "pages/EditorPage.h"
#include "pages/FBoxPage.h"
#include "pages/GpioPage.h"
#include "pages/LayerPage.h"
#include "pages/MonitorPage.h"
#include "pages/NamesPage.h"
#include "pages/OptionGroup.h"
#include "pages/PageFileNames.h"
#include "pages/SnapShotPage.h"
#include "pages/StatusPage.h"
#include "pages/SystemPage.h"
#include "pages/TagNumber.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "widgets/AssignBox.h"
#include "widgets/ChooseDialog.h"
#include "widgets/ValueCheckBox.h"
#include "widgets/WindowPlacement.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <algorithm>

namespace zoz {

namespace {

QStringList splitList(const QString& text) {
    QStringList fields = text.split(QLatin1Char('|'));
    for (QString& field : fields)
        field = field.trimmed();
    while (fields.size() < 2)
        fields.append(QString());
    return fields;
}

} // namespace

DataPages::DataPages(DataStore& store, const Switches& switches, const Texts& texts,
                     Activity& activity, std::function<ChooseDialog&()> chooser,
                     QWidget* mainWindow, QObject* parent)
    : QObject(parent), m_store(store), m_switches(switches), m_texts(texts.frozen()),
      m_activity(activity), m_chooser(std::move(chooser)), m_mainWindow(mainWindow) {
    m_status = new StatusPage(m_texts, switches);
    m_names = new NamesPage(m_texts, switches);
    m_layer = new LayerPage(m_texts, switches);
    m_monitor = new MonitorPage(m_texts, switches);
    m_gpio = new GpioPage(m_texts, switches);
    // The GPIO page's load clears the definition lists; they are refilled when next needed.
    m_store.lstData[DataStore::GpioInputList].clear();
    m_store.lstData[DataStore::GpioOutputList].clear();
    m_editor = new EditorPage(m_texts, switches);
    m_snapShot = new SnapShotPage(m_texts, switches);
    m_fbox = new FBoxPage(m_texts, switches);
    m_system = new SystemPage(m_texts, switches);
    m_pages = {m_status, m_names,    m_layer, m_monitor, m_gpio,
               m_editor, m_snapShot, m_fbox,  m_system};
    for (DataPage* page : m_pages)
        page->buildNeeded = [this](DataPage* shown) { ensureBuilt(shown); };
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

DataPage* DataPages::window(int number) const {
    return number >= 1 && number <= m_pages.size() ? m_pages[number - 1] : nullptr;
}

DataPage* DataPages::page(int number) {
    DataPage* shell = window(number);
    if (shell)
        ensureBuilt(shell);
    return shell;
}

template <typename P> static P* built(DataPages& pages, P* page) {
    pages.ensureBuilt(page);
    return page;
}
NamesPage* DataPages::namesPage() {
    return built(*this, m_names);
}
EditorPage* DataPages::editorPage() {
    return built(*this, m_editor);
}

void DataPages::ensureBuilt(DataPage* page) {
    buildPages({page});
}

void DataPages::buildAll() {
    buildPages(m_pages);
}

void DataPages::buildPages(QList<DataPage*> wanted) {
    const auto isBuilt = [](const DataPage* page) { return page->isBuilt(); };
    wanted.removeIf(isBuilt);
    if (wanted.isEmpty())
        return;
    resolvePendingTakeOver(); // it may build pages itself
    wanted.removeIf(isBuilt);
    // Layer and Monitor show the channel names the Names page held at each refresh.
    if ((wanted.contains(m_layer) || wanted.contains(m_monitor)) && !m_names->isBuilt() &&
        !wanted.contains(m_names))
        wanted.append(m_names);
    QList<DataPage*> order;
    for (DataPage* page : m_pages)
        if (wanted.contains(page))
            order.append(page);
    for (DataPage* page : order) {
        page->buildControls();
        connectControls(page);
    }
    // The held refreshes in their order, each page's part as RefreshPages would have run it.
    for (HeldRefresh& held : m_held) {
        for (DataPage* page : order) {
            if (page == m_layer || page == m_monitor)
                m_namesSeen = &held.names;
            page->Refresh(held.store, *this);
            m_namesSeen = nullptr;
            if (page == m_names)
                held.names = nameTexts();
            if (page == m_snapShot)
                DataPage::step([&] { UpdateSnapShotButtons(); });
        }
    }
    if (order.contains(m_gpio))
        mirrorGpioLists();
    if (std::all_of(m_pages.cbegin(), m_pages.cend(), isBuilt))
        m_held.clear();
}

QList<QStringList> DataPages::nameTexts() const {
    QList<QStringList> texts;
    for (int group = 1; group <= 5; ++group) {
        texts.append(QStringList());
        for (const QLineEdit* box : m_names->group(group))
            texts.last().append(box->text());
    }
    return texts;
}

void DataPages::TakeOverPagesLater(std::function<void(const DataStore&)> done) {
    resolvePendingTakeOver();
    PendingTakeOver pending{m_store, {}, std::move(done)};
    // The pages' parts write disjoint parts of the store, so the order of the parts is free.
    for (DataPage* page : m_pages) {
        if (page->isBuilt())
            page->TakeOver(pending.store, *this);
        else
            pending.pages.append(page);
    }
    if (pending.pages.isEmpty()) {
        if (pending.done)
            pending.done(pending.store);
        return;
    }
    m_pendingTakeOver = std::move(pending);
}

void DataPages::resolvePendingTakeOver() {
    if (!m_pendingTakeOver)
        return;
    PendingTakeOver pending = std::move(*m_pendingTakeOver);
    m_pendingTakeOver.reset();
    buildPages(pending.pages);
    for (DataPage* page : pending.pages)
        page->TakeOver(pending.store, *this);
    if (pending.done)
        pending.done(pending.store);
}

void DataPages::connectPages() {
    connect(m_layer, &LayerPage::cellClicked, this,
            [this](AssignBox* cell, int row) { ChooseChannel(cell, row, ChannelChoice::Names); });
    connect(m_monitor, &MonitorPage::extMonClicked, this, [this](int i) {
        if (i < 0 || i > 3)
            return;
        ChooseChannel(m_monitor->txtExtMon[i], i % 2,
                      ChannelChoice::ExtMonPairs |
                          (m_switches.OutputOnMonitorKeys ? ChannelChoice::OutputPairs
                                                          : ChannelChoice::Names));
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
    connect(m_snapShot, &SnapShotPage::requestConfiguration, this, [this](int configuration) {
        reportTransferError(services().requestConfiguration(configuration));
    });
    connect(m_snapShot, &SnapShotPage::sendConfiguration, this, [this](int configuration) {
        reportTransferError(services().sendConfiguration(configuration));
    });
    connect(m_system, &SystemPage::sendVersionClicked, this,
            [this] { emit commandWanted(MenuCommand::SendVersionNumber); });
}

void DataPages::connectControls(DataPage* page) {
    auto groups = [this](const QList<ValueCheckBox*>& boxes, bool keepOne) {
        for (ValueCheckBox* box : boxes)
            connect(box, &ValueCheckBox::valueChanged, this,
                    [this, keepOne](ValueCheckBox* b) { OptionGroup::click(b, keepOne); });
    };
    if (page == m_monitor) {
        groups(m_monitor->chkMonMode, true);
        groups(m_monitor->chkMonAbgriff, true);
        groups(m_monitor->chkPeakmeter, true);
    } else if (page == m_editor) {
        groups(m_editor->chkControl, true);
        for (const QList<ValueCheckBox*>& column : m_editor->chkMachSource)
            groups(column, false);
    }
}

PageServices& DataPages::services() {
    if (!m_services)
        qFatal("DataPages: services not connected");
    return *m_services;
}

void DataPages::reportTransferError(const QString& description) {
    if (description.isEmpty())
        return;
    QString text = QStringLiteral("  ") + m_texts.message(QStringLiteral("SnapShot_Transfer_Err"));
    ReplaceParams(text, description);
    services().writeLog(text);
    m_activity.setBusyCursor(false);
}

QString DataPages::displayFileName(const QString& stored) const {
    return PageFileNames::display(m_switches.ProgramFolder, stored);
}

QString DataPages::storedFileName(const QString& shownName) const {
    return PageFileNames::stored(m_switches.ProgramFolder, shownName);
}

void DataPages::RefreshPages() {
    DataPage::step([&] { m_activity.setBusyCursor(true); });
    DataPage::step([&] { m_activity.focusTabStrip(); });
    DataPage::step([&] { LoadGPIOLists(); });
    const auto unbuilt = [this] {
        return std::any_of(m_pages.cbegin(), m_pages.cend(),
                           [](const DataPage* page) { return !page->isBuilt(); });
    };
    if (unbuilt()) {
        resolvePendingTakeOver();
        if (m_held.size() >= MaxHeld)
            buildAll();
    }
    // Unbuilt pages get a copy of what their part reads, replayed when they are built.
    std::optional<HeldRefresh> held;
    if (unbuilt())
        held = HeldRefresh{m_store, {}};
    for (DataPage* page : m_pages) {
        if (!page->isBuilt())
            continue;
        page->Refresh(m_store, *this);
        if (page == m_names && held)
            held->names = nameTexts();
    }
    if (held)
        m_held.append(std::move(*held));
    DataPage::step([&] { UpdateSnapShotButtons(); });
    DataPage::step([&] { m_activity.setBusyCursor(false); });
    DataPage::step([&] { m_activity.focusTabStrip(); });
}

void DataPages::TakeOverPages() {
    buildAll();
    for (DataPage* page : m_pages)
        page->TakeOver(m_store, *this);
}

void DataPages::Synchronise() {
    if (!m_switches.InitDone)
        return;
    TakeOverPages();
    services().blankNamesReplaced();
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
        FillChannelChoice(0, ChannelChoice::NotDefined);
    else if (pageNumber == 5 || pageNumber == 8)
        LoadGPIOLists();
}

void DataPages::LoadGPIOLists() {
    m_store.LoadGPIOLists(m_switches, m_texts.iniCache());
    if (m_gpio->isBuilt())
        mirrorGpioLists();
}

void DataPages::mirrorGpioLists() {
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
    DataPage::step([&] {
        if (group >= 1 && group <= 5)
            box->setText(m_namesSeen ? DataPage::at(DataPage::at(*m_namesSeen, group - 1), k)
                                     : DataPage::at(m_names->group(group), k)->text());
    });
    box->setProperty("Tag", QString::number(code));
    if (box->text().trimmed().isEmpty()) {
        box->setText(m_switches.NotDefinedText);
        box->setProperty("Tag", QString());
    }
}

void DataPages::FillChannelChoice(int pairFilter, ChannelChoices choices) {
    ChooseDialog& chooser = m_chooser();
    buildPages({m_names, m_layer, m_monitor});
    chooser.clearList();
    if (choices.testFlag(ChannelChoice::NotDefined))
        chooser.addItem(m_switches.NotDefinedText, 0);
    for (int group = 1; group <= 3; ++group) {
        const QList<QLineEdit*>& boxes = m_names->group(group);
        for (int j = 1; j <= boxes.size(); ++j) {
            const QString name = boxes.at(j - 1)->text().trimmed();
            const bool pass = pairFilter == 0 || (pairFilter == 1 && j % 2 == 1) ||
                              (pairFilter == 2 && j % 2 == 0);
            if (!name.isEmpty() && pass)
                chooser.addItem(name, group * 100 + j - 1);
        }
    }
    // Ext. monitor inputs and outputs are offered by pair only; without the ext. monitor flag
    // the inputs appear in the unfiltered list.
    const bool withExtMonPairs[2] = {choices.testFlag(ChannelChoice::ExtMonPairs),
                                     choices.testFlag(ChannelChoice::OutputPairs)};
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
                chooser.addItem(name, group * 100 + j - 1);
        }
    }
    // The shown names follow the Names page.
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c) {
            AssignBox* cell = m_layer->txtInput[c][r];
            DataPage::step(
                [&] { ShowChannelName(cell, DataPage::toInteger(TagNumber::of(cell->tag()))); });
        }
    for (AssignBox* box : m_monitor->txtExtMon)
        DataPage::step(
            [&] { ShowChannelName(box, DataPage::toInteger(TagNumber::of(box->tag()))); });
}

void DataPages::centreChooser() {
    if (!m_mainWindow)
        return;
    ChooseDialog& chooser = m_chooser();
    const QRect main = m_mainWindow->frameGeometry();
    const QSize dialog = WindowPlacement::framedSize(chooser, m_mainWindow);
    chooser.move(main.left() + (main.width() - dialog.width()) / 2,
                 main.top() + (main.height() - dialog.height()) / 2);
}

void DataPages::ChooseChannel(AssignBox* box, int index, ChannelChoices choices) {
    int pairFilter = 0;
    if (index == 0 || index == 2 || index == 4)
        pairFilter = 1;
    else if (index == 1 || index == 3 || index == 5)
        pairFilter = 2;
    FillChannelChoice(pairFilter, choices);
    centreChooser();
    ChooseDialog& chooser = m_chooser();
    chooser.ChosenItemData = box->tag();
    chooser.showModal();
    DataPage::step(
        [&] { ShowChannelName(box, DataPage::toInteger(TagNumber::of(chooser.ChosenItemData))); });
}

void DataPages::ShowGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int code,
                             const QVector<GpioListEntry>& list) {
    if (code == 0) {
        itemBox->setText(QStringLiteral("0"));
        infoBox->setText(m_switches.NotDefinedText);
        itemBox->setTag(QString());
        return;
    }
    DataPage::step([&] {
        for (const GpioListEntry& entry : list) {
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
    ChooseDialog& chooser = m_chooser();
    chooser.clearList();
    for (const GpioListEntry& entry : m_store.lstData.at(listNo)) {
        const QStringList fields = splitList(entry.text);
        chooser.addItem(fields.at(0) + QLatin1Char('\t') + fields.at(1), entry.itemData);
    }
    centreChooser();
    chooser.ChosenItemData = itemBox->tag();
    chooser.showModal();
    DataPage::step([&] {
        ShowGpioItem(itemBox, infoBox, DataPage::toInteger(TagNumber::of(chooser.ChosenItemData)),
                     m_store.lstData.at(listNo));
    });
}

void DataPages::UpdateSnapShotButtons() {
    m_snapShot->UpdateSnapShotButtons();
}

NameBox DataPages::nameBox(int group, int index) const {
    // An unbuilt Names page shows what its last held refresh put into the boxes.
    return m_names->nameBox(group, index, m_held.isEmpty() ? nullptr : &m_held.last().store);
}

} // namespace zoz
