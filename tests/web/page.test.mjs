// SPDX-License-Identifier: GPL-3.0-or-later
// What the scenario list cannot say about the page, checked in the engine of browser.mjs: the
// picture read back from the canvas at two sizes (and pixel ratios, where the driver sets
// them), the keyboard's way through the controls, the report dialog and the end, an
// accessibility audit with axe-core, what a screen reader can read of the readouts and what
// they tell it while the motion runs; in Chromium also its own accessibility tree's events.
import assert from 'node:assert/strict';
import {createRequire} from 'node:module';
import {after, before, test} from 'node:test';

import {can, control, launch, openPage, shownText} from './browser.mjs';

const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser?.close();
});

async function withPage(options, body) {
  const page = await openPage(browser.browser, options);
  try {
    await body(page);
    assert.deepEqual(await page.pageErrors(), [], 'errors of the page');
  } finally {
    await page.close();
  }
}

const setClock = (page, s) => page.evaluate((v) => window.tarrowenTest.setClock(v), s);
const tick = (page) => page.evaluate(() => window.tarrowenTest.tick());
const presentNow = (page) => page.evaluate(() => window.tarrowenTest.presentNow());

// The picture's colours as the canvas holds them (red in the low byte), in the program's own
// scheme and in projector colours.
const SCREEN = {background: 0x000000, line: 0x00ff00, orbit: 0xff0000};
const PROJECTOR = {background: 0xffffff, line: 0x007000, orbit: 0xa00000};

// WCAG 2.x contrast of two such colours.
function contrast(a, b) {
  const lin = (c) => (c / 255 <= 0.04045 ? c / 255 / 12.92 : ((c / 255 + 0.055) / 1.055) ** 2.4);
  const luminance = (v) =>
    0.2126 * lin(v & 0xff) + 0.7152 * lin((v >> 8) & 0xff) + 0.0722 * lin((v >> 16) & 0xff);
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

// The canvas as read back: its size, the columns and rows of the lines' colour from end to
// end, the lines' pixels off them, the orbit's pixels' distances from its centre in drawing
// units, and the pixels of no colour of the scheme.
function readPicture(page, colours = SCREEN) {
  return page.evaluate(({background, line, orbit}) => {
    const c = document.querySelector('canvas');
    const {width: w, height: h} = c;
    const d = c.getContext('2d').getImageData(0, 0, w, h).data;
    const colour = (x, y) => {
      const i = 4 * (y * w + x);
      return d[i] | (d[i + 1] << 8) | (d[i + 2] << 16);
    };
    const GREEN = line, BLUE = orbit;
    const rowGreen = new Array(h).fill(0), colGreen = new Array(w).fill(0);
    const blue = [];
    let others = 0;
    for (let y = 0; y < h; ++y) {
      for (let x = 0; x < w; ++x) {
        const v = colour(x, y);
        if (v === GREEN) ++rowGreen[y], ++colGreen[x];
        else if (v === BLUE) blue.push(Math.hypot((x + 0.5 - w / 2) / (w / (340 / 75)),
                                                  (y + 0.5 - h / 2) / (h / 4)));
        else if (v !== background) ++others;
      }
    }
    const columns = [...colGreen.keys()].filter((x) => colGreen[x] === h);
    const rows = [...rowGreen.keys()].filter((y) => rowGreen[y] === w);
    let stray = 0;
    for (let y = 0; y < h; ++y) {
      for (let x = 0; x < w; ++x) {
        if (colour(x, y) === GREEN && !columns.includes(x) && !rows.includes(y)) ++stray;
      }
    }
    return {w, h, columns, rows, stray, blue, others, cssWidth: c.getBoundingClientRect().width,
            ratio: devicePixelRatio,
            // Device pixels per pixel of the layout (739 x 560), as the page should have chosen.
            k: Math.min(innerWidth / 739, innerHeight / 560) * devicePixelRatio};
  }, colours);
}

// The text's ink in a box's pixels: the pixels darker than its border (#767676), their count
// and the half-open rectangle around them.
function ink({width, height, rgba}) {
  const r = {count: 0, left: width, top: height, right: 0, bottom: 0};
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const i = 4 * (y * width + x);
      if (0.3 * rgba[i] + 0.59 * rgba[i + 1] + 0.11 * rgba[i + 2] >= 100) continue;
      ++r.count;
      r.left = Math.min(r.left, x);
      r.top = Math.min(r.top, y);
      r.right = Math.max(r.right, x + 1);
      r.bottom = Math.max(r.bottom, y + 1);
    }
  }
  return r;
}

