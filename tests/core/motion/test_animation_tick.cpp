// SPDX-License-Identifier: GPL-3.0-or-later
// The tick: readouts to the character, the precision of every product, and the picture.
#include <QTest>
#include <cmath>
#include <numbers>

#include "rig.h"
#include "core/numbers/number_text.h"

using namespace tarrowen;
using namespace tarrowen::testing;

class AnimationTickTest : public QObject {
    Q_OBJECT
  private slots:
    // omega, R, theta0 typed; run at clock 0 and tick at `t`: the five readouts.
    void readouts_data() {
        QTest::addColumn<QString>("omega");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<QString>("theta0");
        QTest::addColumn<float>("t");
        QTest::addColumn<QStringList>("boxes");  // boxes 3 to 7

        QTest::newRow("still point at 0.29 rad, t = 0")
            << "0"
            << "1"
            << "0.29" << 0.0f << QStringList{" 0", " .28", " .958", " .285", " .09 pi"};
        QTest::newRow("still point at 0.29 rad, t = 7.5")
            << "0"
            << "1"
            << "0.29" << 7.5f << QStringList{" 7.5", " .28", " .958", " .285", " .09 pi"};
        QTest::newRow("start-up values after 1 s")
            << "2"
            << "1"
            << "0" << 1.0f << QStringList{" 1", " 2", "-.417", " .909", " .63 pi"};
        QTest::newRow("t is the single nearest 0.29: 100 t is exactly 29 in single")
            << "0"
            << "1"
            << "0" << 0.29f << QStringList{" .29", " 0", " 1", " 0", " 0 pi"};
        QTest::newRow("t is the single nearest 1.15")
            << "0"
            << "1"
            << "0" << 1.15f << QStringList{" 1.15", " 0", " 1", " 0", " 0 pi"};
        QTest::newRow("theta = pi at full precision shows 1 pi")
            << "0"
            << "1"
            << "3.141592653589793" << 0.0f << QStringList{" 0", " 3.14", "-1", " 0", " 1 pi"};
        QTest::newRow("theta = 3.1415925 lies below the divisor")
            << "0"
            << "1"
            << "3.1415925" << 0.0f << QStringList{" 0", " 3.14", "-1", " 0", " .99 pi"};
        QTest::newRow("theta = -0.001")
            << "0"
            << "1"
            << "-0.001" << 0.0f << QStringList{" 0", "-.01", " .999", "-.001", "-.01 pi"};
        QTest::newRow("theta = 1.5708: R cos floors below 0")
            << "0"
            << "1"
            << "1.5708" << 0.0f << QStringList{" 0", " 1.57", "-.001", " .999", " .5 pi"};
        QTest::newRow("R = 0 writes negative zero as zero")
            << "0"
            << "0"
            << "2" << 0.0f << QStringList{" 0", " 2", " 0", " 0", " .63 pi"};
        QTest::newRow("negative omega turns clockwise: theta decreases")
            << "-1"
            << "1"
            << "0" << 0.5f << QStringList{" .5", "-.5", " .877", "-.48", "-.16 pi"};
        QTest::newRow("the radius multiplies before the cosine")
            << "0"
            << "2.5"
            << "0.5" << 0.0f << QStringList{" 0", " .5", " 2.193", " 1.198", " .15 pi"};
    }

    void readouts() {
        QFETCH(QString, omega);
        QFETCH(QString, radius);
        QFETCH(QString, theta0);
        QFETCH(float, t);
        QFETCH(QStringList, boxes);
        Rig rig;
        rig.type(kBoxOmega, omega.toStdString());
        rig.type(kBoxRadius, radius.toStdString());
        rig.type(kBoxTheta0, theta0.toStdString());
        rig.run_at(0.0f);
        rig.tick_at(t);
        QStringList got;
        for (int i = kBoxTime; i <= kBoxThetaOverPi; ++i)
            got << QString::fromStdString(rig.box(i));
        QCOMPARE(got, boxes);
        QCOMPARE(rig.m.t_sec.kind(), Kind::Single);
        QCOMPARE(rig.m.theta.kind(), Kind::Double);
    }

    // After every tick theta has moved on from theta0 by omega times the clock's elapsed time
    // (to the clock's spacing of 1/256 s at this time of day), and the point lies on the orbit
    // of radius R round (170/75, 2) in the direction theta with y counted upwards: checked by
    // its distance and its direction, not by the cosine and sine the tick takes.
    void the_point_follows_the_clock() {
        Rig rig;
        rig.type(kBoxOmega, "1.7");
        rig.type(kBoxRadius, "1.25");
        rig.type(kBoxTheta0, "0.3");
        rig.run_at(40000.0f);
        const double cx = 2.2666666666666666;
        const double cy = 2.0;
        const double spacing = 1.0 / 256 + 1e-5;  // the reading's rounding, and 0.37f's
        for (int k = 1; k <= 200; ++k) {
            rig.tick_at(40000.0f + 0.37f * k);
            const double elapsed = 0.37 * k;
            QVERIFY(std::fabs(rig.m.t_sec.to_double() - elapsed) <= spacing);
            const double theta = rig.m.theta.to_double();
            QVERIFY(std::fabs(theta - (0.3 + 1.7 * elapsed)) <= 1.7 * spacing);
            const double dx = rig.m.x_now.to_double() - cx;
            const double dy = cy - rig.m.y_now.to_double();
            QVERIFY(std::fabs(std::hypot(dx, dy) - 1.25) < 1e-12);
            const double off = std::remainder(std::atan2(dy, dx) - theta, 2 * std::numbers::pi);
            QVERIFY2(std::fabs(off) < 1e-12, qPrintable(QString("off by %1 rad").arg(off)));
            QCOMPARE(rig.m.x_prev, rig.m.x_now);
            QCOMPARE(rig.m.y_prev, rig.m.y_now);
        }
    }

