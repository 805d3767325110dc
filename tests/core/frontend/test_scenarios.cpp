// SPDX-License-Identifier: GPL-3.0-or-later
// The shared scenario list played straight into the session on the core's own front-end, so
// that every build of the core (natively, in the browser's build under node, in the Windows
// build under wine) holds to what every window is held to.
#include <doctest/doctest.h>

#include <sstream>
#include <utility>

#include "recording_frontend.h"
#include "scenario_list.h"
#include "tests/scenarios/player.h"

using namespace tarrowen;
using namespace tarrowen::testing;

namespace {

class SessionWorld final : public scenarios::World {
  public:
    void set_clock(double seconds) override {
        program_.screen.hand_clock.set(static_cast<float>(seconds));
    }
    void type(layout::Id box, const std::string& text) override {
        program_.type(layout::element(box), text);
    }
    void click(layout::Id button) override { program_.click(button); }
    void tick() override { program_.tick(); }
    std::string title() override { return layout::kWindowCaption; }
    // A window builds its labels and buttons with the table's captions, and nothing writes
    // them again: the table is what they show.
    std::optional<std::string> shown(layout::Id id) override {
        switch (layout::control(id).kind) {
            case layout::ControlKind::TextBox:
                return program_.shown(layout::element(id));
            case layout::ControlKind::Button:
            case layout::ControlKind::Label:
                return layout::control(id).caption;
            default:
                return std::nullopt;
        }
    }
    std::vector<std::string> take_reports() override {
        return std::exchange(program_.screen.reports, {});
    }

  private:
    TestProgram program_;
};

}  // namespace

TEST_CASE("the scenario list, played on the session") {
    std::istringstream list(kScenarioList);
    const auto all = scenarios::read_scenarios(list);
    REQUIRE(all.size() >= 10);
    for (const auto& scenario : all) {
        CAPTURE(scenario.name);
        SessionWorld world;
        CHECK(scenarios::play(world, scenario) == "");
    }
}
