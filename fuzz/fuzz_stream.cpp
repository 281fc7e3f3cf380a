// Received bytes through framing, dispatch and the job machine of a whole
// station whose windows are fakes, in chunks of any size with ticks only
// now and then.
#include "app/Station.h"
#include "link/LinkView.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"

#include <QTemporaryDir>
#include <cstdint>

namespace {
struct SilentView : LinkView {
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir conf;
    static ManualClock clock;
    static FakeSerialPort port;
    static SilentView messages;
    static OperatingView operating;
    static Station station(clock, port, messages, operating, conf.path());
    station.state.resetToStartValues();
    port.opened = true;
    // The first byte picks a job so that answers meet a waiting request.
    if (size > 0)
        station.state.job.start(data[0] % 2 ? 47 : 1, -1);
    // Then steps of a control byte and the chunk it announces: its low six
    // bits give the chunk's length, bit 6 makes it sixteen times as long,
    // bit 7 runs a tick after it. Without ticks the ring fills and the bytes
    // behind it wait; the last tick takes what is left.
    size_t at = 1;
    while (at < size) {
        const uint8_t control = data[at++];
        const size_t length = ((control & 0x3F) + 1u) * (control & 0x40 ? 16u : 1u);
        const size_t n = std::min(length, size - at);
        port.deliver(QByteArray(reinterpret_cast<const char*>(data + at), static_cast<int>(n)));
        at += n;
        if (control & 0x80 || at >= size) {
            station.MainTick();
            clock.advance(0.01);
        }
    }
    return 0;
}
