// The browser game played by touch on a phone (844 x 390, three device pixels a CSS
// pixel), fingers sent as the phone sends them (the DevTools protocol's touch events,
// several points at once): a tap starts play; the drive stick pushed up moves the ground;
// the stick held by one finger while a second holds Fire drives and fires (the accuracy
// row counts the shots, the cue reaches Web Audio); both lifted, the tank coasts to a
// stop and stays; a touch the browser cancels, or the page losing the focus, lets its
// key go. Then nothing has scrolled or zoomed, the drawing buffer has two device pixels
// a CSS pixel, the controls keep off the heads-up rows, the radar and the map on phones
// and tablets and out of a notch, a physical keyboard fades the controls, upright the
// page asks to turn the device while the game waits, and a + key that needs no Shift
// raises the level.
// Usage: node touch_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];

// The heads-up display as fractions of the picture (x0, y0, x1, y1), a little wider than
// drawn: the rows at the bottom left, the frames-per-second row, the radar and the map.
const hud = {
  'heads-up rows': [0.03, 0.76, 0.49, 1.0],
  'frames-per-second row': [0.03, 0.04, 0.3, 0.09],
  radar: [0.415, 0.04, 0.585, 0.21],
  map: [0.79, 0.04, 0.96, 0.21],
};
const controls = ['Drive', 'Fire', 'Turbo', 'Look back', 'Look left', 'Look right'];

