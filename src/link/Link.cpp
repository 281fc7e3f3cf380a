#include "Link.h"

#include "platform/SerialPort.h"

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
