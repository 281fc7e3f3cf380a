#include "TerminalBitRate.h"

// The kernel's own termios2 carries the rate as a number; the C library's
// termios knows only the standard rates and may not share a file with it.
#include <asm/termbits.h>
#include <sys/ioctl.h>

int terminalBitRate(int fd) {
    termios2 settings{};
    if (::ioctl(fd, TCGETS2, &settings) != 0)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}
