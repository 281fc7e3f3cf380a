#pragma once

// The bit rate a program has set on its side of a terminal, standard or not
// (a LocoNet interface runs at 16457 bit/s); 0 when it cannot be read.
int terminalBitRate(int fd);
