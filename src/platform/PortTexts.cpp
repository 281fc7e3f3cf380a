#include "PortTexts.h"

QString openFailureText(QSerialPort::SerialPortError error, const QString& device, int comNumber,
                        const DeviceAccess& access, const QString& systemText) {
    const QString port = QStringLiteral("ComPort %1 (%2)").arg(comNumber).arg(device);
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("%1 ist nicht vorhanden.\n\nIst das Interface angeschlossen? "
                              "Welches Gerät zu welcher ComPort-Nummer gehört, steht in "
                              "Conf/ports.dat, eine Zeile je Port, zum Beispiel „%2=/dev/ttyUSB0“.")
            .arg(port)
            .arg(comNumber);
    case QSerialPort::PermissionError:
        if (access.permitted)
            return QStringLiteral("%1 ist belegt: ein anderes Programm hat ihn geöffnet.\n\n"
                                  "Bitte das andere Programm beenden und dann neu verbinden.")
                .arg(port);
        return QStringLiteral("Keine Berechtigung für %1.\n\nDer Benutzer muss Mitglied %2 "
                              "sein (danach neu anmelden), oder die udev-Regel des Programms muss "
                              "installiert sein.")
            .arg(port,
                 access.group.isEmpty()
                     ? QStringLiteral("der Gruppe, der das Gerät gehört (meist „dialout“),")
                     : QStringLiteral("der Gruppe „%1“, der das Gerät gehört,").arg(access.group));
    default:
        return QStringLiteral("%1 lässt sich nicht öffnen: %2").arg(port, systemText);
    }
}

QString lineLostText(const QString& device) {
    return QStringLiteral("Die Verbindung zur Zentrale über %1 ist unterbrochen.\n\n"
                          "Bitte Kabel und Interface prüfen und dann neu verbinden.")
        .arg(device);
}
