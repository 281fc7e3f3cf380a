#include "QtSerialPort.h"

QtSerialPort::QtSerialPort(ComPortNames names) : m_names(std::move(names)) {
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
        if (onBytesArrived)
            onBytesArrived();
    });
}

bool QtSerialPort::open(int comNumber) {
    if (m_port.isOpen())
        return true;
    m_device = m_names.device(comNumber);
    m_port.setPortName(m_device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = m_port.errorString();
        return false;
    }
    if (!apply(m_settings)) {
        m_port.close();
        return false;
    }
    if (m_dtr)
        m_port.setDataTerminalReady(*m_dtr);
    if (m_rts)
        m_port.setRequestToSend(*m_rts);
    m_port.clearError();
    return true;
}

void QtSerialPort::close() {
    if (m_port.isOpen())
        m_port.close();
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen();
}

QString QtSerialPort::errorText() const {
    return m_error;
}

QString QtSerialPort::lineName() const {
    return m_device;
}

bool QtSerialPort::setSettings(const QString& settings) {
    const auto parsed = SerialSettings::parse(settings);
    if (!parsed) {
        m_error = QStringLiteral("Ungültige Schnittstellen-Einstellung: %1").arg(settings);
        return false;
    }
    m_settings = *parsed;
    return !m_port.isOpen() || apply(m_settings);
}

bool QtSerialPort::setCustomBitRate(int bitsPerSecond) {
    m_settings.bitRate = bitsPerSecond;
    return !m_port.isOpen() || apply(m_settings);
}

bool QtSerialPort::apply(const SerialSettings& s) {
    static const QMap<char, QSerialPort::Parity> parities = {{'n', QSerialPort::NoParity},
                                                             {'e', QSerialPort::EvenParity},
                                                             {'o', QSerialPort::OddParity},
                                                             {'m', QSerialPort::MarkParity},
                                                             {'s', QSerialPort::SpaceParity}};
    const bool ok =
        m_port.setBaudRate(s.bitRate) &&
        m_port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) &&
        m_port.setParity(parities.value(s.parity)) &&
        m_port.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok)
        m_error = m_port.errorString();
    return ok;
}

qint64 QtSerialPort::bytesWaiting() const {
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

QByteArray QtSerialPort::readAll() {
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    return m_port.isOpen() && m_port.write(bytes) == bytes.size();
}

qint64 QtSerialPort::bytesToWrite() const {
    return m_port.isOpen() ? m_port.bytesToWrite() : 0;
}

void QtSerialPort::clearOutput() {
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Output);
}

bool QtSerialPort::ctsHolding() const {
    if (!m_port.isOpen())
        return false;
    const QSerialPort::PinoutSignals pins = m_port.pinoutSignals();
    if (m_port.error() != QSerialPort::NoError) {
        // A pseudo-terminal has no modem lines: treat it as always ready.
        m_port.clearError();
        return true;
    }
    return pins.testFlag(QSerialPort::ClearToSendSignal);
}

void QtSerialPort::setBreak(bool on) {
    if (m_port.isOpen())
        m_port.setBreakEnabled(on);
}

// Modem lines may be chosen before the port opens; they take effect then.
void QtSerialPort::setDtr(bool on) {
    m_dtr = on;
    if (m_port.isOpen())
        m_port.setDataTerminalReady(on);
}

void QtSerialPort::setRts(bool on) {
    m_rts = on;
    if (m_port.isOpen())
        m_port.setRequestToSend(on);
}
