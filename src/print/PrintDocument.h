#pragma once

#include <QtGlobal>

class QTextDocument;
class QWidget;

// The one entry of the print module (zozedud-print), which alone links Qt PrintSupport so that the
// editor does not pay for it at start-up; the editor loads it on the first print (PrintModule).
// Shows the print dialog (objectName "dlgPrint", A4, high resolution) over parent and prints the
// document on the printer or file chosen there. Returns false when the dialog was cancelled.
extern "C" Q_DECL_EXPORT bool zozPrintDocument(QTextDocument* document, QWidget* parent);

namespace zoz {
using PrintDocumentFunction = bool (*)(QTextDocument* document, QWidget* parent);
} // namespace zoz
