// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a handler can fail, in every run state, run as the window runs it: exactly one
// report, in words that name the value at fault, and the motion left as the user had it. Only
// a failing tick stops the timer. Then the frequency too large for the tick, mended by the user.
#include <QTest>
#include <cmath>

#include "rig.h"
#include "core/numbers/number_text.h"

using namespace tarrowen;
using namespace tarrowen::testing;

Q_DECLARE_METATYPE(tarrowen::RunState)

namespace {

// Every field of the motion, to compare before and after.
QStringList fields(const MotionState& m) {
    QStringList out;
    for (const Number* n :
         {&m.ang_freq, &m.radius, &m.theta0, &m.theta, &m.t_sec, &m.t_start, &m.t_pause,
          &m.pause_len, &m.step, &m.x_now, &m.y_now, &m.x_prev, &m.y_prev})
        out << QString::fromStdString(n->describe());
    for (const Number& c : m.palette)
        out << QString::fromStdString(c.describe());
    out << QString::number(m.start_day) << QString::number(m.pause_day);
    return out;
}

QStringList inputs(const Rig& rig) {
    return {QString::fromStdString(rig.box(kBoxOmega)), QString::fromStdString(rig.box(kBoxRadius)),
            QString::fromStdString(rig.box(kBoxTheta0))};
}

double shown(const Rig& rig, int box) {
    return parse_number(rig.box(box));
}

const char* state_name(RunState s) {
    return s == RunState::Idle ? "idle" : s == RunState::Running ? "running" : "paused";
}

// How each state is reached; the clock then stands at 103 or before.
QString set_up(RunState s) {
    switch (s) {
        case RunState::Idle:
            return "";
        case RunState::Running:
            return "run 100; tick 102";
        case RunState::Paused:
            return "run 100; tick 102; pause 103";
    }
    return "";
}

const QString kTooLargeTyped =
    "The number typed into the \"%1\" box (%2) is too large. Please type a smaller one.";
const QString kCannotKeep =
    "The angular frequency %1 is too large: the angle cannot be kept where it was.";

}  // namespace

class FailuresTest : public QObject {
    Q_OBJECT
  private slots:
    void a_failure_leaves_the_motion_as_it_was_data() {
        QTest::addColumn<RunState>("state");
        QTest::addColumn<QString>("cause");    // played after the set-up, before the failure
        QTest::addColumn<QString>("handler");  // the step that fails
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("picture_kept");
        QTest::addColumn<QString>("message");

        const QList<RunState> all{RunState::Idle, RunState::Running, RunState::Paused};
        const QList<RunState> after_a_tick{RunState::Running, RunState::Paused};
        struct Failure {
            const char* name;
            QList<RunState> states;
            QString cause;
            QString handler;
            bool tick;
            bool picture_kept;
            QString message;
        };
        const QString refused = "The program could not finish this: box %1 refused its text.";
        // Stepping a double by at most 1 never overflows, so the adjust buttons fail here the
        // way a control might: the box refuses its new text.
        const QList<Failure> failures{
            {"Run, radius out of range", all, "type 1 1E400", "run 104", false, true,
             kTooLargeTyped.arg("radius", "1E400")},
            {"Run, theta0 box cannot be read", all, "refuse-read 2", "run 104", false, true,
             "The program could not finish this: box 2 cannot be read."},
            {"Apply, omega out of range", all, "type 0 1E400", "apply", false, true,
             kTooLargeTyped.arg("ang freq", "1E400")},
            // Before the first tick t is empty, and any omega keeps the angle.
            {"Apply, omega that cannot keep the angle", after_a_tick, "type 0 1E308", "apply",
             false, true, kCannotKeep.arg("1E+308")},
            {"Apply, theta0 box refuses", all, "type 0 3; type 1 2; refuse-write 2", "apply", false,
             true, refused.arg(2)},
            {"incr rad, box refuses", all, "button 4; refuse-write 1", "button 0", false, true,
             refused.arg(1)},
            {"decr rad, box refuses", all, "button 5; refuse-write 1", "button 1", false, true,
             refused.arg(1)},
            {"incr freq, box refuses", all, "button 4; refuse-write 0", "button 2", false, true,
             refused.arg(0)},
            // Box 0 is written before box 2 refuses: it shows its old text again.
            {"decr freq, theta0 box refuses", all, "button 6; refuse-write 2", "button 3", false,
             true, refused.arg(2)},
            // A huge omega stays in force only after the tick failed on it, which pauses.
            {"incr freq, omega that cannot keep the angle",
             {RunState::Paused},
             "type 0 1E308; run 104; tick 106",
             "button 2",
             false,
             true,
             kCannotKeep.arg("1E+308")},
            {"Apply after a failed tick, new omega that cannot keep the angle",
             {RunState::Paused},
             "type 0 1E308; run 104; tick 106; type 0 1.5E308",
             "apply",
             false,
             true,
             kCannotKeep.arg("1.5E+308")},
            // The timer delivers ticks only while running; idle and paused are reached by a
            // direct call, and stay as they are.
            {"tick, radius too large to draw", all, "type 1 1E39; apply", "tick 104", true, true,
             "The radius 1E+39 is too large to draw."},
            {"tick, readout box refuses", all, "refuse-write 3", "tick 104", true, false,
             refused.arg(3)},
            {"tick, omega * t beyond the double range",
             {RunState::Running},
             "type 0 1E308; run 103",
             "tick 105",
             true,
             true,
             "The angle theta0 + omega * t cannot be computed: the angular frequency 1E+308 is "
             "too large."},
            {"tick, theta0 + omega * t beyond the double range",
             {RunState::Running},
             "type 2 1.7E308; type 0 5E307; run 103",
             "tick 104",
             true,
             true,
             "The angle theta0 + omega * t cannot be computed: the phase theta0 1.7E+308 is too "
             "large."},
            // t = 74/4096 s: the angle 1.806640625E+306 itself fits, 100 times it does not.
            {"tick, angle too large for its readouts",
             {RunState::Running},
             "type 0 1E308; run 96",
             "tick 96.01806640625",
             true,
             false,
             "The readouts cannot be computed: the angle 1.806640625E+306 is too large."},
        };
        for (const Failure& f : failures) {
            for (RunState s : f.states) {
                QTest::addRow("%s while %s", f.name, state_name(s))
                    << s << f.cause << f.handler << f.tick << f.picture_kept << f.message;
            }
        }
    }

