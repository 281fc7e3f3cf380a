// Hilfe.txt as it may be found on a user's disk.
#include "operating/HelpText.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    for (const QString& line : helpLines(bytes)) {
        if (line.contains(u'\r') || line.contains(u'\n') || line == QLatin1String("##ENDE##"))
            __builtin_trap();
    }
    return 0;
}
