// The browser game played with a pad, given to the page as a browser gives one: an init
// script stands in for navigator.getGamepads with a pad of the standard mapping that the
// test moves, and sends gamepadconnected and gamepaddisconnected. While the pad is there
// the page's root says so (for its style to hide the touch controls); Start leaves the
// title, the right trigger fires and its shot's cue reaches Web Audio, the left stick
// moves the ground, and the pad gone lets go of the stick. A page whose getGamepads
// throws (a frame without the gamepad permission) plays on with the keyboard, no error.
// Usage: node pad_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];

// Runs in the page before its scripts: the pad, moved through window.testPad.set(...),
// plugged and unplugged with testPad.plug() and testPad.unplug().
function givePad() {
  const pad = {
    id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: false, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  const send = (type) => {
    const event = new Event(type);
    Object.defineProperty(event, 'gamepad', { value: pad });
    window.dispatchEvent(event);
  };
  window.testPad = {
    plug() { pad.connected = true; send('gamepadconnected'); },
    unplug() { pad.connected = false; send('gamepaddisconnected'); },
    // Axes by index and buttons by standard index with a value from 0 to 1; the rest at rest.
    set(axes, buttons) {
      pad.axes = [0, 0, 0, 0].map((_, i) => (axes[i] === undefined ? 0 : axes[i]));
      pad.buttons.forEach((button, i) => {
        button.value = buttons[i] || 0;
        button.pressed = button.touched = button.value > 0;
      });
      pad.timestamp = performance.now();
    },
  };
  navigator.getGamepads = () => [pad.connected ? pad : null, null, null, null];
}

function refusePads() {
  navigator.getGamepads = () => { throw new DOMException('Use of the Gamepad API is not allowed here.', 'SecurityError'); };
}

b.run(async () => {
  b.screen('prepare_title "$1" && prepare_glyphs "$1" "$work"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`, '', { prepare: (page) => page.addInitScript(givePad) });
  const page = game.page;
  const looks = async (test, name) => b.screen(test, await b.shot(game, name)) !== null;
  const ground = async (name) => b.screen('ground_of "$1" "$2"', await b.shot(game, name), name) !== null;
  const groundMoved = async () => await ground('moved') && b.screen('grounds_differ still moved') !== null;
  const groundStill = async () => {
    await ground('still');
    await page.waitForTimeout(500);
    return await ground('again') && b.screen('grounds_same still again') !== null;
  };
  const pad = (axes, buttons) => page.evaluate(([a, p]) => window.testPad.set(a, p), [axes, buttons]);
  const marked = () => page.evaluate(() => document.documentElement.dataset.gamepad || null);

  b.check(await b.waitUntil(60, () => looks('is_title "$1"', 'title')), 'the title', 'no title within a minute');
  b.check(await marked() === null, 'no pad, no data-gamepad', `before any pad data-gamepad is ${await marked()}`);
  await page.evaluate(() => window.testPad.plug());
  b.check(await b.waitUntil(10, async () => await marked() === 'connected'), 'a pad plugged in: data-gamepad="connected"',
    `with a pad plugged in data-gamepad is ${await marked()}`);
  // The player clicks the game's page, which lets it start its sound.
  await page.mouse.click(400, 300);

  await pad([], { 9: 1 });
  b.check(await b.waitUntil(30, () => looks('is_not_title "$1"', 'play')), 'Start leaves the title', 'still the title with Start held');
  await pad([], {});

  await pad([], { 7: 1 });
  let cue = null;
  await b.waitUntil(30, async () => (cue = await page.evaluate(() => Module.lastSoundCue || null)) !== null);
  b.check(cue !== null && cue.file === 'shoot.wav' && cue.state === 'running',
    `the right trigger fires and the shot's cue reaches Web Audio: ${JSON.stringify(cue)}`,
    `with the right trigger pulled the cue in Web Audio is ${JSON.stringify(cue)}`);
  await pad([], {});

  // Forward and to the left: a circle, which no obstacle stops. Then the pad is gone.
  await ground('still');
  await pad([-0.7, -0.7], {});
  b.check(await b.waitUntil(30, groundMoved), 'the left stick moves the ground', 'the ground did not move with the stick pushed');
  await page.evaluate(() => window.testPad.unplug());
  b.check(await b.waitUntil(20, groundStill), 'the pad gone with its stick pushed, the tank coasts to a stop',
    'the tank drove on after the pad was gone');
  b.check(await marked() === null, 'the pad gone, data-gamepad is gone', `with the pad gone data-gamepad is ${await marked()}`);
  await b.escapeEnds(game);

  // A page refused the Gamepad API plays with the keyboard.
  const refused = await b.openGame(`${build}/site`, '', { prepare: (p) => p.addInitScript(refusePads) });
  const shotOf = async (name) => b.shot(refused, name);
  b.check(await b.waitUntil(60, async () => b.screen('is_title "$1"', await shotOf('r_title')) !== null),
    'refused the pads: the title', 'refused the pads: no title within a minute');
  await refused.page.keyboard.press('Enter');
  b.check(await b.waitUntil(30, async () => b.screen('is_not_title "$1"', await shotOf('r_play')) !== null),
    'refused the pads: Enter leaves the title', 'refused the pads: still the title after Enter');
  b.screen('ground_of "$1" still', await shotOf('r_still'));
  await refused.page.keyboard.down('w');
  const moved = await b.waitUntil(30, async () => b.screen('ground_of "$1" moved && grounds_differ still moved', await shotOf('r_moved')) !== null);
  await refused.page.keyboard.up('w');
  b.check(moved, 'refused the pads: W moves the ground', 'refused the pads: the ground did not move with W held');
  const errors = b.lines(refused, 'error');
  b.check(refused.errors.length === 0 && errors.length === 0, 'refused the pads: no error on the page or its console',
    `refused the pads: errors ${JSON.stringify(refused.errors)} console ${JSON.stringify(errors)}`);
  await b.escapeEnds(refused);
}, 'pad: the browser game plays with a pad, and without one where the page may not have it');
