#include "pages/KeyFilter.h"

#include "base/CodePage.h"

#include <QKeyEvent>

namespace zoz {

namespace {

const QString& allowedNameChars() {
    static const QString chars =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") +
        QStringLiteral(" !") + QChar(0x00A7) + QStringLiteral("$%&/()=?{[]}\\+*#,.-;:_<>|@~");
    return chars;
}

} // namespace

KeyFilter::KeyFilter(Kind kind, QObject* parent) : QObject(parent), m_kind(kind) {
    parent->installEventFilter(this);
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

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys without a character (arrows, delete, shortcuts) and control characters pass.
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return false;
    const QChar c = text.at(0);
    const int code =
        CodePage::canEncode(c) ? static_cast<unsigned char>(CodePage::fromUnicode(c)) : 256;
    const int passed = m_kind == Kind::Name ? FilterNameKey(code) : FilterDigitKey(code);
    return passed == 0;
}

} // namespace zoz
