// The page's touch controls, for a player with a phone or a tablet: a drive stick that
// floats under the left thumb, Fire, Turbo and the three looks under the right, and a
// tap on the title, victory or defeat picture for Enter. They are the page's own HTML
// over the canvas, shown only on a device with a touch screen, and they press the
// game's keys as a source of their own (app/touch_web.cpp): each finger is followed by
// its identifier, so a player drives and fires at once, and a finger that lifts, leaves
// its control or is cancelled lets its key go. Nothing here runs in a frame but one
// read of the game's phase; a moving finger reads no layout and allocates nothing.
'use strict';
(function() {
  var root = document.documentElement;
  var stage = document.getElementById('stage');
  var touch = document.getElementById('touch');
  var drive = document.getElementById('drive');
  var stick = document.getElementById('stick');
  var knob = document.getElementById('knob');
  var covers = [document.getElementById('loading'), document.getElementById('problem'), document.getElementById('ended')];

  // The game's keys: the stick's four, and Enter for a tap on a picture.
  var W = 119, A = 97, S = 115, D = 100, ENTER = 13;
  // The stick's reach from its centre, and the dead zone where a resting thumb holds
  // nothing, in CSS pixels. Past the reach the stick follows the thumb.
  var REACH = 48, DEAD = 0.3 * REACH;
  // A push holds the keys of its direction within 67.5 degrees: eight sectors of 45,
  // the diagonals holding two keys.
  var SECTOR = Math.sin(22.5 * Math.PI / 180);
  var PHASES = ['title', 'play', 'defeat', 'victory'];
  // Upright, the page asks to turn the device, and the picture under it takes no taps.
  var upright = window.matchMedia ? matchMedia('(orientation: portrait)') : { matches: false };

  // While the game runs: its page is up, and it has not ended or failed.
  function running() {
    if (typeof Module !== 'object' || typeof Module._trelvaneTouchKey !== 'function') return false;
    for (var i = 0; i < covers.length; i++) if (!covers[i].hidden) return false;
    return true;
  }
  function key(code, down) {
    if (running()) Module._trelvaneTouchKey(code, down ? 1 : 0);
  }

  // Moving an element by a transform, with values made once (CSS Typed OM) where the
  // browser has them, so that a moving finger makes no new objects.
  function mover(element) {
    var m = { element: element, x: null, y: null, value: null };
    if (window.CSS && CSS.px && window.CSSTranslate && window.CSSTransformValue && element.attributeStyleMap) {
      m.x = CSS.px(0);
      m.y = CSS.px(0);
      m.value = new CSSTransformValue([new CSSTranslate(m.x, m.y)]);
    }
    return m;
  }
  function moveTo(m, x, y) {
    if (m.value) {
      m.x.value = x;
      m.y.value = y;
      m.element.attributeStyleMap.set('transform', m.value);
    } else {
      m.element.style.transform = 'translate(' + x + 'px,' + y + 'px)';
    }
  }
  var stickMover = mover(stick), knobMover = mover(knob);

  // One slot a finger, made once. kind: 'drive', 'button', 'tap' or '' for a free slot.
  var fingers = [];
  for (var i = 0; i < 10; i++) {
    fingers.push({ id: -1, kind: '', code: 0, held: false, element: null, left: 0, top: 0, right: 0, bottom: 0, x: 0, y: 0, keys: 0 });
  }
  function fingerOf(id) {
    for (var i = 0; i < fingers.length; i++) if (fingers[i].id === id && fingers[i].kind) return fingers[i];
    return null;
  }
  function freeFinger() {
    for (var i = 0; i < fingers.length; i++) if (!fingers[i].kind) return fingers[i];
    return null;
  }

  // The stick's keys as bits: up, down, left, right.
  var STICK_KEYS = [W, S, A, D];
  function holdStickKeys(finger, keys) {
    for (var bit = 0; bit < 4; bit++) {
      var was = (finger.keys >> bit) & 1, now = (keys >> bit) & 1;
      if (was !== now) key(STICK_KEYS[bit], now);
    }
    finger.keys = keys;
  }
  // The thumb at (x, y): the centre follows it past the reach, the knob shows the push.
  function pushStick(finger, x, y) {
    var dx = x - finger.x, dy = y - finger.y;
    var length = Math.sqrt(dx * dx + dy * dy);
    if (length > REACH) {
      finger.x += dx * (1 - REACH / length);
      finger.y += dy * (1 - REACH / length);
      dx = x - finger.x;
      dy = y - finger.y;
      moveTo(stickMover, finger.x - finger.left, finger.y - finger.top);
    }
    moveTo(knobMover, dx, dy);
    var keys = 0;
    if (length >= DEAD) {
      var along = Math.min(length, REACH);
      if (dy < -SECTOR * along) keys |= 1;
      if (dy > SECTOR * along) keys |= 2;
      if (dx < -SECTOR * along) keys |= 4;
      if (dx > SECTOR * along) keys |= 8;
    }
    holdStickKeys(finger, keys);
  }

  function letGo(finger) {
    if (finger.kind === 'drive') {
      holdStickKeys(finger, 0);
      drive.classList.remove('held');
      stick.style.transform = '';
      knob.style.transform = '';
    } else if (finger.held) {
      key(finger.code, false);
    }
    if (finger.element) finger.element.classList.remove('pressed');
    finger.element = null;
    finger.kind = '';
    finger.held = false;
    finger.id = -1;
  }
  function letGoOfAll() {
    for (var i = 0; i < fingers.length; i++) if (fingers[i].kind) letGo(fingers[i]);
  }

  // Full screen, asked for once, by the tap that starts play, where the browser allows
  // it; held in landscape where it can be.
  var askedFullScreen = false;
  function askFullScreen() {
    if (askedFullScreen || !document.fullscreenEnabled || document.fullscreenElement) return;
    askedFullScreen = true;
    stage.requestFullscreen({ navigationUI: 'hide' }).then(function() {
      if (screen.orientation && screen.orientation.lock) return screen.orientation.lock('landscape');
    }).catch(function() {});
  }

  function start(event) {
    event.preventDefault();
    showTouchControls();
    if (!running() || upright.matches) return;
    for (var i = 0; i < event.changedTouches.length; i++) {
      var point = event.changedTouches[i];
      var finger = freeFinger();
      if (!finger) return;
      var target = point.target;
      var control = target.closest ? target.closest('#drive, [data-key]') : null;
      if (touch.dataset.phase !== 'play') {
        // A tap on a picture is Enter, whatever it lands on.
        finger.id = point.identifier;
        finger.kind = 'tap';
        finger.code = ENTER;
        finger.held = true;
        key(ENTER, true);
      } else if (control === drive) {
        if (drive.classList.contains('held')) continue;  // one thumb drives
        var box = drive.getBoundingClientRect();
        finger.id = point.identifier;
        finger.kind = 'drive';
        finger.left = box.left;
        finger.top = box.top;
        finger.x = point.clientX;
        finger.y = point.clientY;
        finger.keys = 0;
        drive.classList.add('held');
        moveTo(stickMover, finger.x - finger.left, finger.y - finger.top);
        moveTo(knobMover, 0, 0);
      } else if (control) {
        var rect = control.getBoundingClientRect();
        finger.id = point.identifier;
        finger.kind = 'button';
        finger.code = Number(control.dataset.key);
        finger.left = rect.left;
        finger.top = rect.top;
        finger.right = rect.right;
        finger.bottom = rect.bottom;
        finger.held = true;
        finger.element = control;
        control.classList.add('pressed');
        key(finger.code, true);
      }
    }
  }

  function move(event) {
    event.preventDefault();
    for (var i = 0; i < event.changedTouches.length; i++) {
      var point = event.changedTouches[i];
      var finger = fingerOf(point.identifier);
      if (!finger) continue;
      if (finger.kind === 'drive') {
        pushStick(finger, point.clientX, point.clientY);
      } else if (finger.kind === 'button') {
        // A finger that slides off its button lets it go, and back on holds it again.
        var inside = point.clientX >= finger.left && point.clientX < finger.right &&
          point.clientY >= finger.top && point.clientY < finger.bottom;
        if (inside !== finger.held) {
          finger.held = inside;
          finger.element.classList.toggle('pressed', inside);
          key(finger.code, inside);
        }
      }
    }
  }

  function end(event) {
    event.preventDefault();
    for (var i = 0; i < event.changedTouches.length; i++) {
      var finger = fingerOf(event.changedTouches[i].identifier);
      if (!finger) continue;
      var tapped = finger.kind === 'tap';
      letGo(finger);
      if (tapped && event.type === 'touchend') askFullScreen();
    }
  }

  // The controls appear on a device with a touch screen: at once where the pointer is
  // coarse, else at the first touch; never for a mouse. A physical keyboard fades them
  // until the next touch.
  function showTouchControls() {
    root.classList.remove('keys');
    if (root.classList.contains('touch')) return;
    root.classList.add('touch');
    touch.hidden = false;
    document.getElementById('touch-controls').hidden = false;
    document.getElementById('controls').hidden = true;
    requestAnimationFrame(watchPhase);
  }
  window.addEventListener('keydown', function(event) {
    if (event.isTrusted && root.classList.contains('touch')) root.classList.add('keys');
  }, true);

  // The phase the game shows, read once a frame: the controls on play, "Tap to start"
  // over a picture's keyboard line.
  var shownPhase = -1;
  function watchPhase() {
    if (running()) {
      var phase = Module._trelvaneTouchPhase();
      if (phase !== shownPhase && phase >= 0 && phase < PHASES.length) {
        shownPhase = phase;
        touch.dataset.phase = PHASES[phase];
      }
    }
    requestAnimationFrame(watchPhase);
  }

  var options = { passive: false };
  stage.addEventListener('touchstart', start, options);
  stage.addEventListener('touchmove', move, options);
  stage.addEventListener('touchend', end, options);
  stage.addEventListener('touchcancel', end, options);
  stage.addEventListener('contextmenu', function(event) { event.preventDefault(); });
  // The page without the focus or hidden lets every finger's key go, as it does the
  // keyboard's.
  window.addEventListener('blur', letGoOfAll);
  document.addEventListener('visibilitychange', function() { if (document.hidden) letGoOfAll(); });

  if (window.matchMedia && matchMedia('(pointer: coarse)').matches) showTouchControls();
})();
