#include "Transmitter.h"

#include "LinkView.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <QByteArray>

void Transmitter::place(std::initializer_list<quint8> bytes) {
    int i = 0;
    for (const quint8 b : bytes)
        TxBuffer[i++] = b;
    TxLastIndex = i - 1;
}

void Transmitter::TransmitPending(SerialPort& port, int interfaceType) {
    if (TxLastIndex == -1)
        return;
    if (EchoPending) {
        if (m_clock.now() - TxSentTime > EchoTimeout)
            fail();
        return;
    }

    const int end = TxLastIndex + 1;
    if (m_written == 0) {
        quint8 sum = 0xFF;
        for (int i = 0; i <= TxLastIndex; ++i)
            sum ^= TxBuffer[i];
        TxBuffer[end] = sum;
    }

    if (interfaceType == 1) {
        // The station's own port paces us with CTS. Instead of spinning, write
        // what CTS allows now and go on in the next tick.
        while (m_written <= end && port.ctsHolding())
            port.write(QByteArray(1, static_cast<char>(TxBuffer[m_written++])));
        if (m_written <= end) {
            if (m_ctsWaitSince < 0)
                m_ctsWaitSince = m_clock.now();
            else if (m_clock.now() - m_ctsWaitSince > CtsTimeout)
                fail();
            return;
        }
    } else {
        port.write(QByteArray(reinterpret_cast<const char*>(TxBuffer.data()), end + 1));
    }
    m_written = 0;
    m_ctsWaitSince = -1;
    EchoPending = true;
    TxSentTime = m_clock.now();
}

bool Transmitter::isEcho(const quint8* message) const {
    for (int i = 0; i <= TxLastIndex + 1; ++i) {
        if (TxBuffer[i] != message[i])
            return false;
    }
    return true;
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
