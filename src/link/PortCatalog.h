#pragma once

#include <QList>
#include <QString>

namespace zoz {

// A serial port the system knows, as people and the [Comm] Port value name it.
struct PortInfo {
    QString name;           // "ttyUSB0": a [Comm] Port value that names this port
    QString systemLocation; // "/dev/ttyUSB0"
    QString description;    // one line for people: adapter description, maker, USB ids
    QString manufacturer;   // USB vendor/product strings, serial number
    QString serialNumber;
    quint16 vendorId = 0;
    quint16 productId = 0;
    bool hasUsbIds = false;
};

class PortCatalog {
public:
    // The system's serial ports, sorted by name.
    static QList<PortInfo> available();
};

} // namespace zoz
