// The hexadecimal text a user types for a raw message.
#include "link/HexText.h"

#include <QString>
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
    return 0;
}
