// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever is typed into any box, every button then pressed: the program stays up, each
// failure is reported once, readouts stay number texts, and a failing handler loses nothing
// that was typed.
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "fakes.h"
#include "qt/tarrowen_window.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

enum Effect { Harmless, OutOfRange, RadiusTooLarge };

struct Hostile {
    const char* name;
    QString text;
    Effect effect;
};

QList<Hostile> hostile_texts() {
    return {
        {"10000 digits", QString(10000, '7'), OutOfRange},
        {"10000 letters", QString(10000, 'a'), Harmless},
        {"10000 blanks then 3", QString(10000, ' ') + "3", Harmless},
        {"control characters", QString::fromLatin1("\x01\x02\x1b[31m\x7f\t\n5"), Harmless},
        {"arabic-indic digits", QString::fromUtf8("\u0661\u0662\u0663"), Harmless},
        {"fullwidth digits", QString::fromUtf8("\uff11\uff12"), Harmless},
        {"1E400", "1E400", OutOfRange},
        {"-1E400", "-1E400", OutOfRange},
        {"&HFFFFFFFFFF", "&HFFFFFFFFFF", OutOfRange},
        {"-0", "-0", Harmless},
        {"NaN", "NaN", Harmless},
        {"inf", "inf", Harmless},
        {"-inf", "-inf", Harmless},
        {"1E39", "1E39", RadiusTooLarge},
        {"1E-400", "1E-400", Harmless},
        {"&O", "&O", Harmless},
    };
}

// A number text as the panel shows it: a readout (leading blank or minus, maybe " pi") or an
// initial text.
const QRegularExpression kNumberText(
    QStringLiteral(R"(^[ -]?(\d+|\d*\.\d+)(E[+-]\d{2,3})?( pi)?$)"));

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
  private slots:
    void every_button_after_hostile_text_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("reports");
        for (const Hostile& h : hostile_texts()) {
            for (int box = 0; box < 8; ++box) {
                // Run reads boxes 0 to 2 and Apply boxes 0 and 1; each reports a number out of
                // range once. A radius too large to draw fails the first tick, and again the
                // first tick after Restart.
                int reports = 0;
                if (h.effect == OutOfRange && box <= 1) reports = 2;
                if (h.effect == OutOfRange && box == 2) reports = 1;
                if (h.effect == RadiusTooLarge && box == 1) reports = 2;
                QTest::addRow("%s in box %d", h.name, box) << box << h.text << reports;
            }
        }
    }

    void every_button_after_hostile_text() {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, reports);
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        auto* typed = w.findChild<QLineEdit*>(QString("txt_masses(%1)").arg(box));
        typed->setText(text);

        const auto press = [&](const QString& name) {
            const qsizetype before = report.messages.size();
            QTest::mouseClick(w.findChild<QPushButton*>(name), Qt::LeftButton);
            if (report.messages.size() > before) {
                // A failing handler leaves the typed text alone.
                QCOMPARE(typed->text(), text);
            }
        };
        const auto tick = [&] {
            clock.advance(0.75f);
            if (w.timer().ticking()) w.Timer1_Timer();
        };

        press("runSImulation");
        tick();
        press("cmd_apply");
        tick();
        for (int i = 0; i < 8; ++i) {
            press(QString("cmd_color(%1)").arg(i));
            tick();
        }
        press("cmd_stop_simulation");
        press("cmd_restart");
        tick();
        tick();
        w.present_now();

        QCOMPARE(report.messages.size(), reports);
        for (int i = 0; i < report.messages.size(); ++i) {
            QVERIFY(!report.messages[i].isEmpty());
            QVERIFY2(report.messages[i].size() < 200, qPrintable(report.messages[i]));
        }
        for (int i = kBoxTime; i < kBoxCount; ++i) {
            const QString shown = w.findChild<QLineEdit*>(QString("txt_masses(%1)").arg(i))->text();
            QVERIFY2(kNumberText.match(shown).hasMatch(),
                     qPrintable(QString("box %1 shows \"%2\"").arg(i).arg(shown)));
        }
    }
};

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
