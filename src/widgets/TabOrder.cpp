#include "widgets/TabOrder.h"

#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace zoz {

void TabOrder::byPosition(QWidget* root) {
    QList<QWidget*> order;
    collect(root, order);
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TabOrder::collect(QWidget* parent, QList<QWidget*>& order) {
    if (parent->layout())
        parent->layout()->activate(); // a hidden frame has no positions before
    QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
        return a->geometry().top() < b->geometry().top();
    });
    // A row holds the widgets whose middle lies beside its first one; rows read left to right.
    for (auto row = children.begin(); row != children.end();) {
        const QRect first = (*row)->geometry();
        auto end = std::find_if(row, children.end(), [&first](QWidget* w) {
            return w->geometry().center().y() > first.bottom() &&
                   w->geometry().top() > first.center().y();
        });
        std::stable_sort(row, end, [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        row = end;
    }
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        if ((child->focusPolicy() & Qt::TabFocus) && !child->focusProxy())
            order << child; // a control, also one made of parts (a list with its text box)
        else
            collect(child, order);
    }
}

} // namespace zoz
