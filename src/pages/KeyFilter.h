#pragma once

#include <QObject>

namespace zoz {

// Key-press filters of the typed fields. Key codes are Windows-1252 codes, as the controller
// stores names one byte per character.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind { Name, Digit };

    // Installs itself on the widget; keys the filter turns into 0 never reach it.
    KeyFilter(Kind kind, QObject* parent);

    // The key code to pass on; 0 drops the key. Codes below 32 (backspace, enter) always pass.
    static int FilterNameKey(int keyAscii, bool upperCase = false);
    static int FilterDigitKey(int keyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind m_kind;
};

} // namespace zoz
