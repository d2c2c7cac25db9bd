#pragma once

#include <QList>

class QWidget;

namespace zoz {

// Tab follows the reading order of a page: the children of every frame in rows from top to
// bottom, each row from left to right, a frame's controls together. The pages build their
// controls array by array (a matrix column by column), which is not the order they are read in.
class TabOrder {
public:
    // Lays out root's frames (also before they are shown) and chains their controls.
    static void byPosition(QWidget* root);

private:
    static void collect(QWidget* parent, QList<QWidget*>& order);
};

} // namespace zoz
