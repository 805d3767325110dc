// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's Chromium, headless, driven by puppeteer-core: what the page's tests share.
//
// Each launch has a fresh profile of its own, removed at close, and the switches that keep the
// browser from reaching out to the network (this machine has none, and a test must not need
// one). The page is the built tarrowen.html, opened from disk: TARROWEN_PAGE, or the web
// preset's build tree.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
export const pagePath =
    process.env.TARROWEN_PAGE || path.join(here, '../../build/web/web/tarrowen.html');

export const chromiumSwitches = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--no-default-browser-check',
  '--hide-scrollbars',
];

// The page's address; `query` such as '?test'.
export function pageUrl(query = '') {
  return pathToFileURL(pagePath).href + query;
}

export async function launch(extraArgs = []) {
  if (!fs.existsSync(pagePath)) throw new Error(`no page at ${pagePath}: build it first`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tarrowen-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [...chromiumSwitches, ...extraArgs],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {browser, close};
}

// A new tab on the page, at `width` x `height` CSS pixels and `ratio` device pixels to one;
// resolves once the program has built its controls. Errors of the page's script reject.
export async function openPage(browser, {query = '', width = 800, height = 600, ratio = 1} = {}) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  page.errors = errors;
  await page.setViewport({width, height, deviceScaleFactor: ratio});
  await page.goto(pageUrl(query));
  // The tab in front: one in the background gets no frames, and the page stops its timer.
  await page.bringToFront();
  await page.waitForFunction(() => window.tarrowenStats !== undefined);
  return page;
}

// The selector of a control by its name in the layout table.
export function control(name) {
  return `[data-control="${name}"]`;
}

// What a box shows (for page.$eval): its value, or the text of the layer laid over it while
// its readout changes quietly.
export function shownText(el) {
  return el.dataset.quiet === undefined ? el.value : el.nextElementSibling.shownText;
}
