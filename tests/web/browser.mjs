// SPDX-License-Identifier: GPL-3.0-or-later
// The browser that the page's tests drive, one of three engines (TARROWEN_ENGINE):
//   chromium  Debian's Chromium, headless, over the DevTools protocol (puppeteer-core)
//   firefox   Debian's Firefox ESR, headless, over WebDriver BiDi (puppeteer-core)
//   webkit    WebKitGTK's MiniBrowser through Debian's WebKitWebDriver, over the W3C WebDriver
//             protocol (webdriver.mjs), on a private Xvfb
// Every test sees the same small tab (openPage): scripts run in the page, clicks, keys, the
// viewport, a screenshot; so one player and one set of checks serve every engine.
//
// Each launch has a fresh profile of its own, removed at close, and the settings that keep the
// browser from reaching out to the network (this machine has none, and a test must not need
// one). The page is the built tarrowen.html, opened from disk: TARROWEN_PAGE, or the web
// preset's build tree.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

import {crop, decodePng} from './png.mjs';
import {WebDriverSession} from './webdriver.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const pagePath =
    process.env.TARROWEN_PAGE || path.join(here, '../../build/web/web/tarrowen.html');
export const engine = process.env.TARROWEN_ENGINE || 'chromium';
if (!['chromium', 'firefox', 'webkit'].includes(engine)) throw new Error(`no engine ${engine}`);
// What an engine's driver can do: the device pixel ratio set by the test (WebKit's window has
// the screen's), and Chromium's own accessibility tree (the DevTools protocol).
export const can = {
  setRatio: engine !== 'webkit',
  devTools: engine === 'chromium',
};

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

// Firefox: no update, telemetry, safe browsing or first-run pages; nothing fetched.
const firefoxPrefs = {
  'app.update.enabled': false,
  'browser.safebrowsing.malware.enabled': false,
  'browser.safebrowsing.phishing.enabled': false,
  'datareporting.policy.dataSubmissionEnabled': false,
  'toolkit.telemetry.enabled': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'extensions.update.enabled': false,
};

// The page's address; `query` such as '?test'.
export function pageUrl(query = '') {
  return pathToFileURL(pagePath).href + query;
}

