#include "dataset/PageTexts.h"

#include "settings/Texts.h"

namespace zoz {

PageTexts::PageTexts(const Texts& texts, const char* page)
    : m_texts(texts), m_section(QStringLiteral("TabStrip_") + QString::fromLatin1(page) +
                                QLatin1Char('_') + texts.language()) {}

QString PageTexts::operator()(const QString& key, const QString& fallback) const {
    const QString value = m_texts.lookup(m_section, key, QString()).trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace zoz
