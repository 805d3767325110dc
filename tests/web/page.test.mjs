// SPDX-License-Identifier: GPL-3.0-or-later
// What the scenario list cannot say about the page, checked in headless Chromium: the picture
// read back from the canvas at two sizes and pixel ratios, the keyboard's way through the
// controls, the report dialog and the end, an accessibility audit with axe-core, and what the
// accessibility tree is told of the readouts while the motion runs.
import assert from 'node:assert/strict';
import {createRequire} from 'node:module';
import {after, before, test} from 'node:test';

import {control, launch, openPage, shownText} from './browser.mjs';

const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

let chromium;
before(async () => {
  chromium = await launch();
});
after(async () => {
  await chromium?.close();
});

async function withPage(options, body) {
  const page = await openPage(chromium.browser, options);
  try {
    await body(page);
    assert.deepEqual(page.errors, [], 'errors of the page');
  } finally {
    await page.close();
  }
}

const setClock = (page, s) => page.evaluate((v) => window.tarrowenTest.setClock(v), s);
const tick = (page) => page.evaluate(() => window.tarrowenTest.tick());
const presentNow = (page) => page.evaluate(() => window.tarrowenTest.presentNow());

// The program's colours, and the projector's (background, lines, orbit; colour values, red low).
const SCREEN = {background: 0x000000, line: 0x00ff00, orbit: 0xff0000};
const PROJECTOR = {background: 0xffffff, line: 0x007000, orbit: 0xa00000};

// WCAG 2.x contrast of two colour values.
function contrast(a, b) {
  const luminance = (v) => {
    const lin = (c8) => (c8 / 255 <= 0.04045 ? c8 / 255 / 12.92 : ((c8 / 255 + 0.055) / 1.055) ** 2.4);
    return 0.2126 * lin(v & 0xff) + 0.7152 * lin((v >> 8) & 0xff) + 0.0722 * lin((v >> 16) & 0xff);
  };
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

// The canvas as read back: its size, the columns and rows that are of the line's colour from
// end to end, the line's pixels off them, the orbit's pixels' distances from its centre in
// drawing units, and the pixels of any other colour than the background's.
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
    return {w, h, columns, rows, stray, blue, others, cssWidth: c.getBoundingClientRect().width};
  }, colours);
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
    const k = Math.min(800 / 739, 600 / 560);
    assert.equal(small.w, Math.round(567 * k));
    checkPicture(small, 0.7, k, '800x600 at 1');
    // The readouts, drawn quietly over their boxes, show the very pixels of the boxes showing
    // the same texts themselves (typed, a text is the box's own again).
    for (let box = 3; box < 8; ++box) {
      const el = await page.$(control(`txt_masses(${box})`));
      assert.ok(await el.evaluate((e) => e.dataset.quiet !== undefined), `box ${box} quiet`);
      const text = await el.evaluate(shownText);
      const drawn = await el.screenshot({encoding: 'base64'});
      await el.evaluate((e, t) => {
        e.value = t;
        e.dispatchEvent(new Event('input', {bubbles: true}));
      }, text);
      assert.equal(await el.screenshot({encoding: 'base64'}), drawn, `box ${box}: "${text}"`);
    }

    // Another size and pixel ratio: the canvas holds device pixels, drawn again, no stray one.
    await page.setViewport({width: 1600, height: 1000, deviceScaleFactor: 2});
    await page.waitForFunction(() => document.querySelector('canvas').width > 1500);
    await presentNow(page);
    const big = await readPicture(page);
    const k2 = Math.min(1600 / 739, 1000 / 560) * 2;
    assert.equal(big.w, Math.round(567 * k2));
    assert.ok(Math.abs(big.cssWidth * 2 - big.w) < 0.01, 'one canvas pixel to a device pixel');
    checkPicture(big, 0.7, k2, '1600x1000 at 2');
    await setClock(page, 101.9);
    await tick(page);
    await presentNow(page);
    checkPicture(await readPicture(page), 1.9, k2, '1600x1000 at 2, moved on');

    // The picture's menu from the keyboard: its checkable entries, and projector colours,
    // shown at once and kept by the next tick.
    await page.focus('canvas');
    await page.keyboard.down('Shift');
    await page.keyboard.press('F10');
    await page.keyboard.up('Shift');
    const menu = await page.$eval('#picture-menu', (m) => ({
      hidden: m.hidden, role: m.getAttribute('role'),
      entries: [...m.children].map((e) => [e.getAttribute('role'), e.textContent,
                                           e.getAttribute('aria-checked')]),
      focused: document.activeElement.textContent,
    }));
    assert.deepEqual(menu, {
      hidden: false, role: 'menu', focused: 'Full screen',
      entries: [['menuitemcheckbox', 'Full screen', 'false'],
                ['menuitemcheckbox', 'Projector colours', 'false']],
    });
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    assert.equal(await page.$eval('[data-entry=projector]', (e) => e.getAttribute('aria-checked')),
                 'true');
    assert.ok(await page.$eval('#picture-menu', (m) => m.hidden), 'the menu closed');
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'CANVAS');
    checkPicture(await readPicture(page, PROJECTOR), 1.9, k2, 'projector colours at once');
    await setClock(page, 102.3);
    await tick(page);
    await presentNow(page);
    checkPicture(await readPicture(page, PROJECTOR), 2.3, k2, 'projector colours, moved on');
    for (const c of [PROJECTOR.line, PROJECTOR.orbit]) {
      assert.ok(contrast(c, PROJECTOR.background) >= 4.5, `${c.toString(16)} against white`);
    }
    // The menu by a right click, and the page full screen through it.
    const box = await (await page.$('canvas')).boundingBox();
    await page.mouse.click(box.x + 50, box.y + 50, {button: 'right'});
    assert.ok(!(await page.$eval('#picture-menu', (m) => m.hidden)), 'opened by a right click');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.equal(await page.$eval('[data-entry=full-screen]', (e) => e.getAttribute('aria-checked')),
                 'true');
  });
});

