// The game in the browser: what this platform brings, below the seam the desktop builds
// use. The game itself (world/, game/, render/, hud/, assets/, app/) is the same code.
//   gl/            the OpenGL 1.x, GLU and GLUT calls the game makes, on WebGL 2 (the
//                  target trelvane_webgl), with the main loop: one frame per animation frame
//   index.html     the page's template (site.cmake writes it with the project's name,
//                  version and licence and each file's content hash): the canvas above a
//                  bar of controls, the licence and a full-screen button; its
//                  Content-Security-Policy allows only the site's own files
//   page.js        the page's script: the browser's check, the loading bar, the game's
//                  keys kept on the canvas, console lines to the browser's console, and
//                  one line when something fails or the game has ended
//   page.css       the page's style
//   platform.js    the JavaScript of the backends: Web Audio sound cues, the page's
//                  keyboard focus, the Gamepad API's pads, the alert of the error box
//   app/sound_web.cpp, app/focus_web.cpp, app/gamepad_web.cpp, assets/error_box_web.cpp
//                  the backends themselves, chosen by CMake like the Windows ones
//   pack_data.sh   packs the pictures and sounds into trelvane.data (the working folder)
//   serve.sh       serves the built site (build-web/site) on 127.0.0.1
//   site.cmake     completes the site once the game is built: page, icon, licence
//   packaging/web.cmake   the zip for web hosts (cpack -G ZIP in build-web/)
// No header of the game includes this one: it only says what lives here.
#pragma once