    // The picture after a tick: a blue orbit, two green lines through the point, and nothing
    // left of the lines of the tick before.
    void draws_orbit_and_moves_the_lines() {
        Rig rig;
        rig.type(kBoxOmega, "1.5707963267948966");  // a quarter turn a second
        rig.run_at(0.0f);
        rig.tick_at(0.0f);  // point at (center_x + 1, 2)
        const float cx = static_cast<float>(170.0 / 75.0);
        QVERIFY(rig.any_near(cx, 1.0f, kBlue));  // top of the orbit
        QVERIFY(rig.any_near(cx + 1.0f, 0.2f, kGreen));
        QVERIFY(rig.any_near(0.2f, 2.0f, kGreen));
        const int green_after_one = rig.count(kGreen);
        QVERIFY(green_after_one > 567 + 500 - 10);

        rig.tick_at(1.0f);  // a quarter turn on: the point at the top, (center_x, 1)
        // The old lines are gone outside the orbit as well as inside it.
        QVERIFY(rig.all_near(cx + 1.0f, 0.2f, 0));
        QVERIFY(rig.all_near(cx + 1.0f, 3.8f, 0));
        QVERIFY(rig.all_near(0.2f, 2.0f, 0));
        QVERIFY(rig.all_near(4.4f, 2.0f, 0));
        QVERIFY(rig.any_near(cx, 0.2f, kGreen));
        QVERIFY(rig.any_near(0.2f, 1.0f, kGreen));
        // Two lines' worth of green again, no more.
        QVERIFY(qAbs(rig.count(kGreen) - green_after_one) < 8);
    }

    // A circle from an earlier, larger radius stays: the tick never clears the area.
    void an_earlier_larger_orbit_stays() {
        Rig rig;
        rig.type(kBoxRadius, "1.5");
        rig.run_at(0.0f);
        rig.tick_at(0.0f);
        rig.type(kBoxRadius, "0.5");
        cmd_apply_Click(rig.form);
        rig.tick_at(0.5f);
        const float cx = static_cast<float>(170.0 / 75.0);
        QVERIFY(rig.any_near(cx, 0.5f, kBlue));  // top of the old orbit
        QVERIFY(rig.any_near(cx, 1.5f, kBlue));  // top of the new one
    }

    // An orbit larger than the area blanks all of it; only the two green lines remain.
    void a_huge_orbit_fills_the_area() {
        Rig rig;
        rig.type(kBoxRadius, "4");
        rig.run_at(0.0f);
        rig.tick_at(0.3f);
        QCOMPARE(rig.count(kBlue), 0);
        const int total = 567 * 500;
        QCOMPARE(rig.count(0) + rig.count(kGreen), total);
    }

    // Pause, then resume: the first tick after the resume continues the angle and time.
    void continuity_across_pause_and_resume() {
        Rig rig;
        rig.type(kBoxOmega, "3");
        rig.run_at(50000.0f);
        rig.tick_at(50001.0f);
        const Number theta_before = rig.m.theta;
        rig.pause_at(50001.0f);
        rig.restart_at(50100.0f);
        rig.tick_at(50100.0f);
        QCOMPARE(rig.m.theta, theta_before);
        rig.tick_at(50101.0f);
        QCOMPARE(rig.box(kBoxTime), std::string(" 2"));
        QCOMPARE(rig.m.theta.to_double(), 6.0);
    }

    void failures_are_reported_in_words_data() {
        QTest::addColumn<QString>("omega");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<float>("t");
        QTest::addColumn<QString>("message");
        QTest::newRow("radius beyond the single range")
            << "2"
            << "1E39" << 1.0f << "The radius 1E+39 is too large to draw.";
        QTest::newRow("negative radius beyond the single range")
            << "2"
            << "-1E39" << 1.0f << "The radius -1E+39 is too large to draw.";
        QTest::newRow("omega * t beyond the double range")
            << "1E308"
            << "1" << 2.0f
            << "The angle theta0 + omega * t cannot be computed: the angular frequency 1E+308 "
               "is too large.";
    }
    void failures_are_reported_in_words() {
        QFETCH(QString, omega);
        QFETCH(QString, radius);
        QFETCH(float, t);
        QFETCH(QString, message);
        Rig rig;
        rig.type(kBoxOmega, omega.toStdString());
        rig.type(kBoxRadius, radius.toStdString());
        rig.run_at(0.0f);
        QString got;
        try {
            rig.tick_at(t);
        } catch (const HandlerError& e) {
            got = e.what();
        }
        QCOMPARE(got, message);
        QCOMPARE(rig.box(kBoxOmega), omega.toStdString());
        QCOMPARE(rig.box(kBoxRadius), radius.toStdString());
    }

    // The largest radius that a single holds still draws (the area is simply filled).
    void largest_single_radius_draws() {
        Rig rig;
        rig.type(kBoxRadius, "3.4E38");
        rig.run_at(0.0f);
        rig.tick_at(1.0f);
        QCOMPARE(rig.count(0) + rig.count(kGreen), 567 * 500);
    }
};

QTEST_APPLESS_MAIN(AnimationTickTest)
#include "test_animation_tick.moc"
