#pragma once

#include "print/PrintDocument.h"

#include <QLibrary>
#include <QString>
#include <QStringList>
#include <functional>

namespace zoz {

// Printing, loaded on the first print: the module zozedud-print links Qt PrintSupport, which the
// editor would otherwise map at every start although few ever print. It is looked for beside the
// executable (a build, a portable copy), then where an installation puts it
// (<prefix>/lib/zozedud/print).
class PrintModule {
public:
    // executable: the editor's file (symlinks are resolved here).
    explicit PrintModule(const QString& executable);

    // The module's file in each place it is looked for, in that order.
    QStringList candidates() const;
    // Loads the module once; false with the reason (the places looked in, or why the file found
    // could not be loaded).
    bool load(QString& error);
    QString fileName() const { return m_library.fileName(); }
    // The print dialog over parent (A4, margins in millimetres, the document named title), then
    // the pages painted on the printer chosen; false when cancelled (or not loaded).
    bool print(const QString& title, const QMarginsF& margins,
               const std::function<void(QPagedPaintDevice&)>& paint, QWidget* parent);

private:
    QString m_folder;
    QLibrary m_library;
    PrintPagesFunction m_print = nullptr;
};

} // namespace zoz
