// The game in the browser: what this platform brings, below the seam the desktop builds
// use. The game itself (world/, game/, render/, hud/, assets/, app/) is the same code.
//   gl/            the OpenGL 1.x, GLU and GLUT calls the game makes, on WebGL 2 (the
//                  target trelvane_webgl), with the main loop: one frame per animation frame
//   index.html     the page: a canvas filling the window, the keyboard at once, console
//                  lines to the browser's console, and a word when the game has ended
//   platform.js    the JavaScript of the backends: Web Audio sound cues, the page's
//                  keyboard focus, the alert of the error box
//   app/sound_web.cpp, app/focus_web.cpp, assets/error_box_web.cpp
//                  the backends themselves, chosen by CMake like the Windows ones
//   pack_data.sh   packs the pictures and sounds into trelvane.data (the working folder)
//   serve.sh       serves the built site (build-web/site) on 127.0.0.1
// No header of the game includes this one: it only says what lives here.
#pragma once
