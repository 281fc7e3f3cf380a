#include "Link.h"

#include "MessageTap.h"
#include "platform/SerialPort.h"

Link::Link(const Clock& clock, SerialPort& port, LinkView& view) : m_port(port), Tx(clock, view) {
    Rx.onDamaged = [this](const quint8* message, int length) {
        if (tap)
            tap->tapMessage(MessageTap::Origin::Damaged, message, length);
    };
    // A server that will not put our message on the bus: it never gets its echo.
    m_port.onSendRefused = [this] { Tx.sendRefused(); };
    m_port.onDamagedMessage = [this] { Rx.countDamaged(); };
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
    const bool wasSent = Tx.echoPending();
    Tx.TransmitPending(m_port, InterfaceType);
    if (tap && !wasSent && Tx.echoPending())
        tap->tapMessage(MessageTap::Origin::Sent, Tx.message(), Tx.length());
}
