// SPDX-License-Identifier: GPL-3.0-or-later
// The shared scenario list (tests/scenarios/scenarios.txt) played on the real window: typing
// replaces a box's text, a click is a mouse click on the button, a tick is Timer1's, and every
// expectation is read back from the widgets once the screen is presented.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../scenarios/player.h"
#include "fakes.h"
#include "qt/tarrowen_window.h"

using namespace tarrowen;
using namespace tarrowen::testing;

Q_DECLARE_METATYPE(tarrowen::scenarios::Scenario)

namespace {

class WindowWorld final : public scenarios::World {
  public:
    WindowWorld() { window_.show(); }

    void set_clock(double seconds) override { clock_.set(static_cast<float>(seconds)); }
    void type(layout::Id box, const std::string& text) override {
        if (auto* edit = widget<QLineEdit>(box)) edit->setText(QString::fromStdString(text));
    }
    void click(layout::Id button) override {
        if (auto* b = widget<QPushButton>(button)) QTest::mouseClick(b, Qt::LeftButton);
    }
    void tick() override { window_.Timer1_Timer(); }
    std::string title() override { return window_.windowTitle().toStdString(); }
    std::optional<std::string> shown(layout::Id id) override {
        window_.present_now();
        if (auto* b = widget<QPushButton>(id)) return b->text().toStdString();
        if (auto* l = widget<QLabel>(id)) return l->text().toStdString();
        if (auto* e = widget<QLineEdit>(id)) return e->text().toStdString();
        return std::nullopt;
    }
    std::vector<std::string> take_reports() override {
        std::vector<std::string> told;
        for (const QString& m : report_.messages)
            told.push_back(m.toStdString());
        report_.messages.clear();
        return told;
    }

  private:
    template <typename W>
    W* widget(layout::Id id) {
        return window_.findChild<W*>(QString::fromUtf8(layout::control(id).name));
    }

    HandClock clock_;
    FakeReport report_;
    Tarrowen window_{&clock_, &report_};
};

}  // namespace

class ScenarioTest : public QObject {
    Q_OBJECT
  private slots:
    void scenario_data() {
        QTest::addColumn<scenarios::Scenario>("scenario");
        for (const auto& s : scenarios::read_scenarios(std::string(TARROWEN_SCENARIOS)))
            QTest::newRow(s.name.c_str()) << s;
    }
    void scenario() {
        QFETCH(scenarios::Scenario, scenario);
        WindowWorld world;
        const std::string failure = scenarios::play(world, scenario);
        QVERIFY2(failure.empty(), failure.c_str());
    }
};

QTEST_MAIN(ScenarioTest)
#include "test_scenarios.moc"
