// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the shared scenario list (tests/scenarios/scenarios.txt), as scenario.h does for the
// drivers written in C++: scenarios by name, each a list of steps whose strings are unquoted.
import fs from 'node:fs';

// "expect text txt_masses(3) \" 1.5\"" gives ['expect', 'text', 'txt_masses(3)', ' 1.5'].
export function splitStep(text, line) {
  const words = [];
  let i = 0;
  while (i < text.length) {
    if (text[i] === ' ') {
      ++i;
      continue;
    }
    let word = '';
    if (text[i] === '"') {
      ++i;
      for (; i < text.length && text[i] !== '"'; ++i) {
        if (text[i] === '\\' && i + 1 < text.length) ++i;
        word += text[i];
      }
      if (i >= text.length) throw new Error(`line ${line}: unclosed string`);
      ++i;
    } else {
      while (i < text.length && text[i] !== ' ') word += text[i++];
    }
    words.push(word);
  }
  return {words, line};
}

export function readScenarios(file) {
  const all = [];
  fs.readFileSync(file, 'utf8').split('\n').forEach((raw, index) => {
    const line = index + 1;
    const text = raw.endsWith('\r') ? raw.slice(0, -1) : raw;
    if (text === '' || text.startsWith('#')) return;
    if (text.startsWith('scenario ')) {
      all.push({name: text.slice(9), steps: []});
      return;
    }
    if (all.length === 0) throw new Error(`line ${line}: step before a scenario`);
    all.at(-1).steps.push(splitStep(text, line));
  });
  return all;
}
