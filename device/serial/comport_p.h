#pragma once
// Internals of the serial-port component shared by comport.cpp and its tests.
// Nothing outside device/serial/ and tests/serial/ includes this header.

#include "serial/comport.h"

#include <cstdint>

#include <termios.h>

namespace zeph_serial {

// Port events the reader thread reports in one hand-over.
enum : uint32_t {
    evRXCHAR = 0x0001,  // bytes are waiting in the input queue
    evCTS = 0x0002,
    evDSR = 0x0004,
    evRLSD = 0x0008,    // carrier detect
    evRING = 0x0010,
    evERR = 0x0020,     // frame, overrun, parity or break error on the line
    evHANGUP = 0x0040,  // the device went away; the port must be closed
};

// Modem-status bits of the last port event.
enum : uint32_t {
    msCTS_ON = 0x01,
    msDSR_ON = 0x02,
    msRING_ON = 0x04,
    msRLSD_ON = 0x08,
};

// Raises the port's modem-line and line-error events for one hand-over:
// CTS, DSR, RLSD, ring, then line error; events without a handler are
// skipped. Status is true when the line's modem-status bit is clear, which is
// how the component has always reported it.
void DispatchStatusEvents(TComPort& port, uint32_t eventMask, uint32_t modemStatus);

// Puts a terminal's settings (as read with tcgetattr) into the port's mode:
// raw, no flow control, no parity checking, receiver on, modem control
// lines ignored, with the given line parameters. Returns 0, or EINVAL for a
// rate or a parameter termios cannot express.
int ApplyLineSettings(termios& tio, uint32_t baud, uint8_t dataBits, TParity parity,
                      TStopBit stopBits);

// Modem-status bits (msXXX_ON) for a TIOCMGET line word.
uint32_t ModemStatusFromLines(int lines);

}  // namespace zeph_serial
