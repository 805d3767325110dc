// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas: exact erasing, clipping of hostile coordinates, fills, colours, pixel ratios.
#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <limits>

#include "core/canvas/drawing_area.h"

using namespace tarrowen;

namespace {

constexpr std::int32_t kGreen = 65280;
constexpr std::int32_t kBlue = 16711680;
const QSize kInterior(567, 500);

DrawingArea user_area(qreal ratio = 1.0) {
    DrawingArea a(kInterior, ratio);
    clear_drawing_area(a);
    a.set_user_scale(4.0f, static_cast<float>(340.0 / 75.0));
    return a;
}

int count(const DrawingArea& a, std::int32_t colour) {
    const QRgb want = to_qrgb(colour) & 0xFFFFFF;
    const QImage& img = a.image();
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == want;
    }
    return n;
}

// Columns (or rows) holding any pixel of the colour.
QList<int> columns_with(const DrawingArea& a, std::int32_t colour) {
    QList<int> cols;
    const QImage& img = a.image();
    for (int x = 0; x < img.width(); ++x) {
        for (int y = 0; y < img.height(); ++y) {
            if ((img.pixel(x, y) & 0xFFFFFF) == (to_qrgb(colour) & 0xFFFFFF)) {
                cols << x;
                break;
            }
        }
    }
    return cols;
}

}  // namespace

