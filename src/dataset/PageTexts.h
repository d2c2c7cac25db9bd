#pragma once

#include <QString>

namespace zoz {

class Texts;

// A page's texts: "TabStrip_<page>_" + language, with the page's built-in text as default.
class PageTexts {
public:
    PageTexts(const Texts& texts, const char* page);
    QString operator()(const QString& key, const QString& fallback) const;

private:
    const Texts& m_texts;
    QString m_section;
};

} // namespace zoz
