#include "dataset/PageLists.h"

namespace zoz {

const QVector<int>& PageLists::FrameRates() {
    static const QVector<int> list{25, 30};
    return list;
}

const QVector<int>& PageLists::ChannelCounts() {
    static const QVector<int> list{2, 1};
    return list;
}

const QVector<int>& PageLists::StartUpConfs() {
    static const QVector<int> list{0, 1, 2, 3, 4, 5, 6, 7, 8};
    return list;
}

bool PageLists::NumberAt(const QVector<int>& list, int index, int& number) {
    if (index < 0 || index >= list.size())
        return false;
    number = list.at(index);
    return true;
}

int PageLists::IndexOf(const QVector<int>& list, int number) {
    return list.indexOf(number);
}

} // namespace zoz
