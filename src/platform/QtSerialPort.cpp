#include "QtSerialPort.h"

#include "PortTexts.h"

#include <QFileInfo>
#include <QScopedValueRollback>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

QtSerialPort::QtSerialPort(ComPortNames names) : m_names(std::move(names)) {
#ifdef Q_OS_UNIX
    // The device is read directly when the program asks for what has
    // arrived. Qt's own read notifier would wake the event loop for every few
    // bytes; with room for one byte it stops once it holds one. That byte is
    // peeked at and left there, as emptying Qt's buffer wakes the notifier
    // again; it is dropped only to watch a quiet line.
    m_port.setReadBufferSize(1);
#endif
    QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
        if (onBytesArrived)
            onBytesArrived();
    });
    QObject::connect(&m_port, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

bool QtSerialPort::open(int comNumber) {
    if (m_port.isOpen())
        return true;
    m_comNumber = comNumber;
    m_device = m_names.device(comNumber);
    m_port.setPortName(m_device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = openFailure();
        return false;
    }
    ++m_openings;
    if (!apply(m_settings)) {
        m_error = openFailure();
        closePort();
        return false;
    }
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    if (m_dtr)
        m_port.setDataTerminalReady(*m_dtr);
    if (m_rts)
        m_port.setRequestToSend(*m_rts);
    m_port.clearError();
    m_port.pinoutSignals();
    m_hasModemLines = m_port.error() == QSerialPort::NoError;
    m_port.clearError();
    m_heldByteTaken = false;
    m_readSinceLook = false;
    return true;
}

QString QtSerialPort::openFailure() const {
#ifdef Q_OS_WIN
    // Windows knows no device groups: a port refused is held by another program.
    const DeviceAccess access{true, {}};
#else
    const QFileInfo file(m_device);
    const DeviceAccess access{file.isReadable() && file.isWritable(), file.group()};
#endif
    return openFailureText(m_port.error(), m_device, m_comNumber, access, m_port.errorString());
}

void QtSerialPort::close() {
    closePort();
}

void QtSerialPort::closePort() const {
    if (!m_port.isOpen())
        return;
    const QScopedValueRollback<bool> quiet(m_quiet, true);
    m_port.close();
}

void QtSerialPort::loseLine() const {
    if (!m_port.isOpen())
        return;
    closePort();
    if (onLineLost)
        onLineLost(lineLostText(m_device));
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (m_quiet || !m_port.isOpen())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError)
        return;
    // Qt reports from inside its own notifiers, which closing would delete
    // under it; the line is closed as soon as the event loop is back, unless
    // it has been closed and opened again by then.
    QMetaObject::invokeMethod(
        &m_port,
        [this, opening = m_openings] {
            if (opening == m_openings)
                loseLine();
        },
        Qt::QueuedConnection);
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

#ifdef Q_OS_UNIX
qint64 QtSerialPort::driverQueue(unsigned long request) const {
    int bytes = 0;
    if (::ioctl(int(m_port.handle()), request, &bytes) == 0)
        return bytes;
    loseLine();
    return -1;
}
#endif

qint64 QtSerialPort::bytesWaiting() const {
    if (!m_port.isOpen())
        return 0;
#ifdef Q_OS_UNIX
    const qint64 queued = driverQueue(TIOCINQ);
    if (queued < 0)
        return 0;
    // Found quiet, and not just because everything was read a moment ago:
    // from now on the next byte to come is announced.
    if (queued == 0 && !m_readSinceLook && m_heldByteTaken) {
        m_port.skip(1);
        m_heldByteTaken = false;
    }
    m_readSinceLook = false;
    return (m_heldByteTaken ? 0 : m_port.bytesAvailable()) + queued;
#else
    return m_port.bytesAvailable();
#endif
}

QByteArray QtSerialPort::readAll() {
    if (!m_port.isOpen())
        return {};
#ifdef Q_OS_UNIX
    QByteArray bytes;
    if (!m_heldByteTaken && m_port.bytesAvailable() > 0) {
        bytes.resize(1);
        m_port.peek(bytes.data(), 1);
        m_heldByteTaken = true;
    }
    m_readSinceLook = true;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(int(m_port.handle()), chunk, sizeof chunk);
        if (n > 0)
            bytes.append(chunk, n);
        if (n == ssize_t(sizeof chunk) || (n < 0 && errno == EINTR))
            continue;
        if (n < 0 && errno != EAGAIN)
            loseLine();
        return bytes;
    }
#else
    return m_port.readAll();
#endif
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen())
        return false;
#ifdef Q_OS_UNIX
    // Straight to the driver: a device that has gone says so now, not on some
    // later turn of the event loop.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(int(m_port.handle()), bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR)
            break;
    }
    if (done == bytes.size())
        return true;
#else
    if (m_port.write(bytes) == bytes.size())
        return true;
#endif
    loseLine();
    return false;
}

qint64 QtSerialPort::bytesToWrite() const {
    if (!m_port.isOpen())
        return 0;
#ifdef Q_OS_UNIX
    const qint64 queued = driverQueue(TIOCOUTQ);
    if (queued < 0)
        return 0;
    return m_port.bytesToWrite() + queued;
#else
    return m_port.bytesToWrite();
#endif
}

void QtSerialPort::clearOutput() {
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Output);
}

bool QtSerialPort::ctsHolding() const {
    if (!m_port.isOpen())
        return false;
    if (!m_hasModemLines)
        return true;
    // A failure to read the lines comes as an error of the port.
    return m_port.pinoutSignals().testFlag(QSerialPort::ClearToSendSignal);
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
