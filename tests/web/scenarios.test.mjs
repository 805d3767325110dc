// SPDX-License-Identifier: GPL-3.0-or-later
// The shared scenario list played on the page in the engine of browser.mjs: the page opened from disk
// with ?test, so that the driver sets the clock and dispatches the ticks; typing sets a box's
// text and fires its input event, a click is a mouse click on the button, a report is read
// from the dialog and closed with Enter, and every expectation is read back from the page once
// the screen is presented.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import path from 'node:path';
import {after, before, test} from 'node:test';
import {fileURLToPath} from 'node:url';

import {control, launch, openPage, shownText} from './browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const list = process.env.TARROWEN_SCENARIOS || path.join(here, '../scenarios/scenarios.txt');
// The list as the C++ drivers read it: their reader, built with the page, prints it as JSON.
const reader = process.env.TARROWEN_SCENARIO_JSON ||
               path.join(here, '../../build/web/tests/web/scenario_json.js');
const scenarios = JSON.parse(execFileSync(process.execPath, [reader, list], {encoding: 'utf8'}));

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser?.close();
});

// The reports shown since the last check, each read from the dialog and closed with Enter.
async function closeReports(page) {
  const told = [];
  while (await page.$eval('#report', (d) => d.open)) {
    told.push(await page.$eval('#report-message', (p) => p.textContent));
    await page.press('Enter');
    if (told.length > 10) break;
  }
  return told;
}

async function play(page, step) {
  const [verb, ...w] = step.words;
  const expectation = verb === 'expect' ? w[0] : null;
  if (verb === 'clock') {
    await page.evaluate((s) => window.tarrowenTest.setClock(s), Number(w[0]));
  } else if (verb === 'type') {
    const found = await page.$eval(control(w[0]), (el, t) => {
      el.value = t;
      el.dispatchEvent(new Event('input', {bubbles: true}));
      return el.tagName;
    }, w[1]);
    assert.equal(found, 'INPUT', `${w[0]} is no box`);
  } else if (verb === 'click') {
    await page.click(control(w[0]));
  } else if (verb === 'tick') {
    await page.evaluate(() => window.tarrowenTest.tick());
  } else if (expectation === 'title') {
    assert.equal(await page.title(), w[1]);
  } else if (expectation === 'caption') {
    assert.equal(await page.$eval(control(w[1]), (el) => el.textContent), w[2],
                 `caption of ${w[1]}`);
  } else if (expectation === 'text') {
    await page.evaluate(() => window.tarrowenTest.presentNow());
    assert.equal(await page.$eval(control(w[1]), shownText), w[2], `text of ${w[1]}`);
  } else if (expectation === 'report') {
    assert.deepEqual(await closeReports(page), [w[1]]);
  } else if (expectation === 'no-report') {
    assert.deepEqual(await closeReports(page), []);
  } else {
    assert.fail(`unknown step: ${step.words.join(' ')}`);
  }
}

for (const scenario of scenarios) {
  test(scenario.name, async () => {
    const page = await openPage(browser.browser, {query: '?test'});
    try {
      for (const step of scenario.steps) {
        try {
          await play(page, step);
        } catch (e) {
          e.message = `line ${step.line} (${step.words.join(' ')}): ${e.message}`;
          throw e;
        }
      }
      assert.deepEqual(await page.pageErrors(), [], 'errors of the page');
    } finally {
      await page.close();
    }
  });
}
