#pragma once

#include <QString>
#include <QTranslator>

namespace zoz {

// Qt's own texts (standard buttons, file dialogs, the serial port's errors) in the program's
// language: with GER Qt's German translations from the Qt installation are installed into the
// application, otherwise none.
class QtTranslation {
public:
    QtTranslation() = default;
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // The value of [Main] Language, upper-cased. False when the translations of a language that
    // needs them cannot be loaded (Qt's English texts stay).
    bool setLanguage(const QString& language);

private:
    void removeAll();

    QTranslator m_translator;
    QTranslator m_serialPort; // qtserialport_de: "qt_de" does not bundle it
    bool m_installed = false;
    bool m_serialPortInstalled = false;
};

} // namespace zoz
