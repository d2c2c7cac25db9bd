#pragma once

#include <QHash>
#include <QString>
#include <memory>

namespace zoz {

class IniCache;
class IniDocument;

// Looks up user-visible texts by key in the section family of the chosen language.
class Texts {
public:
    // Without a cache every lookup reads the settings file anew.
    explicit Texts(QString iniFileName, IniCache* cache = nullptr);

    const QString& iniFileName() const { return m_iniFileName; }
    // The program's parsed copies of the settings file, for every reader and writer of it.
    IniCache* iniCache() const { return m_iniCache; }
    // Start-up derives the settings file name after the owner has been created.
    void setIniFileName(const QString& fileName) { m_iniFileName = fileName; }
    // Stored upper-cased; "" until start-up has read [Main] Language.
    void setLanguage(const QString& language);
    const QString& language() const { return m_language; }

    // Section "Messages_" + language; the default is the key itself.
    QString message(const QString& key) const;
    QString message(const QString& key, const QString& defaultValue) const;
    // Any section, e.g. "TabStrip_Names_" + language().
    QString lookup(const QString& section, const QString& key, const QString& defaultValue) const;
    // Looked up once and kept; looked up again only while the kept text is empty.
    QString cached(const QString& key, const QString& defaultValue);
    QString cached(const QString& key) { return cached(key, key); }
    // A counted text: key + "_One" for one (when the file has it), key for any other number;
    // its "&" becomes the number ("1 change not sent", "2 changes not sent").
    QString counted(const QString& key, qint64 count);

    // A copy that answers from the settings file as it is now, however the file changes later:
    // the pages read their texts as at start-up, also those built later.
    Texts frozen() const;

private:
    QString m_iniFileName;
    IniCache* m_iniCache;
    QString m_language;
    QHash<QString, QString> m_cache;
    std::shared_ptr<const IniDocument> m_frozen;
};

} // namespace zoz
