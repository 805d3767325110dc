// SPDX-License-Identifier: GPL-3.0-or-later
// The shared scenario list (tests/scenarios/scenarios.txt) played on the real window: typing
// replaces a box's text, a click is a mouse click on the button, a tick is Timer1's, and every
// expectation is read back from the widgets once the screen is presented.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <charconv>

#include "../scenarios/scenario.h"
#include "fakes.h"
#include "qt/tarrowen_window.h"

using namespace tarrowen;
using namespace tarrowen::testing;

Q_DECLARE_METATYPE(tarrowen::scenarios::Scenario)

namespace {

QString where(const scenarios::Step& step) {
    return QStringLiteral("line %1").arg(step.line);
}

// Plays one step; an empty result means it went as expected.
QString play(Tarrowen& w, HandClock& clock, FakeReport& report, const scenarios::Step& s) {
    const auto widget = [&w](const std::string& name) {
        return w.findChild<QWidget*>(QString::fromStdString(name));
    };
    const std::string& verb = s[0];
    if (verb == "clock") {
        double seconds = 0;
        std::from_chars(s[1].data(), s[1].data() + s[1].size(), seconds);
        clock.set(static_cast<float>(seconds));
    } else if (verb == "type") {
        auto* box = qobject_cast<QLineEdit*>(widget(s[1]));
        if (box == nullptr) return "no box " + QString::fromStdString(s[1]);
        box->setText(QString::fromStdString(s[2]));
    } else if (verb == "click") {
        auto* button = qobject_cast<QPushButton*>(widget(s[1]));
        if (button == nullptr) return "no button " + QString::fromStdString(s[1]);
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (verb == "tick") {
        w.Timer1_Timer();
    } else if (verb == "expect" && s[1] == "title") {
        if (w.windowTitle() != QString::fromStdString(s[2])) return "title " + w.windowTitle();
    } else if (verb == "expect" && (s[1] == "caption" || s[1] == "text")) {
        w.present_now();
        QWidget* c = widget(s[2]);
        QString shown;
        if (auto* b = qobject_cast<QPushButton*>(c)) {
            shown = b->text();
        } else if (auto* l = qobject_cast<QLabel*>(c)) {
            shown = l->text();
        } else if (auto* e = qobject_cast<QLineEdit*>(c)) {
            shown = e->text();
        } else {
            return "no control " + QString::fromStdString(s[2]);
        }
        if (shown != QString::fromStdString(s[3]))
            return QStringLiteral("%1 shows \"%2\"").arg(QString::fromStdString(s[2]), shown);
    } else if (verb == "expect" && s[1] == "report") {
        const QStringList told = report.messages;
        report.messages.clear();
        if (told != QStringList{QString::fromStdString(s[2])})
            return "reports: " + told.join(QStringLiteral(" | "));
    } else if (verb == "expect" && s[1] == "no-report") {
        if (!report.messages.isEmpty()) return "reported: " + report.messages.join(" | ");
    } else {
        return "unknown step";
    }
    return {};
}

}  // namespace

class ScenarioTest : public QObject {
    Q_OBJECT
  private slots:
    void scenario_data() {
        QTest::addColumn<scenarios::Scenario>("scenario");
        for (const auto& s : scenarios::read_scenarios(TARROWEN_SCENARIOS))
            QTest::newRow(s.name.c_str()) << s;
    }
    void scenario() {
        QFETCH(scenarios::Scenario, scenario);
        HandClock clock;
        FakeReport report;
        Tarrowen w(&clock, &report);
        w.show();
        for (const auto& step : scenario.steps) {
            const QString failure = play(w, clock, report, step);
            QVERIFY2(failure.isEmpty(), qPrintable(where(step) + ": " + failure));
        }
    }
};

QTEST_MAIN(ScenarioTest)
#include "test_scenarios.moc"
