// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the scenario list as scenario.h reads it, in JSON, for the page's player: so that one
// parser reads the list for every front-end, the one in JavaScript included.
//
//   scenario_json LIST    [{"name": "...", "steps": [{"line": 3, "words": ["click", ...]}]}]
//
// Built with the page (emscripten, the real file system under node). Exits 1 with the reader's
// message on stderr where the list is malformed.
#include <cstdio>
#include <exception>
#include <string>

#include "tests/scenarios/scenario.h"

namespace {

void put_string(const std::string& s) {
    std::putchar('"');
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            std::printf("\\%c", c);
        } else if (u < 0x20) {
            std::printf("\\u%04x", u);
        } else {
            std::putchar(c);  // UTF-8 as it stands in the list
        }
    }
    std::putchar('"');
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: scenario_json LIST\n", stderr);
        return 2;
    }
    try {
        const auto all = tarrowen::scenarios::read_scenarios(std::string(argv[1]));
        std::putchar('[');
        for (std::size_t i = 0; i < all.size(); ++i) {
            std::fputs(i == 0 ? "{\"name\": " : ",\n{\"name\": ", stdout);
            put_string(all[i].name);
            std::fputs(", \"steps\": [", stdout);
            for (std::size_t j = 0; j < all[i].steps.size(); ++j) {
                const auto& step = all[i].steps[j];
                std::printf("%s{\"line\": %d, \"words\": [", j == 0 ? "" : ", ", step.line);
                for (std::size_t k = 0; k < step.words.size(); ++k) {
                    if (k > 0) std::fputs(", ", stdout);
                    put_string(step.words[k]);
                }
                std::fputs("]}", stdout);
            }
            std::fputs("]}", stdout);
        }
        std::puts("]");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
