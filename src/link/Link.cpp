#include "Link.h"

#include "MessageTap.h"
#include "platform/SerialPort.h"

Link::Link(const Clock& clock, SerialPort& port, LinkView& view) : m_port(port), Tx(clock, view) {
    // A server that will not put our message on the bus: it never gets its echo.
    m_port.onSendRefused = [this] { Tx.sendRefused(); };
}

void Link::ReceiveBytes() {
    if (!m_port.isOpen())
        return;
    while (m_port.bytesWaiting() > 0) {
        const QByteArray bytes = m_port.readAll();
        if (bytes.isEmpty())
            return;
        Rx.receive(bytes);
    }
}

void Link::TransmitPending() {
    const bool wasSent = Tx.EchoPending;
    Tx.TransmitPending(m_port, InterfaceType);
    if (tap && !wasSent && Tx.EchoPending)
        tap->tapMessage(MessageTap::Origin::Sent, Tx.TxBuffer.data(), Tx.TxLastIndex + 2);
}
