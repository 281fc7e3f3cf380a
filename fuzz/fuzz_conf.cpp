// conf.dat and ports.dat as they may be found on a user's disk.
#include "core/ConfFile.h"
#include "platform/ComPortNames.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const ConfFile conf = ConfFile::parse(bytes);
    if (conf.ComPortNumber < 1 || conf.ComPortNumber > 255)
        __builtin_trap();
    const ComPortNames names = ComPortNames::fromText(bytes);
    for (const int n : {1, 5, 32, 33, 64, 65, 96, 97, 255}) {
        const QString device = names.device(n);
        if (device.isEmpty())
            __builtin_trap();
        names.comNumber(device);
    }
    return 0;
}
