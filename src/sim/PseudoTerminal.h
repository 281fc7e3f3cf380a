#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

class Clock;
class SharedBus;
class VirtualStation;

// Serves the virtual command station on a pseudo-terminal, so that a program
// opens it like a serial port: what it writes reaches the station, and what
// comes on the bus is written back at the pace of the line.
class PseudoTerminal : public QObject {
    Q_OBJECT
public:
    PseudoTerminal(const Clock& clock, VirtualStation& station, SharedBus& bus);
    ~PseudoTerminal() override;

    // Creates the terminal; false with the reason in errorText().
    bool open();
    // The device a serial port opens, such as /dev/pts/3.
    QString path() const { return m_path; }
    QString errorText() const { return m_error; }
    // Bytes thrown away because no program read them.
    qint64 unreadBytesDropped() const { return m_unreadDropped; }

signals:
    // A program has the terminal open and has written to it.
    void programWrote();

private:
    void readFromProgram();
    void write(const QByteArray& bytes);
    void followBitRate();
    bool fail(const QString& what);

    const Clock& m_clock;
    VirtualStation& m_station;
    SharedBus& m_bus;
    int m_master = -1;
    // Held open so that reading the master never fails while no program has
    // the terminal open.
    int m_slave = -1;
    QString m_path;
    QString m_error;
    qint64 m_unreadDropped = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
