#include "CtsPacing.h"

#include "platform/SerialPort.h"

int writeCtsPaced(SerialPort& port, const QByteArray& bytes, int from) {
    while (from < bytes.size() && port.bytesToWrite() == 0 && port.ctsHolding()) {
        if (!port.write(bytes.mid(from, 1)))
            break;
        ++from;
    }
    return from;
}
