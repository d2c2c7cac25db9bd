#pragma once

#include "dataset/DataSet.h"
#include "dataset/FieldTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zoz {

class DataStore;
class Texts;

// One field of the data set in the pages' own terms.
struct FieldRef {
    QString key;       // stable name used by the text form, e.g. "names.adat[3]", "gpio.output[12]"
    QString page;      // page caption as shown on the tab (language of Texts), e.g. "Names"
    QString group;     // frame / group label on that page, e.g. "ADAT inputs"
    QString item;      // item label, e.g. "ADAT input 3"
    bool shown = true; // a page shows it (element 0 of the names is stored only)
    FieldKind kind = FieldKind::Name;
    int length = 0;      // characters of a text field
    qint32 minimum = 0;  // range of a number field (its storage: Integer or Byte)
    qint32 maximum = 0;  //
    QStringList choices; // the page list of a List field
};

// Every field of the record (all 2913 bytes, also those no page shows) in page order, with the
// labels of the language of `texts`, the values as the pages show them and per-field compare and
// copy. Channel names shown beside channel references are those of the data set itself.
class FieldCatalog {
public:
    // Labels come from the page texts of the language ([TabStrip_<Page>_<LANG>], Messages_),
    // GPIO function texts from the store's lists (as they are when the catalogue is made).
    FieldCatalog(const Texts& texts, const DataStore& store);

    const QList<FieldRef>& fields() const { return m_fields; }
    // Index of the field with that key, -1 if there is none.
    int indexOf(const QString& key) const;

    // The value as the pages show it: channels as "ADAT input 3 'Vox 1'", GPIO functions by key
    // and list text, options and switches by their labels, names as text.
    QString valueText(const DataSet& set, int field) const;
    bool equal(const DataSet& a, const DataSet& b, int field) const;
    void copyField(int field, const DataSet& from, DataSet& to) const;
    // Indexes of the fields where a and b differ, in page order.
    QList<int> differences(const DataSet& a, const DataSet& b) const;

    // Raw access for the text form. Texts: all characters (code 0 and blanks included); numbers:
    // the stored Integer or Byte. setNumber expects a value inside [minimum, maximum].
    QString text(const DataSet& set, int field) const;
    void setText(int field, DataSet& set, const QString& text) const;
    int number(const DataSet& set, int field) const;
    void setNumber(int field, DataSet& set, int value) const;

    // The GPIO function list entry of a code: key and text; false when the list lacks it.
    bool gpioEntry(int listNo, int code, QString& key, QString& text) const;
    // The code of the list entry with that key, 0 when there is none.
    int gpioCode(int listNo, const QString& key) const;
    // The names page's item of a channel reference ("ADAT input 3"), "#<code>" when it names none.
    QString channelLabel(int code) const;

    using Access = FieldAccess;

private:
    void addRow(const FieldRow& row, const Texts& texts);
    QStringList choices(FieldChoices list, const Texts& texts) const;

    QList<FieldRef> m_fields;
    QList<Access> m_access;
    QString m_notDefined;
    QString m_on;
    QString m_off;
    QString m_switchWord;
    QString m_fileWord;
    QList<QStringList> m_gpioKeys;
    QList<QStringList> m_gpioTexts;
    QList<QList<int>> m_gpioCodes;
};

} // namespace zoz