class DrawingAreaTest : public QObject {
    Q_OBJECT
  private slots:
    void colour_values_have_red_in_the_low_byte_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::newRow("black") << 0 << 0 << 0 << 0;
        QTest::newRow("red") << 255 << 255 << 0 << 0;
        QTest::newRow("green") << 65280 << 0 << 255 << 0;
        QTest::newRow("blue") << 16711680 << 0 << 0 << 255;
        QTest::newRow("dark purple") << (64 + 65536 * 64) << 64 << 0 << 64;
    }
    void colour_values_have_red_in_the_low_byte() {
        QFETCH(int, value);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        const QRgb c = to_qrgb(value);
        QCOMPARE(qRed(c), r);
        QCOMPARE(qGreen(c), g);
        QCOMPARE(qBlue(c), b);
    }

    // Lines drawn again in black, in the same order or the reverse, leave nothing behind,
    // whatever their end points, far outside the area among them.
    void lines_erase_exactly_data() {
        QTest::addColumn<double>("reach");  // end points lie within +-reach units
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("reverse");
        QTest::newRow("inside the area") << 5.0 << 1.0 << false;
        QTest::newRow("just around the area") << 12.0 << 1.0 << true;
        QTest::newRow("far outside") << 1e6 << 1.0 << false;
        QTest::newRow("up to the single range") << 3.0e38 << 1.0 << true;
        QTest::newRow("at 150 %") << 8.0 << 1.5 << false;
        QTest::newRow("at 200 %") << 8.0 << 2.0 << true;
    }
    void lines_erase_exactly() {
        QFETCH(double, reach);
        QFETCH(qreal, ratio);
        QFETCH(bool, reverse);
        DrawingArea a = user_area(ratio);
        QRandomGenerator rng(12345);
        const auto coord = [&](double centre) {
            // Half of the points near the area, the rest anywhere within reach.
            if (rng.bounded(2) == 0) return static_cast<float>(centre + rng.bounded(10.0) - 5.0);
            return static_cast<float>((rng.generateDouble() * 2 - 1) * reach);
        };
        struct L {
            float x1, y1, x2, y2;
        };
        QList<L> lines;
        for (int i = 0; i < 400; ++i)
            lines.append({coord(2.2), coord(2), coord(2.2), coord(2)});
        // Axis-parallel lines like the projections, some at the same place.
        for (int i = 0; i < 100; ++i) {
            const float v = static_cast<float>(rng.bounded(4.5));
            lines.append({v, 0, v, 5});
            lines.append({0, v, 5, v});
        }
        for (const L& l : lines)
            a.line(l.x1, l.y1, l.x2, l.y2, kGreen);
        QVERIFY(count(a, kGreen) > 0);
        if (reverse) std::reverse(lines.begin(), lines.end());
        for (const L& l : lines)
            a.line(l.x1, l.y1, l.x2, l.y2, 0);
        QCOMPARE(count(a, kGreen), 0);
    }

    // Every line the tick draws crosses the whole area, end pixels included.
    void a_projection_line_crosses_the_area() {
        DrawingArea a = user_area();
        a.line(0, 2, 5, 2, kGreen);
        QCOMPARE(count(a, kGreen), a.image().width());
        a.line(0, 2, 5, 2, 0);
        a.line(3, 0, 3, 5, kGreen);
        QCOMPARE(count(a, kGreen), a.image().height());
    }

    void hostile_lines_data() {
        QTest::addColumn<float>("x1");
        QTest::addColumn<float>("y1");
        QTest::addColumn<float>("x2");
        QTest::addColumn<float>("y2");
        QTest::addColumn<int>("green");  // pixels drawn
        const float big = std::numeric_limits<float>::max();
        QTest::newRow("far right") << 1e30f << 0.0f << 1e30f << 5.0f << 0;
        QTest::newRow("far left and below") << -3e38f << 1e38f << -3e38f << 2e38f << 0;
        QTest::newRow("largest single on both ends") << big << big << big << big << 0;
        QTest::newRow("horizontal across from -max to max") << -big << 2.0f << big << 2.0f << 567;
        QTest::newRow("vertical across from -max to max") << 1.0f << -big << 1.0f << big << 500;
        QTest::newRow("a point") << 1.0f << 1.0f << 1.0f << 1.0f << 1;
    }
    void hostile_lines() {
        QFETCH(float, x1);
        QFETCH(float, y1);
        QFETCH(float, x2);
        QFETCH(float, y2);
        QFETCH(int, green);
        DrawingArea a = user_area();
        a.line(x1, y1, x2, y2, kGreen);
        QCOMPARE(count(a, kGreen), green);
    }

    // Radii from nothing to the single range: no hang, no wrap-round.
    void circles_data() {
        QTest::addColumn<float>("cx");
        QTest::addColumn<float>("cy");
        QTest::addColumn<float>("radius");
        QTest::addColumn<int>("min_fill");  // black pixels
        QTest::addColumn<int>("max_fill");
        QTest::addColumn<int>("min_blue");
        QTest::addColumn<int>("max_blue");
        const float cx = static_cast<float>(170.0 / 75.0);
        const int all = 567 * 500;
        QTest::newRow("radius 0: one dot") << cx << 2.0f << 0.0f << 0 << 0 << 1 << 1;
        QTest::newRow("unit orbit") << cx << 2.0f << 1.0f << 45000 << 50000 << 600 << 1100;
        QTest::newRow("orbit cut by the edges")
            << cx << 2.0f << 2.5f << 200000 << all - 1 << 300 << 2000;
        QTest::newRow("radius 4 fills the area") << cx << 2.0f << 4.0f << all << all << 0 << 0;
        QTest::newRow("radius 3.4E+38 fills the area")
            << cx << 2.0f << 3.4e38f << all << all << 0 << 0;
        QTest::newRow("centre far away, radius reaching in")
            << 1e7f << 2.0f << 9999998.0f << 500 << 200000 << 300 << 600;
        QTest::newRow("centre far away, huge radius missing the area")
            << 1e30f << 1e30f << 1e29f << 0 << 0 << 0 << 0;
        QTest::newRow("centre at the single range, radius too, missing the area")
            << 3e38f << 3e38f << 3e38f << 0 << 0 << 0 << 0;
    }
    void circles() {
        QFETCH(float, cx);
        QFETCH(float, cy);
        QFETCH(float, radius);
        QFETCH(int, min_fill);
        QFETCH(int, max_fill);
        QFETCH(int, min_blue);
        QFETCH(int, max_blue);
        DrawingArea a = user_area();
        a.set_background_colour(kGreen);  // so the black fill shows
        a.set_fill_colour(0);
        a.circle(cx, cy, radius, kBlue);
        const int fill = count(a, 0);
        const int blue = count(a, kBlue);
        QVERIFY2(fill >= min_fill && fill <= max_fill, qPrintable(QString::number(fill)));
        QVERIFY2(blue >= min_blue && blue <= max_blue, qPrintable(QString::number(blue)));
    }

    // A negative radius draws the circle of its magnitude, pixel for pixel.
    void negative_radius_draws_the_same_orbit() {
        DrawingArea a = user_area();
        DrawingArea b = user_area();
        a.set_fill_colour(0);
        b.set_fill_colour(0);
        a.circle(2.2f, 2.0f, 1.3f, kBlue);
        b.circle(2.2f, 2.0f, -1.3f, kBlue);
        QCOMPARE(a.image(), b.image());
    }

    // The fill colour at creation is dark purple: a wipe then paints it all; black after Run.
    void wipe_and_clear() {
        DrawingArea a = user_area();
        QCOMPARE(a.fill_colour(), kFillAtCreation);
        QCOMPARE(count(a, 0), 567 * 500);
        wipe_drawing_area(a);
        QCOMPARE(count(a, kFillAtCreation), 567 * 500);
        clear_drawing_area(a);
        QCOMPARE(count(a, 0), 567 * 500);
        a.set_fill_colour(0);
        a.line(0, 1, 5, 1, kGreen);
        wipe_drawing_area(a);
        QCOMPARE(count(a, 0), 567 * 500);
    }

    // At 200 % the canvas has twice the pixels each way and lines are two pixels wide, so the
    // picture is as thick on the screen and as crisp.
    void renders_at_the_device_pixel_ratio() {
        DrawingArea a = user_area(2.0);
        QCOMPARE(a.image().size(), QSize(1134, 1000));
        QCOMPARE(a.image().devicePixelRatio(), 2.0);
        a.line(2.0f, 0, 2.0f, 5, kGreen);
        QCOMPARE(columns_with(a, kGreen).size(), 2);
        QCOMPARE(count(a, kGreen), 2 * 1000);
    }

    // The changed region covers what was drawn, and nothing when nothing was.
    void dirty_region_follows_drawing() {
        DrawingArea a = user_area();
        a.take_dirty();
        QVERIFY(a.take_dirty().isEmpty());
        a.line(1.0f, 0, 1.0f, 5, kGreen);
        const QRect d = a.take_dirty().boundingRect();
        QVERIFY(d.width() < 10);
        QCOMPARE(d.height(), 500);
        a.line(100.0f, 0, 100.0f, 5, kGreen);  // outside
        QVERIFY(a.take_dirty().isEmpty());
    }
};

QTEST_APPLESS_MAIN(DrawingAreaTest)
#include "test_drawing_area.moc"
