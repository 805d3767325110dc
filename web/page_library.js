// SPDX-License-Identifier: GPL-3.0-or-later
// The functions the program calls in the page (declared in web_page.cpp and page_entry.cpp).
// Each hands over to the page's script (page.js), which is loaded with the program.
mergeInto(LibraryManager.library, {
  tarrowen_js_main: function () {
    tarrowenPage.main();
  },
  tarrowen_js_set_box: function (box, text, length, quietly) {
    tarrowenPage.setBox(box, text, length, quietly);
  },
  tarrowen_js_present: function (pixels, stride, width, height, x0, y0, x1, y1) {
    tarrowenPage.present(pixels, stride, width, height, x0, y0, x1, y1);
  },
  tarrowen_js_request_frame: function () {
    tarrowenPage.requestFrame();
  },
  tarrowen_js_report: function (text, length) {
    tarrowenPage.report(text, length);
  },
  tarrowen_js_quit: function () {
    tarrowenPage.quit();
  },
  tarrowen_js_set_ticking: function (on) {
    tarrowenPage.setTicking(on);
  },
  tarrowen_js_caption_fits: function (id, size) {
    return tarrowenPage.captionFits(id, size) ? 1 : 0;
  },
  tarrowen_js_set_caption_size: function (id, size) {
    tarrowenPage.setCaptionSize(id, size);
  },
});
