#pragma once

#include <QString>
#include <QStringList>

namespace zoz {

// The tab strip's tags, one per tab: "|FormName=<page window>|" and "|TabStrip=<page>|" pairs
// that tie a tab to the page window it shows and to the page's texts.
class TabTags {
public:
    void addTab() { m_tags.append(QString()); }
    int size() const { return int(m_tags.size()); }
    // Ties tab `tab` (with its shown text) to the page window `formName`.
    void addForm(int tab, const QString& formName, const QString& tabText);
    // The page named by the tab's first "TabStrip=" tag, upper case; empty without one.
    QString page(int tab) const;
    bool isSystem(int tab) const;
    bool holdsForm(int tab, const QString& formName) const;
    // The tab number kept in the settings (Recent, ActTabStrip): its leading whole number, so
    // "3abc" gives 3 and "x" gives 0.
    static int storedTabNumber(const QString& text);

private:
    QString upperTag(int tab) const;

    QStringList m_tags;
};

} // namespace zoz
