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
#include <cstring>
#include <numeric>
#include <optional>
#include <type_traits>

#include "../sim/rig.h"
#include "reference_canvas.h"
#include "sim/redraw_motion.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

const QSize kInterior(567, 500);
const float kCx = static_cast<float>(kCenterX);
const float kWidth = static_cast<float>(340.0 / 75.0);
constexpr std::int32_t kColours[] = {0, 65280, 16711680, kFillAtCreation, 255};

QString hex(QRgb c) {
    return QString::number(c & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0'));
}

// Where two pictures first differ; empty when they are the same.
QString difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return QStringLiteral("%1x%2 pixels against %3x%4")
            .arg(a.width())
            .arg(a.height())
            .arg(b.width())
            .arg(b.height());
    }
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        if (std::memcmp(ra, rb, static_cast<std::size_t>(a.width()) * sizeof(QRgb)) == 0) continue;
        int x = 0;
        while (ra[x] == rb[x])
            ++x;
        return QStringLiteral("pixel (%1, %2) is %3, not %4")
            .arg(x)
            .arg(y)
            .arg(hex(ra[x]), hex(rb[x]));
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

    QImage before;  // kept between calls: a fresh copy each time would dominate the run time

    template <typename OnArea, typename OnRef>
    QString call(OnArea on_area, OnRef on_ref) {
        const QImage& now = area.image();
        if (before.size() != now.size()) before = QImage(now.size(), now.format());
        std::memcpy(before.bits(), now.constBits(), static_cast<std::size_t>(now.sizeInBytes()));
        on_area();
        on_ref();
        const QRegion dirty = area.take_dirty();
        const QImage& after = area.image();
        if (QString d = difference(after, ref.image()); !d.isEmpty()) return "reference: " + d;
        if (after.size() != before.size()) {
            return dirty == QRegion(after.rect()) ? QString() : "resized, not all changed";
        }
        bool any = false;
        const int w = after.width();
        for (int y = 0; y < after.height(); ++y) {
            const auto* ra = reinterpret_cast<const QRgb*>(after.constScanLine(y));
            const auto* rb = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            if (std::memcmp(ra, rb, static_cast<std::size_t>(w) * sizeof(QRgb)) == 0) continue;
            any = true;
            for (int x = 0; x < w; ++x) {
                if (ra[x] != rb[x] && std::none_of(dirty.begin(), dirty.end(), [&](const QRect& r) {
                        return x >= r.left() && x <= r.right() && y >= r.top() && y <= r.bottom();
                    })) {
                    return QStringLiteral("(%1, %2) changed outside the changed region")
                        .arg(x)
                        .arg(y);
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
    enum Kind { SameCircle, OtherCircle, AxisLine, SlantedLine, Fill, Background, Wipe, Ratio };

    RandomCalls(quint32 seed, const QList<int>& mix) : rng_(seed), mix_(mix) {}

    QString next(Twins& t, QString& what) {
        int pick = static_cast<int>(rng_.bounded(static_cast<quint32>(total())));
        int kind = 0;
        while (pick >= mix_[kind])
            pick -= mix_[kind++];
        switch (kind) {
            case SameCircle:
            case OtherCircle: {
                if (kind == OtherCircle || circles_.isEmpty()) {
                    circles_.prepend(new_circle());
                    if (circles_.size() > 4) circles_.removeLast();
                }
                Circle& c =
                    circles_[chance(75) ? 0 : static_cast<int>(rng_.bounded(circles_.size()))];
                if (chance(10)) c.colour = chance(20) ? std::nullopt : std::optional(colour());
                what = QStringLiteral("circle(%1, %2, %3)").arg(c.x).arg(c.y).arg(c.r);
                return t.call([&](auto& canvas) { canvas.circle(c.x, c.y, c.r, c.colour); });
            }
            case AxisLine: {
                const float v = place();
                float a = 0, b = 5;
                if (chance(20)) a = coord(), b = coord();
                const std::int32_t k = chance(45) ? 0 : chance(80) ? 65280 : colour();
                const bool vertical = chance(50);
                what = QStringLiteral("%1 line at %2 from %3 to %4")
                           .arg(vertical ? "vertical" : "horizontal")
                           .arg(v)
                           .arg(a)
                           .arg(b);
                return t.call([&](auto& canvas) {
                    vertical ? canvas.line(v, a, v, b, k) : canvas.line(a, v, b, v, k);
                });
            }
            case SlantedLine: {
                const float x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
                const std::int32_t k = colour();
                what = QStringLiteral("line (%1, %2)-(%3, %4)").arg(x1).arg(y1).arg(x2).arg(y2);
                return t.call([&](auto& canvas) { canvas.line(x1, y1, x2, y2, k); });
            }
            case Fill: {
                const std::int32_t k = chance(50) ? 0 : colour();
                what = QStringLiteral("fill colour %1").arg(k);
                return t.call([&](auto& canvas) { canvas.set_fill_colour(k); });
            }
            case Background: {
                const std::int32_t k = colour();
                what = QStringLiteral("background %1").arg(k);
                return t.call([&](auto& canvas) { canvas.set_background_colour(k); });
            }
            case Wipe:
                what = QStringLiteral("wipe");
                return t.call([&] { wipe_drawing_area(t.area); },
                              [&] { t.ref.circle(kCx, 2.0f, 6.0f); });
            default: {
                const qreal r =
                    QList<qreal>{1.0, 1.25, 1.5, 2.0}[static_cast<int>(rng_.bounded(4))];
                what = QStringLiteral("pixel ratio %1").arg(r);
                return t.call([&](auto& canvas) { canvas.set_device_pixel_ratio(r); });
            }
        }
    }

  private:
    int total() const { return std::accumulate(mix_.begin(), mix_.end(), 0); }
    bool chance(int percent) { return static_cast<int>(rng_.bounded(100)) < percent; }
    double uniform(double lo, double hi) { return lo + rng_.generateDouble() * (hi - lo); }
    std::int32_t colour() {
        if (chance(90)) return kColours[rng_.bounded(5)];
        return static_cast<std::int32_t>(rng_.bounded(1 << 24));
    }
    // Mostly in or near the area; now and then on an edge, far away, or near the single range.
    float coord() {
        switch (rng_.bounded(10)) {
            case 0:
                return QList<float>{0.0f, kWidth, 4.0f, -0.001f,
                                    5.0f}[static_cast<int>(rng_.bounded(5))];
            case 1:
                return static_cast<float>(uniform(-1e6, 1e6));
            case 2:
                return static_cast<float>(uniform(-3e38, 3e38));
            default:
                return static_cast<float>(uniform(-1.0, 5.5));
        }
    }
    float place() {
        if (places_.size() > 1 && chance(60))
            return places_[static_cast<int>(rng_.bounded(places_.size()))];
        const float v = coord();
        places_.prepend(v);
        if (places_.size() > 6) places_.removeLast();
        return v;
    }
    Circle new_circle() {
        const std::optional<std::int32_t> k = chance(10) ? std::nullopt : std::optional(colour());
        if (chance(15)) {
            // Centre far off one side, reaching into the area by up to 5 units, or missing it.
            const double d = QList<double>{1e3, 1e5, 1e7}[static_cast<int>(rng_.bounded(3))];
            const double s = chance(50) ? d : -d;
            const bool across = chance(50);
            return {static_cast<float>(kCenterX + (across ? s : 0)),
                    static_cast<float>(2 + (across ? 0 : s)),
                    static_cast<float>(d + uniform(-3, 5)), k};
        }
        float r = 0;
        switch (rng_.bounded(8)) {
            case 0:
                r = 0;
                break;
            case 1:
                r = static_cast<float>(-uniform(0, 3));
                break;
            case 2:
                r = static_cast<float>(uniform(2, 3.1));
                break;  // cut by the edges
            case 3:
                r = static_cast<float>(uniform(3, 8));
                break;  // covering from 3.03
            case 4:
                r = static_cast<float>(uniform(0, 3e38));
                break;
            default:
                r = static_cast<float>(uniform(0, 2));
                break;
        }
        if (chance(60)) return {kCx, 2.0f, r, k};
        return {coord(), coord(), r, k};
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
        // Weights: same circle, other circle, axis line, slanted line, fill colour,
        // background, wipe, pixel ratio.
        QTest::addColumn<QList<int>>("mix");
        QTest::newRow("an orbit and lines across it")
            << 1u << 1.0 << 3000 << QList<int>{30, 2, 60, 0, 2, 1, 1, 0};
        QTest::newRow("an orbit and lines at 200 %")
            << 2u << 2.0 << 1500 << QList<int>{30, 2, 60, 0, 2, 1, 1, 0};
        QTest::newRow("an orbit and lines at 150 %")
            << 3u << 1.5 << 1500 << QList<int>{30, 2, 60, 0, 2, 1, 1, 0};
        QTest::newRow("slanted lines over the orbit")
            << 4u << 1.0 << 1500 << QList<int>{25, 2, 25, 25, 2, 1, 1, 0};
        QTest::newRow("every kind of call")
            << 5u << 1.0 << 2500 << QList<int>{20, 10, 20, 10, 5, 5, 5, 3};
        QTest::newRow("colours changing often")
            << 6u << 1.25 << 1500 << QList<int>{25, 5, 25, 5, 20, 10, 5, 2};
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
        Twins twins{area, ref, true, {}};
        RandomCalls random(seed, mix);
        for (int i = 0; i < calls; ++i) {
            QString what;
            const QString wrong = random.next(twins, what);
            QVERIFY2(wrong.isEmpty(),
                     qPrintable(QStringLiteral("call %1, %2: %3").arg(i).arg(what, wrong)));
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
        QTest::newRow("unit orbit, radius and omega changing")
            << 11u << 1.0 << 2000 << QStringList{"1", "0.3", "1.7", "0.9"}
            << QStringList{"2", "-3", "40", "0.5"};
        QTest::newRow("the same at 200 %")
            << 12u << 2.0 << 1000 << QStringList{"1", "0.3", "1.7", "0.9"}
            << QStringList{"2", "-3", "40", "0.5"};
        QTest::newRow("orbits cut by the edges, covering, a dot, negative")
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
        Twins twins{rig.area, ref, false, {}};
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
            QString wrong;
            QString what = QStringLiteral("tick");
            if (roll < 4) {
                rig.type(roll < 2 ? 1 : 0, pick(roll < 2 ? radii : omegas));
                what = QStringLiteral("Apply");
                wrong = twins.call([&] { cmd_apply_Click(rig.form); }, [] {});
            } else if (roll == 4) {
                const auto button = static_cast<std::int16_t>(rng.bounded(4));
                what = QStringLiteral("step button %1").arg(button);
                wrong = twins.call([&] { cmd_color_Click(rig.form, button); },
                                   [&] { ref.circle(kCx, 2.0f, 6.0f); });
            } else if (roll == 5) {
                what = QStringLiteral("Run");
                wrong = run();
            } else {
                clock += 0.001 * (1 + rng.bounded(3));
                const float xp = rig.m.x_prev.to_single();
                const float yp = rig.m.y_prev.to_single();
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
                     qPrintable(QStringLiteral("event %1, %2: %3").arg(i).arg(what, wrong)));
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
        QTest::newRow("covering orbit, 100 % to 200 %")
            << 1.0 << 2.0 << "4" << 50 << "" << false << false;
        QTest::newRow("orbit cut by the edges, 125 % to 200 %")
            << 1.25 << 2.0 << "2.6" << 100 << "" << true << false;
        QTest::newRow("orbit made smaller by Apply, 200 % to 100 %")
            << 2.0 << 1.0 << "2" << 200 << "0.5" << true << false;
        QTest::newRow("wiped while paused, 100 % to 150 %")
            << 1.0 << 1.5 << "1" << 100 << "" << true << true;
        QTest::newRow("before the first run, 100 % to 200 %")
            << 1.0 << 2.0 << "1" << 0 << "" << false << false;
        QTest::newRow("wiped before the first run, 200 % to 100 %")
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
        const QRgb before = a.area.image().pixel(0, 0);

        a.area.set_device_pixel_ratio(to);
        redraw_motion(a.form);
        QCOMPARE(a.area.image().size(), (QSizeF(kInterior) * to).toSize());
        if (ticks == 0) {
            QImage uniform(a.area.image().size(), QImage::Format_RGB32);
            uniform.fill(before);
            QVERIFY2(difference(a.area.image(), uniform).isEmpty(),
                     qPrintable(difference(a.area.image(), uniform)));
            return;
        }
        Rig b;
        b.area.set_device_pixel_ratio(to);
        b.m = a.m;
        b.area.set_fill_colour(a.area.fill_colour());
        if (applied.isEmpty()) {
            b.tick_at(last);
            QVERIFY2(difference(a.area.image(), b.area.image()).isEmpty(),
                     qPrintable(difference(a.area.image(), b.area.image())));
        }
        a.tick_at(last + 0.01f);
        b.tick_at(last + 0.01f);
        QVERIFY2(difference(a.area.image(), b.area.image()).isEmpty(),
                 qPrintable(difference(a.area.image(), b.area.image())));
    }
};

QTEST_APPLESS_MAIN(CanvasDifferentialTest)
#include "test_canvas_differential.moc"
