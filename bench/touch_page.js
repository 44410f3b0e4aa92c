// What the page's touch controls cost while a player plays on a phone: the site served
// on 127.0.0.1, headless Chromium as a phone (844 x 390, touch), play started by a tap.
// Prints:
//   - the controls' read of the game's phase, the one thing they do every frame
//     (nanoseconds a call, over a million calls);
//   - a moving finger on the drive stick: the time of one move through the page's touch
//     handler (the stick and its keys), and what the handler allocates a move (V8's
//     sampling heap profiler, by the function that allocated).
//   node bench/touch_page.js <build-web/site> [moves]
'use strict';
const { openGame, waitUntil, run } = require('../tests/web/browser');

const [site, moves = '100000'] = process.argv.slice(2);
run(async () => {
  const game = await openGame(site, '', {
    size: { width: 844, height: 390 },
    device: { hasTouch: true, isMobile: true, deviceScaleFactor: 2 },
  });
  const { page, devtools } = game;
  const touches = (type, points) => devtools.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  if (!(await waitUntil(60, () => page.evaluate(() => document.getElementById('tap').getClientRects().length > 0)))) {
    throw new Error('no title within a minute');
  }
  await touches('touchStart', [{ x: 600, y: 100, id: 1 }]);
  await touches('touchEnd', []);
  if (!(await waitUntil(20, () => page.evaluate(() => document.getElementById('touch').dataset.phase === 'play')))) {
    throw new Error('no play after a tap');
  }

  const phaseRead = await page.evaluate(() => {
    const calls = 1000000;
    let sum = 0;
    const start = performance.now();
    for (let i = 0; i < calls; i++) sum += Module._trelvaneTouchPhase();
    return { nanoseconds: (performance.now() - start) * 1e6 / calls, sum };
  });
  console.log(`phase read: ${phaseRead.nanoseconds.toFixed(1)} ns a frame`);

  // A finger on the stick, moved by events made beforehand and dispatched as the
  // browser dispatches them, to the stage's handler: a circle around the stick's centre,
  // through the dead zone and past the reach; a warm-up sweep first. Timed, then counted
  // by V8's sampling heap profiler, which names the function that allocated.
  await page.evaluate(() => {
    const drive = document.getElementById('drive');
    const at = (x, y) => new Touch({ identifier: 7, target: drive, clientX: x, clientY: y });
    const event = (type, touch) => new TouchEvent(type, { bubbles: true, cancelable: true,
      touches: [touch], targetTouches: [touch], changedTouches: [touch] });
    const moves = [];
    for (let i = 0; i < 256; i++) {
      const angle = i * 0.37, reach = 10 + (i % 7) * 12;
      moves.push(event('touchmove', at(160 + reach * Math.cos(angle), 200 + reach * Math.sin(angle))));
    }
    drive.dispatchEvent(event('touchstart', at(160, 200)));
    window.sweep = (count) => {
      const start = performance.now();
      for (let i = 0; i < count; i++) drive.dispatchEvent(moves[i & 255]);
      return performance.now() - start;
    };
    window.sweep(5000);
  });
  const count = Number(moves);
  const time = await page.evaluate((count) => window.sweep(count), count);
  await devtools.send('HeapProfiler.enable');
  await devtools.send('HeapProfiler.startSampling', { samplingInterval: 32 });
  await page.evaluate((count) => window.sweep(count), count);
  const { profile } = await devtools.send('HeapProfiler.stopSampling');
  let controls = 0, everything = 0;
  const walk = (node) => {
    everything += node.selfSize;
    if (/\/touch\.js/.test(node.callFrame.url)) controls += node.selfSize;
    node.children.forEach(walk);
  };
  walk(profile.head);
  console.log(`finger moving: ${(time * 1000 / count).toFixed(2)} µs a move; allocated by the touch controls ` +
    `${(controls / count).toFixed(2)} bytes a move (${controls} over ${count} moves; the page in all ${everything})`);
}, 'touch controls measured');
