// The browser game when the browser takes its graphics away and gives them back, as a
// phone's browser does (WEBGL_lose_context, the extension fetched before the loss, the
// restore in a later task): the page says so in one quiet line meanwhile; at the title
// the picture afterwards is the picture before; in play the game goes on at the same
// level and score, and W moves the ground; no error on the page. Then a loss the
// browser never gives back: after a while the page offers a reload.
// Usage: node restore_test.js <web build folder>
'use strict';
const b = require('./browser');
const build = process.argv[2];

b.run(async () => {
  b.screen('prepare_title "$1" && prepare_glyphs "$1" "$work"', `${build}/host/data`);
  const game = await b.openGame(`${build}/site`);
  const page = game.page;
  const looks = async (test, name) => b.screen(test, await b.shot(game, name)) !== null;
  const row = async (which, name) =>
    (b.screen(`read_row "$1" "$${which}" 4 "$work"`, await b.shot(game, name)) || '').replace(/_+$/, '');
  const line = () => page.evaluate(() => {
    const graphics = document.getElementById('graphics');
    return graphics.hidden ? null : graphics.innerText.replace(/\s+/g, ' ').trim();
  });
  // The graphics taken away, the page's line waited for, then given back in a task of
  // their own: resolves to what the line said meanwhile.
  const loseAndRestore = async () => {
    await page.evaluate(() => {
      window.loseContext = Module.ctx.getExtension('WEBGL_lose_context');
      window.restoresBefore = (Module.graphicsRestored || { restores: 0 }).restores;
      window.loseContext.loseContext();
    });
    let said = null;
    await b.waitUntil(10, async () => (said = await line()) !== null);
    await page.evaluate(() => setTimeout(() => window.loseContext.restoreContext(), 0));
    const back = await b.waitUntil(20, () => page.evaluate(() =>
      (Module.graphicsRestored || { restores: 0 }).restores > window.restoresBefore &&
      document.getElementById('graphics').hidden));
    return back ? said : null;
  };

  // The mean difference of two screenshots, in 255ths.
  const difference = (a, c) => 255 * Number(b.screen('compare -metric MAE "$1" "$2" null: 2>&1 | sed -E "s/.*\\(([0-9.e+-]+)\\).*/\\1/"', a, c));
  b.check(await b.waitUntil(60, () => looks('is_title "$1"', 'title')), 'the title', 'no title within a minute');
  // The title as it stays: two looks in a row the same.
  let before = await b.shot(game, 'title-0');
  let look = 0;
  await b.waitUntil(20, async () => {
    const next = await b.shot(game, `title-${++look}`);
    const same = difference(before, next) === 0;
    before = next;
    return same;
  });
  const said = await loseAndRestore();
  b.check(said === 'The browser took the graphics away; the game goes on when they are back.',
    `while the graphics are away the page says: "${said}"`, `the graphics lost and restored, the page said: ${said}`);
  let off = null;
  await b.waitUntil(10, async () => (off = difference(before, await b.shot(game, 'title-after'))) < 0.1);
  b.check(off < 0.1, `the title after the restore is the title before (mean difference ${off.toFixed(3)} of 255)`,
    `the title after the restore differs from before by ${off.toFixed(3)} of 255 on average`);

  // In play at the second level, which a game started again would not be at.
  await page.keyboard.press('+');
  await page.keyboard.press('Enter');
  b.check(await b.waitUntil(30, () => looks('is_not_title "$1"', 'play')), 'Enter leaves the title', 'still the title after Enter');
  const scoreBefore = await row('PLAY_SCORE', 'score-before');
  const levelBefore = await row('PLAY_LEVEL', 'level-before');
  b.check(levelBefore === '2' && /^-?\d+$/.test(scoreBefore), `in play: level ${levelBefore}, score ${scoreBefore}`,
    `in play the rows read level '${levelBefore}', score '${scoreBefore}'`);
  const playSaid = await loseAndRestore();
  const scoreAfter = await row('PLAY_SCORE', 'score-after');
  const levelAfter = await row('PLAY_LEVEL', 'level-after');
  b.check(playSaid !== null && scoreAfter === scoreBefore && levelAfter === levelBefore,
    `the graphics back in play: level ${levelAfter}, score ${scoreAfter}, as before`,
    `after the restore in play: level '${levelAfter}' (was '${levelBefore}'), score '${scoreAfter}' (was '${scoreBefore}'), the line said ${playSaid}`);
  const kept = await page.evaluate(() => Module.graphicsRestored);
  b.ok(`in play the layer keeps ${kept.keptBytes} bytes of copies for a restore: ${JSON.stringify(kept.kept)}`);
  await b.screen('ground_of "$1" still', await b.shot(game, 'still'));
  await page.keyboard.down('w');
  const moved = await b.waitUntil(30, async () =>
    b.screen('ground_of "$1" moved && grounds_differ still moved', await b.shot(game, 'moved')) !== null);
  await page.keyboard.up('w');
  b.check(moved, 'the game goes on: W moves the ground', 'the ground did not move while W was held after the restore');
  const errors = b.lines(game, 'error').concat(game.errors);
  b.check(errors.length === 0 && !/did not load|stopped/.test(await page.evaluate(() => document.getElementById('problem').innerText)),
    'no error on the page', `errors: ${JSON.stringify(errors)}`);

  // A browser that never gives the graphics back.
  await page.evaluate(() => Module.ctx.getExtension('WEBGL_lose_context').loseContext());
  let offer = null;
  await b.waitUntil(20, async () => /reload/i.test(offer = await line()));
  const link = await page.evaluate(() => !document.getElementById('graphics-reload').hidden);
  b.check(link && offer.startsWith('The browser took the graphics away and has not given them back'),
    `graphics never given back: "${offer}"`, `graphics never given back, the page says: ${offer}`);
}, 'restore: the game survives its graphics taken away and given back');