b.run(async () => {
  b.screen('prepare_title "$1" && prepare_glyphs "$1" "$work"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`, '', {
    size: { width: 844, height: 390 },
    device: { hasTouch: true, isMobile: true, deviceScaleFactor: 3 },
  });
  const page = game.page;
  const devtools = game.devtools;

  // The canvas alone, without the page's controls over it, scaled to the game's
  // 800 x 600 so that the desktop's readings of the screen apply: in device pixels for
  // the heads-up rows' glyphs, in CSS pixels (quicker) for the ground.
  const shot = async (name, scale = 'device') => {
    const box = await page.evaluate(() => {
      const r = document.getElementById('canvas').getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    });
    const file = `${b.work}/${name}-phone.png`;
    await page.screenshot({ path: file, clip: box, scale, style: '#touch { visibility: hidden !important; }' });
    return b.screen('convert "$1" -resize 800x600\\! "$work/$2.png" && echo "$work/$2.png"', file, name);
  };
  const looks = async (test, name) => b.screen(test, await shot(name, 'css')) !== null;
  const accuracy = async (name) => b.screen('read_row "$1" "$PLAY_ACCURACY" 3 "$work"', await shot(name));
  const level = async (name) => b.screen('read_row "$1" "$PLAY_LEVEL" 2 "$work"', await shot(name));
  const ground = async (name) => b.screen('ground_of "$1" "$2"', await shot(name, 'css'), name) !== null;
  const groundMoved = async () => await ground('moved') && b.screen('grounds_differ still moved') !== null;
  const groundStill = async () => {
    await ground('still');
    await page.waitForTimeout(500);
    return await ground('again') && b.screen('grounds_same still again') !== null;
  };

  // Fingers: each a point {x, y, id} in CSS pixels; every event names all that are down.
  const down = new Map();
  const send = (type) => devtools.send('Input.dispatchTouchEvent', {
    type, touchPoints: [...down.values()].map((p) => ({ x: p.x, y: p.y, id: p.id, radiusX: 8, radiusY: 8, force: 1 })),
  });
  const press = async (id, x, y) => { down.set(id, { id, x, y }); await send('touchStart'); };
  const slide = async (id, x, y) => { down.set(id, { id, x, y }); await send('touchMove'); };
  const lift = async (id) => { down.delete(id); await send('touchEnd'); };
  const centre = (label) => page.evaluate((label) => {
    const r = document.querySelector(`[aria-label="${label}"]`).getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  }, label);
  const canvasBox = () => page.evaluate(() => {
    const r = document.getElementById('canvas').getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  });
  const shown = (selector) => page.evaluate((selector) => {
    const element = document.querySelector(selector);
    if (!element) return false;
    const style = getComputedStyle(element);
    const r = element.getBoundingClientRect();
    return style.visibility === 'visible' && style.display !== 'none' && r.width > 0 && r.height > 0;
  }, selector);

  b.check(await b.waitUntil(60, () => looks('is_title "$1"', 'title')), 'the title on a phone', 'no title within a minute');
  const tapText = await b.waitUntil(10, () => shown('#tap')) && await page.evaluate(() => document.getElementById('tap').innerText);
  b.check(tapText === 'Tap to start', 'the title says "Tap to start"', `over the title: ${JSON.stringify(tapText)}`);
  const line = await page.evaluate(() => {
    const touchLine = document.getElementById('touch-controls');
    return !touchLine.hidden && document.getElementById('controls').hidden ? touchLine.innerText : null;
  });
  b.check(line !== null && /Fire/.test(line) && /Drive/.test(line), `the line below names the touch controls: "${line}"`,
    `the line below the canvas on a phone: ${line}`);

  const canvas = await canvasBox();
  await press(1, canvas.x + canvas.width / 2, canvas.y + canvas.height / 2);
  await lift(1);
  b.check(await b.waitUntil(30, () => looks('is_not_title "$1"', 'play')), 'a tap starts play', 'still the title after a tap');
  b.check(await b.waitUntil(10, async () => {
    for (const label of controls) if (!(await shown(`[aria-label="${label}"]`))) return false;
    return true;
  }), 'in play the drive stick and the five buttons are shown', 'the touch controls are not all shown in play');

  // The stick pushed up from where the thumb lands.
  const stick = { x: canvas.x + 0.2 * canvas.width, y: canvas.y + 0.45 * canvas.height };
  await ground('still');
  await press(1, stick.x, stick.y);
  await slide(1, stick.x, stick.y - 30);
  await slide(1, stick.x + 2, stick.y - 60);
  b.check(await b.waitUntil(30, groundMoved), 'the drive stick pushed up moves the ground', 'the ground did not move with the stick pushed up');

  // Up and left from here on: a circle, which no obstacle stops. A second finger holds
  // Fire while the first still drives.
  await slide(1, stick.x - 45, stick.y - 45);
  const fire = await centre('Fire');
  await press(2, fire.x, fire.y);
  let fired = null;
  b.check(await b.waitUntil(30, async () => /^[0-9]\/[1-9]$/.test(fired = await accuracy('firing'))),
    `Fire held with the stick held fires: accuracy '${fired}'`, `with Fire held the accuracy reads '${fired}'`);
  await ground('still');
  b.check(await b.waitUntil(10, groundMoved), 'the tank drives on while Fire is held', 'the ground stood still while both were held');
  let cue = null;
  await b.waitUntil(10, async () => (cue = await page.evaluate(() => Module.lastSoundCue || null)) !== null);
  b.check(cue !== null && cue.file === 'shoot.wav' && cue.state === 'running',
    `the shot's cue reached Web Audio: ${JSON.stringify(cue)}`, `the shot's cue in Web Audio: ${JSON.stringify(cue)}`);

  await lift(2);
  await lift(1);
  b.check(await b.waitUntil(30, groundStill), 'both fingers lifted, the tank coasts to a stop', 'the tank did not stop once both fingers lifted');
  // The shots counted once stopped stay the count: no finger holds Fire any more.
  const shots = (text) => (text || '').replace(/^.*\//, '');
  // A look may be spoilt by a shell or a burst's light passing over the ground, so a
  // few seconds give it another.
  const settled = shots(await accuracy('settled'));
  const still = await b.waitUntil(5, groundStill);
  const after = await accuracy('after');
  b.check(still && settled !== '' && shots(after) === settled, `and stays stopped, firing no more (shots: ${settled})`,
    `after the fingers lifted: accuracy '${after}' (was ${settled} shots), or the ground moved`);

  // A touch the browser cancels lets its key go.
  await ground('still');
  await press(3, stick.x, stick.y);
  await slide(3, stick.x - 45, stick.y - 45);
  b.check(await b.waitUntil(30, groundMoved), 'the stick drives again', 'the ground did not move with the stick pushed up and left again');
  down.clear();
  await devtools.send('Input.dispatchTouchEvent', { type: 'touchCancel', touchPoints: [] });
  b.check(await b.waitUntil(30, groundStill), 'a cancelled touch lets the stick go: the tank stops', 'the tank drove on after the touch was cancelled');

  // A finger on the stick when the page loses the focus: its key goes, as the keyboard's.
  await ground('still');
  await press(7, stick.x, stick.y);
  await slide(7, stick.x - 45, stick.y - 45);
  b.check(await b.waitUntil(30, groundMoved), 'the stick drives once more', 'the ground did not move with the stick pushed up and left once more');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  b.check(await b.waitUntil(30, groundStill), 'the page without the focus lets the stick go', 'the tank drove on after the page lost the focus');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await lift(7);

  // Nothing of that scrolled or zoomed the page, nor does a pinch or a double tap.
  await press(4, canvas.x + 300, canvas.y + 100);
  await press(5, canvas.x + 400, canvas.y + 100);
  await slide(4, canvas.x + 200, canvas.y + 90);
  await slide(5, canvas.x + 500, canvas.y + 110);
  await lift(4);
  await lift(5);
  for (let i = 0; i < 2; i++) {
    await press(6, canvas.x + 450, canvas.y + 120);
    await lift(6);
  }
  const view = await page.evaluate(() => ({ x: scrollX, y: scrollY, scale: visualViewport.scale }));
  b.check(view.x === 0 && view.y === 0 && view.scale === 1, 'nothing scrolled or zoomed', `the page moved: ${JSON.stringify(view)}`);
  const passive = game.console.filter((l) => /passive event listener/.test(l.text));
  b.check(passive.length === 0, 'no touch was cancelled in a passive listener', `the console: ${JSON.stringify(passive)}`);
  const buffer = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    return { width: c.width, height: c.height, css: c.clientWidth, cssHeight: c.clientHeight };
  });
  b.check(buffer.width === Math.round(buffer.css * 2) && buffer.height === Math.round(buffer.cssHeight * 2),
    `the drawing buffer has two device pixels a CSS pixel: ${buffer.width} x ${buffer.height}`,
    `the drawing buffer at a ratio of 3: ${JSON.stringify(buffer)}`);

  // The controls' boxes, on landscape phones and tablets.
  for (const [width, height] of [[844, 390], [915, 412], [1180, 820], [1366, 1024]]) {
    await page.setViewportSize({ width, height });
    await b.waitUntil(5, () => page.evaluate((width) => document.getElementById('canvas').getBoundingClientRect().width === width, width));
    const boxes = await page.evaluate((labels) => {
      const c = document.getElementById('canvas').getBoundingClientRect();
      return labels.map((label) => {
        const r = document.querySelector(`[aria-label="${label}"]`).getBoundingClientRect();
        return { label, width: r.width, height: r.height,
          box: [(r.left - c.left) / c.width, (r.top - c.top) / c.height, (r.right - c.left) / c.width, (r.bottom - c.top) / c.height] };
      });
    }, controls);
    const problems = [];
    for (const control of boxes) {
      const [x0, y0, x1, y1] = control.box;
      if (x0 < 0 || y0 < 0 || x1 > 1 || y1 > 1) problems.push(`${control.label} leaves the picture`);
      if (control.label !== 'Drive' && (control.width < 48 || control.height < 48)) problems.push(`${control.label} is ${control.width} x ${control.height}`);
      for (const [name, [h0, g0, h1, g1]] of Object.entries(hud)) {
        if (x0 < h1 && h0 < x1 && y0 < g1 && g0 < y1) problems.push(`${control.label} covers the ${name}`);
      }
    }
    b.check(problems.length === 0, `at ${width} x ${height} the controls keep off the heads-up display`, `at ${width} x ${height}: ${problems.join('; ')}`);
  }

  // A phone with a notch at its left and its rounded corners: no control in them.
  const insets = { left: 47, right: 47, top: 0, bottom: 21 };
  await page.setViewportSize({ width: 844, height: 390 });
  await devtools.send('Emulation.setSafeAreaInsetsOverride', { insets });
  const clear = await b.waitUntil(5, () => page.evaluate(({ labels, insets }) => labels.every((label) => {
    const r = document.querySelector(`[aria-label="${label}"]`).getBoundingClientRect();
    const stage = document.getElementById('stage').getBoundingClientRect();
    return r.left >= insets.left && r.right <= innerWidth - insets.right && r.bottom <= stage.bottom - insets.bottom;
  }), { labels: controls, insets }));
  b.check(clear, 'the controls keep out of a notch and the rounded corners', 'a control lies in the safe-area insets');
  await devtools.send('Emulation.setSafeAreaInsetsOverride', { insets: { left: 0, right: 0, top: 0, bottom: 0 } });

  // A physical keyboard fades the controls; W and A held from it drive a circle, which
  // no obstacle stops.
  await ground('still');
  await page.keyboard.down('w');
  await page.keyboard.down('a');
  b.check(await b.waitUntil(5, () => page.evaluate(() => getComputedStyle(document.getElementById('touch')).opacity === '0')),
    'a physical keyboard fades the touch controls', 'the touch controls stay while the keyboard is used');
  b.check(await b.waitUntil(30, groundMoved), 'W and A from a keyboard drive on the phone', 'the ground did not move with W and A held');

  // Upright, the page asks to turn the device and the game waits; turned back, it plays
  // on.
  await page.setViewportSize({ width: 390, height: 844 });
  const turn = await b.waitUntil(5, () => shown('#turn')) && await page.evaluate(() => document.getElementById('turn').innerText);
  b.check(turn && /landscape/.test(turn), `upright the page asks: "${turn}"`, `upright the page says: ${JSON.stringify(turn)}`);
  b.check(await b.waitUntil(10, groundStill) && await groundStill(), 'upright, the game waits with W and A held', 'the tank drove on upright');
  await page.setViewportSize({ width: 844, height: 390 });
  b.check(await b.waitUntil(5, async () => !(await shown('#turn'))), 'turned back, the request is gone', 'the request to turn stays in landscape');
  await ground('still');
  b.check(await b.waitUntil(30, groundMoved), 'turned back, the game goes on', 'the ground stood still in landscape with W and A held');
  await page.keyboard.up('w');
  await page.keyboard.up('a');

  // A + key that needs no Shift (the German layout's: key "+", key code 187).
  const before = await level('level');
  for (const type of ['keyDown', 'keyUp']) {
    await devtools.send('Input.dispatchKeyEvent', { type, key: '+', code: 'BracketRight', text: type === 'keyDown' ? '+' : undefined,
      windowsVirtualKeyCode: 187, nativeVirtualKeyCode: 187 });
  }
  let raised = null;
  b.check(before === '1_' || before === '1', `the level reads '${before}' before`, `the level reads '${before}' before +`);
  b.check(await b.waitUntil(10, async () => /^2_?$/.test(raised = await level('raised'))), `+ without Shift raises the level to '${raised}'`,
    `after + without Shift the level reads '${raised}'`);
  b.check(game.errors.length === 0, 'no error on the page', `uncaught errors: ${JSON.stringify(game.errors)}`);
}, 'touch: the browser game plays by touch on a phone');
