#include "pages/OptionGroup.h"

#include "pages/DataPage.h"
#include "widgets/ValueCheckBox.h"

namespace zoz {

void OptionGroup::click(ValueCheckBox* box, bool keepOne) {
    const auto* page = box->parentWidget();
    while (page && !qobject_cast<const DataPage*>(page))
        page = page->parentWidget();
    QList<ValueCheckBox*> members;
    const QWidget* root = page ? page : box->window();
    for (ValueCheckBox* other : root->findChildren<ValueCheckBox*>())
        if (other->arrayName() == box->arrayName())
            members.append(other);
    if (box->value() == 1) {
        for (ValueCheckBox* other : members)
            if (other != box && other->index() != box->index())
                other->setValue(0);
    }
    if (keepOne) {
        bool anyChecked = false;
        for (ValueCheckBox* other : members)
            anyChecked = anyChecked || other->value() == 1;
        if (!anyChecked)
            box->setValue(1);
    }
}

} // namespace zoz
