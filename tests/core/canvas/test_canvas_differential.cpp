// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas, which repaints only what changes, against the reference canvas, which paints
// every shape whole: random sequences of every call, and the tick's own sequence, compared
// pixel for pixel after every call. After every call, too, each pixel that changed must lie in
// the region the canvas reports as changed, and a call that changed nothing must report
// nothing. Last, the picture drawn afresh after a change of pixel ratio against a run started
// afresh at the new ratio.
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>

#include "../motion/rig.h"
#include "reference_canvas.h"
#include "core/motion/redraw_motion.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

const QSize kInterior(567, 500);
const float kCx = static_cast<float>(kCenterX);
const float kWidth = static_cast<float>(340.0 / 75.0);

bool same_row(const QImage& a, const QImage& b, int y) {
    return std::memcmp(a.constScanLine(y), b.constScanLine(y),
                       static_cast<std::size_t>(a.width()) * sizeof(QRgb)) == 0;
}

// Where two pictures first differ; empty when they are the same.
QString difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return QStringLiteral("the sizes differ");
    for (int y = 0; y < a.height(); ++y) {
        if (same_row(a, b, y)) continue;
        int x = 0;
        while (a.pixel(x, y) == b.pixel(x, y))
            ++x;
        return QString::asprintf("pixel (%d, %d) is %06x, not %06x", x, y, a.pixel(x, y) & 0xFFFFFF,
                                 b.pixel(x, y) & 0xFFFFFF);
    }
    return {};
}

// The canvas and the reference side by side: every call goes to both, then the pictures must
// be equal and the changed region must hold every pixel that changed, and nothing when none did.
struct Twins {
    DrawingArea& area;
    ReferenceCanvas& ref;
    // Each call is one primitive. A tick is five, which can change pixels and change them back.
    bool one_primitive = true;
    QImage before{};  // kept between calls: a fresh copy each time would dominate the run time

    template <typename OnArea, typename OnRef>
    QString call(OnArea on_area, OnRef on_ref) {
        const QImage& now = area.image();
        if (before.size() != now.size()) before = QImage(now.size(), now.format());
        std::memcpy(before.bits(), now.constBits(), static_cast<std::size_t>(now.sizeInBytes()));
        on_area();
        on_ref();
        const QRegion dirty = area.take_dirty();
        if (QString d = difference(now, ref.image()); !d.isEmpty()) return "reference: " + d;
        if (now.size() != before.size()) {
            return dirty == QRegion(now.rect()) ? QString() : "resized, not all changed";
        }
        bool any = false;
        for (int y = 0; y < now.height(); ++y) {
            if (same_row(now, before, y)) continue;
            any = true;
            const auto* a = reinterpret_cast<const QRgb*>(now.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            for (int x = 0; x < now.width(); ++x) {
                const auto holds = [x, y](const QRect& r) {
                    return x >= r.left() && x <= r.right() && y >= r.top() && y <= r.bottom();
                };
                if (a[x] != b[x] && std::none_of(dirty.begin(), dirty.end(), holds)) {
                    return QString::asprintf("(%d, %d) changed outside the changed region", x, y);
                }
            }
        }
        if (any || dirty.isEmpty() || !one_primitive) return {};
        return QStringLiteral("no change, yet a region");
    }
    // A call that both canvases have.
    template <typename Call>
    QString call(Call c) {
        return call([&] { c(area); }, [&] { c(ref); });
    }
};

struct Circle {
    float x, y, r;
    std::optional<std::int32_t> colour;
};

// Random calls from a mix of kinds. Circles repeat: most draw one of the last few again, as the
// tick draws its orbit, with lines across it in between; lines often return to a recent place,
// as an erasing line does.
class RandomCalls {
  public:
    RandomCalls(quint32 seed, const QList<int>& mix) : rng_(seed), mix_(mix) {}

