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

QStringList PageLists::MonitorVolumes() {
    QStringList items{QStringLiteral("off")};
    for (int db : {60, 54, 48, 42, 36, 30, 27})
        items << QStringLiteral("- %1 dB").arg(db);
    for (int db = 24; db >= 10; --db)
        items << QStringLiteral("- %1 dB").arg(db);
    for (int db = 9; db >= 1; --db)
        items << QStringLiteral("-   %1 dB").arg(db);
    items << QStringLiteral("    0 dB");
    for (int db = 1; db <= 9; ++db)
        items << QStringLiteral("+  %1 dB").arg(db);
    for (int db = 10; db <= 12; ++db)
        items << QStringLiteral("+%1 dB").arg(db);
    return items;
}

QStringList PageLists::MonitorChannels() {
    return {
        QStringLiteral("IN 1/2"),      QStringLiteral("IN 3/4 "),     QStringLiteral("IN 5/6"),
        QStringLiteral("IN 7/8"),      QStringLiteral("IN 9/10"),     QStringLiteral("IN 11/12"),
        QStringLiteral("Bus 1/2"),     QStringLiteral("Bus 3/4"),     QStringLiteral("Bus 5/6"),
        QStringLiteral("Aux 1/2"),     QStringLiteral("ext Mon 1/2"), QStringLiteral("ext Mon 3/4"),
        QStringLiteral("ext Mon 5/6"), QStringLiteral("ext Mon 7/8")};
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
