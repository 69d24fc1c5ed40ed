// The page's half of the web host (host/web/WebHost.cpp is the other): the runner's options
// from the address, the canvas, keys, mouse, touches on the pictured controls and game
// controllers as queued input, the browser's turn while the program rests, captures as
// downloads, and what the run said. Runs before the program's module starts (--pre-js).
(function () {
  'use strict';

  var WIDTH = 640;
  var HEIGHT = 480;
  var CAPTURES = '/captures';
  // Input event kinds, as WebHost.cpp reads them.
  var KEY_DOWN = 1, KEY_UP = 2, MOUSE_MOVE = 3, MOUSE_DOWN = 4, MOUSE_UP = 5, PAD_DOWN = 6,
      PAD_UP = 7;
  // host/PadMapping.h's buttons.
  var PAD = { a: 0, b: 1, x: 2, y: 3, back: 4, guide: 5, start: 6, leftStick: 7, rightStick: 8,
              leftShoulder: 9, rightShoulder: 10, up: 11, down: 12, left: 13, right: 14 };

  var canvas = document.getElementById('screen');
  var context = canvas.getContext('2d', { alpha: false });
  var notice = document.getElementById('notice');
  var messages = document.getElementById('messages');
  var queue = [];
  function post() {
    for (var n = 0; n < arguments.length; ++n) queue.push(arguments[n]);
    if (typeof wakeForInput === 'function') wakeForInput();
  }
  var state = { started: false, ended: false, exitCode: null, lines: [], presented: 0,
                downloads: [], wakes: 0 };

  function say(text, kind) {
    state.lines.push(text);
    var line = document.createElement('div');
    if (kind) line.className = kind;
    line.textContent = text;
    messages.appendChild(line);
  }

  Module['print'] = function (text) { say(text); };
  Module['printErr'] = function (text) { say(text, 'error'); };

  // ---- the runner's options from the address: ?dx=7 is --dx=7, ?virtual-clock is
  // --virtual-clock; the command line's parser judges them.
  function optionsFromAddress() {
    var options = [];
    var query = location.search.replace(/^\?/, '');
    if (!query) return options;
    query.split('&').forEach(function (part) {
      if (!part) return;
      var equals = part.indexOf('=');
      var name = decodeURIComponent((equals < 0 ? part : part.slice(0, equals)).replace(/\+/g, ' '));
      if (equals < 0) {
        options.push({ name: name, value: null });
      } else {
        var value = decodeURIComponent(part.slice(equals + 1).replace(/\+/g, ' '));
        options.push({ name: name, value: value });
      }
    });
    return options;
  }

  // A script named in the address lies beside the page; it is copied into the page's files.
  function fetchText(name) {
    return fetch(new URL(name, location.href)).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.text();
    });
  }

  function argumentsFor(options) {
    var fetches = [];
    var args = [];
    var capturesGiven = false;
    options.forEach(function (option) {
      if (option.name === 'captures') capturesGiven = true;
      if (option.name === 'script' && option.value) {
        var local = '/page-files/' + option.value.replace(/^.*\//, '');
        fetches.push(fetchText(option.value).then(function (text) {
          FS.mkdirTree('/page-files');
          FS.writeFile(local, text);
        }, function (error) {
          throw new Error('cannot read script ' + option.value + ': ' + error.message);
        }));
        args.push('--script=' + local);
        return;
      }
      args.push('--' + option.name + (option.value === null ? '' : '=' + option.value));
    });
    if (!capturesGiven) args.push('--captures=' + CAPTURES);
    return Promise.all(fetches).then(function () { return args; });
  }

  // ---- showing the screen
  var image = null;
  function show(pointer, x, y, width, height) {
    if (!image || image.data.buffer !== HEAPU8.buffer || image.pointer !== pointer) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pointer, WIDTH * HEIGHT * 4),
                            WIDTH, HEIGHT);
      image.pointer = pointer;
    }
    context.putImageData(image, 0, 0, x, y, width, height);
    state.presented++;
  }

  // Whole multiples of 640 x 480 where they fit, else as large as fits; sharp pixels either way.
  function layout() {
    // Room for the row of the full-screen button below the picture; the keys' list, when
    // open, is scrolled to.
    var full = !!document.fullscreenElement;
    var availableWidth = window.innerWidth;
    var availableHeight = window.innerHeight - (full ? 0 : 48);
    var scale = Math.floor(Math.min(availableWidth / WIDTH, availableHeight / HEIGHT));
    var width, height;
    if (scale >= 1) {
      width = WIDTH * scale;
      height = HEIGHT * scale;
    } else {
      width = Math.max(1, Math.floor(Math.min(availableWidth, availableHeight * WIDTH / HEIGHT)));
      height = Math.floor(width * HEIGHT / WIDTH);
    }
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
  }
  window.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(function () {});
    }
    canvas.focus();
  }
  document.getElementById('fullscreen').addEventListener('click', toggleFullScreen);

  // ---- focus: keys reach the program only while the canvas has them
  function showNotice() {
    if (state.ended) return;
    notice.classList.toggle('hidden', document.activeElement === canvas);
  }
  canvas.addEventListener('focus', showNotice);
  canvas.addEventListener('blur', function () {
    releaseKeys();
    showNotice();
  });

  // ---- keys: the virtual-key codes the window system expects
  var NAMED = { Escape: 27, Enter: 13, NumpadEnter: 13, Space: 32, Tab: 9, ArrowLeft: 37,
                ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Home: 36, End: 35, PageUp: 33,
                PageDown: 34, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17,
                AltLeft: 18, AltRight: 18, Pause: 19 };
  function virtualKey(event) {
    // Letters and digits follow the layout, else the key's place.
    if (event.key && event.key.length === 1 && /[A-Za-z0-9]/.test(event.key)) {
      return event.key.toUpperCase().charCodeAt(0);
    }
    var code = event.code || '';
    var match = /^Key([A-Z])$/.exec(code) || /^Digit([0-9])$/.exec(code);
    if (match) return match[1].charCodeAt(0);
    match = /^F([0-9]+)$/.exec(code);
    if (match && +match[1] >= 1 && +match[1] <= 12) return 111 + +match[1];
    return NAMED.hasOwnProperty(code) ? NAMED[code] : -1;
  }
  var held = {};
  function releaseKeys() {
    Object.keys(held).forEach(function (key) { post(KEY_UP, +key, 0, 0); });
    held = {};
  }
  canvas.addEventListener('keydown', function (event) {
    if (event.code === 'F11') {
      event.preventDefault();
      if (!event.repeat) toggleFullScreen();
      return;
    }
    var key = virtualKey(event);
    if (key < 0) return;
    event.preventDefault();
    held[key] = true;
    post(KEY_DOWN, key, 0, 0);
  });
  canvas.addEventListener('keyup', function (event) {
    var key = virtualKey(event);
    if (key < 0) return;
    event.preventDefault();
    delete held[key];
    post(KEY_UP, key, 0, 0);
  });

  // ---- mouse and touch
  function screenPoint(event) {
    var box = canvas.getBoundingClientRect();
    var x = Math.floor((event.clientX - box.left) * WIDTH / box.width);
    var y = Math.floor((event.clientY - box.top) * HEIGHT / box.height);
    return { x: Math.max(0, Math.min(WIDTH - 1, x)), y: Math.max(0, Math.min(HEIGHT - 1, y)) };
  }

  // The pictured controls, in screen pixels (tools/ConsolePicture.cpp draws them there).
  function near(p, x, y, radius) {
    var dx = p.x - x, dy = p.y - y;
    return dx * dx + dy * dy <= radius * radius;
  }
  function padButtonsAt(p) {
    if (near(p, 65, 150, 50)) {
      var dx = p.x - 65, dy = p.y - 150;
      var ax = Math.abs(dx), ay = Math.abs(dy);
      if (Math.max(ax, ay) < 6) return [];
      var buttons = [];
      // The nearer axis counts too when the finger is well off both: a diagonal.
      if (ax >= ay * 0.5) buttons.push(dx < 0 ? PAD.left : PAD.right);
      if (ay >= ax * 0.5) buttons.push(dy < 0 ? PAD.up : PAD.down);
      return buttons;
    }
    if (near(p, 602, 136, 22)) return [PAD.a];
    if (near(p, 552, 160, 22)) return [PAD.b];
    if (p.x >= 41 && p.x <= 89 && p.y >= 218 && p.y <= 244) return [PAD.start];
    if (p.x >= 551 && p.x <= 599 && p.y >= 218 && p.y <= 244) return [PAD.back];
    return null;
  }

  var mouseButtonOf = { 0: 0, 1: 1, 2: 2 };
  var touches = {};  // pointer id -> pad buttons held by that finger, or 'mouse'
  var padHeld = [];  // how many fingers and controllers hold each pad button
  for (var i = 0; i < 15; ++i) padHeld.push(0);
  function pad(button, down) {
    if (down) {
      if (padHeld[button]++ === 0) post(PAD_DOWN, button, 0, 0);
    } else if (padHeld[button] > 0 && --padHeld[button] === 0) {
      post(PAD_UP, button, 0, 0);
    }
  }
  function holdButtons(id, buttons) {
    var before = touches[id] || [];
    buttons.forEach(function (b) { if (before.indexOf(b) < 0) pad(b, true); });
    before.forEach(function (b) { if (buttons.indexOf(b) < 0) pad(b, false); });
    touches[id] = buttons;
  }

  canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
  canvas.addEventListener('pointerdown', function (event) {
    canvas.focus();
    var p = screenPoint(event);
    if (event.pointerType === 'touch') {
      var buttons = padButtonsAt(p);
      if (buttons) {
        event.preventDefault();
        holdButtons(event.pointerId, buttons);
        return;
      }
      touches[event.pointerId] = 'mouse';
    }
    if (!mouseButtonOf.hasOwnProperty(event.button)) return;
    canvas.setPointerCapture(event.pointerId);
    post(MOUSE_MOVE, 0, p.x, p.y, MOUSE_DOWN, mouseButtonOf[event.button], p.x, p.y);
  });
  canvas.addEventListener('pointermove', function (event) {
    var p = screenPoint(event);
    var finger = touches[event.pointerId];
    if (event.pointerType === 'touch' && finger !== 'mouse') {
      // A finger on the D-pad may slide from one arm to another.
      if (finger && finger.length !== undefined) holdButtons(event.pointerId, padButtonsAt(p) || []);
      return;
    }
    post(MOUSE_MOVE, 0, p.x, p.y);
  });
  function pointerEnd(event) {
    var p = screenPoint(event);
    var finger = touches[event.pointerId];
    delete touches[event.pointerId];
    if (event.pointerType === 'touch' && finger !== 'mouse') {
      if (finger) holdButtons(event.pointerId, []);
      delete touches[event.pointerId];
      return;
    }
    if (!mouseButtonOf.hasOwnProperty(event.button)) return;
    post(MOUSE_UP, mouseButtonOf[event.button], p.x, p.y);
  }
  canvas.addEventListener('pointerup', pointerEnd);
  canvas.addEventListener('pointercancel', pointerEnd);

  // ---- game controllers (the Gamepad API's standard mapping)
  var STANDARD = [PAD.a, PAD.b, PAD.x, PAD.y, PAD.leftShoulder, PAD.rightShoulder, -1, -1,
                  PAD.back, PAD.start, PAD.leftStick, PAD.rightStick, PAD.up, PAD.down,
                  PAD.left, PAD.right, PAD.guide];
  var controllerHeld = {};
  var controllersSeen = false;
  var lastControllerLook = 0;
  window.addEventListener('gamepadconnected', function () { controllersSeen = true; });
  function pollControllers() {
    // Asking for the controllers costs the browser a look at its devices: only once one has
    // been seen, and about once a display refresh.
    if (!controllersSeen || !navigator.getGamepads) return;
    var now = performance.now();
    if (now - lastControllerLook < 8) return;
    lastControllerLook = now;
    var pads = navigator.getGamepads();
    for (var n = 0; n < pads.length; ++n) {
      var gamepad = pads[n];
      if (!gamepad || gamepad.mapping !== 'standard') continue;
      var now = {};
      gamepad.buttons.forEach(function (button, index) {
        if (button.pressed && STANDARD[index] >= 0) now[STANDARD[index]] = true;
      });
      // The left stick stands for the D-pad.
      if (gamepad.axes.length >= 2) {
        if (gamepad.axes[0] < -0.5) now[PAD.left] = true;
        if (gamepad.axes[0] > 0.5) now[PAD.right] = true;
        if (gamepad.axes[1] < -0.5) now[PAD.up] = true;
        if (gamepad.axes[1] > 0.5) now[PAD.down] = true;
      }
      var before = controllerHeld[n] || {};
      Object.keys(now).forEach(function (b) { if (!before[b]) pad(+b, true); });
      Object.keys(before).forEach(function (b) { if (!now[b]) pad(+b, false); });
      controllerHeld[n] = now;
    }
  }

  function takeInput(pointer, capacity) {
    var count = Math.min(capacity, queue.length / 4);
    for (var n = 0; n < count * 4; ++n) HEAP32[(pointer >> 2) + n] = queue[n];
    queue.splice(0, count * 4);
    return count;
  }

  // ---- captures (F12, F9) leave the page as downloads
  var lastCaptureLook = 0;
  function offerCaptures(force) {
    var now = performance.now();
    if (!force && now - lastCaptureLook < 250) return;
    lastCaptureLook = now;
    var names;
    try { names = FS.readdir(CAPTURES); } catch (error) { return; }
    names.forEach(function (name) {
      if (name === '.' || name === '..') return;
      var path = CAPTURES + '/' + name;
      // A recording is offered once it is closed: until then it is still growing.
      if (!force && FS.streams.some(function (stream) { return stream && stream.path === path; })) {
        return;
      }
      var bytes = FS.readFile(path);
      FS.unlink(path);
      var type = /\.png$/.test(name) ? 'image/png' : 'image/gif';
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: type }));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      state.downloads.push(name);
      say('saved ' + name);
    });
  }

  // ---- the browser's turn: the program sleeps until a time on performance.now()
  var scheduler = window.scheduler && window.scheduler.postTask ? window.scheduler : null;
  var channel = new MessageChannel();
  var pendingWake = null;
  var wakeNumber = 0;
  function resume(number) {
    // A wake-up that input has already brought forward finds another sleep, or none.
    if (number !== undefined && number !== wakeNumber) return;
    state.wakes++;
    var wake = pendingWake;
    pendingWake = null;
    pollControllers();
    offerCaptures(false);
    if (wake) wake();
  }
  channel.port1.onmessage = function (event) {
    // A timer set from a message, not from a timer, escapes the 4 ms clamp of nested timers.
    var number = event.data[1];
    if (event.data[0] <= 0) resume(number);
    else setTimeout(function () { resume(number); }, event.data[0]);
  };
  function schedule(delay, number) {
    if (scheduler) {
      // One task, its delay unclamped however deep the chain of wake-ups.
      scheduler.postTask(function () { resume(number); }, { delay: delay > 0 ? delay : 0 });
    } else {
      channel.port2.postMessage([delay, number]);
    }
  }
  function wakeAt(atMs, wakeUp) {
    pendingWake = wakeUp;
    var number = ++wakeNumber;
    var delay = Math.ceil(atMs - performance.now());
    if (document.hidden) {
      // A tab in the background rests: the browser keeps it to a few turns a second.
      setTimeout(function () { resume(number); }, Math.max(delay, 250));
      return;
    }
    schedule(delay, number);
  }
  // Input wakes a resting program at once.
  function wakeForInput() {
    if (pendingWake) schedule(0, wakeNumber);
  }

  Module['nuvikPage'] = { wakeAt: wakeAt, takeInput: takeInput, show: show, state: state };

  // A fault of the program traps the wasm module: the page says what the browser said.
  Module['onAbort'] = function (what) {
    say('the program crashed: ' + what, 'error');
    if (!state.ended) Module['onExit'](134);
  };

  Module['onExit'] = function (code) {
    state.ended = true;
    state.exitCode = code;
    releaseKeys();
    offerCaptures(true);
    notice.classList.remove('hidden');
    notice.firstElementChild.textContent = 'the program has ended';
    say('the program has ended' + (code ? ' (exit status ' + code + ')' : ''), 'end');
  };

  function endRun(code) {
    try {
      exit(code);
    } catch (error) {
      if (!(error instanceof ExitStatus)) throw error;
    }
    if (!state.ended) Module['onExit'](code);
  }

  // The runner names itself after the page (its messages begin with it).
  Module['thisProgram'] = location.pathname.replace(/^.*\//, '').replace(/\.html?$/, '') || 'nuvik';

  Module['onRuntimeInitialized'] = function () {
    layout();
    showNotice();
    argumentsFor(optionsFromAddress()).then(function (args) {
      state.started = true;
      FS.mkdirTree(CAPTURES);
      FS.mkdirTree('/page-files');
      Module['callMain'](args);
      // The program rests in the browser's turns: when it has gone to sleep, its return is
      // what the last wake-up gives back, and the page ends the run with it.
      if (Asyncify.currData) {
        Asyncify.asyncPromiseHandlers = {
          resolve: function (code) { endRun(code); },
          reject: function (error) {
            say(String(error), 'error');
            endRun(1);
          },
        };
      }
    }, function (error) {
      say(error.message, 'error');
      Module['onExit'](2);
    });
  };
  layout();
})();
