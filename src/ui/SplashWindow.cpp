#include "ui/SplashWindow.h"

#include "widgets/Pictures.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <qdrawutil.h>

namespace zoz {

namespace {

constexpr int LogoWidth = 240;
constexpr int LogoHeight = 120;
constexpr int DesignWidth = 420;
constexpr int DesignHeight = 330;
constexpr int DesignMargin = 12;

QString versionText(const VersionInfo& info) {
    return QStringLiteral("%1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

VersionInfo VersionInfo::program() {
    VersionInfo info;
    info.productName = QStringLiteral("VX418 ZozEdud");
    info.major = ZOZ_VERSION_MAJOR;
    info.minor = ZOZ_VERSION_MINOR;
    info.revision = ZOZ_VERSION_REVISION;
    info.fileDescription =
        QStringLiteral("Editor für die Konfiguration des QPL<cr>Configuration editor for the QPL");
    info.legalCopyright = QStringLiteral("Copyright © 2026 VX418");
    info.companyName = QStringLiteral("VX418 Audio Systems (example)");
    info.comments = QStringLiteral("Serielle Verbindung:<tab>[Comm] in zozedud.Ini");
    return info;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent), m_versionInfo(VersionInfo::program()),
      m_openLink([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("frmSplash"));

    m_picLogo = new QLabel(this);
    m_picLogo->setObjectName(QStringLiteral("picLogo"));
    m_picLogo->setGeometry(DesignMargin, DesignMargin, LogoWidth, LogoHeight);
    QPixmap logo = Pictures::pixmap(QStringLiteral(":/icons/logo"));
    DrawBorder(logo, 2);
    m_picLogo->setPixmap(logo);

    // The version labels lie on the logo, so that the splash shows them.
    m_lblInfo1 = new QLabel(m_picLogo);
    m_lblInfo1->setObjectName(QStringLiteral("lblInfo1"));
    setTextColour(m_lblInfo1, QColor(0xff, 0xff, 0xff));
    m_lblInfo1->setGeometry(LogoWidth - 70, 8, 60, 16);
    m_lblInfo1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblInfo2 = new QLabel(m_picLogo);
    m_lblInfo2->setObjectName(QStringLiteral("lblInfo2"));
    setTextColour(m_lblInfo2, QColor(0xcf, 0xe6, 0xff));
    m_lblInfo2->setGeometry(LogoWidth - 130, 24, 120, 16);
    m_lblInfo2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_lblInternet = new QLabel(QString::fromLatin1(WebAddress), this);
    m_lblInternet->setObjectName(QStringLiteral("lblInternet"));
    setTextColour(m_lblInternet, QColor(0x1f, 0x4f, 0xa8));
    QFont underlined = m_lblInternet->font();
    underlined.setUnderline(true);
    m_lblInternet->setFont(underlined);
    m_lblInternet->setCursor(Qt::PointingHandCursor);
    m_lblInternet->setGeometry(DesignMargin, DesignHeight - 40, 280, 20);
    m_lblInternet->installEventFilter(this);

    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setGeometry(DesignWidth - DesignMargin - 90, DesignHeight - 44, 90, 28);
    m_cmdOk->setDefault(true);
    connect(m_cmdOk, &QPushButton::clicked, this, &SplashWindow::onOk);

    m_designLayout = {DesignMargin, DesignMargin, DesignHeight, DesignWidth};
    resize(DesignWidth, DesignHeight);
    setStartUpSplash(true);
}

void SplashWindow::setStartUpSplash(bool splash) {
    m_startUpSplash = splash;
    if (splash)
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    else
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
}

void SplashWindow::showEvent(QShowEvent* event) {
    Load();
    QDialog::showEvent(event);
}

void SplashWindow::Load() {
    if (m_startUpSplash) {
        if (m_picLogo->pos() != QPoint(0, 0)) // not already in the splash layout
            m_designLayout = {m_picLogo->y(), m_picLogo->x(), height(), width()};
        m_lblInfo1->setText(QStringLiteral("V") + versionText(m_versionInfo));
        m_picLogo->move(0, 0);
        setFixedSize(m_picLogo->size());
        m_cmdOk->hide();
        if (m_txtInfo)
            m_txtInfo->hide();
        m_lblInternet->hide();
    } else {
        m_picLogo->move(m_designLayout[1], m_designLayout[0]);
        setFixedSize(m_designLayout[3], m_designLayout[2]);
        m_cmdOk->show();
        infoBox()->show();
        m_lblInternet->show();
        m_lblInfo1->clear();
        m_lblInfo2->clear();
        FillInfoText();
        setWindowTitle(QStringLiteral("Info zu ") + m_versionInfo.productName);
    }
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    m_lblInternet->setToolTip(QStringLiteral("Internet:  ") + m_lblInternet->text());
}

void SplashWindow::FillInfoText() {
    const VersionInfo& v = m_versionInfo;
    QString text = v.productName + QStringLiteral("  V") + versionText(v);
    for (const QString& item :
         {v.fileDescription, v.legalCopyright, v.companyName, v.legalTrademarks, v.comments}) {
        if (!item.isEmpty())
            text += QStringLiteral("\r\n") + item;
    }
    for (;;) {
        const int cr = text.indexOf(QStringLiteral("<cr>"));
        if (cr >= 0)
            text.replace(cr, 4, QStringLiteral("\r\n"));
        const int tab = text.indexOf(QStringLiteral("<tab>"));
        if (tab >= 0)
            text.replace(tab, 5, QStringLiteral("\t"));
        if (cr < 0 && tab < 0)
            break;
    }
    m_infoText = text;
    infoBox()->setPlainText(QString(text).remove(QLatin1Char('\r')));
    QCoreApplication::processEvents();
}

// Built on the first about window: the start-up splash never shows it, and a text box is the
// costliest widget of the window.
QPlainTextEdit* SplashWindow::infoBox() {
    if (m_txtInfo)
        return m_txtInfo;
    m_txtInfo = new QPlainTextEdit(this);
    m_txtInfo->setObjectName(QStringLiteral("txtInfo"));
    m_txtInfo->setReadOnly(true);
    m_txtInfo->setFrameShape(QFrame::NoFrame);
    m_txtInfo->setGeometry(DesignMargin, DesignMargin + LogoHeight + 10,
                           DesignWidth - 2 * DesignMargin, 120);
    QPalette palette = m_txtInfo->palette();
    palette.setColor(QPalette::Base, this->palette().color(QPalette::Window));
    m_txtInfo->setPalette(palette);
    // Where it stood when it was built with the others: under the link, before OK.
    m_txtInfo->stackUnder(m_lblInternet);
    QWidget::setTabOrder(m_txtInfo, m_cmdOk);
    return m_txtInfo;
}

void SplashWindow::onOk() {
    m_showDetails = false;
    accept();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        onOk();
        return;
    }
    if (event->key() == Qt::Key_Alt) {
        m_showDetails = true;
        FillInfoText();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lblInternet && event->type() == QEvent::MouseButtonRelease) {
        m_openLink(QUrl(m_lblInternet->text()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SplashWindow::DrawBorder(QPaintDevice& device, int inset) {
    QPainter painter(&device);
    const QRect rect(inset, inset, device.width() - 2 * inset, device.height() - 2 * inset);
    // Etched: a sunken line with a raised one inside it.
    qDrawShadeRect(&painter, rect, QApplication::palette(), true, 1);
}

} // namespace zoz
