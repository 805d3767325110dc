// SPDX-License-Identifier: GPL-3.0-or-later
// The page around the program: builds the controls from the layout table that the program
// holds, places them so that the whole window fills the browser's at its proportions, hands
// every event to the program, and does what the program asks of the page (web_page.cpp):
// box texts, the canvas's changed rectangles, the timer, frames, reports and the end.
//
// Loaded after the program's runtime, in the same script: HEAPU8 and the exported functions
// (_tarrowen_...) are in scope.
var tarrowenPage = (function () {
  'use strict';

  const NO_CONTROL = -1;
  // The font of captions and boxes at scale 1, in pixels of the table, before fitting.
  const CAPTION_FONT = 11;
  const BOX_FONT = 11;
  // How old the value of a readout without the focus may be, for a screen reader that reads it:
  // a few events every few seconds, never a flood (see setBox).
  const TREE_INTERVAL_MS = 3000;

  // Opened as tarrowen.html?test, the page waits for the test driver: the driver sets the
  // clock and dispatches the ticks (window.tarrowenTest below). Never so otherwise.
  const testing = new URLSearchParams(location.search).has('test');

  const decoder = new TextDecoder();
  const encoder = new TextEncoder();

  let controls = [];  // by id: the table's fields, and el (the element), layer (boxes)
  let boxes = [];     // by box index: {input, layer (the quiet layer), layered, text, ...}
  let client = {width: 0, height: 0};
  let form = null;
  let canvas = null;
  let context = null;
  let image = null;  // an ImageData over the canvas's pixels in the program's memory
  let intervalHandle = 0;
  let frameHandle = 0;
  let ticking = false;
  let ended = false;
  const reports = [];
  let returnFocus = null;

  // What the page delivers, for measuring (read by the benchmark scripts).
  const stats = {ticks: 0, frames: 0, firstPicture: -1};

  function text(pointer, length) {
    return decoder.decode(HEAPU8.subarray(pointer, pointer + length));
  }

  function cText(pointer) {
    let end = pointer;
    while (HEAPU8[end] !== 0) ++end;
    return text(pointer, end - pointer);
  }

  function build() {
    // The layout table, as the program writes it (core/layout/layout_json.h).
    const table = JSON.parse(cText(_tarrowen_table_json()));
    controls = table.controls;
    client = table.client;
    document.title = table.caption;
    document.getElementById('report-title').textContent = document.title;
    form = document.getElementById('form');
    // In the order a screen reader goes through them; Tab follows the tab indices.
    for (const c of table.readingOrder.map((id) => controls[id])) {
      let el;
      switch (c.kind) {
        case 'DrawingArea':
          el = canvas = document.createElement('canvas');
          el.setAttribute('role', 'img');
          el.tabIndex = 0;
          context = el.getContext('2d');
          break;
        case 'Button':
          el = document.createElement('button');
          el.type = 'button';
          el.textContent = c.caption;
          const rgb = c.colour;  // null: the browser's own
          if (rgb) el.style.backgroundColor = `rgb(${rgb.red},${rgb.green},${rgb.blue})`;
          el.addEventListener('click', () => call(_tarrowen_click, c.id));
          break;
        case 'Label':
          el = document.createElement('label');
          el.textContent = c.caption;
          break;
        case 'TextBox': {
          el = document.createElement('input');
          el.type = 'text';
          el.autocomplete = 'off';
          el.spellcheck = false;
          el.value = c.initialText;
          el.id = 'box-' + c.id;
          el.addEventListener('input', () => typed(c));
          break;
        }
      }
      el.className = 'control';
      el.dataset.control = c.name;
      if (c.kind !== 'Label' && c.accessibleName !== '') el.setAttribute('aria-label', c.accessibleName);
      if (c.description !== '') el.setAttribute('aria-description', c.description);
      c.el = el;
      form.appendChild(el);
      if (c.textBox) {
        // The quiet layer: the digits of a readout that changes while the motion runs, drawn
        // over the box and hidden from assistive technology (see setBox). A canvas: drawing
        // in it changes nothing in the document, so neither the accessibility tree nor the
        // page's style and layout have anything to do on a frame.
        const layer = document.createElement('canvas');
        layer.className = 'quiet-layer';
        layer.setAttribute('aria-hidden', 'true');
        form.appendChild(layer);
        c.layer = layer;
        boxes[c.element] = {input: el, layer, layered: false, text: '', name: c.accessibleName,
                            heard: null, syncedAt: 0};
      }
    }
    // Each label names the box of its row, as on the desktop.
    for (const c of controls) {
      if (c.kind === 'Label') c.el.htmlFor = boxes[c.element].input.id;
    }
  }

  // Calls into the program, unless it has ended.
  function call(f, ...args) {
    if (!ended) f(...args);
  }

  function typed(c) {
    const b = boxes[c.element];
    // What the user typed is what the box shows and what assistive technology reads.
    removeLayer(b);
    const bytes = encoder.encode(b.input.value);
    const at = _tarrowen_text_buffer(bytes.length);
    HEAPU8.set(bytes, at);  // after the call: the buffer may have grown the memory
    call(_tarrowen_typed, c.id, bytes.length);
  }

  // --- placing the controls -------------------------------------------------------------

  // Whether the caption of control `id` fits its control whole (wrapped at word boundaries)
  // in `size` pixels; the program picks the sizes (core/layout/caption_sizes.h).
  function captionFits(id, size) {
    const el = controls[id].el;
    el.style.fontSize = size + 'px';
    return el.scrollWidth <= el.clientWidth && el.scrollHeight <= el.clientHeight;
  }

  function setCaptionSize(id, size) {
    controls[id].el.style.fontSize = size + 'px';
  }

  function layOut() {
    if (ended) return;
    const dpr = window.devicePixelRatio || 1;
    // CSS pixels per pixel of the table: the whole window fits the browser's, proportions kept.
    const scale = Math.min(innerWidth / client.width, innerHeight / client.height);
    // Device pixels per pixel of the table: edges land on device pixels, so nothing is blurred.
    const k = scale * dpr;
    const places = JSON.parse(cText(_tarrowen_places_json(k)));
    const px = (v) => v + 'px';
    form.style.left = px(Math.max(0, Math.round((innerWidth - client.width * scale) / 2 * dpr) / dpr));
    form.style.top = px(Math.max(0, Math.round((innerHeight - client.height * scale) / 2 * dpr) / dpr));
    form.style.width = px(places.client.width / dpr);
    form.style.height = px(places.client.height / dpr);
    for (const c of controls) {
      const p = places.controls[c.id];
      const left = p.left / dpr, top = p.top / dpr;
      const style = c.el.style;
      style.left = px(left);
      style.top = px(top);
      style.width = px((p.left + p.width) / dpr - left);
      style.height = px((p.top + p.height) / dpr - top);
      if (c.layer) Object.assign(c.layer.style, {left: style.left, top: style.top,
                                                 width: style.width, height: style.height});
      if (c.textBox) style.fontSize = px(BOX_FONT * scale);
    }
    _tarrowen_fit_captions(CAPTION_FONT * scale, 0.5, scale);

    for (const b of boxes) fitLayer(b, dpr);

    _tarrowen_set_pixel_ratio(k);
    const width = _tarrowen_canvas_width(), height = _tarrowen_canvas_height();
    if (canvas.width !== width || canvas.height !== height) {
      // A new size clears the canvas: the program's canvas, drawn again at the new ratio,
      // is copied whole at once rather than at the next frame.
      canvas.width = width;
      canvas.height = height;
      _tarrowen_present_now();
    }
    // The canvas's pixels are device pixels, whatever the rounding of the layout.
    canvas.style.width = px(width / dpr);
    canvas.style.height = px(height / dpr);
  }

  // A change of the pixel ratio alone (a window moved to another screen, the browser's zoom)
  // lays the page out again as a resize does.
  function watchPixelRatio() {
    const query = matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
    query.addEventListener('change', () => {
      layOut();
      watchPixelRatio();
    }, {once: true});
  }

  // --- what the program asks of the page ------------------------------------------------

  // A box's text. The box is an input whose value is what assistive technology reads, and
  // setting a value tells it of the change: Firefox tells the characters that changed, and a
  // screen reader says those ('8', then '1'). So the first quiet write to a box (a readout
  // while the motion runs) lays a layer over it that assistive technology does not see, and
  // makes the box's own text transparent under it. From then on the layer shows every text
  // written to the box, and what the program has heard goes out through the box's live region
  // (a polite, atomic status that holds the box's name and value), which every screen reader
  // says whole, in every browser. The layer stays until the user types into the box: laying it
  // and taking it away changes the box's style, which the accessibility tree reports as a
  // change of the box. See also focusIn and focusOut.
  //
  // What a screen reader reads of a layered box, on its own or in browse mode, follows what it
  // shows: a box without the focus takes the shown text as its value at most every
  // TREE_INTERVAL_MS, and at once when it is heard; the focused box has it as the focus comes,
  // and its live region the latest value heard. Its value is left as it is while it has the
  // focus: a change of the focused box is said by the screen reader, in pieces.
  function setBox(box, pointer, length, quietly) {
    const b = boxes[box];
    const t = text(pointer, length);
    if (quietly && !b.layered) {
      b.layered = true;
      b.input.dataset.quiet = '';
      b.heard = heardRegion(b);
    }
    if (b.layered) drawLayer(b, t);
    const focused = document.activeElement === b.input;
    if (quietly) {
      // A region keeps what was heard for as long as that is the newest value heard of the
      // focused box; otherwise, while the motion runs, it would be read back, old, in browse mode.
      if (!focused && b.heard.textContent !== '') b.heard.textContent = '';
      if (!focused && performance.now() - b.syncedAt >= TREE_INTERVAL_MS) setValue(b, t);
      return;
    }
    if (b.layered) {
      // A new text node: the whole message is one insertion, whatever the browser.
      b.heard.textContent = b.name + ' ' + t;
      if (focused) return;
    }
    setValue(b, t);
  }

  function setValue(b, t) {
    b.syncedAt = performance.now();
    if (b.input.value === t) return;
    b.input.value = t;
    // A text longer than the box shows its sign and leading digits.
    if (document.activeElement === b.input) b.input.setSelectionRange(0, 0);
    b.input.scrollLeft = 0;
  }

  // The box's live region, in the page's last part (read last in browse mode, never between a
  // box and its label).
  function heardRegion(b) {
    const region = document.createElement('div');
    region.setAttribute('role', 'status');
    region.setAttribute('aria-atomic', 'true');
    region.className = 'visually-hidden';
    region.dataset.heard = b.input.dataset.control;
    document.getElementById('heard').appendChild(region);
    return region;
  }

  // The box shows its own value again, as the user types into it.
  function removeLayer(b) {
    if (!b.layered) return;
    b.layered = false;
    delete b.input.dataset.quiet;
    b.heard.textContent = '';
    drawLayer(b, '');
  }

  // The layer takes the box's place and font, its pixels the screen's, and the text where the
  // box puts its own: after the border and the padding, its line centred in the box.
  function fitLayer(b, dpr) {
    const style = getComputedStyle(b.input);
    const layer = b.layer;
    const width = parseFloat(layer.style.width), height = parseFloat(layer.style.height);
    layer.width = Math.round(width * dpr);
    layer.height = Math.round(height * dpr);
    const context = layer.getContext('2d');
    context.setTransform(dpr, 0, 0, dpr, 0, 0);
    context.font = style.font;
    context.fillStyle = style.color;
    const m = context.measureText('0');
    const top = parseFloat(style.borderTopWidth) + parseFloat(style.paddingTop);
    const inner = height - top - parseFloat(style.borderBottomWidth) - parseFloat(style.paddingBottom);
    b.textLeft = parseFloat(style.borderLeftWidth) + parseFloat(style.paddingLeft);
    b.baseline = Math.round((top + (inner - m.fontBoundingBoxAscent - m.fontBoundingBoxDescent) / 2 +
                             m.fontBoundingBoxAscent) * dpr) / dpr;
    b.clipWidth = width - b.textLeft - parseFloat(style.borderRightWidth) - parseFloat(style.paddingRight);
    b.context = context;
    if (b.layered) drawLayer(b, b.text);
  }

  function drawLayer(b, t) {
    b.text = t;
    // What the layer shows, for whoever reads the page back (the test driver).
    b.layer.shownText = t;
    const c = b.context;
    c.clearRect(0, 0, b.layer.width, b.layer.height);
    c.save();
    c.beginPath();
    c.rect(b.textLeft, 0, b.clipWidth, b.layer.height);
    c.clip();
    c.fillText(t, b.textLeft, b.baseline);
    c.restore();
  }

  function present(pixels, stride, width, height, x0, y0, x1, y1) {
    // The memory can grow (a larger canvas), which detaches every view on the old buffer.
    if (image === null || image.data.buffer !== HEAPU8.buffer || image.pointer !== pixels ||
        image.width !== stride || image.height !== height) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, stride * height * 4),
                            stride, height);
      image.pointer = pixels;
    }
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    context.putImageData(image, 0, 0, x0, y0, x1 - x0, y1 - y0);
    if (stats.firstPicture < 0) stats.firstPicture = performance.now();
  }

  function requestFrame() {
    if (frameHandle === 0 && !ended) frameHandle = requestAnimationFrame(onFrame);
  }

  function onFrame() {
    frameHandle = 0;
    ++stats.frames;
    call(_tarrowen_frame);
  }

  function onTick() {
    ++stats.ticks;
    call(_tarrowen_tick);
  }

  // The interval runs only while the program's timer ticks and the page can be seen: a tab in
  // the background costs nothing. Browsers hold a repeating 1 ms interval to 4 ms after a few
  // rounds; the motion follows the clock, so every tick and every picture still shows where
  // the point is at that moment.
  function schedule() {
    const run = ticking && !document.hidden && !ended && !testing;
    if (run && intervalHandle === 0) {
      intervalHandle = setInterval(onTick, 1);
    } else if (!run && intervalHandle !== 0) {
      clearInterval(intervalHandle);
      intervalHandle = 0;
    }
  }

  function setTicking(on) {
    ticking = on !== 0;
    schedule();
  }

  function onVisibility() {
    schedule();
    // Back in view: the motion is where the clock says at once, not at the next tick.
    if (intervalHandle !== 0) onTick();
  }

  function report(pointer, length) {
    reports.push(text(pointer, length));
    const dialog = document.getElementById('report');
    if (!dialog.open) showReport(dialog);
  }

  function showReport(dialog) {
    if (returnFocus === null) returnFocus = document.activeElement;
    document.getElementById('report-message').textContent = reports.shift();
    dialog.showModal();
    document.getElementById('report-ok').focus();
  }

  // The report was closed (its button, Enter or Escape): the next one, or the keyboard back
  // where it was, so that a user who cannot see the screen is where they were.
  function reportClosed() {
    const dialog = document.getElementById('report');
    if (reports.length > 0 && !ended) {
      showReport(dialog);
      return;
    }
    const back = returnFocus;
    returnFocus = null;
    if (back !== null && back.isConnected) back.focus();
  }

  function quit() {
    ended = true;
    schedule();
    if (frameHandle !== 0) cancelAnimationFrame(frameHandle);
    frameHandle = 0;
    reports.length = 0;
    const dialog = document.getElementById('report');
    if (dialog.open) dialog.close();
    document.getElementById('tarrowen').hidden = true;
    const end = document.getElementById('ended');
    end.hidden = false;
    document.getElementById('start-again').focus();
  }

  // --- the picture's menu -------------------------------------------------------------------

  // Opened on the picture by a right click, the Menu key or Shift+F10; its entries are
  // checkboxes: "Full screen" through the browser's Fullscreen API, "Projector colours" through
  // the program. Arrow keys move between them, Enter or Space chooses, Escape closes, and the
  // keyboard goes back to the picture.
  function menuEntries() {
    return Array.from(document.querySelectorAll('#picture-menu [role=menuitemcheckbox]'));
  }

  // Where the click `at` was, or from the keyboard (none) at the picture's corner.
  function openMenu(at) {
    const menu = document.getElementById('picture-menu');
    const r = canvas.getBoundingClientRect();
    menu.style.left = (at ? at.clientX : r.left + 8) + 'px';
    menu.style.top = (at ? at.clientY : r.top + 8) + 'px';
    menu.hidden = false;
    menuEntries()[0].focus();
  }

  function closeMenu() {
    const menu = document.getElementById('picture-menu');
    if (menu.hidden) return;
    menu.hidden = true;
    canvas.focus();
  }

  function choose(entry) {
    const on = entry.getAttribute('aria-checked') !== 'true';
    if (entry.dataset.entry === 'projector') {
      entry.setAttribute('aria-checked', String(on));
      call(_tarrowen_set_projector_colours, on ? 1 : 0);
      call(_tarrowen_present_now);  // the picture in its new colours at once
    } else if (on) {
      // Checked once the browser is full screen (fullscreenchange), not when asked.
      const root = document.documentElement;
      if (root.requestFullscreen) root.requestFullscreen().catch(() => {});
    } else if (document.fullscreenElement) {
      document.exitFullscreen();
    }
    closeMenu();
  }

  function menuKey(event) {
    const entries = menuEntries();
    const at = entries.indexOf(document.activeElement);
    if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      const step = event.key === 'ArrowDown' ? 1 : entries.length - 1;
      entries[(at + step) % entries.length].focus();
    } else if (event.key === 'Home' || event.key === 'End') {
      entries[event.key === 'Home' ? 0 : entries.length - 1].focus();
    } else if ((event.key === 'Enter' || event.key === ' ') && at >= 0) {
      choose(entries[at]);
    } else if (event.key === 'Escape' || event.key === 'Tab') {
      closeMenu();
    } else {
      return;
    }
    event.preventDefault();
  }

  function buildMenu() {
    const menu = document.getElementById('picture-menu');
    canvas.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      // From the keyboard the menu opens at the picture's corner.
      const keyboard = event.button !== 2 || (event.clientX === 0 && event.clientY === 0);
      openMenu(keyboard ? null : event);
    });
    canvas.addEventListener('keydown', (event) => {
      if (event.key === 'ContextMenu' || (event.key === 'F10' && event.shiftKey)) {
        event.preventDefault();
        openMenu(null);
      }
    });
    menu.addEventListener('keydown', menuKey);
    for (const entry of menuEntries()) entry.addEventListener('click', () => choose(entry));
    menu.addEventListener('focusout', (event) => {
      if (!menu.contains(event.relatedTarget)) closeMenu();
    });
    document.addEventListener('fullscreenchange', () => {
      const entry = menu.querySelector('[data-entry=full-screen]');
      entry.setAttribute('aria-checked', String(document.fullscreenElement !== null));
    });
  }

  // --- events -----------------------------------------------------------------------------

  function controlOf(el) {
    if (!el || !el.dataset || el.dataset.control === undefined) return null;
    return controls.find((c) => c.el === el) || null;
  }

  // The program keeps the readout with the focus audible (core/frontend/readouts.h). A box
  // that takes the focus has its value brought up to what its layer shows first, so that the
  // screen reader, presenting the box, reads the digits on the screen. Before, not as it comes:
  // a browser tells a change made in the moment the focus moves after the focus, and a screen
  // reader says that change of the focused box, in Firefox the characters that changed ('89'
  // after ' 4.89'). So Tab onto a readout that changes quietly gives the box its value, and the
  // focus a frame later, once the browser has told the change of a box that had no focus yet.
  // Everything else moves the focus as the browser does; the focus then brings the value (a
  // click, a script).
  function tabOntoReadout(event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey || ended) return;
    const order = [...form.querySelectorAll('canvas.control, button.control, input.control')];
    const at = order.indexOf(document.activeElement);
    if (at < 0) return;
    const next = order[at + (event.shiftKey ? -1 : 1)];
    const c = controlOf(next);
    if (c === null || !c.textBox || !boxes[c.element].layered) return;
    event.preventDefault();
    const b = boxes[c.element];
    setValue(b, b.text);
    requestAnimationFrame(() => requestAnimationFrame(() => {
      if (ended) return;
      b.valueGiven = true;
      next.focus();
      b.valueGiven = false;
    }));
  }

  function focusIn(event) {
    const c = controlOf(event.target);
    if (c !== null && c.textBox) {
      const b = boxes[c.element];
      if (b.layered && !b.valueGiven) setValue(b, b.text);
    }
    call(_tarrowen_focus, c === null ? NO_CONTROL : c.id);
  }

  function focusOut(event) {
    // A box left holds what it shows, for a screen reader's browse mode.
    const c = controlOf(event.target);
    if (c !== null && c.textBox && boxes[c.element].layered) {
      setValue(boxes[c.element], boxes[c.element].text);
    }
    if (controlOf(event.relatedTarget) === null) call(_tarrowen_focus, NO_CONTROL);
  }

  function main() {
    build();
    buildMenu();
    addEventListener('resize', layOut);
    watchPixelRatio();
    document.addEventListener('visibilitychange', onVisibility);
    document.addEventListener('keydown', tabOntoReadout);
    document.addEventListener('focusin', focusIn);
    document.addEventListener('focusout', focusOut);
    document.getElementById('report').addEventListener('close', reportClosed);
    document.getElementById('start-again').addEventListener('click', () => location.reload());

    const now = new Date();
    const localSeconds = now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() +
                         now.getMilliseconds() / 1000;
    // The canvas is made at the ratio of the first layout, which also copies its first picture.
    const dpr = window.devicePixelRatio || 1;
    _tarrowen_start(testing ? 1 : 0, localSeconds,
                    Math.min(innerWidth / client.width, innerHeight / client.height) * dpr);
    layOut();
    // The picture has the focus at start, as in the desktop window.
    canvas.focus();
    if (testing) {
      window.tarrowenTest = {
        setClock: (seconds) => call(_tarrowen_set_clock, seconds),
        tick: onTick,
        presentNow: () => call(_tarrowen_present_now),
      };
    }
    window.tarrowenStats = stats;
  }

  return {main, setBox, present, requestFrame, report, quit, setTicking, captionFits,
          setCaptionSize};
})();
