// The browser game played as on the desktop, with real key presses and holds: Enter
// starts play (and no touch control shows), W held moves the ground, one tap of Space
// fires one shell (the accuracy row reads 0/1, or 1/1 on a hit) and its sound cue
// reaches Web Audio, keys held when the page loses the keyboard and let go elsewhere do
// not stay held, and Escape ends the game, which the page then says.
// Usage: node play_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];

b.run(async () => {
  b.screen('prepare_title "$1" && prepare_glyphs "$1" "$work"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`);
  const page = game.page;
  const looks = async (test, name) => b.screen(test, await b.shot(game, name)) !== null;
  const accuracy = async (name) => b.screen('read_row "$1" "$PLAY_ACCURACY" 3 "$work"', await b.shot(game, name));
  const ground = async (name) => b.screen('ground_of "$1" "$2"', await b.shot(game, name), name) !== null;
  const groundMoved = async () => await ground('moved') && b.screen('grounds_differ still moved') !== null;
  // Two looks half a second apart show the same ground.
  const groundStill = async () => {
    await ground('still');
    await page.waitForTimeout(500);
    return await ground('again') && b.screen('grounds_same still again') !== null;
  };

  b.check(await b.waitUntil(60, () => looks('is_title "$1"', 'title')), 'the title', 'no title within a minute');
  await page.keyboard.press('Enter');
  b.check(await b.waitUntil(30, () => looks('is_not_title "$1"', 'play')), 'Enter leaves the title', 'still the title after Enter');
  // A desktop with a mouse and no touch screen gets none of the touch controls.
  const touchShown = await page.evaluate(() => [...document.querySelectorAll('#touch, #touch [aria-label], #tap')]
    .filter((element) => element.getClientRects().length > 0).map((element) => element.id));
  b.check(touchShown.length === 0, 'no touch control on a desktop', `touch controls shown on a desktop: ${touchShown}`);
  const before = await accuracy('play');
  b.check(before === '0/0', `no shot yet: accuracy '${before}'`, `accuracy at the start reads '${before}'`);

  await ground('still');
  await page.keyboard.down('w');
  b.check(await b.waitUntil(30, groundMoved), 'W moves the ground', 'the ground did not change while W was held');
  // With A, a circle that no obstacle stops: the tank stops only once both are let go.
  await page.keyboard.down('a');
  await page.keyboard.up('w');
  await page.keyboard.up('a');
  b.check(await b.waitUntil(20, groundStill), 'the tank comes to a stop once W and A are let go', 'the tank did not come to a stop');

  // One instant tap of Space, shorter than a frame: one shell, and its cue.
  await page.keyboard.press('Space');
  let fired = null;
  const oneShot = await b.waitUntil(30, async () => /^[01]\/1$/.test(fired = await accuracy('fired')));
  b.check(oneShot, `Space fired one shell: accuracy '${fired}'`, `after one Space the accuracy reads '${fired}'`);
  // And no more: the gun is ready again after half a second, and must not fire on its own.
  let more = fired;
  const stays = await b.holdsFor(3, async () => /^[01]\/1$/.test(more = await accuracy('later')));
  b.check(oneShot && stays, 'one tap, one shell', `seconds later the accuracy reads '${more}'`);
  let cue = null;
  await b.waitUntil(10, async () => (cue = await page.evaluate(() => Module.lastSoundCue || null)) !== null);
  // A shell that hit an enemy near the tank has its burst's cue after the shot's.
  const shotCue = cue !== null && cue.file === 'shoot.wav' && cue.started === 1;
  const burstAfterIt = cue !== null && more === '1/1' && cue.file === 'explode.wav' && cue.started === 2;
  b.check((shotCue || burstAfterIt) && cue.seconds > 0 && cue.state === 'running',
    `the shot's cue reached Web Audio: ${JSON.stringify(cue)}`, `the shot's cue in Web Audio: ${JSON.stringify(cue)}`);

  // W and A held (driving in a circle, which no obstacle stops), then the keyboard
  // leaves the page and they are let go elsewhere: the game never hears them go up, yet
  // the tank must stop, and stay stopped when the page is back.
  // Headless Chromium moves no keyboard between its pages, so the page is told as a
  // browser tells it when its window loses the keyboard: a blur, later a focus.
  await ground('still');
  await page.keyboard.down('w');
  await page.keyboard.down('a');
  b.check(await b.waitUntil(30, groundMoved), 'W and A move the ground', 'the ground did not move while W and A were held');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  b.check(await b.waitUntil(20, groundStill), 'W and A let go while the page was without the keyboard stop the tank',
    'the tank drove on after the page lost the keyboard');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  // A tank driving off again never looks still; a look may be spoilt by a shell or a
  // burst's light passing over the ground, so a few seconds give it another.
  b.check(await b.waitUntil(5, groundStill), 'the tank stays stopped when the page is back', 'the tank drove off again when the page came back');

  await b.escapeEnds(game);
}, 'play: the browser game plays as the desktop game does');
