// The hexadecimal text a user types for a raw message, and what the raw send
// line and the bus monitor read in the bytes.
#include "link/HexText.h"
#include "monitor/Decoder.h"

#include <QString>
#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const HexTextResult result = parseHexText(text);
    // Only a text whose every token was a byte gives bytes, and never more
    // than a message holds beside its checksum.
    if ((result.kind == HexTextResult::Placed) != !result.bytes.isEmpty())
        __builtin_trap();
    if (result.bytes.size() > MaxTypedBytes)
        __builtin_trap();
    if (result.kind == HexTextResult::Placed)
        monitor::meaningOfTyped(result.bytes);
    // The input itself as a message off the line, however damaged.
    monitor::meaningOf({data, static_cast<int>(std::min<size_t>(size, 64))});
    return 0;
}
