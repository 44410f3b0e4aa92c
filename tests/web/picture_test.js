// The browser draws what the desktop draws: the same moments of the game (the title; a
// level-10 play frame with tanks, a cone, a shell in flight, an explosion lighting the
// ground, the map, the radar and the heading rows; victory; defeat), laid out from the
// same seed on the same scripted clock, drawn by Mesa's llvmpipe under Xvfb and by the
// GL layer in headless Chromium, compared pixel by pixel: the mean difference at most
// 1.0 of 255 levels a channel, and at least 99% of pixels within 16 levels.
// Usage: node picture_test.js <site of the test programs> <desktop picture_moments> <data folder>
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { work, check, ok, openGame, shot, waitUntil, lines, run } = require('./browser');

const [site, program, data] = process.argv.slice(2);
const moments = ['title', 'play', 'victory', 'defeat'];

// Mean absolute difference a channel, the share of pixels with every channel within 16
// levels, and the 100 x 100 tiles holding most of the difference.
async function compare(page, desktopFile, browserFile) {
  const url = (file) => `data:image/png;base64,${fs.readFileSync(file).toString('base64')}`;
  return page.evaluate(async ([a, b]) => {
    // The PNG files' own pixels: no colour management on the way.
    const pixels = async (source) => {
      const blob = await (await fetch(source)).blob();
      const image = await createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height);
    };
    const [one, two] = [await pixels(a), await pixels(b)];
    if (one.width !== two.width || one.height !== two.height) {
      return { size: `${one.width}x${one.height} and ${two.width}x${two.height}` };
    }
    let sum = 0;
    let close = 0;
    const tiles = {};
    for (let i = 0; i < one.data.length; i += 4) {
      let worst = 0;
      for (let c = 0; c < 3; ++c) {
        const d = Math.abs(one.data[i + c] - two.data[i + c]);
        sum += d;
        worst = Math.max(worst, d);
      }
      if (worst <= 16) close += 1;
      else {
        const p = i / 4;
        const tile = `${Math.floor((p % one.width) / 100) * 100},${Math.floor(p / one.width / 100) * 100}`;
        tiles[tile] = (tiles[tile] || 0) + 1;
      }
    }
    const count = one.width * one.height;
    const worstTiles = Object.entries(tiles).sort((x, y) => y[1] - x[1]).slice(0, 4)
      .map(([tile, n]) => `${n} at ${tile}`).join(', ');
    return { mean: sum / (count * 3), within: close / count, worstTiles };
  }, [url(desktopFile), url(browserFile)]);
}

run(async () => {
  for (const moment of moments) {
    const desktop = path.join(work, `desktop-${moment}.png`);
    execFileSync(path.join(__dirname, 'native_moment.sh'), [program, data, moment, desktop],
      { stdio: 'inherit' });
    const game = await openGame(site, `?program=picture_moments&arg=${moment}`);
    const drawn = await waitUntil(60, async () => lines(game, 'log').includes(`Moment drawn: ${moment}`));
    check(drawn, `the browser drew the ${moment} moment`);
    if (!drawn) continue;
    const browser = await shot(game, `browser-${moment}`);
    const d = await compare(game.page, desktop, browser);
    if (d.size) {
      check(false, `${moment}: pictures of the same size`, `${moment}: pictures of ${d.size}`);
      continue;
    }
    const figures = `mean difference ${d.mean.toFixed(3)} of 255 levels, ` +
      `${(100 * d.within).toFixed(2)}% of pixels within 16 levels`;
    check(d.mean <= 1.0 && d.within >= 0.99, `${moment}: ${figures}`,
      `${moment} differs from the desktop's: ${figures}`);
    if (d.worstTiles) ok(`${moment}: pixels beyond 16 levels, by 100-pixel tile: ${d.worstTiles}`);
    await game.context.close();
  }
}, 'The browser draws the title, play, victory and defeat moments as the desktop does.');
