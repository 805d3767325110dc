// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-browser CPU while the motion runs, against two plain pages, all in one run of headless
// Chromium or Firefox (TARROWEN_ENGINE=firefox; puppeteer-core from tests/web): the bare timers
// (bare.html), the same work done plainly (plain.html), and the page, running and paused, or
// several builds of it one after the other (another checkout's, say). Also the ticks and frames
// that each page delivers, and the page's time from the start of loading to its first picture.
//
//   [TARROWEN_ENGINE=firefox] node bench/web/cpu.mjs [PAGE.html...]
//
// CPU is read from /proc/PID/stat (user + system time) of the browser and all its descendant
// processes, over MEASURE seconds (default 6) after a second's warm-up, with each page alone in
// a browser of its own, at a 739 x 560 window (the layout's own size: a 567 x 500 canvas).
// Figures are reported, never checked: the machine may be shared, so compare ratios within one
// run.
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

import {control, engine, launch, pagePath} from '../../tests/web/browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const pages = process.argv.length > 2 ? process.argv.slice(2).map((p) => path.resolve(p)) : [pagePath];
const measure = Number(process.env.MEASURE || 6);
const ticksPerSecond = 100;  // the kernel's clock ticks (getconf CLK_TCK)

function cpuTicks(pid) {
  const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  return Number(fields[11]) + Number(fields[12]);  // utime, stime
}

// The browser and every process below it.
function processTree(root) {
  const parent = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const fields = fs.readFileSync(`/proc/${entry}/stat`, 'utf8').split(') ')[1].split(' ');
      parent.set(Number(entry), Number(fields[1]));
    } catch {
      // gone meanwhile
    }
  }
  const tree = [root];
  for (let i = 0; i < tree.length; ++i) {
    for (const [pid, ppid] of parent) if (ppid === tree[i]) tree.push(pid);
  }
  return tree;
}

function treeTicks(root) {
  let sum = 0;
  for (const pid of processTree(root)) {
    try {
      sum += cpuTicks(pid);
    } catch {
      // gone meanwhile
    }
  }
  return sum;
}

const sleep = (s) => new Promise((resolve) => setTimeout(resolve, s * 1000));

async function run(label, url, prepare) {
  const {browser, close} = await launch();
  try {
    const tab = await browser.newPage();
    await tab.setViewport({width: 739, height: 560, deviceScaleFactor: 1});
    await tab.goto(url);
    await tab.waitForFunction(() => window.tarrowenStats !== undefined);
    const firstPicture = await tab.evaluate(() => window.tarrowenStats.firstPicture);
    const rows = [];
    for (const [state, act] of prepare) {
      await act(tab);
      await sleep(1);
      const pid = browser.process().pid;
      const c0 = treeTicks(pid);
      const s0 = await tab.evaluate(() => ({...window.tarrowenStats, at: performance.now()}));
      await sleep(measure);
      const s1 = await tab.evaluate(() => ({...window.tarrowenStats, at: performance.now()}));
      const c1 = treeTicks(pid);
      const seconds = (s1.at - s0.at) / 1000;
      rows.push({
        page: label + (state ? ` (${state})` : ''),
        cpu: (100 * (c1 - c0)) / ticksPerSecond / seconds,
        ticks: (s1.ticks - s0.ticks) / seconds,
        frames: (s1.frames - s0.frames) / seconds,
        firstPicture,
      });
    }
    return rows;
  } finally {
    await close();
  }
}

const rows = [
  ...(await run('bare timers', pathToFileURL(path.join(here, 'bare.html')).href, [['', () => {}]])),
  ...(await run('plain same work', pathToFileURL(path.join(here, 'plain.html')).href,
                [['', () => {}]])),
];
for (const [i, page] of pages.entries()) {
  rows.push(...(await run(pages.length > 1 ? `page ${i + 1}` : 'tarrowen.html',
                          pathToFileURL(page).href, [
    ['running', (tab) => tab.click(control('runSImulation'))],
    ['paused', (tab) => tab.click(control('cmd_stop_simulation'))],
  ])));
}
const bare = rows[0].cpu, plain = rows[1].cpu;
console.log(`${engine}, ${measure} s a page`);
pages.forEach((p, i) => pages.length > 1 && console.log(`page ${i + 1}: ${p}`));
console.log('page                      CPU %   x bare   x plain   ticks/s  frames/s');
for (const r of rows) {
  console.log(`${r.page.padEnd(24)} ${r.cpu.toFixed(1).padStart(6)} ${(r.cpu / bare).toFixed(2).padStart(8)}` +
              ` ${(r.cpu / plain).toFixed(2).padStart(9)} ${r.ticks.toFixed(0).padStart(9)}` +
              ` ${r.frames.toFixed(1).padStart(9)}`);
}
for (const r of rows.slice(2).filter((_, i) => i % 2 === 0)) {
  console.log(`${r.page.split(' (')[0]}: first picture ${r.firstPicture.toFixed(0)} ms after the start of loading`);
}
