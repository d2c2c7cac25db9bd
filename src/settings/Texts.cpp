#include "settings/Texts.h"

#include "settings/IniCache.h"
#include "settings/IniFile.h"

namespace zoz {

Texts::Texts(QString iniFileName, IniCache* cache)
    : m_iniFileName(std::move(iniFileName)), m_iniCache(cache) {}

void Texts::setLanguage(const QString& language) {
    m_language = language.toUpper();
}

QString Texts::message(const QString& key) const {
    return message(key, key);
}

QString Texts::message(const QString& key, const QString& defaultValue) const {
    return lookup(QStringLiteral("Messages_") + m_language, key, defaultValue);
}

Texts Texts::frozen() const {
    Texts copy(*this);
    if (!m_frozen) {
        IniCache own;
        copy.m_frozen = std::make_shared<const IniDocument>(
            (m_iniCache ? *m_iniCache : own).document(m_iniFileName));
    }
    return copy;
}

QString Texts::lookup(const QString& section, const QString& key,
                      const QString& defaultValue) const {
    if (m_frozen)
        return GetIniValue(*m_frozen, section, key, defaultValue);
    return GetIniValue(m_iniFileName, section, key, defaultValue, m_iniCache);
}

QString Texts::cached(const QString& key, const QString& defaultValue) {
    QString& kept = m_cache[key];
    if (kept.isEmpty())
        kept = message(key, defaultValue);
    return kept;
}

QString Texts::counted(const QString& key, qint64 count) {
    QString text = count == 1 ? cached(key + QStringLiteral("_One"), QString()) : QString();
    if (text.isEmpty())
        text = cached(key);
    return text.replace(QLatin1Char('&'), QString::number(count));
}

} // namespace zoz
