// The browser's side of the game's platform backends: the clock (app/clock_web.cpp),
// sound cues (app/sound_web.cpp), the keyboard focus (app/focus_web.cpp), the gamepads
// (app/gamepad_web.cpp) and the error box (assets/error_box_web.cpp).
mergeInto(LibraryManager.library, {
  // The game's clock: the page's time, standing still while the page is hidden or frozen
  // (the Page Lifecycle's freeze and resume) or the browser has taken its graphics away,
  // and running on from where it stopped. Whether it runs is asked again at each reading
  // as well as at each event, so that no order of events lets a hidden spell through.
  $trelvaneClock__postset: 'trelvaneClock.watch();',
  $trelvaneClock: {
    played: 0,      // milliseconds of play before the running spell
    since: null,    // performance.now() when the running spell began; null while stopped
    frozen: false,
    lost: false,
    watch: function() {
      var clock = trelvaneClock;
      var update = function() { clock.update(); };
      document.addEventListener('visibilitychange', update);
      document.addEventListener('freeze', function() { clock.frozen = true; clock.update(); });
      document.addEventListener('resume', function() { clock.frozen = false; clock.update(); });
      var canvas = Module['canvas'];
      if (canvas) {
        canvas.addEventListener('webglcontextlost', function() { clock.lost = true; clock.update(); });
        canvas.addEventListener('webglcontextrestored', function() { clock.lost = false; clock.update(); });
      }
      clock.update();
    },
    // Also while the page asks a touch device held upright to be turned (web/touch.js).
    stopped: function() {
      return document.hidden || trelvaneClock.frozen || trelvaneClock.lost || Module['askingToTurn'] === true;
    },
    update: function() {
      var clock = trelvaneClock;
      var now = performance.now();
      if (clock.stopped()) {
        if (clock.since !== null) clock.played += now - clock.since;
        clock.since = null;
      } else if (clock.since === null) {
        clock.since = now;
      }
      return clock.since === null ? clock.played : clock.played + now - clock.since;
    },
  },

  // Milliseconds of play since the page started, whole, as GLUT counts them.
  trelvanePlayMilliseconds__deps: ['$trelvaneClock'],
  trelvanePlayMilliseconds: function() {
    return Math.floor(trelvaneClock.update()) | 0;
  },

  // The audio context, made on the player's first key press, click or touch: browsers let a
  // page's sound start only after such a gesture, and one made before it stays silent
  // with a warning on the console. The game's first cue comes later, when a key
  // started play.
  $trelvaneSound__postset: 'trelvaneSound.listen();',
  $trelvaneSound: {
    listen: function() {
      // A touch counts once the finger lifts: the browser grants a touch's gesture then.
      var gestures = ['keydown', 'mousedown', 'touchend'];
      var start = function() {
        if (navigator.userActivation && !navigator.userActivation.isActive) return;
        gestures.forEach(function(type) { window.removeEventListener(type, start, true); });
        trelvaneSound.start();
      };
      gestures.forEach(function(type) { window.addEventListener(type, start, true); });
      // Silent while the page is hidden or frozen, and on again when it is back.
      var follow = function() {
        var audio = Module.soundCues;
        if (!audio) return;
        if (document.hidden || audio.frozen) {
          if (audio.context.state === 'running') audio.context.suspend().catch(function() {});
        } else if (audio.context.state === 'suspended') {
          audio.context.resume().catch(function() {});
        }
      };
      document.addEventListener('visibilitychange', follow);
      document.addEventListener('freeze', function() {
        if (Module.soundCues) Module.soundCues.frozen = true;
        follow();
      });
      document.addEventListener('resume', function() {
        if (Module.soundCues) Module.soundCues.frozen = false;
        follow();
      });
    },
    start: function() {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context || Module.soundCues) return;
      try {
        Module.soundCues = {context: new Context(), decoded: {}, playing: null, newest: 0, started: 0, frozen: false};
      } catch (e) {}
    },
  },

  // Sound cues through Web Audio. A cue's WAV file is read from the game's data
  // (Emscripten's file system), decoded by the browser once and kept; a new cue stops
  // the one still playing. A missing or undecodable file, a browser without Web Audio,
  // or a cue before the player's first key, is silence, never an error.
  // Module.lastSoundCue tells what the game last sent to the speakers: the file, its
  // length in seconds, the audio context's state then and how many cues have started
  // so far.
  trelvanePlaySoundCue__deps: ['$FS', '$trelvaneSound'],
  trelvanePlaySoundCue: function(fileNamePointer) {
    var fileName = UTF8ToString(fileNamePointer);
    var audio = Module.soundCues;
    if (!audio) return;
    if (audio.context.state === 'suspended') audio.context.resume().catch(function() {});

    var cue = ++audio.newest;
    if (audio.playing) {
      try { audio.playing.stop(); } catch (e) {}
      audio.playing = null;
    }
    if (!(fileName in audio.decoded)) {
      var bytes;
      try {
        bytes = FS.readFile(fileName);
      } catch (e) {
        bytes = null;
      }
      audio.decoded[fileName] = bytes === null ? Promise.resolve(null) :
        audio.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength))
          .catch(function() { return null; });
    }
    audio.decoded[fileName].then(function(buffer) {
      // Only the newest cue plays: one that came while this one was decoding wins.
      if (buffer === null || cue !== audio.newest) return;
      var source = audio.context.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.context.destination);
      source.start();
      audio.playing = source;
      audio.started += 1;
      Module.lastSoundCue = {file: fileName, seconds: buffer.duration, state: audio.context.state, started: audio.started};
    });
  },

  // 1 while the page is without the keyboard (another window or tab has it, or the page
  // is hidden), or when it lost it since the last call: a hidden page draws no frames,
  // so keys let go meanwhile must be let go on its return.
  trelvanePageLostKeyboard: function() {
    var watch = Module.keyboardWatch;
    if (!watch) {
      watch = Module.keyboardWatch = {lost: false};
      window.addEventListener('blur', function() { watch.lost = true; });
      document.addEventListener('visibilitychange', function() {
        if (document.hidden) watch.lost = true;
      });
    }
    var lost = watch.lost || !document.hasFocus() || document.hidden;
    watch.lost = false;
    return lost ? 1 : 0;
  },

  // Gamepads through the Gamepad API, read once a frame: each pad with the standard
  // mapping, by its index, into the game's table of numbers (per pad: connected, left
  // stick x and y, right stick x and y, left and right trigger, the game's button bits).
  // A browser without the API, or one refusing it to the page (getGamepads throws in a
  // frame without the gamepad permission), reads no pad, and is not asked again. While a
  // pad is connected the page's root element carries data-gamepad="connected", for the
  // page's style to hide the touch controls.
  $trelvanePads: {
    refused: false,
    shown: false,
    // Standard-mapping button index and the game's bit for it: A, left bumper, Start,
    // Back, and the d-pad's up, down, left and right.
    buttons: [0, 1, 4, 2, 9, 4, 8, 8, 12, 16, 13, 32, 14, 64, 15, 128],
    value: function(list, index) {
      var entry = index < list.length ? list[index] : null;
      if (entry === null || entry === undefined) return 0;
      return typeof entry === 'number' ? entry : (entry.value || (entry.pressed ? 1 : 0));
    },
    show: function(connected) {
      if (connected === trelvanePads.shown) return;
      trelvanePads.shown = connected;
      if (connected) document.documentElement.dataset.gamepad = 'connected';
      else delete document.documentElement.dataset.gamepad;
    },
  },
  trelvaneReadPads__deps: ['$trelvanePads', '$trelvaneSound'],
  trelvaneReadPads: function(values, mostPads) {
    var pads = null;
    if (!trelvanePads.refused && navigator.getGamepads) {
      try {
        pads = navigator.getGamepads();
      } catch (e) {
        trelvanePads.refused = true;
      }
    }
    var base = values >> 2;
    var any = false;
    var pressed = false;
    for (var slot = 0; slot < mostPads; ++slot) {
      var at = base + slot * 8;
      var pad = pads && slot < pads.length ? pads[slot] : null;
      if (!pad || !pad.connected || pad.mapping !== 'standard') {
        for (var k = 0; k < 8; ++k) HEAPF32[at + k] = 0;
        continue;
      }
      any = true;
      var bits = 0;
      for (var b = 0; b < trelvanePads.buttons.length; b += 2) {
        if (trelvanePads.value(pad.buttons, trelvanePads.buttons[b]) > 0.5) bits |= trelvanePads.buttons[b + 1];
      }
      HEAPF32[at] = 1;
      for (var axis = 0; axis < 4; ++axis) HEAPF32[at + 1 + axis] = trelvanePads.value(pad.axes, axis);
      HEAPF32[at + 5] = trelvanePads.value(pad.buttons, 6);
      HEAPF32[at + 6] = trelvanePads.value(pad.buttons, 7);
      HEAPF32[at + 7] = bits;
      if (bits !== 0 || HEAPF32[at + 5] > 0.5 || HEAPF32[at + 6] > 0.5) pressed = true;
    }
    trelvanePads.show(any);
    // Where the browser counts a pad's press as the player's gesture, the pad alone
    // may start the sound, as a key or a click does.
    if (pressed && !Module.soundCues && (!navigator.userActivation || navigator.userActivation.isActive)) {
      trelvaneSound.start();
    }
  },

  // The page's modal alert with the message.
  trelvaneAlert: function(message) {
    alert(UTF8ToString(message));
  },
});
