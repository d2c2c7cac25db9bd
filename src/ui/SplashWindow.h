#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <array>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QPaintDevice;

namespace zoz {

// The program's identity as the about window shows it. Items may hold the markers "<cr>" (line
// break) and "<tab>".
struct VersionInfo {
    QString productName;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString fileDescription;
    QString legalCopyright;
    QString companyName;
    QString legalTrademarks;
    QString comments;

    static VersionInfo program();
};

// frmSplash: the splash screen during start-up (StartUpSplash true) and the about window.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr auto WebAddress = "https://www.example.org/zozedud";

    explicit SplashWindow(QWidget* parent = nullptr);

    // Set before showing: chooses the layout and the window frame of the next show.
    void setStartUpSplash(bool splash);
    bool StartUpSplash() const { return m_startUpSplash; }
    bool ShowDetails() const { return m_showDetails; }

    void setVersionInfo(const VersionInfo& info) { m_versionInfo = info; }
    // Opens the web address; by default the desktop's browser.
    void setLinkOpener(std::function<void(const QUrl&)> opener) {
        Q_ASSERT(opener);
        m_openLink = std::move(opener);
    }

    void FillInfoText();
    // The information text as built, with CR LF line breaks.
    const QString& infoText() const { return m_infoText; }

    // An etched edge on all four sides of the device, inset by the given pixels.
    static void DrawBorder(QPaintDevice& device, int inset);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Load();
    QPlainTextEdit* infoBox();
    void onOk();

    bool m_startUpSplash = true;
    bool m_showDetails = false;
    VersionInfo m_versionInfo;
    QString m_infoText;
    std::function<void(const QUrl&)> m_openLink;
    // Logo top and left, window height and width of the designed about layout; kept while the
    // splash layout replaces them.
    std::array<int, 4> m_designLayout{};

    QLabel* m_picLogo = nullptr;
    QLabel* m_lblInfo1 = nullptr;
    QLabel* m_lblInfo2 = nullptr;
    QPlainTextEdit* m_txtInfo = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QLabel* m_lblInternet = nullptr;
};

} // namespace zoz
