// The browser game while its page is hidden, as a phone hides it when the player answers
// a message: turbo just started, the page hidden (and frozen through the DevTools
// protocol) for several seconds, then shown again: the turbo row reads what it read
// before, less only the time the page was shown, and the sound was suspended meanwhile
// and runs again after.
// Headless Chromium shows every page it has and freezes none it shows, so the page is
// told that it is hidden as a browser tells it: document.hidden and visibilityState,
// and the visibilitychange event.
// Usage: node hidden_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];
const hiddenSeconds = 5;

b.run(async () => {
  b.screen('prepare_title "$1" && prepare_glyphs "$1" "$work"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`);
  const page = game.page;
  const devtools = await game.context.newCDPSession(page);
  // A screenshot and when it was taken (the middle of the time it took), then the turbo
  // row read from it as seconds.
  const snap = async (name) => {
    const start = Date.now();
    const file = await b.shot(game, name);
    return { file, taken: (start + Date.now()) / 2 };
  };
  const turbo = (shot) => {
    const text = (b.screen('read_row "$1" "$PLAY_TURBO" 4 "$work"', shot.file) || '').replace(/_+$/, '');
    return { text, seconds: /^\d+\.\d$/.test(text) ? Number(text) : NaN, taken: shot.taken };
  };
  const sound = () => page.evaluate(() => (Module.soundCues ? Module.soundCues.context.state : null));

  b.check(await b.waitUntil(60, async () => b.screen('is_title "$1"', await b.shot(game, 'title')) !== null),
    'the title', 'no title within a minute');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Tab');
  let before = null;
  const started = await b.waitUntil(30, async () => (before = turbo(await snap('started'))).seconds > 0);
  b.check(started, `turbo started: the row reads ${before.text}`, `after Tab the turbo row reads '${before.text}'`);

  const beforeShot = await snap('before');

  const hidden = Date.now();
  await page.evaluate(() => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => true });
    Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => 'hidden' });
    document.dispatchEvent(new Event('visibilitychange'));
  });
  let whileHidden = null;
  await b.waitUntil(5, async () => (whileHidden = await sound()) === 'suspended');
  await devtools.send('Page.setWebLifecycleState', { state: 'frozen' });
  await page.waitForTimeout(hiddenSeconds * 1000);  // the player away
  await devtools.send('Page.setWebLifecycleState', { state: 'active' });
  await page.evaluate(() => {
    delete document.hidden;
    delete document.visibilityState;
    document.dispatchEvent(new Event('visibilitychange'));
  });
  const shown = Date.now();
  const afterShot = await snap('after');
  before = turbo(beforeShot);
  const after = turbo(afterShot);
  // The game ran only while the page was shown: from the first reading to the hiding,
  // and from the showing to the second reading; a frame's step and the row's rounding
  // more at most.
  const played = (hidden - before.taken + after.taken - shown) / 1000;
  const ran = before.seconds - after.seconds;
  b.check(ran >= 0 && ran <= played + 0.2,
    `hidden ${hiddenSeconds} s, the turbo row reads ${after.text} (was ${before.text}; ${played.toFixed(2)} s shown meanwhile)`,
    `hidden ${hiddenSeconds} s, the turbo row reads '${after.text}', was '${before.text}', with ${played.toFixed(2)} s shown meanwhile`);
  let resumed = null;
  await b.waitUntil(5, async () => (resumed = await sound()) === 'running');
  b.check(whileHidden === 'suspended' && resumed === 'running', 'the sound is suspended while hidden and runs again after',
    `the sound while hidden: ${whileHidden}, after: ${resumed}`);
}, 'hidden: the game stands still while its page is hidden');
