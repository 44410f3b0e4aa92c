// The browser's time from opening the page to the title picture up: the site served on
// 127.0.0.1, headless Chromium (SwiftShader, 800 x 600), its graphics already started by
// an earlier page as a browser in use has them, a fresh cache each time. The page marks
// the animation frame in which the loading bar gives way to the title's first frame;
// a screenshot (the canvas made 800 x 600) then confirms the title. Prints one line a run and the median.
//   node bench/title_time_page.js <build-web/site> [runs]
'use strict';
const { chromium } = require('playwright-core');
const { serve, screen, shot, fitCanvas, waitUntil, fail, run } = require('../tests/web/browser');

const [site, runs = '5'] = process.argv.slice(2);
run(async () => {
  const address = await serve(site);
  screen('prepare_title "$1"', `${site}/../host/data`);
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
  const warm = await browser.newPage();
  await warm.evaluate(() => Boolean(document.createElement('canvas').getContext('webgl2')));
  const times = [];
  for (let i = 0; i < Number(runs); ++i) {
    const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
    const page = await context.newPage();
    // The mark is read through the browser's own protocol with a one-line expression:
    // Playwright's page functions would first compile its helper script in the page,
    // a tenth of a second on the page's thread while the game starts.
    const protocol = await context.newCDPSession(page);
    const mark = async () => (await protocol.send('Runtime.evaluate', { returnByValue: true,
      expression: "(performance.getEntriesByName('trelvane: the game is up')[0] || {}).startTime" })).result.value;
    await page.goto(address, { waitUntil: 'commit' });
    let up;
    for (const deadline = Date.now() + 60000; (up = await mark()) === undefined;) {
      if (Date.now() > deadline) throw new Error(`run ${i + 1}: the page did not say the game was up within 60 s`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    const game = { page, clip: null };
    await fitCanvas(game);
    const title = await waitUntil(10, async () => screen('is_title "$1"', await shot(game, `title-${i}`)) !== null);
    if (!title) fail(`run ${i + 1}: no title on the canvas after the page said the game was up`);
    console.log(`run ${i + 1}: title up ${Math.round(up)} ms after opening the page`);
    times.push(up);
    await context.close();
  }
  await browser.close();
  times.sort((a, b) => a - b);
  console.log(`browser: median ${Math.round(times[Math.floor(times.length / 2)])} ms (${times.map(Math.round).join(', ')})`);
}, '');
