// The README's pictures of the page in Chromium: the built site (build-web/site) served
// on 127.0.0.1 in headless Chromium. docs/browser.png: the canvas 800 x 600 with the
// page's bar below it, once the title is up. docs/phone.png: a phone held sideways
// (844 x 390, touch), in play with the left thumb on the drive stick and the right on
// Fire. Both kept small with 256 colours.
//   node docs/browser_screenshot.js      (after cmake --build --preset web and
//                                          npm ci --prefix tests/web)
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const b = require('../tests/web/browser');
const root = path.resolve(__dirname, '..');

function keep(file, name) {
  execFileSync('convert', [file, '-colors', '256', `PNG8:${path.join(__dirname, name)}`]);
}

b.run(async () => {
  b.screen('prepare_title "$1"', `${root}/build-web/host/data`);
  const desktop = await b.openGame(`${root}/build-web/site`);
  const titled = await b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(desktop, 'title')) !== null);
  b.check(titled, 'the title is up', 'no title within a minute');
  const page = path.join(b.work, 'page.png');
  await desktop.page.screenshot({ path: page });
  keep(page, 'browser.png');

  const phone = await b.openGame(`${root}/build-web/site`, '', {
    size: { width: 844, height: 390 },
    device: { hasTouch: true, isMobile: true, deviceScaleFactor: 1 },
  });
  const fingers = (type, points) => phone.devtools.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const shown = () => phone.page.evaluate(() => document.getElementById('tap').getClientRects().length > 0);
  b.check(await b.waitUntil(60, shown), 'the phone shows the title', 'no title on the phone within a minute');
  await fingers('touchStart', [{ x: 422, y: 200, id: 1 }]);
  await fingers('touchEnd', []);
  const playing = () => phone.page.evaluate(() => document.getElementById('touch').dataset.phase === 'play');
  b.check(await b.waitUntil(20, playing), 'a tap starts play', 'no play after a tap');
  const fire = await phone.page.evaluate(() => {
    const r = document.getElementById('fire').getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  });
  await fingers('touchStart', [{ x: 150, y: 190, id: 1 }]);
  await fingers('touchMove', [{ x: 168, y: 150, id: 1 }]);
  await fingers('touchStart', [{ x: 168, y: 150, id: 1 }, { x: fire.x, y: fire.y, id: 2 }]);
  // Driving and firing for a moment, until a shell is in the air.
  await b.waitUntil(10, () => phone.page.evaluate(() => (Module.lastSoundCue || {}).started > 1));
  const play = path.join(b.work, 'phone.png');
  await phone.page.screenshot({ path: play });
  keep(play, 'phone.png');
}, 'docs/browser.png and docs/phone.png written');
