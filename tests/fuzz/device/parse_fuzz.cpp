// Feeds random chunks to the reply parser with random pointer registers
// (PCHAN, LINDEX, LCURRENT, ADIP), so every storing rule meets every index.
#include "zeph350_d.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {
QCoreApplication* app = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    app = new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8) return 0;
    TZEPH350_d z;
    long events = 0;
    for (int i = 0; i < TZEPH350_d::EventCount; ++i)
        z.setHandler(TZEPH350_d::Event(i), [&events](TZEPH350_d* s, int) {
            ++events;
            // Read through every accessor that depends on a pointer register.
            events += s->GetPENA() + s->GetLPLOGO() + s->GetLEMPTY() + s->GetALEV() + s->value(s->receivedRegister());
        });
    z.setLinkState(data[0] % 9);
    if (data[1] & 1) z.SetForceConn(true);
    // Pointer values from -64 to 191, so negative and out-of-range ones come up.
    const char* pointers[] = {"PCH", "LIND", "LCUR", "ADIP"};
    for (int i = 0; i < 4; ++i) {
        const int v = int(data[2 + i]) - 64;
        z.receive(QByteArray(pointers[i]) + QByteArray::number(v) + "\r\n");
    }
    size_t pos = 6;
    while (pos < size) {
        const size_t n = 1 + data[pos] % 64;
        ++pos;
        const size_t take = n < size - pos ? n : size - pos;
        z.receive(QByteArray(reinterpret_cast<const char*>(data + pos), qsizetype(take)));
        pos += take;
        if (z.receiveBuffer().size() > 10 && z.receiveBuffer().indexOf("\r\n") < 0) __builtin_trap();
    }
    return events < 0;
}
