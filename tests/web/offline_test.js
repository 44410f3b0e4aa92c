// The browser game offline and across releases, in a folder of a site as a host serves
// it: the page loaded once, its service worker active, the server stopped and the page
// reloaded: the game starts to the title and plays. Then a second release published at
// the same address: the page that plays on says in one line that a new version is ready,
// and after the next reload the page runs the new files, the old release's cache gone.
// Usage: node offline_test.js <web build folder>
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const b = require('./browser');
const build = process.argv[2];
const source = path.resolve(__dirname, '..', '..');

// The release's mark in the second release's style sheet: what the page shows of it.
const markOf = (page) => page.evaluate(() => getComputedStyle(document.documentElement).getPropertyValue('--release').trim());
const cachesOf = (page) => page.evaluate(() => caches.keys());

b.run(async () => {
  b.screen('prepare_title "$1"', `${build}/host/data`);
  const root = path.join(b.work, 'host');
  const site = path.join(root, 'games', 'trelvane');
  fs.mkdirSync(site, { recursive: true });
  fs.cpSync(path.join(build, 'site'), site, { recursive: true });
  const game = await b.openGame(root, 'games/trelvane/');
  const page = game.page;
  const address = game.address;
  const titled = async (name) => b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(game, name)) !== null);
  b.check(await titled('online'), 'the title, online', 'no title within a minute');
  const controlled = await b.waitUntil(30, () => page.evaluate(() => !!navigator.serviceWorker.controller));
  const kept = await cachesOf(page);
  b.check(controlled && kept.length === 1, `the service worker is active, its cache: ${kept}`,
    `the service worker: ${controlled ? 'controls the page' : 'controls nothing'}, caches ${JSON.stringify(kept)}`);

  // Offline: the server gone, the page reloaded.
  await b.stopServing(address);
  await page.reload();
  b.check(await titled('offline'), 'offline, the page reloaded starts the game to the title', 'offline, no title within a minute');
  await page.keyboard.press('Enter');
  b.check(await b.waitUntil(30, async () => b.screen('is_not_title "$1"', await b.shot(game, 'offline-play')) !== null),
    'offline, Enter starts play', 'offline, still the title after Enter');

  // The second release, made as the build makes a site, with a style sheet of its own.
  const web = path.join(b.work, 'web');
  fs.cpSync(path.join(source, 'web'), web, { recursive: true });
  fs.appendFileSync(path.join(web, 'page.css'), 'html { --release: second; }\n');
  const version = fs.readFileSync(path.join(site, 'service-worker.js'), 'utf8').match(/release = '([^-']+)/)[1];
  execFileSync('cmake', [`-DSITE=${site}`, `-DWEB=${web}`, `-DICONS=${build}/host/data/icons`,
    `-DLICENSE=${source}/LICENSE`, `-DFILES=${fs.readdirSync(site).join(';')}`, '-DTRELVANE_NAME=Trelvane',
    '-DTRELVANE_SHORT_NAME=Trelvane', `-DTRELVANE_VERSION=${version}`, '-DTRELVANE_SUMMARY=Tank battle',
    '-DTRELVANE_LICENCE=MIT', '-P', path.join(web, 'site.cmake')], { stdio: 'inherit' });
  await b.serve(root, Number(new URL(address).port));
  await page.reload();
  b.check(await titled('old-release'), 'the old release starts from the cache', 'no title from the cache');
  let told = null;
  await b.waitUntil(30, async () => (told = await page.evaluate(() => {
    const line = document.getElementById('update');
    return line.hidden ? null : line.innerText.trim();
  })) !== null);
  const old = await markOf(page);
  b.check(told === 'A new version is ready: reload to play it' && old === '',
    `the old release plays on and says: "${told}"`, `with a new release published the page says ${told}, its mark '${old}'`);
  await page.reload();
  const mark = await markOf(page);
  const caches = await cachesOf(page);
  b.check(mark === 'second' && caches.length === 1 && caches[0] !== kept[0],
    `after the reload the page runs the new release (its cache ${caches})`,
    `after the reload the page's mark is '${mark}', caches ${JSON.stringify(caches)} (the first release's: ${kept})`);
  b.check(await titled('new-release'), 'the new release starts to the title', 'the new release shows no title');
}, 'offline: the game plays offline and takes a new release on the next reload');
