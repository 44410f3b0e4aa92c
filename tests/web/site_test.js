// The browser game as a web host and a player meet it. The zip that cpack makes, unpacked
// into a fresh folder under a sub-path of a local server, where its page (index.html at
// the zip's root) shows a loading bar while the data is still coming, with the game's
// keys scrolling nothing; the bar gives way to the title, Enter starts play and Space
// fires, its sound started by the player's first key; no warning on the console,
// nothing loaded from outside the sub-path and nothing refused by the page's
// Content-Security-Policy; the version of the zip's name on the page. Then its
// failures, each said in one line: the graphics taken away during play, a data file
// that did not load, and a browser with WebGL switched off.
// Usage: node site_test.js <web build folder>
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const b = require('./browser');
const build = process.argv[2];
const files = ['LICENSE.txt', 'icon.png', 'index.html', 'page.css', 'page.js', 'touch.js', 'trelvane.data',
  'trelvane.data.js', 'trelvane.js', 'trelvane.wasm'];
const gameKeys = ['Space', 'ArrowDown', 'ArrowUp', 'ArrowRight', 'ArrowLeft', 'Tab', 'PageDown', '+', '-'];

// What the page says in its one line of trouble, or null while it says nothing.
const problem = (game) => game.page.evaluate(() => {
  const line = document.getElementById('problem');
  return line.hidden ? null : line.innerText.trim();
});

// The game's keys pressed with the canvas holding the keyboard in a window too short
// for the page: the page could scroll, yet nothing moves and the canvas keeps the keyboard.
async function keysStay(game, when) {
  const page = game.page;
  const can = await page.evaluate(() => document.scrollingElement.scrollHeight - window.innerHeight);
  for (const key of gameKeys) await page.keyboard.press(key);
  const after = await page.evaluate(() => [window.scrollY, document.activeElement && document.activeElement.id]);
  b.check(can > 0 && after[0] === 0 && after[1] === 'canvas',
    `${when}: the game's keys scroll nothing (the page could by ${can} px) and leave the keyboard with the canvas`,
    `${when}: after the game's keys the page is scrolled by ${after[0]} of ${can} px, the keyboard with ${after[1]}`);
}