// A browser of the engine; {browser, close}. `extraArgs`: more switches for Chromium.
export async function launch(extraArgs = []) {
  if (!fs.existsSync(pagePath)) throw new Error(`no page at ${pagePath}: build it first`);
  if (engine === 'webkit') {
    const session = await WebDriverSession.start();
    return {browser: session, close: () => session.close()};
  }
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `tarrowen-${engine}-`));
  const browser = await puppeteer.launch(engine === 'firefox' ? {
    browser: 'firefox',
    executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: profile,
    extraPrefsFirefox: firefoxPrefs,
  } : {
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

// Gathers the page's own errors where the driver does not report them (WebKit's).
const watchErrors = `(() => {
  window.tarrowenErrors = [];
  addEventListener('error', (e) => window.tarrowenErrors.push(e.message));
  addEventListener('unhandledrejection', (e) => window.tarrowenErrors.push(String(e.reason)));
  const error = console.error;
  console.error = (...a) => { window.tarrowenErrors.push(a.join(' ')); error(...a); };
})()`;

// `fn(...args)` as an expression for the page: fn holds no reference outside itself, args are
// JSON.
function callExpression(fn, args) {
  return `(${fn})(...${JSON.stringify(args)})`;
}

// One tab on the page, whatever the engine.
class Tab {
  constructor(backend, puppeteerPage) {
    this.backend = backend;  // a puppeteer Page, or the WebDriver session
    this.puppeteer = puppeteerPage;
    this.errors = [];
  }

  // The value of fn(...args) run in the page (awaited if it gives a promise).
  evaluate(fn, ...args) {
    const expression = callExpression(fn, args);
    return this.puppeteer ? this.puppeteer.evaluate(expression) : this.backend.evaluate(expression);
  }

  // fn(element, ...args) for the first element that `selector` picks.
  $eval(selector, fn, ...args) {
    const expression = `(${fn})(document.querySelector(${JSON.stringify(selector)}), ` +
                       `...${JSON.stringify(args)})`;
    return this.puppeteer ? this.puppeteer.evaluate(expression) : this.backend.evaluate(expression);
  }

  // Waits until fn(...args) is true in the page, across a navigation too.
  async waitFor(fn, args = [], timeoutMs = 20000) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      try {
        if (await this.evaluate(fn, ...args)) return;
      } catch (e) {
        // the page is between two documents
        if (Date.now() > until) throw e;
      }
      if (Date.now() > until) throw new Error(`timed out waiting for ${fn}`);
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
  }

  click(selector) {
    return this.puppeteer ? this.puppeteer.click(selector) : this.backend.click(selector);
  }

  // A key pressed and let go: 'Tab', 'Space', 'Enter', 'Escape', 'ArrowDown', with modifiers
  // held down as in 'Shift+F10'.
  async press(keys) {
    if (!this.puppeteer) return this.backend.press(keys.split('+'));
    const [key, ...modifiers] = keys.split('+').reverse();
    const keyboard = this.puppeteer.keyboard;
    for (const m of modifiers) await keyboard.down(m);
    // Puppeteer over WebDriver BiDi knows the space bar by its character only.
    await keyboard.press(key === 'Space' && engine === 'firefox' ? ' ' : key);
    for (const m of modifiers) await keyboard.up(m);
  }

  // A right click in the middle of the element that `selector` picks.
  rightClick(selector) {
    return this.puppeteer ? this.puppeteer.click(selector, {button: 'right'})
                          : this.backend.click(selector, 2);
  }

  title() {
    return this.evaluate(() => document.title);
  }

  async setViewport({width, height, ratio = 1}) {
    if (this.puppeteer) {
      await this.puppeteer.setViewport({width, height, deviceScaleFactor: ratio});
    } else {
      if (ratio !== 1) throw new Error('WebKit keeps the screen\'s pixel ratio');
      await this.backend.setViewport(width, height);
    }
  }

  // The device pixels of the element that `selector` picks ({width, height, rgba}), cropped
  // from a screenshot of the
  // the whole viewport (WebKit's screenshot of an element leaves out what its toolbar covers).
  async pixelsOf(selector) {
    const png = this.puppeteer ? await this.puppeteer.screenshot() : await this.backend.screenshot();
    const image = decodePng(Buffer.from(png));
    const r = await this.$eval(selector, (el) => {
      const b = el.getBoundingClientRect();
      return {left: b.left, top: b.top, right: b.right, bottom: b.bottom, width: innerWidth};
    });
    // The screenshot's pixels to a CSS pixel (the device pixel ratio, as the image says it).
    const k = image.width / r.width;
    const [x0, y0, x1, y1] = [r.left, r.top, r.right, r.bottom].map((v) => Math.round(v * k));
    return {width: x1 - x0, height: y1 - y0, rgba: crop(image, x0, y0, x1, y1)};
  }

  // Runs the page's script file `file` in the page.
  addScript(file) {
    const source = fs.readFileSync(file, 'utf8');
    return this.puppeteer ? this.puppeteer.addScriptTag({content: source})
                          : this.backend.evaluate(`(() => { ${source}\n })()`);
  }

  // The page's errors, those the driver told and those gathered in the page.
  async pageErrors() {
    const gathered = await this.evaluate(() => window.tarrowenErrors || []);
    return [...this.errors, ...gathered];
  }

  async close() {
    if (this.puppeteer) await this.puppeteer.close();
  }
}

// A new tab on the page, at `width` x `height` CSS pixels and `ratio` device pixels to one;
// resolves once the program has built its controls. Errors of the page's script are kept in
// the tab's pageErrors().
export async function openPage(browser, {query = '', width = 800, height = 600, ratio = 1} = {}) {
  let tab;
  if (engine === 'webkit') {
    tab = new Tab(browser, null);
    await browser.goto('about:blank');
    await tab.setViewport({width, height, ratio});
    await browser.goto(pageUrl(query));
    await browser.evaluate(watchErrors);
  } else {
    const page = await browser.newPage();
    tab = new Tab(page, page);
    page.on('pageerror', (e) => tab.errors.push(e.message));
    page.on('console', (m) => {
      if (m.type() === 'error') tab.errors.push(m.text());
    });
    await page.setViewport({width, height, deviceScaleFactor: ratio});
    await page.goto(pageUrl(query));
    // The tab in front: one in the background gets no frames, and the page stops its timer.
    await page.bringToFront();
  }
  await tab.waitFor(() => window.tarrowenStats !== undefined);
  return tab;
}

// The selector of a control by its name in the layout table.
export function control(name) {
  return `[data-control="${name}"]`;
}

// What a box shows (for $eval): its value, or the text of the layer laid over it while
// its readout changes quietly.
export function shownText(el) {
  return el.dataset.quiet === undefined ? el.value : el.nextElementSibling.shownText;
}
