// The browser game on data whose textures a player has replaced with the hostile JPEG
// files of the desktop's texture test, packed as the build packs its data into a site
// of the test's own beside the built page and program: each file is refused with the
// desktop's line on the console's standard error, and the game comes up and shows its
// title without them. A file that is no JPEG at all ends the game with status 1 and the
// library's message after the file's name, and the page says so. A shot whose sound file
// is no sound at all is silent and no error.
// Usage: node texture_test.js <web build folder> <hostile JPEG writer>
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const b = require('./browser');
const [build, writer] = process.argv.slice(2);
const source = path.resolve(__dirname, '..', '..');

// A site of the built page and program with the data folder's game files packed.
function site(name, data) {
  const folder = path.join(b.work, name);
  fs.mkdirSync(folder);
  for (const file of ['index.html', 'page.js', 'touch.js', 'page.css', 'icon.png', 'trelvane.js', 'trelvane.wasm'])
    fs.copyFileSync(path.join(build, 'site', file), path.join(folder, file));
  const files = fs.readdirSync(data).filter((file) => /\.(jpg|wav)$/.test(file));
  execFileSync(path.join(source, 'web', 'pack_data.sh'), [folder, data, ...files]);
  return folder;
}

b.run(async () => {
  const data = path.join(b.work, 'data');
  fs.cpSync(path.join(build, 'host', 'data'), data, { recursive: true });
  b.screen('prepare_title "$1"', data);
  // Sizes that once cost gigabytes or seconds before the first pixel, and a file of
  // 200,000 empty scans.
  const hostile = {
    'texture_sky.jpg': ['declared', 'progressive', '16384', '16384'],
    'texture_tank.jpg': ['declared', 'one-component-scans', '9400', '9400'],
    'texture_bullet.jpg': ['declared', 'baseline', '65500', '65500'],
    'texture_object.jpg': ['scans', '200000', '512'],
  };
  for (const [file, how] of Object.entries(hostile)) execFileSync(writer, [path.join(data, file), ...how]);
  fs.writeFileSync(path.join(data, 'shoot.wav'), 'RIFF, but no sound');

  const game = await b.openGame(site('hostile', data));
  const titled = await b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(game, 'title')) !== null);
  b.check(titled, 'the game shows its title', 'no title screen within a minute');
  const errors = b.lines(game, 'error');
  for (const file of Object.keys(hostile)) {
    const refusals = errors.filter((line) => line.startsWith(`${file}: not loaded: `));
    b.check(refusals.length === 1, `${file} refused: ${refusals[0]}`, `${file}: ${refusals.length} refusal lines`);
  }
  // Fire: the cue reaches Web Audio's side, whose decoding of shoot.wav fails: nothing
  // plays, and the game goes on.
  const page = game.page;
  await page.keyboard.press('Enter');
  await page.keyboard.press('Space');
  const tried = await b.waitUntil(30, () => page.evaluate(() => Boolean(Module.soundCues && Module.soundCues.newest >= 1)));
  const played = tried && await page.evaluate(async () => {
    await Promise.all(Object.values(Module.soundCues.decoded));
    return Module.lastSoundCue || null;
  });
  // (A burst nearby may have sounded its own cue meanwhile on a slow machine.)
  b.check(tried && (played === null || played.file !== 'shoot.wav'), 'a shot whose shoot.wav is no sound is silent',
    `the shot with a broken shoot.wav: ${tried ? JSON.stringify(played) : 'no cue'}`);
  await b.escapeEnds(game);

  // A picture saved under the wrong name: the first bytes of a TGA file.
  fs.writeFileSync(path.join(data, 'texture_sky.jpg'), Buffer.from([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0]));
  const wrong = await b.openGame(site('wrong', data));
  let said = null;
  await b.waitUntil(60, async () => (said = await b.endedText(wrong)) !== null);
  const message = 'texture_sky.jpg: Not a JPEG file: starts with 0x00 0x00';
  b.check(said !== null && said.startsWith('The game has ended with an error (status 1).') &&
    b.lines(wrong, 'error').includes(message), `${message}; the page says: "${said}"`,
    `a file that is no JPEG: the page says "${said}"`);
}, 'textures: every hostile file refused, the game up without them');
