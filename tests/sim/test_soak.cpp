// SPDX-License-Identifier: GPL-3.0-or-later
// One simulated hour at 1 kHz: 3.6 million ticks with the clock moving on by 1 ms before each.
// Memory stays flat, the picture keeps exactly the two current lines (every erasure removed its
// line), and the readouts agree with the closed form theta = theta0 + omega * t, worked out
// here independently with the same single and double arithmetic that the tick uses.
//
// Memory is measured twice: the live heap (bytes allocated and not yet freed) and the resident
// size. Under AddressSanitizer the resident size is only reported: freed blocks wait in its
// quarantine (up to 256 MiB) before they are reused, so it grows whatever the program does.
#include <QTest>
#include <QtGlobal>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARROWEN_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TARROWEN_ASAN 1
#endif

#ifdef TARROWEN_ASAN
#include <sanitizer/allocator_interface.h>
#elif defined(__GLIBC__)
#include <malloc.h>
#endif
#ifdef __linux__
#include <unistd.h>
#endif

#include "rig.h"
#include "ui/number_text.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

constexpr double kRunAt = 36000.0;       // 10:00, seconds since midnight
constexpr long long kTicks = 3'600'000;  // one hour at 1 kHz
constexpr long long kWarmUp = 10'000;
// A stride prime to 1000, so the checked clock readings fall on varied fractions of a second.
constexpr long long kCheckEvery = 100'003;
constexpr double kOmega = 2.5;
// A small orbit: every tick paints the orbit's interior, so the run time grows with its area,
// which is not what this test is about (the benchmarks measure it).
constexpr double kRadius = 0.3;
constexpr double kTheta0 = 0.29;
// One leaked block per tick would hold megabytes after the hour; caches filled during the
// warm-up are not counted.
constexpr long kMaxHeapGrowth = 64 * 1024;

// Both give -1 where the system cannot tell.
long heap_in_use() {
#ifdef TARROWEN_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__)
    return static_cast<long>(mallinfo2().uordblks);
#else
    return -1;
#endif
}

long resident_bytes() {
#ifndef __linux__
    return -1;
#else
    long pages_total = 0;
    long pages_resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    const int n = std::fscanf(f, "%ld %ld", &pages_total, &pages_resident);
    std::fclose(f);
    return n == 2 ? pages_resident * sysconf(_SC_PAGESIZE) : -1;
#endif
}

// The clock reading before tick k (k = 0 is the Run): computed from k, never summed, so the
// fake clock itself does not drift.
float reading(long long k) {
    return static_cast<float>(kRunAt + static_cast<double>(k) / 1000.0);
}

// Boxes 3 to 7 for a tick at clock reading `clock` of a run started at `start`: t as a single
// difference of singles, theta in double, each readout's products in the tick's order.
std::array<std::string, 5> closed_form(float clock, float start) {
    const float t = clock - start;
    const double theta = kOmega * static_cast<double>(t) + kTheta0;
    const float t_shown = std::floor(100.0f * t) / 100.0f;
    const double theta_shown = std::floor(100.0 * theta) / 100.0;
    const double x_shown = std::floor((1000.0 * kRadius) * std::cos(theta)) / 1000.0;
    const double y_shown = std::floor((1000.0 * kRadius) * std::sin(theta)) / 1000.0;
    const double pi_shown = std::floor((100.0 * theta) / 3.1415926) / 100.0;
    return {format_readout(Number::single(t_shown)), format_readout(Number::dbl(theta_shown)),
            format_readout(Number::dbl(x_shown)), format_readout(Number::dbl(y_shown)),
            format_readout(Number::dbl(pi_shown)) + " pi"};
}

QStringList readouts(const Rig& rig) {
    QStringList got;
    for (int i = 3; i <= 7; ++i)
        got << QString::fromStdString(rig.box(i));
    return got;
}

QStringList as_list(const std::array<std::string, 5>& texts) {
    QStringList out;
    for (const auto& s : texts)
        out << QString::fromStdString(s);
    return out;
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT
  private slots:
    void one_hour_at_one_kilohertz() {
        Rig rig;
        rig.type(0, "2.5");
        rig.type(1, "0.3");
        rig.type(2, "0.29");
        rig.run_at(reading(0));
        const float start = reading(0);
        // Both lines cross the whole area once: 500 rows plus 567 columns, sharing one pixel.
        const int two_lines = rig.area.image().height() + rig.area.image().width() - 1;

        long rss_after_warm_up = 0;
        long heap_after_warm_up = 0;
        int checked = 0;
        for (long long k = 1; k <= kTicks; ++k) {
            rig.tick_at(reading(k));
            if (k == kWarmUp) {
                rss_after_warm_up = resident_bytes();
                heap_after_warm_up = heap_in_use();
            }
            if (k % kCheckEvery != 0 && k != kTicks) continue;
            ++checked;
            QCOMPARE(readouts(rig), as_list(closed_form(reading(k), start)));
            QCOMPARE(rig.count(kGreen), two_lines);
        }
        const long rss_at_end = resident_bytes();
        const long heap_at_end = heap_in_use();

        QCOMPARE(checked, static_cast<int>(kTicks / kCheckEvery) + 1);
        // The hour really elapsed: the last readout shows t = 3600 s.
        QCOMPARE(QString::fromStdString(rig.box(3)), QStringLiteral(" 3600"));
        QCOMPARE(rig.m.t_sec, Number::single(reading(kTicks) - start));
        QCOMPARE(rig.m.theta.to_double(),
                 kOmega * static_cast<double>(reading(kTicks) - start) + kTheta0);
        QVERIFY(rig.count(kBlue) > 0);

        qInfo("resident size after %lld ticks: %ld KiB; after %lld ticks: %ld KiB (%+ld KiB)",
              kWarmUp, rss_after_warm_up / 1024, kTicks, rss_at_end / 1024,
              (rss_at_end - rss_after_warm_up) / 1024);
        qInfo("heap in use after %lld ticks: %ld bytes; after %lld ticks: %ld bytes (%+ld)",
              kWarmUp, heap_after_warm_up, kTicks, heap_at_end, heap_at_end - heap_after_warm_up);
        if (heap_at_end < 0 || rss_at_end < 0)
            QSKIP("the readouts were checked; this system gives no heap or resident size");
        QVERIFY(heap_after_warm_up > 0 && rss_after_warm_up > 0 && rss_at_end > 0);
        QVERIFY2(heap_at_end - heap_after_warm_up < kMaxHeapGrowth,
                 qPrintable(QStringLiteral("the heap grew by %1 bytes over the hour")
                                .arg(heap_at_end - heap_after_warm_up)));
#ifndef TARROWEN_ASAN
        constexpr long kMaxResidentGrowth = 1024 * 1024;
        QVERIFY2(rss_at_end - rss_after_warm_up < kMaxResidentGrowth,
                 qPrintable(QStringLiteral("resident size grew by %1 KiB over the hour")
                                .arg((rss_at_end - rss_after_warm_up) / 1024)));
#endif
    }
};

QTEST_GUILESS_MAIN(SoakTest)
#include "test_soak.moc"