b.run(async () => {
  // The zip, made as a host makes it, unpacked under a sub-path.
  const packed = path.join(b.work, 'packed');
  execFileSync('cpack', ['-G', 'ZIP', '--config', path.join(build, 'CPackConfig.cmake'), '-B', packed], { stdio: 'ignore' });
  const zips = fs.readdirSync(packed).filter((name) => /^trelvane-.*-web\.zip$/.test(name));
  const version = zips.length === 1 ? zips[0].replace(/^trelvane-(.*)-web\.zip$/, '$1') : null;
  b.check(/^\d+\.\d+\.\d+$/.test(version), `cpack made ${zips[0]}`, `cpack made ${JSON.stringify(fs.readdirSync(packed))}`);
  const root = path.join(b.work, 'host');
  const site = path.join(root, 'games', 'trelvane');
  fs.mkdirSync(site, { recursive: true });
  execFileSync('unzip', ['-q', path.join(packed, zips[0]), '-d', site]);
  const unpacked = fs.readdirSync(site).sort();
  b.check(JSON.stringify(unpacked) === JSON.stringify(files), `the zip holds at its root: ${unpacked.join(' ')}`,
    `the zip holds ${unpacked.join(' ')}, expected ${files.join(' ')}`);
  b.screen('prepare_title "$1"', `${build}/host/data`);

  // The data held back until the loading bar has been seen; what the bar shows kept as
  // it changes.
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  const requests = [];
  const game = await b.openGame(root, 'games/trelvane/', {
    size: { width: 800, height: 200 },
    prepare: async (page) => {
      page.on('request', (request) => requests.push(request.url()));
      await page.route(/trelvane\.data\?/, async (route) => { await held; await route.continue(); });
      await page.addInitScript(() => {
        window.loadingSeen = [];
        new MutationObserver(() => {
          const loading = document.getElementById('loading');
          const bar = document.getElementById('progress');
          if (loading && bar) window.loadingSeen.push({ shown: !loading.hidden, value: bar.value, text: document.getElementById('status').textContent });
        }).observe(document, { subtree: true, attributes: true, childList: true, characterData: true });
      });
    },
  });
  const page = game.page;
  const seen = () => page.evaluate(() => window.loadingSeen);
  let loading = [];
  const partly = await b.waitUntil(30, async () => (loading = await seen()).some((s) => s.shown && s.value > 0 && s.value < 1));
  const last = loading[loading.length - 1] || {};
  b.check(partly && /^Loading the game: \d+ of \d+ KB$/.test(last.text),
    `while the data comes, the loading bar shows ${Math.round(100 * last.value)}%: "${last.text}"`,
    `while the data comes, the loading bar shows: ${JSON.stringify(last)}`);
  // Sound waits for the player's first key (headless Chromium has no autoplay rule to
  // warn about it, so the page is asked).
  const sound = () => page.evaluate(() => (Module.soundCues ? Module.soundCues.context.state : null));
  const before = await sound();
  await keysStay(game, 'while loading');
  const after = await sound();
  b.check(before === null && after === 'running', 'the sound starts with the first key',
    `sound before the first key: ${before}, after it: ${after}`);

  release();
  await b.fitCanvas(game);
  const titled = await b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(game, 'title')) !== null);
  loading = await seen();
  const values = loading.map((s) => s.value);
  b.check(titled && !loading[loading.length - 1].shown && values.every((v, i) => i === 0 || v >= values[i - 1]) &&
    loading.some((s) => s.text === 'Starting the game'),
    `the bar fills (${values.length} steps, then "Starting the game") and gives way to the title`,
    `the bar and the title: ${titled ? 'title' : 'no title'}, ${JSON.stringify(loading.slice(-3))}`);
  const about = await page.evaluate(() => document.getElementById('about').innerText.trim());
  b.check(about.startsWith(`Trelvane ${version} · MIT licence`), `the page says: ${about}`, `the page's bar says: ${about}`);

  // Play, and its sound after the player's keys.
  await page.keyboard.press('Enter');
  b.check(await b.waitUntil(30, async () => b.screen('is_not_title "$1"', await b.shot(game, 'play')) !== null),
    'Enter leaves the title', 'still the title after Enter');
  await page.keyboard.press('Space');
  let cue = null;
  await b.waitUntil(20, async () => (cue = await page.evaluate(() => Module.lastSoundCue || null)) !== null);
  b.check(cue !== null && cue.file === 'shoot.wav' && cue.state === 'running',
    `the shot sounds: ${JSON.stringify(cue)}`, `the shot's sound: ${JSON.stringify(cue)}`);
  await page.setViewportSize({ width: 800, height: 200 });
  await keysStay(game, 'in play');

  const outside = requests.filter((url) => !url.startsWith(`${game.address}games/trelvane/`));
  b.check(requests.length >= files.length - 2 && outside.length === 0,
    `all ${requests.length} requests stay under the sub-path`, `requests outside the sub-path: ${JSON.stringify(outside)}`);
  const noise = game.console.filter((line) => line.type === 'warning' || line.type === 'error').map((line) => line.text);
  b.check(noise.length === 0 && game.errors.length === 0, 'no warning and no error on the console',
    `on the console: ${JSON.stringify(noise.concat(game.errors))}`);

  // The graphics taken away, as a browser does when the graphics driver resets.
  await page.evaluate(() => Module.ctx.getExtension('WEBGL_lose_context').loseContext());
  let said = null;
  await b.waitUntil(10, async () => (said = await problem(game)) !== null);
  b.check(said !== null && /WebGL context lost/.test(said) && !said.includes('\n'), `the graphics lost: "${said}"`,
    `after the graphics were lost the page says: ${said}`);

  // A data file the host lost.
  const broken = path.join(root, 'broken');
  fs.cpSync(site, broken, { recursive: true });
  fs.rmSync(path.join(broken, 'trelvane.data'));
  const missing = await b.openGame(root, 'broken/');
  said = null;
  await b.waitUntil(30, async () => (said = await problem(missing)) !== null);
  b.check(said !== null && said.startsWith('trelvane.data did not load') && !said.includes('\n'),
    `a missing data file: "${said}"`, `with trelvane.data missing the page says: ${said}`);

  // A browser with WebGL switched off: a sentence, and no game.
  const off = await b.openGame(root, 'games/trelvane/', { args: ['--disable-webgl', '--disable-webgl2'] });
  said = null;
  await b.waitUntil(30, async () => (said = await problem(off)) !== null);
  b.check(said !== null && /needs WebGL 2/.test(said) && b.lines(off, 'log').length === 0,
    `WebGL switched off: "${said}"`, `with WebGL switched off the page says: ${said}; the game said ${JSON.stringify(b.lines(off, 'log'))}`);
}, 'site: the zip served under a sub-path loads, plays and says what goes wrong');