// omega 2, R 1, theta0 0 (the start-up texts), `t` seconds after Run: the lines pass through
// (170/75 + cos 2t, 2 - sin 2t) in a picture 340/75 units across and 4 down.
function checkPicture(p, t, ratio, label) {
  const theta = 2 * t;
  const x = (170 / 75 + Math.cos(theta)) * p.w / (340 / 75);
  const y = (2 - Math.sin(theta)) * p.h / 4;
  const pen = Math.max(1, Math.round(ratio));
  assert.equal(p.others, 0, `${label}: pixels of another colour`);
  assert.equal(p.stray, 0, `${label}: green pixels off the two lines`);
  assert.equal(p.columns.length, pen, `${label}: green columns ${p.columns}`);
  assert.equal(p.rows.length, pen, `${label}: green rows ${p.rows}`);
  const mid = (v) => (v[0] + v.at(-1) + 1) / 2;
  assert.ok(Math.abs(mid(p.columns) - x) <= pen, `${label}: column ${p.columns} for x ${x}`);
  assert.ok(Math.abs(mid(p.rows) - y) <= pen, `${label}: row ${p.rows} for y ${y}`);
  // The orbit: blue within a pen's width of radius 1, and most of its circumference there.
  const tolerance = 1.5 * pen / (p.h / 4);
  assert.ok(p.blue.every((r) => Math.abs(r - 1) <= tolerance), `${label}: blue off the orbit`);
  assert.ok(p.blue.length > 5 * p.h / 4, `${label}: ${p.blue.length} blue pixels`);
}

