#include "VirtualStation.h"

#include "DemoLayout.h"
#include "Outbox.h"
#include "StationMessage.h"
#include "StationRequests.h"

namespace {

constexpr quint8 PowerOff = 0x82;
constexpr quint8 PowerOn = 0x83;
constexpr quint8 ReadSlot = 0xBB;

// TRK: LocoNet 1.1 master, track not paused; power and programming track busy.
constexpr quint8 TrackBase = 0x06;
constexpr quint8 TrackPower = 0x01;
constexpr quint8 ProgrammingBusy = 0x08;

// Messages the station can refuse with a long acknowledge.
bool refusable(quint8 op) {
    switch (op) {
    case 0xB0:
    case 0xBB:
    case 0xBC:
    case 0xBE:
    case 0xBF:
    case 0xED:
        return true;
    default:
        return false;
    }
}

QByteArray corrupted(QByteArray message) {
    message[message.size() - 1] = static_cast<char>(message.back() ^ 0x01);
    return message;
}

} // namespace

VirtualStation::VirtualStation(const StationProfile& profile) : profile(profile) {}

VirtualStation::~VirtualStation() = default;

void VirtualStation::receive(const QByteArray& bytes, double now) {
    if (faults.silent)
        return;
    for (const char c : bytes) {
        if (m_text.active()) {
            m_line.send(m_text.receive(c), now + faults.answerDelay);
            continue;
        }
        const QByteArray message = m_framer.receiveByte(static_cast<quint8>(c));
        if (!message.isEmpty())
            fromPc(message, now);
    }
}

void VirtualStation::hear(const QByteArray& message, double now) {
    if (!faults.silent)
        fromPc(message, now);
}

void VirtualStation::fromPc(const QByteArray& message, double now) {
    if (!faults.noEcho)
        put(faults.corruptEcho ? corrupted(message) : message, now);
    Outbox out;
    act(message, out);
    sendAll(out, now + faults.answerDelay);
}

void VirtualStation::act(const QByteArray& m, Outbox& out) {
    // The bus carries a damaged message like any other, but nobody acts on it.
    if (!sim::checksumValid(m))
        return;
    const quint8 op = static_cast<quint8>(m[0]);
    if (faults.unanswered.contains(op))
        return;
    if (faults.refuse && refusable(op)) {
        out.answer(sim::longAck(op, 0x00));
        return;
    }
    if (op == PowerOff || op == PowerOn) {
        m_power = op == PowerOn;
        return;
    }
    if (op == ReadSlot && m[1] == 0) {
        out.answer(profile.slot0Data(trackStatus()));
        return;
    }
    if (locos.handle(m, trackStatus(), settings, out) || accessories.handle(m, out) ||
        programming.handleStartEnd(m) ||
        programming.handleRequest(m, faults.programmingTrack, trackStatus(), out))
        return;
    if (StationRequests::isStationRequest(m)) {
        StationRequests::handle(m, settings, profile, out);
        return;
    }
    if (const std::optional<LncvRequest> r = LncvRequest::parse(m); r && !throttles.handle(*r, out))
        modules.handle(*r, out);
}

void VirtualStation::sendAll(const Outbox& out, double notBefore) {
    for (const Outbox::Entry& entry : out.entries) {
        put(entry.bytes, notBefore);
        if (entry.fromDevice) {
            Outbox heard;
            act(entry.bytes, heard);
            sendAll(heard, notBefore);
        }
    }
}

void VirtualStation::put(const QByteArray& message, double notBefore) {
    // In text mode the station's port does not pass on what happens on the bus.
    if (!m_text.active())
        m_line.send(message, notBefore);
}

void VirtualStation::deviceSends(const QByteArray& message, double now) {
    Outbox out;
    out.fromDevice(message);
    sendAll(out, now);
}

void VirtualStation::reportContact(int contact, bool occupied, double now) {
    deviceSends(Accessories::contactReport(contact, occupied), now);
}

void VirtualStation::announceThrottle(int number, double now) {
    deviceSends(throttles.announce(number), now);
}

void VirtualStation::enterTextMode() {
    m_text.enter();
    m_framer = BusFramer{};
}

void VirtualStation::advance(double now) {
    if (m_demo)
        m_demo->run(*this, now);
}

void VirtualStation::setDemo(bool on) {
    if (!on)
        m_demo.reset();
    else if (!m_demo)
        m_demo = std::make_unique<DemoLayout>();
}

quint8 VirtualStation::trackStatus() const {
    return TrackBase | (m_power ? TrackPower : 0) | (programming.active() ? ProgrammingBusy : 0);
}
