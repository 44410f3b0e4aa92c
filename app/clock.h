// The game's clock, behind the platform's clock hook: milliseconds of play since
// start-up.
#pragma once

// Milliseconds since start-up as the game's frames count them (may wrap). On the
// desktop it is GLUT's elapsed time; in the browser it stands still while the page is
// hidden or frozen, or while the browser has taken the graphics away.
int playMilliseconds();
