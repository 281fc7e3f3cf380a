// Received bytes through framing, dispatch and the job machine of a whole
// station whose windows are fakes.
#include "app/Station.h"
#include "link/AccessoryJobs.h"
#include "link/LinkView.h"
#include "link/OperatingView.h"
#include "link/SerialNumberJob.h"
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
    station.jobs.open();
    // The first byte picks a job so that answers meet a waiting request.
    if (size > 0) {
        if (data[0] % 2)
            requestSerialNumberAndVersion(station.jobs);
        else
            requestPageQuery(station.jobs, 0);
    }
    for (size_t at = 1; at < size; at += 16) {
        const size_t n = std::min<size_t>(16, size - at);
        port.deliver(QByteArray(reinterpret_cast<const char*>(data + at), static_cast<int>(n)));
        station.MainTick();
        clock.advance(0.01);
    }
    return 0;
}
