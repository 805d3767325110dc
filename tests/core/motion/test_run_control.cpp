// SPDX-License-Identifier: GPL-3.0-or-later
// Run, pause, resume: every transition of the run states, driven with a fake clock.
#include <QTest>
#include <chrono>

#include "rig.h"
#include "core/numbers/number_text.h"

using namespace tarrowen;
using namespace tarrowen::testing;

Q_DECLARE_METATYPE(tarrowen::RunState)

class RunControlTest : public QObject {
    Q_OBJECT
  private slots:
    void transitions_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<RunState>("state");
        QTest::addColumn<QString>("t_sec");  // elapsed time of the last tick, as format_plain

        QTest::newRow("start-up is idle") << "" << RunState::Idle << "";
        QTest::newRow("run, tick") << "run 100; tick 101.5" << RunState::Running << "1.5";
        QTest::newRow("first tick on an unchanged clock is t = 0")
            << "run 100; tick 100" << RunState::Running << "0";
        QTest::newRow("pause stops the motion")
            << "run 100; tick 101; pause 102" << RunState::Paused << "1";
        QTest::newRow("pause then restart resumes where it stopped")
            << "run 100; pause 102; restart 110; tick 111" << RunState::Running << "3";
        QTest::newRow("second pause while paused counts for nothing")
            << "run 100; pause 102; pause 105; restart 110; tick 111" << RunState::Running << "3";
        QTest::newRow("second restart after one pause does not jump back")
            << "run 100; pause 102; restart 110; restart 115; tick 116" << RunState::Running << "8";
        QTest::newRow("restart while running does nothing")
            << "run 36000; restart 36005; tick 36006" << RunState::Running << "6";
        QTest::newRow("restart while running after an old pause does nothing")
            << "run 100; pause 102; restart 103; run 200; restart 250; tick 260"
            << RunState::Running << "60";
        QTest::newRow("pause before the first run does nothing")
            << "pause 50" << RunState::Idle << "";
        QTest::newRow("restart before the first run does nothing")
            << "restart 50" << RunState::Idle << "";
        QTest::newRow("pause and restart before the first run leave it normal")
            << "pause 50; restart 60; run 100; tick 101" << RunState::Running << "1";
        QTest::newRow("run while running starts afresh")
            << "run 100; tick 105; run 110; tick 111" << RunState::Running << "1";
        QTest::newRow("run while paused starts afresh and ticks at once")
            << "run 100; pause 102; run 110; tick 111" << RunState::Running << "1";
        QTest::newRow("two pauses and resumes add up")
            << "run 100; pause 101; restart 111; pause 112; restart 150; tick 151"
            << RunState::Running << "3";
        QTest::newRow("a pause after a resume counts again")
            << "run 100; pause 101; restart 111; pause 112; restart 120; tick 121"
            << RunState::Running << "3";
    }

    void transitions() {
        QFETCH(QString, script);
        QFETCH(RunState, state);
        QFETCH(QString, t_sec);
        Rig rig;
        QVERIFY(play(rig, script));
        QCOMPARE(run_state(rig.form), state);
        QCOMPARE(QString::fromStdString(format_plain(rig.m.t_sec)), t_sec);
        if (!rig.m.t_sec.is_empty()) QCOMPARE(rig.m.t_sec.kind(), Kind::Single);
        QCOMPARE(rig.timer.ticking(), state == RunState::Running);
    }

    // Run with the start-up texts: omega 2, R 1, theta0 0, the point at (center_x + 1, 2).
    void run_reads_the_panel() {
        Rig rig;
        rig.run_at(100);
        QCOMPARE(rig.m.ang_freq, Number::dbl(2));
        QCOMPARE(rig.m.radius, Number::dbl(1));
        QCOMPARE(rig.m.theta0, Number::dbl(0));
        QCOMPARE(rig.m.theta, Number::dbl(0));
        QCOMPARE(rig.m.t_start, Number::single(100));
        QCOMPARE(rig.m.x_now, Number::dbl(3.2666666666666666));
        QCOMPARE(rig.m.y_now, Number::dbl(2));
        QCOMPARE(rig.m.palette[1], Number::int32(255));
        QCOMPARE(rig.m.palette[3], Number::int32(16711680));
        QCOMPARE(rig.area.fill_colour(), 0);
        QCOMPARE(rig.timer.interval(), 1);
    }

    void run_with_junk_reads_zero_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty omega") << 0 << "";
        QTest::newRow("letters for R") << 1 << "abc";
        QTest::newRow("a comma for theta0") << 2 << ",5";
    }
    void run_with_junk_reads_zero() {
        QFETCH(int, box);
        QFETCH(QString, text);
        Rig rig;
        rig.type(box, text.toStdString());
        rig.run_at(100);
        const Number* fields[3] = {&rig.m.ang_freq, &rig.m.radius, &rig.m.theta0};
        QCOMPARE(*fields[box], Number::dbl(0));
        QCOMPARE(rig.box(box), text.toStdString());
    }

    // A number that cannot be read leaves the motion as it was, and the text as typed.
    void run_with_a_number_out_of_range() {
        Rig rig;
        rig.run_at(100);
        rig.tick_at(101);
        rig.type(kBoxOmega, "5");
        rig.type(kBoxRadius, "1E400");
        QVERIFY_THROWS_EXCEPTION(HandlerError, rig.run_at(102));
        QCOMPARE(rig.m.ang_freq, Number::dbl(2));
        QCOMPARE(rig.m.t_start, Number::single(100));
        QCOMPARE(rig.box(kBoxRadius), std::string("1E400"));
        try {
            rig.run_at(102);
        } catch (const HandlerError& e) {
            QCOMPARE(QString(e.what()),
                     "The number typed into the \"radius\" box (1E400) is too large. Please "
                     "type a smaller one.");
        }
    }

    // After a failed tick the motion is paused there; Restart then goes on without a jump.
    void error_stop_acts_as_a_pause() {
        Rig rig;
        rig.run_at(100);
        rig.tick_at(101);
        stop_after_error(rig.form);
        QCOMPARE(run_state(rig.form), RunState::Paused);
        rig.restart_at(130);
        rig.tick_at(131);
        QCOMPARE(format_plain(rig.m.t_sec), std::string("2"));
    }

    // The clock goes on past midnight: a run across it never sees time fall.
    void run_across_midnight() {
        std::chrono::steady_clock::duration steady{};
        DayClock clock(86390.0, [&steady] { return steady; });
        Rig rig;
        Form form{rig.m, rig.area, rig.panel, rig.timer, clock};
        runSImulation_Click(form);
        float last = -1;
        for (int s = 0; s <= 40; ++s) {
            steady = std::chrono::seconds(s);
            Timer1_Timer(form);
            const float t = rig.m.t_sec.to_single();
            QVERIFY2(t > last, qPrintable(QString("t fell to %1 at %2 s").arg(t).arg(s)));
            last = t;
        }
        QCOMPARE(last, 40.0f);
        QCOMPARE(clock.reading(), (ClockReading{1, 30.0f}));
    }

    // Box 3 shows every hundredth of a second on day 30 as on day 0, across midnight too, at
    // the time of day where singles are coarsest as well: with a tick every 10 ms, 5 ms after
    // each hundredth, it shows 0, .01, .02 ... .29 in turn.
    void time_is_as_fine_on_day_30_as_on_day_0_data() {
        QTest::addColumn<int>("days");       // days after the clock was created, at 10:00
        QTest::addColumn<double>("run_at");  // the time of day the run starts
        for (int days : {0, 30}) {
            QTest::addRow("day %d, morning", days) << days << 40000.0;
            QTest::addRow("day %d, where singles are 1/128 s apart", days) << days << 65536.5;
            QTest::addRow("day %d, across midnight", days) << days << 86399.84375;
        }
    }
    void time_is_as_fine_on_day_30_as_on_day_0() {
        QFETCH(int, days);
        QFETCH(double, run_at);
        using namespace std::chrono;
        steady_clock::duration steady{};
        DayClock clock(36000.0, [&steady] { return steady; });
        const auto set = [&steady](double s) {
            steady = duration_cast<steady_clock::duration>(duration<double>(s));
        };
        Rig rig;
        Form form{rig.m, rig.area, rig.panel, rig.timer, clock};
        const double start = days * 86400.0 + run_at - 36000.0;
        set(start);
        runSImulation_Click(form);
        QStringList shown;
        for (int k = 0; k < 30; ++k) {
            set(start + 0.005 + 0.01 * k);
            Timer1_Timer(form);
            shown << QString::fromStdString(rig.box(kBoxTime));
            QCOMPARE(qRound(parse_number(rig.box(kBoxTime)) * 100), k);
        }
        QCOMPARE(shown.removeDuplicates(), 0);
    }
};

QTEST_APPLESS_MAIN(RunControlTest)
#include "test_run_control.moc"
