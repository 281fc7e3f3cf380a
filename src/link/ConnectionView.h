#pragma once

#include <QString>

// Where the connection shows how the line stands. Every call has a
// do-nothing default so a test fakes only what it watches.
class ConnectionView {
public:
    // Closed: only "Verbinden" works; the others: only "Trennen" (which,
    // while Closing, closes at once).
    enum class PortState { Closed, Opening, Open, Closing };

    virtual ~ConnectionView() = default;

    virtual void ShowInterfaceInfo(const QString& /*text*/) {}
    virtual void ShowStationInfo(const QString& /*text*/) {}
    virtual void ShowPortState(PortState /*state*/) {}
    // The USB search found the interface on this COM port.
    virtual void ShowPortNumber(int /*comPortNumber*/) {}
    // Without a station nobody knows whether the track has power.
    virtual void ShowPowerUnknown() {}
    // The start-up jobs run: the user may type a loco address meanwhile.
    virtual void FocusThrottleAddress() {}
};
