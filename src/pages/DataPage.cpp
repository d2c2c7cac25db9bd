#include "pages/DataPage.h"

#include "settings/Switches.h"
#include "settings/Texts.h"
#include "widgets/AssignBox.h"
#include "widgets/PageFrame.h"
#include "widgets/Pictures.h"
#include "widgets/TabOrder.h"
#include "widgets/ValueCheckBox.h"
#include "widgets/WheelGuard.h"

#include <QComboBox>
#include <QDynamicPropertyChangeEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace zoz {

DataPage::DataPage(int number, const QString& designCaption, const QString& sectionPrefix,
                   const Texts& texts, const Switches& switches, QWidget* parent)
    : QWidget(parent), m_texts(texts), m_switches(switches), m_fraTab(new QFrame(this)),
      m_rootLayout(new QVBoxLayout(m_fraTab)), m_number(number), m_caption(designCaption),
      m_sectionPrefix(sectionPrefix) {
    setObjectName(QStringLiteral("frmTabStripData") + nn(number));
    m_fraTab->setObjectName(QStringLiteral("fraTab"));
    // The main window matches the page to its tab by this caption.
    m_fraTab->setWindowTitle(designCaption);
    QFont font = m_fraTab->font();
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    m_fraTab->setFont(font);
    m_rootLayout->setContentsMargins(6, 6, 6, 6);
    m_rootLayout->setSpacing(6);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_fraTab);
    outer->addStretch(1);
}

QString DataPage::nn(int n) {
    return (QStringLiteral("00") + QString::number(n)).right(2);
}

QString DataPage::controlName(const QString& arrayName, int index) {
    return arrayName + QLatin1Char('_') + QString::number(index);
}

void DataPage::setVisible(bool visible) {
    if (visible && !m_built) {
        if (buildNeeded)
            buildNeeded(this);
        else
            buildControls();
    }
    QWidget::setVisible(visible);
}

void DataPage::buildControls() {
    if (m_built)
        return;
    m_built = true;
    build();
    finishLoad();
    announceEdits();
    emit built(this);
}

void DataPage::announceEdits() {
    const auto edited = [this] { emit this->edited(this); };
    for (QLineEdit* box : m_fraTab->findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textChanged, this, edited);
    for (QComboBox* list : m_fraTab->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, edited);
    for (ValueCheckBox* box : m_fraTab->findChildren<ValueCheckBox*>())
        connect(box, &ValueCheckBox::valueChanged, this, edited);
    for (QWidget* control : m_fraTab->findChildren<QWidget*>())
        if (control->property("Tag").isValid())
            control->installEventFilter(this);
}

bool DataPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "Tag")
        emit edited(this);
    return QWidget::eventFilter(watched, event);
}

void DataPage::finishLoad() {
    LoadTexts();
    WheelGuard::guardLists(m_fraTab);
    m_rootLayout->addStretch(1);
    const int height = m_rootLayout->hasHeightForWidth()
                           ? m_rootLayout->totalHeightForWidth(DesignWidth)
                           : m_rootLayout->totalSizeHint().height();
    m_fraTab->resize(DesignWidth, height);
    // A page hosted before it was built keeps the width its host gave it.
    resize(parentWidget() ? width() : DesignWidth, height);
    TabOrder::byPosition(m_fraTab);
}

QString DataPage::text(const QString& key, const QString& defaultValue) const {
    return m_texts.lookup(m_sectionPrefix + m_texts.language(), key, defaultValue);
}

QString DataPage::message(const QString& key, const QString& defaultValue) const {
    return m_texts.message(key, defaultValue);
}

void DataPage::loadFrameTexts(QGroupBox* frame, int part, const QString& captionDefault,
                              const QString& toolTipDefault) {
    const QString prefix = QStringLiteral("Part") + nn(part);
    frame->setTitle(text(prefix + QStringLiteral(".Caption"), captionDefault));
    frame->setToolTip(text(prefix + QStringLiteral(".ToolTip"), toolTipDefault));
}

QGroupBox* DataPage::makeFrame(const QString& name, const QString& caption) {
    return new PageFrame(name, caption, m_fraTab);
}

QLabel* DataPage::makeLabel(const QString& arrayName, int index, const QString& caption) {
    auto* label = new QLabel(caption, m_fraTab);
    label->setObjectName(controlName(arrayName, index));
    return label;
}

QLineEdit* DataPage::makeTextBox(const QString& arrayName, int index, bool locked) {
    auto* box = new QLineEdit(m_fraTab);
    box->setObjectName(controlName(arrayName, index));
    box->setReadOnly(locked);
    if (locked)
        showFromStart(box);
    return box;
}

AssignBox* DataPage::makeAssignBox(const QString& arrayName, int index) {
    auto* box = new AssignBox(arrayName, index, m_fraTab);
    showFromStart(box);
    return box;
}

void DataPage::showFromStart(QLineEdit* box) {
    // A text set by the program puts the cursor at its end; a locked box shows its beginning.
    connect(box, &QLineEdit::textChanged, box, [box] { box->setCursorPosition(0); });
}

QToolButton* DataPage::makeDropDown(const QString& arrayName, int index) {
    auto* button = new QToolButton(m_fraTab);
    button->setObjectName(controlName(arrayName, index));
    if (m_dropDownIcon.isNull())
        m_dropDownIcon = Pictures::icon(QStringLiteral(":/pages/dropdown"));
    button->setIcon(m_dropDownIcon);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(22, 22);
    button->setProperty("Picture", QStringLiteral("dropdown"));
    return button;
}

ValueCheckBox* DataPage::makeCheck(const QString& arrayName, int index, const QString& caption) {
    return new ValueCheckBox(arrayName, index, caption, m_fraTab);
}

void DataPage::applyDropDownLook(const QList<QToolButton*>& buttons) const {
    if (!m_switches.XPLook)
        return;
    const QIcon xp = Pictures::icon(QStringLiteral(":/pages/dropdown_xp"));
    for (QToolButton* button : buttons) {
        button->setIcon(xp);
        button->setAutoRaise(true);
        button->setProperty("Picture", QStringLiteral("picXP"));
    }
}

QString DataPage::shown(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString DataPage::rightTrimmed(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

qint16 DataPage::toInteger(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded > 32767 || rounded < -32768)
        throw std::range_error("overflow");
    return static_cast<qint16>(rounded);
}

void DataPage::setListIndex(QComboBox* list, int index) {
    if (index < -1 || index >= list->count())
        throw std::out_of_range("list index");
    list->setCurrentIndex(index);
}

QString DataPage::tagOf(const QWidget* widget) {
    return widget->property("Tag").toString();
}

} // namespace zoz