    QString next(Twins& t, QString& what) {
        int pick = static_cast<int>(
            rng_.bounded(static_cast<quint32>(std::accumulate(mix_.begin(), mix_.end(), 0))));
        int kind = 0;
        while (pick >= mix_[kind])
            pick -= mix_[kind++];
        if (kind <= 1) {  // the same circle as lately, or another
            if (kind == 1 || circles_.isEmpty()) circles_.prepend(new_circle());
            if (circles_.size() > 4) circles_.removeLast();
            Circle& c = circles_[chance(75) ? 0 : one_of(circles_.size())];
            if (chance(10)) c.colour = chance(20) ? std::nullopt : std::optional(colour());
            what = QString::asprintf("circle(%g, %g, %g)", c.x, c.y, c.r);
            return t.call([&](auto& canvas) { canvas.circle(c.x, c.y, c.r, c.colour); });
        }
        if (kind == 2) {  // axis-parallel, mostly across the area
            const float v = place();
            const bool across = chance(80);
            const float a = across ? 0 : coord(), b = across ? 5 : coord();
            const std::int32_t k = chance(45) ? 0 : chance(80) ? 65280 : colour();
            const bool down = chance(50);
            what = QString::asprintf("line %s %g from %g to %g", down ? "x =" : "y =", v, a, b);
            return t.call([&](auto& c) { down ? c.line(v, a, v, b, k) : c.line(a, v, b, v, k); });
        }
        if (kind == 3) {  // slanted
            const float x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
            const std::int32_t k = colour();
            what = QString::asprintf("line (%g, %g)-(%g, %g)", x1, y1, x2, y2);
            return t.call([&](auto& canvas) { canvas.line(x1, y1, x2, y2, k); });
        }
        const std::int32_t k = chance(50) ? 0 : colour();
        const qreal ratio = QList<qreal>{1.0, 1.25, 1.5, 2.0}[one_of(4)];
        what = QString::asprintf("%s %d, ratio %g", kind == 4 ? "fill" : "other", k, ratio);
        switch (kind) {
            case 4:
                return t.call([&](auto& canvas) { canvas.set_fill_colour(k); });
            case 5:
                return t.call([&](auto& canvas) { canvas.set_background_colour(k); });
            case 6:
                return t.call([&] { wipe_drawing_area(t.area); }, [&] { t.ref.circle(kCx, 2, 6); });
            default:
                return t.call([&](auto& canvas) { canvas.set_device_pixel_ratio(ratio); });
        }
    }

  private:
    int one_of(qsizetype n) { return static_cast<int>(rng_.bounded(static_cast<quint32>(n))); }
    bool chance(int percent) { return one_of(100) < percent; }
    float uniform(double lo, double hi) {
        return static_cast<float>(lo + rng_.generateDouble() * (hi - lo));
    }
    std::int32_t colour() {
        if (chance(10)) return static_cast<std::int32_t>(rng_.bounded(1 << 24));
        return QList<std::int32_t>{0, 65280, 16711680, kFillAtCreation, 255}[one_of(5)];
    }
    // Mostly in or near the area; now and then on an edge, far away, or near the single range.
    float coord() {
        switch (one_of(10)) {
            case 0:
                return QList<float>{0.0f, kWidth, 4.0f, -0.001f, 5.0f}[one_of(5)];
            case 1:
                return uniform(-1e6, 1e6);
            case 2:
                return uniform(-3e38, 3e38);
            default:
                return uniform(-1.0, 5.5);
        }
    }
    float place() {
        if (places_.size() > 1 && chance(60)) return places_[one_of(places_.size())];
        places_.prepend(coord());
        if (places_.size() > 6) places_.removeLast();
        return places_.front();
    }
    Circle new_circle() {
        const std::optional<std::int32_t> k = chance(10) ? std::nullopt : std::optional(colour());
        if (chance(15)) {
            // Centre far off one side, reaching into the area by up to 5 units, or missing it.
            const double d = QList<double>{1e3, 1e5, 1e7}[one_of(3)] * (chance(50) ? 1 : -1);
            const bool across = chance(50);
            return {static_cast<float>(kCenterX + (across ? d : 0)),
                    static_cast<float>(2 + (across ? 0 : d)),
                    uniform(-3, 5) + std::fabs(static_cast<float>(d)), k};
        }
        // Radius 0, negative, cut by the edges, covering the area (from 3.03), the single
        // range, and most often an orbit inside the area.
        const QList<float> radii{0.0f,          -uniform(0, 3),   uniform(2, 3.1),
                                 uniform(3, 8), uniform(0, 3e38), uniform(0, 2),
                                 uniform(0, 2), uniform(0, 2)};
        const float r = radii[one_of(radii.size())];
        return chance(60) ? Circle{kCx, 2.0f, r, k} : Circle{coord(), coord(), r, k};
    }

    QRandomGenerator rng_;
    QList<int> mix_;
    QList<Circle> circles_;
    QList<float> places_;
};

}  // namespace

