#pragma once

#include <QByteArray>
#include <QList>

class Outbox;
struct LncvRequest;

// Handheld throttles that ask the PC for a locomotive: a throttle announces
// itself with an LNCV message (article 4750, LNCV 5 = its number) and waits;
// when the PC writes an address into its LNCV 10, it acknowledges and
// requests that locomotive from the station.
class HandheldThrottles {
public:
    static constexpr int Article = 4750;
    static constexpr int NumberLncv = 5;
    static constexpr int AddressLncv = 10;
    static constexpr int MaxAddress = 10000;

    struct Throttle {
        int number = 0;
        int address = 0;
        bool waiting = false;
    };

    // The throttle's announcement; from now on it waits for its address.
    QByteArray announce(int number);

    // An address written to the throttle that waits longest: acknowledged,
    // then its locomotive request follows. False when no throttle takes it.
    bool handle(const LncvRequest& request, Outbox& out);

    const QList<Throttle>& throttles() const { return m_throttles; }
    const Throttle* throttle(int number) const;

private:
    QList<Throttle> m_throttles;
};