test('after Run: the orbit, exactly the two current lines, the readouts, at any size', async () => {
  await withPage({query: '?test', width: 800, height: 600, ratio: 1}, async (page) => {
    await setClock(page, 100);
    await page.click(control('runSImulation'));
    await setClock(page, 100.7);
    await tick(page);
    await presentNow(page);
    const small = await readPicture(page);
    assert.equal(small.ratio, 1);
    assert.equal(small.k, Math.min(800 / 739, 600 / 560), 'the viewport asked for');
    assert.equal(small.w, Math.round(567 * small.k));
    checkPicture(small, 0.7, small.k, '800x600 at 1');
    // The readouts, drawn quietly over their boxes, show their digits where the boxes showing
    // the same texts themselves do (typed, a text is the box's own again): the same ink, within
    // a pixel (engines smooth the edges of a canvas's text and of a box's a little apart).
    for (let box = 3; box < 8; ++box) {
      const selector = control(`txt_masses(${box})`);
      assert.ok(await page.$eval(selector, (e) => e.dataset.quiet !== undefined), `box ${box} quiet`);
      const text = await page.$eval(selector, shownText);
      const drawn = ink(await page.pixelsOf(selector));
      await page.$eval(selector, (e, t) => {
        e.value = t;
        e.dispatchEvent(new Event('input', {bubbles: true}));
      }, text);
      const typed = ink(await page.pixelsOf(selector));
      assert.ok(typed.count > 20, `box ${box}: "${text}" typed shows ${typed.count} dark pixels`);
      for (const edge of ['left', 'top', 'right', 'bottom']) {
        assert.ok(Math.abs(drawn[edge] - typed[edge]) <= 1,
                  `box ${box} "${text}": ink's ${edge} ${drawn[edge]}, typed ${typed[edge]}`);
      }
      assert.ok(Math.abs(drawn.count - typed.count) <= 0.15 * typed.count,
                `box ${box} "${text}": ${drawn.count} dark pixels, typed ${typed.count}`);
    }

    // Another size and pixel ratio (WebKit's window keeps the screen's): the canvas holds
    // device pixels, drawn again, no stray one.
    const ratio = can.setRatio ? 2 : 1;
    await page.setViewport({width: 1600, height: 1000, ratio});
    await page.waitFor((w) => document.querySelector('canvas').width > w, [1500 * ratio / 2]);
    await presentNow(page);
    const big = await readPicture(page);
    assert.equal(big.ratio, ratio);
    const k2 = Math.min(1600 / 739, 1000 / 560) * ratio;
    assert.ok(Math.abs(big.k - k2) < 1e-9, `the viewport asked for: ${big.k}`);
    assert.equal(big.w, Math.round(567 * k2));
    assert.ok(Math.abs(big.cssWidth * ratio - big.w) < 0.01, 'one canvas pixel to a device pixel');
    checkPicture(big, 0.7, k2, `1600x1000 at ${ratio}`);
    await setClock(page, 101.9);
    await tick(page);
    await presentNow(page);
    checkPicture(await readPicture(page), 1.9, k2, `1600x1000 at ${ratio}, moved on`);

    // The picture's menu from the keyboard: two checkable entries; projector colours shown at
    // once and kept by the next tick.
    await page.$eval('canvas', (c) => c.focus());
    await page.press('Shift+F10');
    assert.deepEqual(await page.$eval('#picture-menu', (m) => ({
      hidden: m.hidden, role: m.getAttribute('role'), focused: document.activeElement.textContent,
      entries: [...m.children].map((e) => [e.getAttribute('role'), e.textContent,
                                           e.getAttribute('aria-checked')]),
    })), {
      hidden: false, role: 'menu', focused: 'Full screen',
      entries: [['menuitemcheckbox', 'Full screen', 'false'],
                ['menuitemcheckbox', 'Projector colours', 'false']],
    });
    await page.press('ArrowDown');
    await page.press('Enter');
    assert.deepEqual(await page.evaluate(() => [
      document.querySelector('[data-entry=projector]').getAttribute('aria-checked'),
      document.querySelector('#picture-menu').hidden, document.activeElement.tagName]),
                     ['true', true, 'CANVAS']);
    checkPicture(await readPicture(page, PROJECTOR), 1.9, k2, 'projector colours at once');
    await setClock(page, 102.3);
    await tick(page);
    await presentNow(page);
    checkPicture(await readPicture(page, PROJECTOR), 2.3, k2, 'projector colours, moved on');
    for (const c of [PROJECTOR.line, PROJECTOR.orbit]) {
      assert.ok(contrast(c, PROJECTOR.background) >= 4.5, `${c.toString(16)} against white`);
    }
    // Chosen again from a right click, the seed's colours come back.
    await page.rightClick('canvas');
    assert.equal(await page.$eval('#picture-menu', (m) => m.hidden), false, 'opened by a click');
    await page.press('ArrowDown');
    await page.press('Space');
    checkPicture(await readPicture(page), 2.3, k2, 'the program\'s colours again');
    // And the first entry puts the page full screen, checked once the browser says it is.
    await page.rightClick('canvas');
    await page.press('Enter');
    await page.waitFor(() => document.fullscreenElement !== null &&
                             document.querySelector('[data-entry=full-screen]')
                                 .getAttribute('aria-checked') === 'true');
  });
});

// What Tab visits from the picture: role and accessible name, as on the desktop.
const tabOrder = [
  'button Run Simulation', 'textbox ang freq', 'textbox radius', 'textbox theta0',
  'textbox t (sec)', 'button pause simulation', 'button Quit', 'button incr rad',
  'button decr rad', 'button incr freq', 'button decr freq', 'textbox theta', 'textbox x',
  'textbox y', 'textbox theta in units of pi', 'button increment 1.000',
  'button increment 0.100', 'button increment 0.010', 'button increment 0.001',
  'button Restart', 'button Apply',
];

// The focused element's role and accessible name as axe-core computes them (its own reading of
// ARIA and of the names' rules, the same in every engine).
function focusedNode(page) {
  return page.evaluate(() => {
    window.axe.setup(document);
    try {
      const el = document.activeElement;
      const name = window.axe.commons.text.accessibleTextVirtual(window.axe.utils.getNodeFromTree(el));
      return `${window.axe.commons.aria.getRole(el)} ${name}`;
    } finally {
      window.axe.teardown();
    }
  });
}

test('Tab goes round the controls in the desktop order, each named as there', async () => {
  await withPage({query: '?test'}, async (page) => {
    await page.addScript(axePath);
    assert.equal(await focusedNode(page), 'img Picture of the motion');
    const visited = [];
    for (const _ of tabOrder) {
      await page.press('Tab');
      visited.push(await focusedNode(page));
    }
    assert.deepEqual(visited, tabOrder);
  });
});

