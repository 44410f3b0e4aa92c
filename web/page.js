// The page around the game: it checks that the browser can run it, loads it behind a
// progress bar that gives way to the title, keeps the game's keys on the canvas, and
// says in one line what went wrong when something does. The file names carry their
// content's hash (from index.html), so a browser never mixes files of two releases.
'use strict';
var Module = (function() {
  var files = document.currentScript.dataset;
  var canvas = document.getElementById('canvas');
  var loading = document.getElementById('loading');
  var progress = document.getElementById('progress');
  var status = document.getElementById('status');
  var started = false;
  var stopped = false;
  var bytes = { wasm: 0, data: 0 };
  var total = Number(files.wasmBytes) + Number(files.dataBytes);

  function cover(id, text) {
    document.getElementById(id + '-what').textContent = text;
    document.getElementById(id).hidden = false;
    loading.hidden = true;
    stopped = true;
  }
  // A failure, in one line: only the first is told, and never over the end of the game.
  function fail(text) {
    if (!stopped) cover('problem', text);
  }
  function notLoaded(file, why) {
    fail(file + ' did not load (' + why + '). Reload the page to try again.');
  }
  function cannotRun(what) {
    fail('Trelvane cannot run in this browser: it needs ' + what + ', which this browser does not have or has switched off.');
  }

  function showProgress(text) {
    var done = bytes.wasm + bytes.data;
    progress.value = Math.min(1, done / total);
    status.textContent = text || 'Loading the game: ' + Math.round(done / 1024) + ' of ' + Math.round(total / 1024) + ' KB';
  }

  // The game's keys belong to the game while the canvas has the keyboard (the game hears
  // them from the window); F1 to F12 stay the browser's (F5 reloads, F11 is full screen).
  var gameKeys = [' ', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Tab', '+', '-', 'PageUp', 'PageDown', 'Home', 'End'];
  function keys(event) {
    if (/^F\d+$/.test(event.key)) event.stopImmediatePropagation();
    else if ((event.target === canvas || event.target === document.body) && gameKeys.indexOf(event.key) >= 0) event.preventDefault();
  }
  window.addEventListener('keydown', keys, true);
  window.addEventListener('keyup', keys, true);
  canvas.focus();
  canvas.addEventListener('mousedown', function() { canvas.focus(); });

  // Full screen holds the canvas and the page's words over it; the keyboard stays with the game.
  var stage = document.getElementById('stage');
  var fullScreen = document.getElementById('fullscreen');
  fullScreen.hidden = !document.fullscreenEnabled;
  fullScreen.addEventListener('click', function() {
    if (!document.fullscreenElement) stage.requestFullscreen().catch(function() {});
    canvas.focus();
  });
  // The game fits its picture to the canvas when the window is resized: also when only
  // the canvas is (full screen, the bar below wrapping).
  if (window.ResizeObserver) {
    new ResizeObserver(function() { window.dispatchEvent(new Event('resize')); }).observe(canvas);
  }

  canvas.addEventListener('webglcontextlost', function() {
    fail('The game has stopped: the browser took its graphics away (WebGL context lost). Reload the page to play again.');
  });
  window.addEventListener('error', function(event) {
    // Escape ends the game inside the browser's key event: the end of the program rises
    // through it as Emscripten's ExitStatus, which is no error of the page.
    if (event.error && event.error.name === 'ExitStatus') {
      event.preventDefault();
    } else if (/trelvane\.data/.test(event.message)) {
      notLoaded('trelvane.data', event.message.replace(/^(Uncaught )?Error: /, '').replace(/ : .*/, ''));
    } else {
      fail((started ? 'The game has stopped on an error: ' : 'The game could not start: ') + event.message);
    }
  });
  window.addEventListener('unhandledrejection', function(event) {
    fail('The game has stopped on an error: ' + event.reason);
  });

  function gameEnded(code) {
    if (stopped) return;
    cover('ended', code === 0 ? 'The game has ended.' : 'The game has ended with an error (status ' + code + ').');
    canvas.hidden = true;
    document.title += ' (ended)';
  }

  var game = {
    canvas: canvas,
    // The game's console lines go to the browser's console, one call per line.
    print: function(line) { console.log(line); },
    printErr: function(line) { console.error(line); },
    onExit: gameEnded,
    onAbort: function(what) { fail('The game has stopped on an error: ' + what); },
    // The pictures and sounds are the game's to read: the browser need not decode them.
    noImageDecoding: true,
    noAudioDecoding: true,
    locateFile: function(name) {
      return name === 'trelvane.data' ? files.data : name === 'trelvane.wasm' ? files.wasm : name;
    },
    // Emscripten's loader tells how much of the data has come, then that the game starts.
    setStatus: function(text) {
      var downloads = game.dataFileDownloads || {};
      bytes.data = 0;
      for (var file in downloads) bytes.data += downloads[file].loaded;
      if (text === 'Running...') {
        bytes.data = Number(files.dataBytes);
        showProgress('Starting the game');
      } else if (text) {
        showProgress();
      }
    },
    // The program, compiled while it downloads (from the page's start on), made an
    // instance when the game's code asks for it.
    instantiateWasm: function(imports, receive) {
      program.then(function(module) {
        return WebAssembly.instantiate(module, imports).then(function(instance) {
          receive(instance, module);
        });
      }).catch(function(error) {
        notLoaded('trelvane.wasm', String(error.message || error));
      });
      return {};
    },
    // The title's first frame is drawn in the animation frame after main: the loading
    // bar goes in the same frame.
    postRun: function() {
      requestAnimationFrame(function() {
        if (stopped) return;
        loading.hidden = true;
        started = true;
        performance.mark('trelvane: the game is up');
      });
    },
  };

  if (typeof WebAssembly !== 'object' || !window.fetch || !window.ReadableStream) {
    cannotRun('WebAssembly');
    return game;
  }
  // The program downloads and compiles first, counted on the way, while the page goes
  // on; a failure is told when the game asks for it.
  var program = fetch(files.wasm, { credentials: 'same-origin' }).then(function(response) {
    if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
    var reader = response.body.getReader();
    var counted = new ReadableStream({
      pull: function(controller) {
        return reader.read().then(function(chunk) {
          if (chunk.done) return controller.close();
          bytes.wasm += chunk.value.length;
          showProgress();
          controller.enqueue(chunk.value);
        });
      },
    });
    // Whatever type the host gives it, the program is WebAssembly.
    return WebAssembly.compileStreaming(new Response(counted, { headers: { 'Content-Type': 'application/wasm' } }));
  });
  program.catch(function() {});
  // The canvas gets its WebGL 2 context meanwhile, which takes the browser a moment.
  // Its drawing buffer is sized to the window as the game's window is, since resizing
  // it later would cost as much again. These are the game's window's attributes (RGB,
  // double-buffered, with depth); the game takes this context. Without one the game
  // does not start. Up to two device pixels a CSS pixel, as the game's window has.
  var ratio = Math.min(window.devicePixelRatio || 1, 2);
  canvas.width = Math.max(1, Math.round(canvas.clientWidth * ratio));
  canvas.height = Math.max(1, Math.round(canvas.clientHeight * ratio));
  if (!canvas.getContext('webgl2', { alpha: false, antialias: false, depth: true, stencil: false })) {
    cannotRun('WebGL 2');
    return game;
  }
  showProgress();
  // The data's loader, then the game, in this order; both start their downloads at once.
  function load(src) {
    var script = document.createElement('script');
    script.src = src;
    script.async = false;
    script.onerror = function() { notLoaded(src.replace(/\?.*/, ''), 'the file is missing or the connection failed'); };
    document.body.appendChild(script);
  }
  load(files.loader);
  load(files.game);
  return game;
})();
