// The browser game started as a player starts it: the console lines of the desktop game
// word for word and in order (and nothing on standard error, which a site serving its
// WebAssembly wrongly shows), then the title picture filling the canvas, which has the
// keyboard, fills the window above the page's bar and follows it when it is resized.
// Usage: node start_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];

b.run(async () => {
  b.screen('prepare_title "$1"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`);
  let title = null;
  const titled = await b.waitUntil(60, async () => b.screen('is_title "$1"', title = await b.shot(game, 'title')) !== null);
  const difference = b.screen('rmse "$1" "$work/ref_begin.png"', title);
  b.check(titled, `the title picture fills the canvas (${difference})`, `no title picture within a minute (${difference})`);
  const corners = b.screen('title_corners "$1" || true', title);
  b.check(corners === '', "the title's corners are the picture's", corners);

  const out = b.lines(game, 'log');
  const expected = ['The specified game mode is unavailable. Defaulting to standard window.', 'Using Buffer Objects!'];
  for (const [i, line] of expected.entries())
    b.check(out[i] === line, `console line ${i + 1}: ${line}`, `console line ${i + 1}: "${out[i]}", expected "${line}"`);
  b.check(/^GL_RENDERER = .+/.test(out[2] || ''), `console line 3: ${out[2]}`, `console line 3: "${out[2]}", expected the renderer`);
  b.check(out.length === 3, 'nothing more on standard output', `${out.length} console lines: ${JSON.stringify(out)}`);
  const focused = await game.page.evaluate(() => document.activeElement && document.activeElement.id);
  b.check(focused === 'canvas', 'the canvas has the keyboard', `the keyboard is with ${focused}`);
  const errors = b.lines(game, 'error').concat(game.errors);
  b.check(errors.length === 0, 'no error on the console', `errors: ${JSON.stringify(errors)}`);

  // A window of another shape: the canvas follows it, above the page's bar, without
  // scroll bars.
  await game.page.setViewportSize({ width: 1000, height: 500 });
  let size = null;
  const fits = await b.waitUntil(10, async () => {
    size = await game.page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const bar = document.getElementById('bar').getBoundingClientRect();
      const page = document.scrollingElement;
      return { canvas: [canvas.width, canvas.height], bar: [Math.round(bar.top), Math.round(bar.bottom)], page: [page.scrollWidth, page.scrollHeight] };
    });
    return size.canvas[0] === 1000 && size.canvas[1] === size.bar[0] && size.bar[1] === 500 &&
      size.page[0] === 1000 && size.page[1] === 500;
  });
  b.check(fits, `the canvas fills a window resized to 1000 x 500 above the bar: ${JSON.stringify(size)}`,
    `canvas, bar and page in a 1000 x 500 window: ${JSON.stringify(size)}`);
}, 'start: the browser game starts as the desktop game does');