// Each state the page can be in, audited; a report and the end take the keyboard.
test('at start, running, with a report, ended: no axe-core violation; the keyboard', async () => {
  await withPage({}, async (page) => {
    await page.addScript(axePath);
    const audit = async (when) => {
      const found = await page.evaluate(() => window.axe.run(document).then((r) => r.violations.map(
          (v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`)));
      assert.deepEqual(found, [], when);
    };
    const focused = () => page.evaluate(() => document.activeElement.id ||
                                              document.activeElement.dataset.control);
    await audit('at start');
    await page.click(control('runSImulation'));
    await page.waitFor(() => window.tarrowenStats.ticks > 20);
    await audit('running');
    await page.$eval(control('txt_masses(1)'), (el) => {
      el.value = '1E400';
      el.dispatchEvent(new Event('input', {bubbles: true}));
    });
    for (const key of ['Escape', 'Enter']) {
      await page.$eval(control('cmd_apply'), (el) => el.focus());
      await page.press('Space');
      assert.equal(await focused(), 'report-ok', `the report has the keyboard (${key})`);
      if (key === 'Enter') await audit('with a report');
      await page.press(key);
      assert.ok(!(await page.$eval('#report', (d) => d.open)), `closed by ${key}`);
      assert.equal(await focused(), 'cmd_apply', `the keyboard back after ${key}`);
    }
    await page.click(control('cmd_exit_program'));
    const stats = await page.evaluate(() => ({...window.tarrowenStats}));
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.deepEqual(await page.evaluate(() => ({...window.tarrowenStats})), stats, 'after Quit');
    assert.equal(await focused(), 'start-again');
    await audit('ended');
    const started = await page.evaluate(() => performance.timeOrigin);
    await page.press('Enter');
    await page.waitFor((t) => performance.timeOrigin !== t && window.tarrowenStats !== undefined,
                       [started]);
    assert.ok(!(await page.$eval('#tarrowen', (m) => m.hidden)), 'started again');
  });
});

// What a screen reader can read of the readouts while the motion runs, and what they tell it:
// the box's own value (read on the box or in browse mode) is what the box shows, as its value
// comes when the focus comes or within the interval of the tree (3 s) for the others; what the
// program has it hear goes out whole in the box's live region, a polite atomic status; the
// region of a box without the focus holds nothing while the motion runs (no old value to be
// read); paused, each box and its region hold what it shows.
const readouts = [3, 4, 5, 6, 7];
const readoutNames = {3: 't (sec)', 4: 'theta', 5: 'x', 6: 'y', 7: 'theta in units of pi'};

function readoutsAsRead(page) {
  return page.evaluate((boxes) => boxes.map((box) => {
    const el = document.querySelector(`[data-control="txt_masses(${box})"]`);
    const region = document.querySelector(`[data-heard="txt_masses(${box})"]`);
    return {
      box,
      value: el.value,
      shown: el.dataset.quiet === undefined ? el.value : el.nextElementSibling.shownText,
      heard: region ? region.textContent : null,
      live: region ? [region.getAttribute('role'), region.getAttribute('aria-atomic')] : null,
      focused: document.activeElement === el,
    };
  }), readouts);
}

const seconds = (text) => Number(text.trim().split(' ')[0]);

test('a screen reader reads what the readouts show, and hears whole values', async () => {
  await withPage({}, async (page) => {
    await page.click(control('runSImulation'));
    await page.$eval(control('txt_masses(3)'), (el) => el.focus());
    await page.waitFor(() => window.tarrowenStats.frames > 30);
    const focusedAt = await page.evaluate(() => performance.now());
    // Past one value heard, 3 s after the focus came.
    await page.waitFor((t) => performance.now() > t + 4000, [focusedAt]);
    for (const r of await readoutsAsRead(page)) {
      assert.deepEqual(r.live, ['status', 'true'], `box ${r.box}: a polite atomic live region`);
      assert.equal(r.focused, r.box === 3);
      if (r.box === 3) {
        // The value heard: the box's name and its value, whole, at most 3 s old.
        const m = /^t \(sec\) (.*)$/.exec(r.heard);
        assert.ok(m, `heard on the focused box: "${r.heard}"`);
        const lag = seconds(r.shown) - seconds(m[1]);
        assert.ok(lag >= 0 && lag <= 3.2, `heard "${m[1]}" while it shows "${r.shown}"`);
      } else {
        assert.equal(r.heard, '', `box ${r.box} holds nothing to be heard`);
      }
    }
    // The time box without the focus: its value in the tree follows what it shows.
    await page.$eval(control('txt_masses(4)'), (el) => el.focus());
    await page.waitFor((t) => performance.now() > t + 4000, [focusedAt + 4000]);
    const [t] = await readoutsAsRead(page);
    const lag = seconds(t.shown) - seconds(t.value);
    assert.ok(lag >= 0 && lag <= 3.2, `t reads "${t.value}" while it shows "${t.shown}"`);

    await page.$eval(control('cmd_stop_simulation'), (el) => el.focus());
    await page.press('Space');
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    for (const r of await readoutsAsRead(page)) {
      assert.equal(r.value, r.shown, `box ${r.box} paused`);
      assert.equal(r.heard, `${readoutNames[r.box]} ${r.shown}`, `box ${r.box} heard paused`);
    }
  });
});

// Chromium's accessibility tree, watched through the DevTools protocol: each readout box is
// asked for once (Accessibility.getAXNodeAndAncestors), after which every change of it comes
// in Accessibility.nodesUpdated (gathered by the browser a few times a second).
test('the readouts do not flood the accessibility tree while the motion runs',
     {skip: !can.devTools && 'the DevTools protocol is Chromium\'s'}, async () => {
  await withPage({}, async (tab) => {
    const page = tab.puppeteer;
    const cdp = await page.createCDPSession();
    await cdp.send('Accessibility.enable');
    const {root} = await cdp.send('DOM.getDocument', {depth: -1});
    const boxOf = new Map();
    for (const box of readouts) {
      const {nodeId} = await cdp.send('DOM.querySelector',
                                      {nodeId: root.nodeId, selector: control(`txt_masses(${box})`)});
      const {nodes} = await cdp.send('Accessibility.getAXNodeAndAncestors', {nodeId});
      boxOf.set(nodes[0].nodeId, box);
    }
    let updates = [];
    cdp.on('Accessibility.nodesUpdated', (e) => {
      for (const n of e.nodes) if (boxOf.has(n.nodeId)) updates.push(boxOf.get(n.nodeId));
    });
    const frames = () => page.evaluate(() => window.tarrowenStats.frames);
    const framesPass = async (n) => {
      const until = (await frames()) + n;
      await page.waitForFunction((u) => window.tarrowenStats.frames >= u, {}, until);
    };
    const now = () => page.evaluate(() => performance.now());
    const count = (box) => updates.filter((b) => b === box).length;

    await page.click(control('runSImulation'));
    await page.focus(control('cmd_stop_simulation'));
    // The first quiet write lays each readout's layer, once: a change of the box's style.
    await framesPass(30);
    updates = [];
    let start = await now();
    await framesPass(240);
    let elapsed = (await now() - start) / 1000;
    // Each box's value follows what it shows every 3 s: a handful of changes, never a frame's.
    for (const box of readouts) {
      assert.ok(count(box) >= 1 && count(box) <= Math.floor(elapsed / 3) + 1,
                `box ${box}: ${count(box)} updates in ${elapsed} s`);
    }

    await page.focus(control('txt_masses(3)'));
    await framesPass(2);
    updates = [];
    start = await now();
    await framesPass(240);
    elapsed = (await now() - start) / 1000;
    assert.equal(count(3), 0, 'the focused box is told through its live region only');
    for (const box of readouts.slice(1)) {
      assert.ok(count(box) <= Math.floor(elapsed / 3) + 1, `box ${box}: ${count(box)} updates`);
    }

    // Paused: every readout holds what it shows.
    await page.click(control('cmd_stop_simulation'));
    // Paused, the program asks for one frame more, and then for none.
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    for (const box of boxOf.values()) {
      const {nodeId} = await cdp.send('DOM.querySelector',
                                      {nodeId: root.nodeId, selector: control(`txt_masses(${box})`)});
      const {nodes} = await cdp.send('Accessibility.getAXNodeAndAncestors', {nodeId});
      assert.equal(nodes[0].value?.value, await page.$eval(control(`txt_masses(${box})`), shownText),
                   `box ${box}`);
    }
  });
});
