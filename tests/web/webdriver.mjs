// SPDX-License-Identifier: GPL-3.0-or-later
// A small client of the W3C WebDriver protocol over fetch, for WebKitGTK: Debian's
// WebKitWebDriver, which starts its MiniBrowser for each session, on a private Xvfb (the
// MiniBrowser has a window; the X server picks its display itself, as
// scripts/lib/private_xvfb.sh does). Only what the page's tests ask of a browser.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
// The W3C key codes of the keys the tests press.
const KEYS = {Tab: '\uE004', Enter: '\uE007', Escape: '\uE00C', Space: ' ', Shift: '\uE008',
              ArrowDown: '\uE015', F10: '\uE03A'};
// The identifier of an element in a command's answer.
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A private X server: resolves with its display (":N") once it has told it.
async function startXvfb(dir) {
  const displayFile = path.join(dir, 'display');
  const out = fs.openSync(displayFile, 'w');
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-noreset', '-screen', '0', '1920x1200x24',
                              '-nolisten', 'tcp'], {stdio: ['ignore', 'ignore', 'ignore', out]});
  fs.closeSync(out);
  for (let i = 0; i < 100; ++i) {
    const text = fs.readFileSync(displayFile, 'utf8').trim();
    if (/^\d+$/.test(text)) return {xvfb, display: ':' + text};
    if (xvfb.exitCode !== null) break;
    await sleep(100);
  }
  xvfb.kill();
  throw new Error('Xvfb gave no display');
}

export class WebDriverSession {
  // Starts Xvfb and WebKitWebDriver, and opens one session of the MiniBrowser.
  static async start() {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tarrowen-webkit-'));
    const {xvfb, display} = await startXvfb(dir);
    const port = await freePort();
    const log = fs.openSync(path.join(dir, 'driver.log'), 'w');
    const driver = spawn(process.env.WEBKIT_WEBDRIVER || 'WebKitWebDriver', [`--port=${port}`],
                         {env: {...process.env, DISPLAY: display}, stdio: ['ignore', log, log]});
    fs.closeSync(log);
    const session = new WebDriverSession(`http://127.0.0.1:${port}`, dir, [driver, xvfb]);
    for (let i = 0;; ++i) {
      try {
        await fetch(session.base + '/status');
        break;
      } catch (e) {
        if (i > 100 || driver.exitCode !== null) {
          await session.close();
          throw new Error(`WebKitWebDriver did not start: ${e.message}`);
        }
        await sleep(100);
      }
    }
    const answer = await session.command('POST', '/session', {
      capabilities: {
        alwaysMatch: {
          'webkitgtk:browserOptions': {
            binary: process.env.MINIBROWSER || MINIBROWSER,
            args: ['--automation'],
          },
        },
      },
    });
    session.id = answer.sessionId;
    return session;
  }

  constructor(base, dir, processes) {
    this.base = base;
    this.dir = dir;
    this.processes = processes;
    this.id = null;
  }

  async command(method, route, body) {
    const prefix = this.id === null ? '' : `/session/${this.id}`;
    const response = await fetch(this.base + prefix + route, {
      method,
      headers: {'content-type': 'application/json'},
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok) {
      const v = answer.value || {};
      throw new Error(`WebDriver ${method} ${route}: ${v.error}: ${v.message}`);
    }
    return answer.value;
  }

  async close() {
    try {
      if (this.id !== null) await this.command('DELETE', '');
    } catch {
      // the browser is gone already
    }
    this.id = null;
    for (const p of this.processes) {
      if (p.exitCode === null) {
        p.kill();
        await new Promise((resolve) => p.once('exit', resolve));
      }
    }
    fs.rmSync(this.dir, {recursive: true, force: true});
  }

  goto(url) {
    return this.command('POST', '/url', {url});
  }

  // Runs `expression` (JavaScript that may give a promise) in the page; its value, as JSON.
  async evaluate(expression) {
    const script = `const done = arguments[0];
      Promise.resolve().then(() => (${expression}))
        .then((v) => done({value: v === undefined ? null : v}), (e) => done({error: String(e)}));`;
    const r = await this.command('POST', '/execute/async', {script, args: []});
    if (r.error !== undefined) throw new Error(r.error);
    return r.value;
  }

  // A click in the middle of the element, with the left button, or another (2: the right).
  async click(selector, button = 0) {
    const element = await this.command('POST', '/element', {using: 'css selector', value: selector});
    if (button === 0) {
      await this.command('POST', `/element/${element[ELEMENT]}/click`, {});
      return;
    }
    await this.command('POST', '/actions', {
      actions: [{type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'}, actions: [
        {type: 'pointerMove', x: 0, y: 0, origin: {[ELEMENT]: element[ELEMENT]}},
        {type: 'pointerDown', button}, {type: 'pointerUp', button}]}],
    });
    await this.command('DELETE', '/actions');
  }

  // Keys pressed in order and let go in the reverse order: ['Shift', 'F10'].
  async press(keys) {
    const values = keys.map((key) => {
      if (KEYS[key] === undefined) throw new Error(`no key ${key}`);
      return KEYS[key];
    });
    const down = values.map((value) => ({type: 'keyDown', value}));
    const up = values.reverse().map((value) => ({type: 'keyUp', value}));
    await this.command('POST', '/actions',
                       {actions: [{type: 'key', id: 'keyboard', actions: [...down, ...up]}]});
    await this.command('DELETE', '/actions');
  }

  // The page's viewport as a PNG.
  async screenshot() {
    return Buffer.from(await this.command('GET', '/screenshot'), 'base64');
  }

  // The page's viewport `width` x `height` CSS pixels: the window is that and what its
  // toolbar takes.
  async setViewport(width, height) {
    for (let i = 0; i < 3; ++i) {
      const [w, h] = await this.evaluate('[innerWidth, innerHeight]');
      if (w === width && h === height) return;
      const rect = await this.command('GET', '/window/rect');
      await this.command('POST', '/window/rect',
                         {width: rect.width + width - w, height: rect.height + height - h});
    }
    const [w, h] = await this.evaluate('[innerWidth, innerHeight]');
    if (w !== width || h !== height) throw new Error(`viewport ${w}x${h}, not ${width}x${height}`);
  }
}
