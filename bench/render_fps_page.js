// Runs the frame-rate benchmark built for the browser in headless Chromium (SwiftShader,
// 800 x 600) and prints its console lines. Its frames end with a pixel read back, so
// each frame's time is the drawing's own, not the display's 60 a second.
//   node bench/render_fps_page.js <build-web/programs> [frames]
'use strict';
const path = require('path');
const { serve, openGame, lines, waitUntil, run } = require('../tests/web/browser');

const [programs, frames = '1000'] = process.argv.slice(2);
run(async () => {
  const game = await openGame(path.resolve(programs), `?program=render_fps&arg=${frames}`);
  const done = () => lines(game, 'log').some((line) => line.startsWith('everything in view, drawn whole'));
  await waitUntil(1800, async () => done());
  for (const line of lines(game, 'log')) console.log(line);
}, '');
