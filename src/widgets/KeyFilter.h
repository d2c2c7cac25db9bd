#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace zoz {

// Key-press filters of the typed fields. Key codes are Windows-1252 codes, as the controller
// stores names one byte per character.
//
// On a text box the filter also checks the text that arrives other than as a plain key: input
// method commits (dead keys and compositions), pasted and dropped text, characters outside the
// Basic Multilingual Plane. A character the key filter would refuse never gets in; what it lets
// through stays. Texts the program puts into the box are left as they are.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind { Name, Digit };

    // Installs itself on the widget; keys the filter turns into 0 never reach it.
    KeyFilter(Kind kind, QObject* parent);

    // The key code to pass on; 0 drops the key. Codes below 32 (backspace, enter) always pass.
    static int FilterNameKey(int keyAscii, bool upperCase = false);
    static int FilterDigitKey(int keyAscii);
    // Whether a character typed into the box as text may stay there.
    bool admits(QChar c) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TextCheck;
    friend class TextCheck;

    Kind m_kind;
    QLineEdit* m_box = nullptr;
    QString m_last;           // the box's text before the change under way
    bool m_userInput = false; // an event of the user is being handled
};

} // namespace zoz
