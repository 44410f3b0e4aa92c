// The README's picture of the page in Chromium (docs/browser.png): the built site
// (build-web/site) served on 127.0.0.1 in headless Chromium, the canvas 800 x 600 with
// the page's bar below it, once the title is up; kept small with 256 colours.
//   node docs/browser_screenshot.js      (after cmake --build --preset web and
//                                          npm ci --prefix tests/web)
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const b = require('../tests/web/browser');
const root = path.resolve(__dirname, '..');

b.run(async () => {
  b.screen('prepare_title "$1"', `${root}/build-web/host/data`);
  const game = await b.openGame(`${root}/build-web/site`);
  const titled = await b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(game, 'title')) !== null);
  b.check(titled, 'the title is up', 'no title within a minute');
  const page = path.join(b.work, 'page.png');
  await game.page.screenshot({ path: page });
  execFileSync('convert', [page, '-colors', '256', `PNG8:${path.join(__dirname, 'browser.png')}`]);
}, 'docs/browser.png written');
