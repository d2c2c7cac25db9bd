#include "ui/TabTags.h"

namespace zoz {

void TabTags::addForm(int tab, const QString& formName, const QString& tabText) {
    m_tags[tab] += QStringLiteral("|FormName=") + formName + QStringLiteral("|");
    m_tags[tab] += QStringLiteral("|TabStrip=") + tabText + QStringLiteral("|");
}

QString TabTags::upperTag(int tab) const {
    return (QStringLiteral("|") + m_tags[tab].trimmed() + QStringLiteral("|")).toUpper();
}

QString TabTags::page(int tab) const {
    const QString tag = upperTag(tab);
    const QString marker = QStringLiteral("TABSTRIP=");
    const int at = tag.indexOf(marker);
    if (at < 0)
        return QString();
    QString page;
    for (int k = at + marker.size(); k < tag.size(); ++k) {
        const QChar c = tag[k];
        if (c == u'"' || c == u' ' || c == u'|')
            break;
        page += c;
    }
    return page;
}

bool TabTags::isSystem(int tab) const {
    return upperTag(tab).contains(QStringLiteral("|TABSTRIP=SYSTEM|"));
}

bool TabTags::holdsForm(int tab, const QString& formName) const {
    return m_tags[tab].toLower().contains(QStringLiteral("|formname=") + formName.toLower() +
                                          QStringLiteral("|"));
}

int TabTags::storedTabNumber(const QString& text) {
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < t.size() && t[i].isDigit() && value < 100000; ++i)
        value = value * 10 + t[i].digitValue();
    return static_cast<int>(negative ? -value : value);
}

} // namespace zoz
