#include "print/PrintDocument.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

bool zozPrintPages(const QString* title, const QMarginsF* margins, zoz::PaintPagesFunction paint,
                   void* context, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, *margins,
                                      QPageLayout::Millimeter));
    printer.setDocName(*title);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The dialog sets the page layout of the printer chosen (margins 0 for a file): the report's
    // margins again, on the paper chosen there.
    printer.setPageMargins(*margins, QPageLayout::Millimeter);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    paint(&printer, context);
    QApplication::restoreOverrideCursor();
    return true;
}