class CanvasDifferentialTest : public QObject {
    Q_OBJECT
  private slots:
    void random_calls_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("calls");
        // Weights: same circle, other circle, axis-parallel line, slanted line, fill colour,
        // background, wipe, pixel ratio.
        QTest::addColumn<QList<int>>("mix");
        const QList<int> orbit{30, 2, 60, 0, 2, 1, 1, 0};
        QTest::newRow("an orbit and lines across it") << 1u << 1.0 << 3000 << orbit;
        QTest::newRow("an orbit and lines at 200 %") << 2u << 2.0 << 1500 << orbit;
        QTest::newRow("an orbit and lines at 150 %") << 3u << 1.5 << 1500 << orbit;
        QTest::newRow("slanted lines")
            << 4u << 1.0 << 1500 << QList<int>{25, 2, 25, 25, 2, 1, 1, 0};
        QTest::newRow("every kind") << 5u << 1.0 << 2500 << QList<int>{20, 10, 20, 10, 5, 5, 5, 3};
        QTest::newRow("colours") << 6u << 1.25 << 1500 << QList<int>{25, 5, 25, 5, 20, 10, 5, 2};
    }
    void random_calls() {
        QFETCH(quint32, seed);
        QFETCH(qreal, ratio);
        QFETCH(int, calls);
        QFETCH(QList<int>, mix);
        DrawingArea area(kInterior, ratio);
        ReferenceCanvas ref(kInterior, ratio);
        area.set_user_scale(4.0f, kWidth);
        ref.set_user_scale(4.0f, kWidth);
        area.take_dirty();
        Twins twins{area, ref};
        RandomCalls random(seed, mix);
        for (int i = 0; i < calls; ++i) {
            QString what;
            const QString wrong = random.next(twins, what);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString::number(i) + ", " + what + ": " + wrong));
        }
    }

    // The handlers themselves on a canvas, against the reference drawn call by call as the tick
    // is specified: the orbit, the old lines in black, the new ones in green; Run clears and
    // sets the fill colour black, the first four step buttons wipe.
    void tick_sequence_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("events");
        QTest::addColumn<QStringList>("radii");
        QTest::addColumn<QStringList>("omegas");
        const QStringList radii{"1", "0.3", "1.7", "0.9"};
        const QStringList omegas{"2", "-3", "40", "0.5"};
        QTest::newRow("unit orbit, R and omega changing") << 11u << 1.0 << 2000 << radii << omegas;
        QTest::newRow("the same at 200 %") << 12u << 2.0 << 1000 << radii << omegas;
        QTest::newRow("cut, covering, a dot, negative")
            << 13u << 1.0 << 1500 << QStringList{"2.9", "3.1", "12", "0", "-1.5"}
            << QStringList{"7", "-1", "300"};
        QTest::newRow("fast and slow at 150 %")
            << 14u << 1.5 << 1000 << QStringList{"1.2", "2.2", "4"}
            << QStringList{"1000", "0.01", "-25"};
    }
    void tick_sequence() {
        QFETCH(quint32, seed);
        QFETCH(qreal, ratio);
        QFETCH(int, events);
        QFETCH(QStringList, radii);
        QFETCH(QStringList, omegas);
        Rig rig;
        rig.area.set_device_pixel_ratio(ratio);
        rig.area.take_dirty();
        ReferenceCanvas ref(kInterior, ratio);
        ref.set_user_scale(4.0f, kWidth);
        Twins twins{rig.area, ref, false};
        QRandomGenerator rng(seed);
        double clock = 100.0;
        const auto pick = [&](const QStringList& l) {
            return l[static_cast<int>(rng.bounded(l.size()))].toStdString();
        };
        const auto run = [&] {
            return twins.call([&] { rig.run_at(static_cast<float>(clock)); },
                              [&] { ref.set_background_colour(0), ref.set_fill_colour(0); });
        };
        rig.type(0, pick(omegas));
        rig.type(1, pick(radii));
        QVERIFY(run().isEmpty());
        for (int i = 0; i < events; ++i) {
            const int roll = static_cast<int>(rng.bounded(100));
            const auto button = static_cast<std::int16_t>(rng.bounded(4));
            const float xp = rig.m.x_prev.to_single();
            const float yp = rig.m.y_prev.to_single();
            QString wrong;
            if (roll < 4) {  // Apply a radius or an omega
                rig.type(roll < 2 ? 1 : 0, pick(roll < 2 ? radii : omegas));
                wrong = twins.call([&] { cmd_apply_Click(rig.form); }, [] {});
            } else if (roll == 4) {
                wrong = twins.call([&] { cmd_color_Click(rig.form, button); },
                                   [&] { ref.circle(kCx, 2.0f, 6.0f); });
            } else if (roll == 5) {
                wrong = run();
            } else {
                clock += 0.001 * (1 + rng.bounded(3));
                wrong = twins.call([&] { rig.tick_at(static_cast<float>(clock)); },
                                   [&] {
                                       const float xn = rig.m.x_now.to_single();
                                       const float yn = rig.m.y_now.to_single();
                                       ref.circle(kCx, 2.0f, rig.m.radius.to_single(), 16711680);
                                       ref.line(xp, 0, xp, 5, 0);
                                       ref.line(0, yp, 5, yp, 0);
                                       ref.line(xn, 0, xn, 5, 65280);
                                       ref.line(0, yn, 5, yn, 65280);
                                   });
            }
            QVERIFY2(wrong.isEmpty(),
                     qPrintable(QString::asprintf("event %d (%d): ", i, roll) + wrong));
        }
    }

    // After a change of pixel ratio the picture holds nothing that the same motion, started
    // afresh at the new ratio, would not show: the same picture as a fresh area on which the
    // last tick is drawn again (unless Apply changed the radius since), and the same after the
    // next tick. Before any tick the area is of one colour, and stays so.
    void ratio_change_redraws_the_motion_data() {
        QTest::addColumn<qreal>("from");
        QTest::addColumn<qreal>("to");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("applied");  // radius applied after the last tick
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("wiped");  // "incr rad" pressed after the last tick
        QTest::newRow("running, 100 % to 200 %")
            << 1.0 << 2.0 << "1" << 300 << "" << false << false;
        QTest::newRow("running, 200 % to 100 %")
            << 2.0 << 1.0 << "1" << 300 << "" << false << false;
        QTest::newRow("paused, 150 % to 100 %")
            << 1.5 << 1.0 << "1.3" << 300 << "" << true << false;
        QTest::newRow("covering orbit") << 1.0 << 2.0 << "4" << 50 << "" << false << false;
        QTest::newRow("orbit cut by the edges")
            << 1.25 << 2.0 << "2.6" << 100 << "" << true << false;
        QTest::newRow("orbit made smaller by Apply")
            << 2.0 << 1.0 << "2" << 200 << "0.5" << true << false;
        QTest::newRow("wiped while paused") << 1.0 << 1.5 << "1" << 100 << "" << true << true;
        QTest::newRow("before the first run") << 1.0 << 2.0 << "1" << 0 << "" << false << false;
        QTest::newRow("wiped before the first run")
            << 2.0 << 1.0 << "1" << 0 << "" << false << true;
    }
    void ratio_change_redraws_the_motion() {
        QFETCH(qreal, from);
        QFETCH(qreal, to);
        QFETCH(QString, radius);
        QFETCH(int, ticks);
        QFETCH(QString, applied);
        QFETCH(bool, paused);
        QFETCH(bool, wiped);
        Rig a;
        a.area.set_device_pixel_ratio(from);
        a.type(1, radius.toStdString());
        float clock = 100.0f;
        if (ticks > 0) a.run_at(clock);
        for (int i = 0; i < ticks; ++i)
            a.tick_at(clock += 0.002f);
        const float last = clock;
        if (paused) a.pause_at(last + 0.001f);
        if (!applied.isEmpty()) a.type(1, applied.toStdString()), cmd_apply_Click(a.form);
        if (wiped) cmd_color_Click(a.form, 0);
        QImage expected(QSize(), QImage::Format_RGB32);
        if (ticks == 0) {  // one colour, kept
            expected = QImage((QSizeF(kInterior) * to).toSize(), QImage::Format_RGB32);
            expected.fill(a.area.image().pixel(0, 0));
        }

        a.area.set_device_pixel_ratio(to);
        redraw_motion(a.form);
        Rig b;
        b.area.set_device_pixel_ratio(to);
        b.m = a.m;
        b.area.set_fill_colour(a.area.fill_colour());
        if (ticks > 0 && applied.isEmpty()) {
            b.tick_at(last);
            expected = b.area.image();
        }
        if (!expected.isNull())
            QVERIFY2(difference(a.area.image(), expected).isEmpty(),
                     qPrintable(difference(a.area.image(), expected)));
        if (ticks == 0) return;
        a.tick_at(last + 0.01f);
        b.tick_at(last + 0.01f);
        QVERIFY2(difference(a.area.image(), b.area.image()).isEmpty(),
                 qPrintable(difference(a.area.image(), b.area.image())));
    }
};

QTEST_APPLESS_MAIN(CanvasDifferentialTest)
#include "test_canvas_differential.moc"
