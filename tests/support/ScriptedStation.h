#pragma once

#include "FakeSerialPort.h"
#include "Hex.h"
#include "WireFramer.h"

#include <QList>

// A command station a test plays on a FakeSerialPort: the text commands of
// the station's own port answered with a prompt, every LocoNet message
// echoed, and the requests of a connect answered. Each switch turns one
// answer off so a failure path can be walked.
struct ScriptedStation {
    explicit ScriptedStation(FakeSerialPort& line) : port(line) {}

    // Takes what the program wrote since the last call and answers it.
    void respond() {
        const QByteArray bytes = port.takeWritten();
        for (const char c : bytes) {
            if (textMode)
                hearText(c);
            else
                hearLocoNet(QByteArray(1, c));
        }
    }

    FakeSerialPort& port;
    bool textMode = false;
    bool answersText = true;
    bool answersSlot0 = true;
    bool answersSerialNumber = true;
    QByteArray slot0 = hex("E7 0E 00 00 00 02 00 07 00 00 00 47 58");

    QList<QByteArray> textCommands; // each with its CR
    QList<QByteArray> heard;        // whole LocoNet messages with checksum

private:
    void hearText(char c) {
        m_pending += c;
        if (c != '\r')
            return;
        textCommands.append(m_pending);
        if (answersText)
            port.deliver("\r\nOK ]");
        if (m_pending == "x&LN$55AA\r")
            textMode = false;
        m_pending.clear();
    }

    void hearLocoNet(const QByteArray& bytes) {
        for (const QByteArray& message : m_framer.feed(bytes)) {
            heard.append(message);
            port.deliver(message);
            answer(message);
        }
    }

    void answer(const QByteArray& m) {
        const quint8 op = static_cast<quint8>(m[0]);
        if (op == 0xBB && m[1] == 0 && answersSlot0)
            port.deliver(loconet::withChecksum(slot0));
        if (op == 0xBC)
            port.deliver(msg("B4 3C 30"));
        if (op == 0xED && answersSerialNumber) {
            port.deliver(msg("B4 6D 7F"));
            port.deliver(m[5] == 0x07 ? msg("E5 0F 00 00 00 09 00 12 34 56 78 10 00 00")
                                      : msg("E5 0F 00 00 00 08 00 50 15 00 00 00 00 00"));
        }
    }

    QByteArray m_pending;
    WireFramer m_framer;
};
