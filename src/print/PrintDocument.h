#pragma once

#include <QtGlobal>

class QMarginsF;
class QPagedPaintDevice;
class QString;
class QWidget;

namespace zoz {
// Paints every page on the printer; context is the caller's.
using PaintPagesFunction = void (*)(QPagedPaintDevice* device, void* context);
} // namespace zoz

// The one entry of the print module (zozedud-print), which alone links Qt PrintSupport so that the
// editor does not pay for it at start-up; the editor loads it on the first print (PrintModule).
// Shows the print dialog (objectName "dlgPrint", A4 with the given margins in millimetres, high
// resolution, the document named title) over parent and lets paint draw the pages on the printer
// or file chosen there. Returns false when the dialog was cancelled.
extern "C" Q_DECL_EXPORT bool zozPrintPages(const QString* title, const QMarginsF* margins,
                                            zoz::PaintPagesFunction paint, void* context,
                                            QWidget* parent);

namespace zoz {
using PrintPagesFunction = bool (*)(const QString* title, const QMarginsF* margins,
                                    PaintPagesFunction paint, void* context, QWidget* parent);
} // namespace zoz
