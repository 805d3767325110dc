// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the scenario list (scenarios.txt) for a front-end's driver written in C++. Standard
// library only, so that the Qt test and the Windows driver share it.

#include <fstream>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarrowen::scenarios {

// One step: its words, strings unquoted. "expect text txt_masses(3) \" 1.5\"" gives
// {"expect", "text", "txt_masses(3)", " 1.5"}.
struct Step {
    std::vector<std::string> words;
    int line = 0;
    const std::string& operator[](std::size_t i) const { return words.at(i); }
};

struct Scenario {
    std::string name;
    std::vector<Step> steps;
};

inline Step split_step(const std::string& text, int line) {
    Step step;
    step.line = line;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            ++i;
            for (; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) ++i;
                word += text[i];
            }
            if (i >= text.size())
                throw std::runtime_error("line " + std::to_string(line) + ": unclosed string");
            ++i;
        } else {
            while (i < text.size() && text[i] != ' ')
                word += text[i++];
        }
        step.words.push_back(word);
    }
    return step;
}

// The scenarios of the list, in order. Throws on a step outside any scenario or a bad string.
inline std::vector<Scenario> read_scenarios(std::istream& in) {
    std::vector<Scenario> all;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        if (text.rfind("scenario ", 0) == 0) {
            all.push_back({text.substr(9), {}});
            continue;
        }
        if (all.empty())
            throw std::runtime_error("line " + std::to_string(line) + ": step before a scenario");
        all.back().steps.push_back(split_step(text, line));
    }
    return all;
}

// The scenarios of the file at `path`.
inline std::vector<Scenario> read_scenarios(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    return read_scenarios(in);
}

}  // namespace tarrowen::scenarios