// What Tab visits from the picture: role and accessible name, as on the desktop.
const tabOrder = [
  'button Run Simulation', 'textbox ang freq', 'textbox radius', 'textbox theta0',
  'textbox t (sec)', 'button pause simulation', 'button Quit ', 'button incr rad',
  'button decr rad', 'button incr freq', 'button decr freq', 'textbox theta', 'textbox x',
  'textbox y', 'textbox theta in units of pi', 'button increment 1.000',
  'button increment 0.100', 'button increment 0.010', 'button increment 0.001',
  'button Restart', 'button Apply',
];

async function focusedNode(page) {
  const find = (n) => n.focused ? n : (n.children || []).map(find).find(Boolean);
  const n = find(await page.accessibility.snapshot({interestingOnly: false}));
  return n ? `${n.role} ${n.name}` : 'nothing';
}

test('Tab goes round the controls in the desktop order, each named as there', async () => {
  await withPage({query: '?test'}, async (page) => {
    assert.equal(await focusedNode(page), 'image Picture of the motion');
    const visited = [];
    for (const _ of tabOrder) {
      await page.keyboard.press('Tab');
      visited.push(await focusedNode(page));
    }
    assert.deepEqual(visited, tabOrder);
  });
});

// Each state the page can be in, audited; a report and the end take the keyboard.
test('at start, running, with a report, ended: no axe-core violation; the keyboard', async () => {
  await withPage({}, async (page) => {
    await page.addScriptTag({path: axePath});
    const audit = async (when) => {
      const r = await page.evaluate(() => window.axe.run(document));
      const found = r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
      assert.deepEqual(found, [], when);
    };
    const focused = () => page.evaluate(() => document.activeElement.id ||
                                              document.activeElement.dataset.control);
    await audit('at start');
    await page.click(control('runSImulation'));
    await page.waitForFunction(() => window.tarrowenStats.ticks > 20);
    await audit('running');
    await page.$eval(control('txt_masses(1)'), (el) => {
      el.value = '1E400';
      el.dispatchEvent(new Event('input', {bubbles: true}));
    });
    for (const key of ['Escape', 'Enter']) {
      await page.focus(control('cmd_apply'));
      await page.keyboard.press('Space');
      assert.equal(await focused(), 'report-ok', `the report has the keyboard (${key})`);
      if (key === 'Enter') await audit('with a report');
      await page.keyboard.press(key);
      assert.ok(!(await page.$eval('#report', (d) => d.open)), `closed by ${key}`);
      assert.equal(await focused(), 'cmd_apply', `the keyboard back after ${key}`);
    }
    await page.click(control('cmd_exit_program'));
    const stats = await page.evaluate(() => ({...window.tarrowenStats}));
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.deepEqual(await page.evaluate(() => ({...window.tarrowenStats})), stats, 'after Quit');
    assert.equal(await focused(), 'start-again');
    await audit('ended');
    await Promise.all([page.waitForNavigation(), page.keyboard.press('Enter')]);
    await page.waitForFunction(() => window.tarrowenStats !== undefined);
    assert.ok(!(await page.$eval('#tarrowen', (m) => m.hidden)), 'started again');
  });
});

// Chromium's accessibility tree, watched through the DevTools protocol: each readout box is
// asked for once (Accessibility.getAXNodeAndAncestors), after which every change of it comes
// in Accessibility.nodesUpdated (gathered by the browser a few times a second).
test('the readouts do not flood the accessibility tree while the motion runs', async () => {
  await withPage({}, async (page) => {
    const cdp = await page.createCDPSession();
    await cdp.send('Accessibility.enable');
    const {root} = await cdp.send('DOM.getDocument', {depth: -1});
    const boxOf = new Map();
    for (let box = 3; box < 8; ++box) {
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

    await page.click(control('runSImulation'));
    await page.focus(control('cmd_stop_simulation'));
    // The first quiet write lays each readout's layer, once: a change of the box's style.
    await framesPass(30);
    updates = [];
    await framesPass(120);
    assert.deepEqual(updates, [], 'readouts told while the focus is elsewhere');

    await page.focus(control('txt_masses(3)'));
    const start = await page.evaluate(() => performance.now());
    await framesPass(2);
    updates = [];
    await framesPass(240);
    const seconds = (await page.evaluate(() => performance.now()) - start) / 1000;
    assert.ok(updates.every((b) => b === 3), `only the focused readout: ${updates}`);
    assert.ok(updates.length >= 1 && updates.length <= Math.floor(seconds / 3) + 1,
              `${updates.length} updates of the focused readout in ${seconds} s`);

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
