#include "UsbInterfaceSearch.h"

#include <QSerialPortInfo>

namespace {
constexpr quint16 InterfaceVendor = 0x10C4;
constexpr quint16 InterfaceProduct = 0xEA60;
constexpr int MaxInterfaces = 10;
} // namespace

QList<int> usbInterfaceComPorts(const QList<SerialPortEntry>& ports, const ComPortNames& names) {
    QList<int> numbers;
    for (const SerialPortEntry& port : ports) {
        if (numbers.size() == MaxInterfaces)
            break;
        if (!port.hasUsbIds || port.vendor != InterfaceVendor || port.product != InterfaceProduct)
            continue;
        if (const int n = names.comNumber(port.device); n > 0)
            numbers.append(n);
    }
    return numbers;
}

QList<SerialPortEntry> availableSerialPorts() {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
#ifdef Q_OS_WIN
        entry.device = info.portName();
#else
        entry.device = info.systemLocation();
#endif
        entry.hasUsbIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
        entry.vendor = info.vendorIdentifier();
        entry.product = info.productIdentifier();
        ports.append(entry);
    }
    return ports;
}
