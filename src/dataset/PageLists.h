#pragma once

#include <QStringList>
#include <QVector>

namespace zoz {

// The numbers behind the entries of the pages' fixed lists. The record keeps the list position;
// the wire carries the number. The pages show their own texts for these entries in this order.
class PageLists {
public:
    // Editor page: "25 frames", "30 frames".
    static const QVector<int>& FrameRates();
    // Editor page: two channels, four channels.
    static const QVector<int>& ChannelCounts();
    // SnapShot page: "temporary", then configurations 01..08.
    static const QVector<int>& StartUpConfs();
    // Monitor page: the volume list ("off", "- 60 dB" .. "+12 dB") and the monitored channel pairs.
    // The first volume entry is replaced on the page by the language's text for "off".
    static QStringList MonitorVolumes();
    static QStringList MonitorChannels();

    // The number at a list position; false when the position names no entry.
    static bool NumberAt(const QVector<int>& list, int index, int& number);
    // Position of the first entry with that number, -1 when there is none.
    static int IndexOf(const QVector<int>& list, int number);
};

} // namespace zoz
