#include "widgets/KeyFilter.h"

#include "base/CodePage.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace zoz {

namespace {

const QString& allowedNameChars() {
    static const QString chars =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") +
        QStringLiteral(" !") + QChar(0x00A7) + QStringLiteral("$%&/()=?{[]}\\+*#,.-;:_<>|@~");
    return chars;
}

} // namespace

// While the user's event is handled, the characters it adds are checked one by one; the rest of
// the text (a stored name may hold what no key gives) stays untouched.
class KeyFilter::TextCheck : public QValidator {
public:
    TextCheck(KeyFilter& filter) : QValidator(&filter), m_filter(filter) {}

    State validate(QString& input, int& pos) const override {
        if (!m_filter.m_userInput)
            return Acceptable;
        const QString& old = m_filter.m_last;
        qsizetype head = 0;
        while (head < old.size() && head < input.size() && old.at(head) == input.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < old.size() - head && tail < input.size() - head &&
               old.at(old.size() - 1 - tail) == input.at(input.size() - 1 - tail))
            ++tail;
        const QString added = input.mid(head, input.size() - head - tail);
        QString kept;
        for (const QChar c : added)
            if (m_filter.admits(c))
                kept += c;
        if (kept.size() != added.size()) {
            input = input.left(head) + kept + input.right(tail);
            pos = static_cast<int>(head + kept.size());
        }
        return Acceptable;
    }

private:
    KeyFilter& m_filter;
};

KeyFilter::KeyFilter(Kind kind, QObject* parent) : QObject(parent), m_kind(kind) {
    parent->installEventFilter(this);
    m_box = qobject_cast<QLineEdit*>(parent);
    if (m_box) {
        m_last = m_box->text();
        m_box->setValidator(new TextCheck(*this));
        connect(m_box, &QLineEdit::textChanged, this, [this] { m_last = m_box->text(); });
    }
}

int KeyFilter::FilterNameKey(int keyAscii, bool upperCase) {
    if (keyAscii < 32)
        return keyAscii;
    if (keyAscii > 255)
        return 0;
    QChar c = CodePage::toUnicode(static_cast<unsigned char>(keyAscii));
    if (upperCase) {
        c = c.toUpper();
        if (!CodePage::canEncode(c))
            return 0;
        keyAscii = static_cast<unsigned char>(CodePage::fromUnicode(c));
    }
    return allowedNameChars().contains(c) ? keyAscii : 0;
}

int KeyFilter::FilterDigitKey(int keyAscii) {
    if (keyAscii < 32)
        return keyAscii;
    return (keyAscii >= '0' && keyAscii <= '9') ? keyAscii : 0;
}

bool KeyFilter::admits(QChar c) const {
    // Control characters come as keys (backspace, enter), never as text; halves of a character
    // outside the BMP are no Windows-1252 code.
    if (c.unicode() < 32 || c.unicode() == 127 || !CodePage::canEncode(c))
        return false;
    const int code = static_cast<unsigned char>(CodePage::fromUnicode(c));
    return (m_kind == Kind::Name ? FilterNameKey(code) : FilterDigitKey(code)) != 0;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Keys without a character (arrows, delete, shortcuts) and control characters pass.
        if (text.size() == 1 && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
            const QChar c = text.at(0);
            const int code =
                CodePage::canEncode(c) ? static_cast<unsigned char>(CodePage::fromUnicode(c)) : 256;
            if ((m_kind == Kind::Name ? FilterNameKey(code) : FilterDigitKey(code)) == 0)
                return true;
        }
        break;
    }
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::ContextMenu:        // its Paste runs while the menu is open
    case QEvent::MouseButtonRelease: // the middle button pastes the selection
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    if (!m_box || watched != m_box || m_userInput)
        return false;
    // The box handles the event here, so that its check knows the change comes from the user.
    m_userInput = true;
    static_cast<QObject*>(m_box)->event(event);
    m_userInput = false;
    return true;
}

} // namespace zoz
