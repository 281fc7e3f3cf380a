#include "VirtualSerialPort.h"

#include "VirtualStation.h"
#include "platform/Clock.h"
#include "platform/PortTexts.h"
#include "platform/SerialSettings.h"

VirtualSerialPort::VirtualSerialPort(const Clock& clock, VirtualStation& station)
    : m_clock(clock), m_station(station) {}

bool VirtualSerialPort::open(int comNumber) {
    if (m_station.faults.cablePulled) {
        m_error = openFailureText(QSerialPort::DeviceNotFoundError, lineName(), comNumber, {}, {});
        return false;
    }
    if (!m_open) {
        m_open = true;
        m_station.advance(m_clock.now());
        m_station.line().clear();
    }
    return true;
}

// What was still on its way is lost, as with a real port.
void VirtualSerialPort::close() {
    m_open = false;
    m_station.line().clear();
}

bool VirtualSerialPort::lineUp() const {
    if (!m_open)
        return false;
    if (!m_station.faults.cablePulled)
        return true;
    m_open = false;
    m_station.line().clear();
    if (onLineLost)
        onLineLost(lineLostText(lineName()));
    return false;
}

bool VirtualSerialPort::ctsHolding() const {
    return lineUp() && !m_station.faults.ctsOff;
}

bool VirtualSerialPort::setSettings(const QString& settings) {
    const std::optional<SerialSettings> parsed = SerialSettings::parse(settings);
    if (!parsed) {
        m_error = QStringLiteral("Ungültige Schnittstellen-Einstellung: %1").arg(settings);
        return false;
    }
    m_station.line().setBitRate(parsed->bitRate);
    return true;
}

bool VirtualSerialPort::setCustomBitRate(int bitsPerSecond) {
    if (bitsPerSecond <= 0)
        return false;
    m_station.line().setBitRate(bitsPerSecond);
    return true;
}

qint64 VirtualSerialPort::bytesWaiting() const {
    if (!lineUp())
        return 0;
    const double now = m_clock.now();
    m_station.advance(now);
    return m_station.line().ready(now);
}

QByteArray VirtualSerialPort::readAll() {
    if (!lineUp())
        return {};
    const double now = m_clock.now();
    m_station.advance(now);
    return m_station.line().take(now);
}

bool VirtualSerialPort::write(const QByteArray& bytes) {
    if (!lineUp())
        return false;
    const double now = m_clock.now();
    m_station.advance(now);
    m_station.receive(bytes, now);
    return true;
}

void VirtualSerialPort::setBreak(bool on) {
    if (m_open && on)
        m_station.enterTextMode();
}
