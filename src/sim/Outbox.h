#pragma once

#include <QByteArray>
#include <QList>

// What goes out on the bus in answer to one message, in order: the station's
// own answers, and messages of other devices that the station hears and acts
// on in turn (a handheld throttle asking for its locomotive).
class Outbox {
public:
    struct Entry {
        QByteArray bytes;
        bool fromDevice;
    };

    void answer(const QByteArray& message) { entries.append({message, false}); }
    void fromDevice(const QByteArray& message) { entries.append({message, true}); }

    QList<Entry> entries;
};
