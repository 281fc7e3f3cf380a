#include "HandheldThrottles.h"

#include "LncvModules.h"
#include "Outbox.h"
#include "StationMessage.h"

#include <algorithm>

QByteArray HandheldThrottles::announce(int number) {
    auto it = std::find_if(m_throttles.begin(), m_throttles.end(),
                           [number](const Throttle& t) { return t.number == number; });
    if (it == m_throttles.end())
        it = m_throttles.insert(m_throttles.end(), Throttle{number});
    // A throttle that asks again goes to the back of the queue.
    Throttle t = *it;
    m_throttles.erase(it);
    t.waiting = true;
    m_throttles.append(t);
    // Sent without source and destination, which marks it as a throttle's request.
    return lncvMessage({0x00, 0x00, 0x00}, Article, NumberLncv, number, 0x00);
}

bool HandheldThrottles::handle(const LncvRequest& r, Outbox& out) {
    if (r.command != LncvRequest::Write || r.article != Article || r.lncv != AddressLncv)
        return false;
    const auto it = std::find_if(m_throttles.begin(), m_throttles.end(),
                                 [](const Throttle& t) { return t.waiting; });
    if (it == m_throttles.end())
        return false;
    if (r.value < 1 || r.value > MaxAddress) {
        out.answer(sim::longAck(0xED, static_cast<quint8>(LncvAck::InvalidValue)));
        return true;
    }
    it->waiting = false;
    it->address = r.value;
    out.answer(sim::longAck(0xED, static_cast<quint8>(LncvAck::Done)));
    out.fromDevice(sim::message({0xBF, (r.value >> 7) & 0x7F, r.value & 0x7F}));
    return true;
}

const HandheldThrottles::Throttle* HandheldThrottles::throttle(int number) const {
    for (const Throttle& t : m_throttles) {
        if (t.number == number)
            return &t;
    }
    return nullptr;
}
