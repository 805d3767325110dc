// SPDX-License-Identifier: GPL-3.0-or-later
// Apply, the adjust and step buttons, and the phase that keeps the point from jumping.
#include <QTest>
#include <cmath>
#include <string>

#include "rig.h"
#include "core/numbers/number_text.h"

using namespace tarrowen;
using namespace tarrowen::testing;

class ParameterEditingTest : public QObject {
    Q_OBJECT
  private slots:
    void edits_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("inputs");  // boxes 0, 1, 2 afterwards
        QTest::addColumn<QString>("omega");       // format_plain of the state afterwards
        QTest::addColumn<QString>("radius");

        // Buttons: 0 incr rad, 1 decr rad, 2 incr freq, 3 decr freq, 4-7 steps 1 .. 0.001.
        QTest::newRow("incr rad before any step rewrites box 1 from the state, not the text")
            << "type 1 1.50; button 0" << QStringList{"2", "1", "0"} << "2"
            << "1";
        QTest::newRow("first incr rad after increment 1.000 writes 2")
            << "button 4; button 0" << QStringList{"2", "2", "0"} << "2"
            << "2";
        QTest::newRow("first incr freq after increment 0.100 writes 2.1")
            << "button 5; button 2" << QStringList{"2.1", "1", "0"} << "2.1"
            << "1";
        QTest::newRow("incr freq before any step rewrites boxes 0 and 2")
            << "type 2 0.7; button 2" << QStringList{"2", "1", "0"} << "2"
            << "1";
        QTest::newRow("steps 0.01 and 0.001 both ways")
            << "button 6; button 2; button 7; button 3; button 1"
            << QStringList{"2.009", "0.999", "0"} << "2.009"
            << "0.999";
        QTest::newRow("the last step chosen is the one in force")
            << "button 7; button 4; button 0; button 0" << QStringList{"2", "3", "0"} << "2"
            << "3";
        QTest::newRow("stepping past zero is accepted")
            << "button 4; button 1; button 1; button 3; button 3; button 3"
            << QStringList{"-1", "-1", "0"} << "-1"
            << "-1";
        QTest::newRow("apply before the first run writes theta0 = 0 whatever was typed")
            << "type 0 3; type 1 0.5; type 2 1.2; apply" << QStringList{"3", "0.5", "0"} << "3"
            << "0.5";
        QTest::newRow("apply keeps boxes 0 and 1 as typed, read in part")
            << "type 0 3abc; type 1 1,5; apply" << QStringList{"3abc", "1,5", "0"} << "3"
            << "1";
        QTest::newRow("apply while running moves theta0 by t * (old - new)")
            << "run 100; tick 102; type 0 3; apply" << QStringList{"3", "1", "-2"} << "3"
            << "1";
        QTest::newRow("a theta0 typed while running is replaced by the next apply")
            << "run 100; tick 101; type 2 9; apply" << QStringList{"2", "1", "0"} << "2"
            << "1";
        QTest::newRow("apply with omega unchanged keeps theta0")
            << "type 2 0.25; run 100; tick 104; apply" << QStringList{"2", "1", "0.25"} << "2"
            << "1";
        QTest::newRow("a run after the buttons starts from the values shown")
            << "button 5; button 2; button 0; run 100; tick 100" << QStringList{"2.1", "1.1", "0"}
            << "2.1"
            << "1.1";
        QTest::newRow("a button index outside 0 to 7 does nothing")
            << "button 4; button 8; button -1; button 32767" << QStringList{"2", "1", "0"} << "2"
            << "1";
        QTest::newRow("apply with a number out of range changes nothing")
            << "type 0 7; type 1 1E400; apply" << QStringList{"7", "1E400", "0"} << "2"
            << "1";
    }

    void edits() {
        QFETCH(QString, script);
        QFETCH(QStringList, inputs);
        QFETCH(QString, omega);
        QFETCH(QString, radius);
        Rig rig;
        QVERIFY(play(rig, script));
        const QStringList got{QString::fromStdString(rig.box(kBoxOmega)),
                              QString::fromStdString(rig.box(kBoxRadius)),
                              QString::fromStdString(rig.box(kBoxTheta0))};
        QCOMPARE(got, inputs);
        QCOMPARE(QString::fromStdString(format_plain(rig.m.ang_freq)), omega);
        QCOMPARE(QString::fromStdString(format_plain(rig.m.radius)), radius);
    }

    // Changing omega keeps the angle of the last tick, running and paused, and afterwards the
    // point goes on from there at the new rate.
    void phase_is_continuous_data() {
        QTest::addColumn<QString>("script");  // ends with the state of the change
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("after");   // what follows the change
        QTest::addColumn<double>("elapsed");  // running time from the change to the last tick
        QTest::addColumn<double>("new_omega");

        QTest::newRow("apply while running") << "type 2 0.4; run 1000; tick 1003.5"
                                             << "type 0 -1.25; apply"
                                             << "tick 1005.5" << 2.0 << -1.25;
        QTest::newRow("incr freq while running") << "button 6; run 1000; tick 1001.25"
                                                 << "button 2"
                                                 << "tick 1002.25" << 1.0 << 2.01;
        QTest::newRow("decr freq while paused, then resumed")
            << "button 4; run 1000; tick 1002; pause 1002"
            << "button 3"
            << "restart 1100; tick 1100; tick 1103" << 3.0 << 1.0;
        QTest::newRow("apply while paused, then resumed")
            << "run 20000; tick 20010; pause 20010.5"
            << "type 0 7.5; apply"
            << "restart 20050.5; tick 20052.5" << 2.5 << 7.5;
    }

    void phase_is_continuous() {
        QFETCH(QString, script);
        QFETCH(QString, change);
        QFETCH(QString, after);
        QFETCH(double, elapsed);
        QFETCH(double, new_omega);
        Rig rig;
        QVERIFY(play(rig, script));
        const double theta_last = rig.m.theta.to_double();
        const double t_last = rig.m.t_sec.to_double();
        QVERIFY(play(rig, change));
        // The angle for the time of the last tick is what it was.
        const double theta_now = rig.m.theta0.to_double() + t_last * rig.m.ang_freq.to_double();
        QVERIFY2(
            std::fabs(theta_now - theta_last) <= 1e-12 * std::max(1.0, std::fabs(theta_last)),
            qPrintable(
                QString("%1 became %2").arg(theta_last, 0, 'g', 17).arg(theta_now, 0, 'g', 17)));
        QCOMPARE(rig.box(kBoxTheta0), format_plain(rig.m.theta0));
        QVERIFY(play(rig, after));
        const double expected = theta_last + elapsed * new_omega;
        QVERIFY2(std::fabs(rig.m.theta.to_double() - expected) <= 1e-9,
                 qPrintable(QString("theta %1, expected %2")
                                .arg(rig.m.theta.to_double(), 0, 'g', 17)
                                .arg(expected, 0, 'g', 17)));
    }

    // Ten thousand presses of a 0.1 step drift no further than adding 0.1 in double does.
    void many_presses_drift_as_double_arithmetic() {
        Rig rig;
        cmd_color_Click(rig.form, 5);
        double r = 1.0;
        double w = 2.0;
        for (int i = 0; i < 10000; ++i) {
            cmd_color_Click(rig.form, 0);
            cmd_color_Click(rig.form, 3);
            r += 0.1;
            w -= 0.1;
        }
        QCOMPARE(rig.m.radius, Number::dbl(r));
        QCOMPARE(rig.m.ang_freq, Number::dbl(w));
        QCOMPARE(rig.box(kBoxRadius), format_plain(Number::dbl(r)));
    }

    // The adjust buttons wipe the area in its fill colour: dark purple before the first Run,
    // black after it. The step buttons and Apply draw nothing.
    void wipe_colour_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("purple");  // pixels of RGB(64, 0, 64) afterwards
        const int all = 567 * 500;
        QTest::newRow("incr rad before the first run") << "button 0" << all;
        QTest::newRow("decr freq before the first run") << "button 3" << all;
        QTest::newRow("step buttons draw nothing") << "button 4; button 7" << 0;
        QTest::newRow("apply draws nothing") << "apply" << 0;
        QTest::newRow("run clears the purple") << "button 1; run 10" << 0;
        QTest::newRow("after a run the wipe is black") << "run 10; tick 11; button 2" << 0;
    }

    void wipe_colour() {
        QFETCH(QString, script);
        QFETCH(int, purple);
        Rig rig;
        QVERIFY(play(rig, script));
        QCOMPARE(rig.count(kFillAtCreation), purple);
        if (script.contains("run") && script.contains("button")) QCOMPARE(rig.count(0), 567 * 500);
    }

    // An extreme omega raises the failure through the handler; the state stays usable.
    void extreme_omega_fails_in_words() {
        Rig rig;
        QVERIFY(play(rig, "run 100; tick 102"));
        rig.type(kBoxOmega, "1E308");
        QString message;
        try {
            cmd_apply_Click(rig.form);
        } catch (const HandlerError& e) {
            message = e.what();
        }
        QCOMPARE(message, QString("The angular frequency 1E+308 is too large: the angle cannot "
                                  "be kept where it was."));
        // Nothing changed, so typing a sane value mends it.
        QCOMPARE(rig.m.ang_freq, Number::dbl(2));
        QCOMPARE(rig.box(kBoxOmega), std::string("1E308"));
        rig.type(kBoxOmega, "2");
        cmd_apply_Click(rig.form);
        rig.tick_at(103);
        QCOMPARE(rig.box(kBoxTime), std::string(" 3"));
    }

    void typing_changes_nothing() {
        Rig rig;
        QVERIFY(play(rig, "run 100; tick 101"));
        const MotionState before = rig.m;
        for (int i = 0; i < kBoxCount; ++i) {
            rig.type(i, "99");
            txt_masses_Change(rig.form, static_cast<std::int16_t>(i));
        }
        QCOMPARE(rig.m.ang_freq, before.ang_freq);
        QCOMPARE(rig.m.radius, before.radius);
        QCOMPARE(rig.m.theta0, before.theta0);
        QCOMPARE(rig.m.t_start, before.t_start);
    }
};

QTEST_APPLESS_MAIN(ParameterEditingTest)
#include "test_parameter_editing.moc"
