#pragma once

#include "ComPortNames.h"

#include <QList>
#include <QString>

// One serial port as the system lists it.
struct SerialPortEntry {
    QString device;
    bool hasUsbIds = false;
    quint16 vendor = 0;
    quint16 product = 0;
};

// The COM numbers of the USB LocoNet interfaces among the given ports (at
// most ten, in the order listed).
QList<int> usbInterfaceComPorts(const QList<SerialPortEntry>& ports, const ComPortNames& names);

// The serial ports of this machine.
QList<SerialPortEntry> availableSerialPorts();
