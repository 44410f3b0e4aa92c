// What the browser tests share: the site served on 127.0.0.1 by web/serve.sh, the page
// in headless Chromium (a fresh profile each time) with its console lines collected,
// screenshots read with the desktop tests' own helpers (tests/screen.sh), checks that
// count failures, and waits with deadlines. Everything a test starts or writes is
// stopped and removed when it ends, however it ends.
'use strict';
const { chromium } = require('playwright-core');
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const tests = path.resolve(__dirname, '..');
const source = path.resolve(tests, '..');

// A scratch folder for the test, removed at its end with every server it started.
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'trelvane-web-'));
const servers = [];
const games = [];
function cleanUp() {
  for (const server of servers) server.kill('SIGTERM');
  fs.rmSync(work, { recursive: true, force: true });
}
process.on('exit', cleanUp);
for (const signal of ['SIGINT', 'SIGTERM']) process.on(signal, () => process.exit(1));

let failures = 0;
function ok(what) { console.log(`ok: ${what}`); }
function fail(what) { console.log(`FAIL: ${what}`); failures += 1; }
function check(passed, what, otherwise) { if (passed) ok(what); else fail(otherwise || what); }

// Resolves true as soon as the condition holds, false when the deadline passes first.
async function waitUntil(seconds, condition) {
  const deadline = Date.now() + seconds * 1000;
  while (Date.now() < deadline) {
    if (await condition()) return true;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return false;
}

// Resolves true when the condition holds at every look for the whole time, false as
// soon as it does not.
async function holdsFor(seconds, condition) {
  const end = Date.now() + seconds * 1000;
  while (Date.now() < end) {
    if (!(await condition())) return false;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return true;
}

// Runs a bash snippet with tests/screen.sh loaded and $work set to the scratch folder;
// its arguments are $1, $2, ... Gives its output, or null when it fails.
function screen(script, ...args) {
  try {
    return execFileSync('bash', ['-c', `here=${tests}; source "$here/check.sh"; source "$here/screen.sh"; work=${work}; ${script}`, 'screen', ...args],
      { encoding: 'utf8' }).trim();
  } catch (error) {
    return null;
  }
}

// Serves a site folder with web/serve.sh on a free port; resolves to its address.
function serve(site) {
  return new Promise((resolve, reject) => {
    const server = spawn(path.join(source, 'web', 'serve.sh'), ['0', site], { stdio: ['ignore', 'pipe', 'inherit'] });
    servers.push(server);
    const timer = setTimeout(() => reject(new Error('the site server printed no address within 10 s')), 10000);
    let printed = '';
    server.stdout.on('data', (chunk) => {
      printed += chunk;
      const address = printed.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (address) { clearTimeout(timer); resolve(address[0]); }
    });
    server.on('exit', (status) => reject(new Error(`the site server ended with status ${status}`)));
  });
}

// Opens the served site in headless Chromium, 800 x 600 like the desktop's screen, at
// its page with the query given ("?program=picture_moments&arg=play", or a sub-path).
// On the game's page the window is made as much taller as the page's bar below the
// canvas, so that the canvas is 800 x 600 and shot() takes it alone.
// The page's console lines are kept in game.console ({type, text}), uncaught errors in
// game.errors. The page has the keyboard focus as a window really has it (not
// Chromium's stand-in that every page has it), so it can lose it to another page.
// Options: args (more of Chromium's switches), prepare (an async function given the
// page before it is opened), size (the window's size to open the page in, left as it is),
// device (more of the context's options: a phone's hasTouch, isMobile, deviceScaleFactor).
async function openGame(site, query = '', options = {}) {
  const address = await serve(site);
  const profile = fs.mkdtempSync(path.join(work, 'chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: options.size || { width: 800, height: 600 },
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--autoplay-policy=no-user-gesture-required', '--disable-gpu-sandbox', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
      ...(options.args || [])],
    ...(options.device || {}),
  });
  const page = context.pages()[0] || await context.newPage();
  const game = { context, page, address, console: [], errors: [], clip: null, devtools: null };
  games.push(game);
  page.on('console', (message) => game.console.push({ type: message.type(), text: message.text() }));
  page.on('pageerror', (error) => game.errors.push(String(error)));
  const devtools = game.devtools = await context.newCDPSession(page);
  await devtools.send('Emulation.setFocusEmulationEnabled', { enabled: false });
  if (options.prepare) await options.prepare(page);
  await page.goto(address + query);
  await page.bringToFront();
  if (!options.size) await fitCanvas(game);
  return game;
}

// On the game's page, the window made 800 x 600 plus the page's bar, so that the canvas
// is 800 x 600, and shot() takes the canvas alone.
async function fitCanvas(game) {
  const bar = await game.page.evaluate(() => {
    const bar = document.getElementById('bar');
    return bar ? bar.getBoundingClientRect().height : null;
  });
  if (bar === null) return;
  await game.page.setViewportSize({ width: 800, height: Math.round(600 + bar) });
  game.clip = { x: 0, y: 0, width: 800, height: 600 };
}

// The game's console lines: standard output ('log') or standard error ('error').
function lines(game, type) { return game.console.filter((line) => line.type === type).map((line) => line.text); }

// A screenshot of the page in the scratch folder; gives its path.
async function shot(game, name) {
  const file = path.join(work, `${name}.png`);
  await game.page.screenshot({ path: file, clip: game.clip || undefined });
  return file;
}

// What the page says once the game has ended, or null while it runs.
async function endedText(game) {
  return game.page.evaluate(() => {
    const ended = document.getElementById('ended');
    return ended && !ended.hidden ? ended.innerText.replace(/\s+/g, ' ').trim() : null;
  });
}

// Escape ends the game with status 0 and the page says so.
async function escapeEnds(game) {
  await game.page.keyboard.press('Escape');
  let text = null;
  await waitUntil(20, async () => (text = await endedText(game)) !== null);
  check(text !== null && text.startsWith('The game has ended.') && /reload the page/.test(text),
    `Escape ends the game and the page says: "${text}"`, `after Escape the page says: ${text}`);
  check(game.errors.length === 0, 'the page ended without an uncaught error',
    `uncaught errors on the page: ${JSON.stringify(game.errors)}`);
}

// Ends the test: closes the browsers, reports (with every page's console when a check
// failed) and exits, with status 1 when a check failed.
async function finish(what) {
  for (const game of games) {
    if (failures > 0) {
      console.log('console of the page:');
      for (const line of game.console) console.log(`  [${line.type}] ${line.text}`);
      for (const error of game.errors) console.log(`  [uncaught] ${error}`);
    }
    await game.context.close().catch(() => {});
  }
  if (failures > 0) process.exit(1);
  console.log(what);
  process.exit(0);
}

// Runs a test's steps; a step that throws counts as a failed check.
function run(steps, what) {
  steps().catch((error) => fail(`the test stopped: ${error.stack || error}`)).then(() => finish(what));
}

module.exports = { work, ok, fail, check, waitUntil, holdsFor, screen, serve, openGame, fitCanvas, lines, shot, endedText, escapeEnds, run };
