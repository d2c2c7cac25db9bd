#pragma once

#include <QGroupBox>

namespace zoz {

// A captioned frame of a page. Its caption never widens the page: in the XP look the main window
// pads every caption with blanks to 150 characters, which would otherwise push the page beyond
// the fixed window width.
class PageFrame : public QGroupBox {
    Q_OBJECT
public:
    PageFrame(const QString& name, const QString& caption, QWidget* parent);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
};

} // namespace zoz
