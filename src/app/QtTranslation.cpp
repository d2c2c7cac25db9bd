#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace zoz {

QtTranslation::~QtTranslation() {
    removeAll();
}

void QtTranslation::removeAll() {
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    if (m_serialPortInstalled)
        QCoreApplication::removeTranslator(&m_serialPort);
    m_installed = m_serialPortInstalled = false;
}

bool QtTranslation::setLanguage(const QString& language) {
    removeAll();
    // Only German has texts of its own; every other language keeps Qt's built-in English.
    if (language != QLatin1String("GER"))
        return true;
    // "qt_de" bundles qtbase and the other modules' catalogues where the Qt installation has it.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!m_translator.load(QStringLiteral("qt_de"), folder) &&
        !m_translator.load(QStringLiteral("qtbase_de"), folder))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    // The serial port's texts reach the user in port errors; without its catalogue they stay
    // English inside German messages, which is no reason to fail.
    if (m_serialPort.load(QStringLiteral("qtserialport_de"), folder))
        m_serialPortInstalled = QCoreApplication::installTranslator(&m_serialPort);
    return m_installed;
}

} // namespace zoz
