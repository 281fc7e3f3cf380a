#include "Transmitter.h"

#include "CtsPacing.h"
#include "LinkView.h"
#include "LocoNetMessage.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QByteArray>
#include <algorithm>

bool Transmitter::place(const quint8* bytes, int count) {
    if (!isFree() || count < 1 || count >= Capacity)
        return false;
    std::copy_n(bytes, count, TxBuffer.begin());
    TxBuffer[count] = loconet::checksum(bytes, count);
    TxLastIndex = count - 1;
    return true;
}

void Transmitter::TransmitPending(SerialPort& port, int interfaceType) {
    if (TxLastIndex == -1)
        return;
    if (EchoPending) {
        if (m_clock.now() - TxSentTime > EchoTimeout)
            fail();
        return;
    }

    const QByteArray whole(reinterpret_cast<const char*>(TxBuffer.data()), length());
    if (interfaceType == 1) {
        // The station's own port paces us with CTS. Instead of spinning, write
        // what CTS allows now and go on in the next tick.
        m_written = writeCtsPaced(port, whole, m_written);
        if (m_written < whole.size()) {
            if (m_ctsWaitSince < 0)
                m_ctsWaitSince = m_clock.now();
            else if (m_clock.now() - m_ctsWaitSince > CtsTimeout)
                fail();
            return;
        }
    } else if (!port.write(whole)) {
        // The line is lost; the port says so. Nothing is retried.
        release();
        return;
    }
    m_written = 0;
    m_ctsWaitSince = -1;
    EchoPending = true;
    TxSentTime = m_clock.now();
}

bool Transmitter::isEcho(const quint8* message) const {
    return std::equal(TxBuffer.begin(), TxBuffer.begin() + length(), message);
}

void Transmitter::release() {
    TxLastIndex = -1;
    EchoPending = false;
    m_written = 0;
    m_ctsWaitSince = -1;
}

void Transmitter::sendRefused() {
    if (EchoPending)
        fail();
}

void Transmitter::fail() {
    release();
    m_view.ShowMessage(QStringLiteral("Message kann nicht gesendet werden!"),
                       QStringLiteral("LocoNet Fehler"), MessageIcon::Critical);
}
