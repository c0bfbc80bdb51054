// Parser throughput: valid reply lines for every register, with no handler
// and with a trivial handler on every event; and noise without CR LF at
// 1 MB and 8 MB, whose time ratio shows whether the cost is linear.
#include "bench_quiet.h"
#include "zeph350_d.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace zeph;

namespace {

QByteArray validStream(int targetBytes)
{
    std::mt19937 rng(42);
    QByteArray s;
    s.reserve(targetBytes + 64);
    while (s.size() < targetBytes) {
        for (const RegisterInfo& r : Registers) {
            s.append(r.reply.data(), qsizetype(r.reply.size()));
            s.append(QByteArray::number(rng() % 256));
            s.append("\r\n");
        }
    }
    return s;
}

// Feeds the stream in datagram-sized chunks; returns the best of `runs`.
double feedSeconds(TZEPH350_d& z, const QByteArray& stream, int chunk, int runs)
{
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        for (qsizetype pos = 0; pos < stream.size(); pos += chunk) z.receive(stream.mid(pos, chunk));
        best = std::min(best, double(t.nsecsElapsed()) / 1e9);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    quietPlatformNotes();
    QCoreApplication app(argc, argv);
    const QByteArray valid = validStream(16 << 20);
    const double mb = double(valid.size()) / 1e6;

    TZEPH350_d bare;
    const double t0 = feedSeconds(bare, valid, 1024, 3);

    TZEPH350_d bound;
    long calls = 0;
    for (int i = 0; i < TZEPH350_d::EventCount; ++i)
        bound.setHandler(TZEPH350_d::Event(i), [&calls](TZEPH350_d*, int) { ++calls; });
    const double t1 = feedSeconds(bound, valid, 1024, 3);

    const QByteArray noise1(1 << 20, 'Q');
    const QByteArray noise8(8 << 20, 'Q');
    TZEPH350_d n;
    // One chunk each: the worst case for a parser that drops a character at
    // a time from the front.
    const double tn1 = feedSeconds(n, noise1, int(noise1.size()), 5);
    const double tn8 = feedSeconds(n, noise8, int(noise8.size()), 5);

    std::printf("parse_valid_MBps: %.1f\n", mb / t0);
    std::printf("parse_valid_handlers_MBps: %.1f\n", mb / t1);
    std::printf("parse_noise_1MB_ms: %.3f\n", tn1 * 1e3);
    std::printf("parse_noise_8MB_ms: %.3f\n", tn8 * 1e3);
    std::printf("parse_noise_ratio: %.2f\n", tn8 / tn1);
    return calls > 0 ? 0 : 1;
}
