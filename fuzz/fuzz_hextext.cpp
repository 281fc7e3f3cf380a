// The hexadecimal text a user types for a raw message, and what the raw send
// line and the bus monitor read in the bytes.
#include "link/HexText.h"
#include "link/LinkView.h"
#include "link/Transmitter.h"
#include "monitor/Decoder.h"
#include "platform/Clock.h"

#include <QString>
#include <algorithm>
#include <cstdint>

namespace {
struct SilentView : LinkView {
    void ShowMessage(const QString&, const QString&, MessageIcon) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ManualClock clock;
    SilentView view;
    Transmitter tx(clock, view);
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const HexTextResult result = SendHexText(tx, text);
    // Nothing is placed unless every token was a byte.
    if ((result.kind == HexTextResult::Placed) != (tx.TxLastIndex >= 0))
        __builtin_trap();
    if (tx.TxLastIndex >= 64)
        __builtin_trap();
    if (result.kind == HexTextResult::Placed)
        monitor::meaningOfTyped(
            QByteArray(reinterpret_cast<const char*>(tx.TxBuffer.data()), tx.TxLastIndex + 1));
    // The input itself as a message off the line, however damaged.
    monitor::meaningOf({data, static_cast<int>(std::min<size_t>(size, 64))});
    return 0;
}
