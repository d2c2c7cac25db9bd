#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace zoz {

QtTranslation::~QtTranslation() {
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

bool QtTranslation::setLanguage(const QString& language) {
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    // Only German has texts of its own; every other language keeps Qt's built-in English.
    if (language != QLatin1String("GER"))
        return true;
    // "qt_de" bundles qtbase and the other modules' catalogues where the Qt installation has it.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!m_translator.load(QStringLiteral("qt_de"), folder) &&
        !m_translator.load(QStringLiteral("qtbase_de"), folder))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace zoz
