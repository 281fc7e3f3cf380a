// Received bytes through framing, dispatch and the job machine of a whole
// station whose windows are fakes, in chunks of any size with ticks only
// now and then.
#include "core/ProgramCore.h"
#include "link/AccessoryJobs.h"
#include "link/Identification.h"
#include "link/LinkView.h"
#include "link/LocoJobs.h"
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

// Each bit of the choice asks for a job of another kind, so that the
// answers on the bus meet the job of every part that waits for one.
void askForJob(ProgramCore& core, uint8_t choice) {
    JobMachine& jobs = core.jobs;
    if (choice & 0x01)
        requestSerialNumberAndVersion(jobs);
    if (choice & 0x02)
        requestPageQuery(jobs, 0);
    if (choice & 0x04)
        requestLocoAction(jobs, Job::LocoSpeed, choice >> 7, 3, -1, 40);
    if (choice & 0x08)
        requestIdentification(jobs);
    if (choice & 0x10)
        core.programming.startListJob(ProgrammingState::StandardList, choice & 0x80);
    if (choice & 0x20)
        core.settings.readOptions({1, 2, 3});
    if (choice & 0x40)
        core.lncv.read(1234, 2);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir conf;
    static ManualClock clock;
    static FakeSerialPort port;
    static SilentView messages;
    static OperatingView operating;
    static ProgramCore core(clock, port, messages, operating, conf.path());
    core.state.resetToStartValues();
    port.opened = true;
    core.jobs.open();
    // The first byte picks the jobs that the answers on the bus meet.
    if (size > 0)
        askForJob(core, data[0]);
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
            core.MainTick();
            clock.advance(0.01);
        }
    }
    return 0;
}
