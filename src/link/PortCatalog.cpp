#include "link/PortCatalog.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace zoz {

QList<PortInfo> PortCatalog::available() {
    QList<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortInfo port;
        port.name = info.portName();
        port.systemLocation = info.systemLocation();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        port.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        port.vendorId = info.vendorIdentifier();
        port.productId = info.productIdentifier();
        QStringList parts;
        if (!info.description().isEmpty())
            parts << info.description();
        if (!port.manufacturer.isEmpty() && !info.description().contains(port.manufacturer))
            parts << port.manufacturer;
        if (port.hasUsbIds)
            parts << QStringLiteral("USB %1:%2")
                         .arg(port.vendorId, 4, 16, QLatin1Char('0'))
                         .arg(port.productId, 4, 16, QLatin1Char('0'));
        if (!port.serialNumber.isEmpty())
            parts << QStringLiteral("serial ") + port.serialNumber;
        port.description = parts.join(QStringLiteral(", "));
        ports.append(port);
    }
    std::sort(ports.begin(), ports.end(),
              [](const PortInfo& a, const PortInfo& b) { return a.name < b.name; });
    return ports;
}

} // namespace zoz
