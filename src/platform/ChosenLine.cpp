#include "ChosenLine.h"

ChosenLine::ChosenLine(SerialPort& serial, SerialPort& server)
    : m_serial(serial), m_server(server), m_line(&serial) {
    passOnReports(serial, *this);
    passOnReports(server, *this);
}

bool ChosenLine::open(int comNumber) {
    choose(m_serial);
    return m_serial.open(comNumber);
}

bool ChosenLine::openServer(const ServerAddress& server) {
    choose(m_server);
    return m_server.openServer(server);
}

// Only one line is open at a time: the other one may still be, from
// before the user chose another interface.
void ChosenLine::choose(SerialPort& line) {
    if (m_line != &line)
        m_line->close();
    m_line = &line;
}