    void a_failure_leaves_the_motion_as_it_was() {
        QFETCH(RunState, state);
        QFETCH(QString, cause);
        QFETCH(QString, handler);
        QFETCH(bool, tick);
        QFETCH(bool, picture_kept);
        QFETCH(QString, message);
        Rig rig;
        QVERIFY(play(rig, set_up(state)));
        QVERIFY(play(rig, cause));
        QCOMPARE(run_state(rig.form), state);
        rig.reports.messages.clear();
        const QImage picture = rig.area.image().copy();
        const QStringList motion = fields(rig.m);
        const QStringList typed = inputs(rig);
        const int interval = rig.timer.interval();
        const bool enabled = rig.timer.enabled();

        QVERIFY(play(rig, handler));

        QCOMPARE(rig.reports.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(rig.reports.messages.front()), message);
        // Only the tick stops the timer; a running motion is then paused where it failed.
        const RunState after = tick && state == RunState::Running ? RunState::Paused : state;
        QCOMPARE(run_state(rig.form), after);
        QCOMPARE(rig.area.image() == picture, picture_kept);
        QCOMPARE(inputs(rig), typed);
        if (!tick) {
            QCOMPARE(fields(rig.m), motion);
            QCOMPARE(rig.timer.interval(), interval);
            QCOMPARE(rig.timer.enabled(), enabled);
        }
    }

    // Sequences that leave an angle the motion cannot go on from; then the user types a fine
    // omega and presses Apply. Apply takes it with the angle within one turn of the point's
    // place, says so once, and from then on everything goes on without a report.
    void a_frequency_too_large_for_the_tick_is_mended_data() {
        QTest::addColumn<QString>("failure");  // ends in the failed tick
        QTest::addColumn<QString>("mend");
        QTest::addColumn<QString>("note");  // the one report of the mend

        const QString not_computable =
            "The angle cannot be computed with %1: the point goes on "
            "from its last place, with its angle taken within one turn.";
        QTest::newRow("tick 2 s after Run: the angle cannot be computed")
            << "type 0 1E308; run 100; tick 102"
            << "type 0 2; apply" << not_computable.arg("the angular frequency 1E+308");
        QTest::newRow("ticks every ms: the readouts of the angle cannot be formed")
            << "type 0 1E308; run 96; tick 96.0009765625; tick 96.01806640625"
            << "type 0 2; apply"
            << "The angle 1.806640625E+306 is too large to go on from: the point goes on from "
               "where it is, with its angle taken within one turn.";
        QTest::newRow("a huge theta0: the angle cannot be computed")
            << "type 2 1.7E308; type 0 5E307; run 100; tick 101"
            << "type 0 2; apply" << not_computable.arg("the phase theta0 1.7E+308");
    }

    void a_frequency_too_large_for_the_tick_is_mended() {
        QFETCH(QString, failure);
        QFETCH(QString, mend);
        QFETCH(QString, note);
        Rig rig;
        QVERIFY(play(rig, failure));
        QCOMPARE(run_state(rig.form), RunState::Paused);
        rig.reports.messages.clear();
        // Where the point was last placed.
        const double last_theta = rig.m.theta.to_double();
        const double t_last = rig.m.t_sec.to_double();

        QVERIFY(play(rig, mend));

        const std::vector<std::string> expected{note.toStdString()};
        QCOMPARE(rig.reports.messages, expected);
        // The point stays where it was: the new angle for the last tick's time lies on the same
        // place of the circle, within one turn.
        const double omega = rig.m.ang_freq.to_double();
        QVERIFY(std::fabs(omega) < 10);
        const double theta_now = rig.m.theta0.to_double() + t_last * omega;
        QVERIFY2(std::fabs(std::cos(theta_now) - std::cos(last_theta)) < 1e-9 &&
                     std::fabs(std::sin(theta_now) - std::sin(last_theta)) < 1e-9,
                 qPrintable(QString("%1 is not at %2").arg(theta_now).arg(last_theta)));
        QVERIFY(std::fabs(theta_now) <= 4.0);
        QCOMPARE(shown(rig, kBoxTheta0), rig.m.theta0.to_double());

        // From then on: Restart, ticks, Apply and the buttons go on with no further report,
        // and the readouts are ordinary numbers again.
        QVERIFY(play(rig, "restart 200; tick 201; apply; tick 202; button 2; tick 203"));
        QCOMPARE(rig.reports.messages, expected);
        QCOMPARE(run_state(rig.form), RunState::Running);
        QVERIFY2(std::fabs(shown(rig, kBoxTheta)) < 100, rig.box(kBoxTheta).c_str());
        QVERIFY2(std::fabs(shown(rig, kBoxThetaOverPi)) < 100, rig.box(kBoxThetaOverPi).c_str());
    }
};

QTEST_APPLESS_MAIN(FailuresTest)
#include "test_failures.moc"
