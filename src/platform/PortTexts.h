#pragma once

#include <QSerialPort>
#include <QString>

// What the user reads when the line to the command station cannot be opened
// or is lost: the COM number, the device it stands for, and what to do.

// The device file as far as this user may use it.
struct DeviceAccess {
    // Readable and writable for this user.
    bool permitted = false;
    // The group that owns the device file; empty when unknown.
    QString group;
};

QString openFailureText(QSerialPort::SerialPortError error, const QString& device, int comNumber,
                        const DeviceAccess& access, const QString& systemText);

QString lineLostText(const QString& device);
