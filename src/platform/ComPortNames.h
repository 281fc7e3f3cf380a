#pragma once

#include <QMap>
#include <QString>

// COM numbers stay numbers, as the user knows them; this turns them into the
// device a port is opened on and back. Entries "n=PATH" of ports.dat win over
// the built-in defaults.
class ComPortNames {
public:
    ComPortNames() = default;
    static ComPortNames fromFile(const QString& portsDatPath);
    static ComPortNames fromText(const QByteArray& portsDat);

    QString device(int comNumber) const;
    // 0 when the device is no COM port we know.
    int comNumber(const QString& device) const;

    // Adds or replaces one entry in ports.dat, keeping every other line.
    static bool registerPort(const QString& portsDatPath, int comNumber, const QString& device,
                             QString* error);

private:
    QMap<int, QString> m_entries;
};
