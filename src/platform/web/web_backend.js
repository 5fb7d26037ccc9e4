// The JavaScript half of the browser backend (web_backend.cpp calls it as Module.tqWeb): the
// canvas, the browser's frame clock, Web Audio, the saves in IndexedDB, the page's text field
// for phones, and the hooks through which tests step the game in virtual time. What the player
// sees around the game (progress, message boxes, the end) is the page's: Module.tqPage.
Module.tqWeb = (function () {
  'use strict';
  const Width = 800;
  const Height = 600;
  const page = () => Module.tqPage || {};

  // ---- settings, from the page's address: ?virtual=16&fast&panorama ----
  const query = new URLSearchParams(typeof location === 'undefined' ? '' : location.search);
  function setting(name) {
    if (!query.has(name)) return 0;
    const value = parseInt(query.get(name), 10);
    return isNaN(value) ? 1 : value;
  }

  // ---- the picture, in the canvas's RGBA already ----
  let context = null;
  function present(rgba) {
    if (!context) {
      if (page().firstFrame) page().firstFrame();
      context = Module.canvas.getContext('2d', {alpha: false});
    }
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, Width * Height * 4);
    context.putImageData(new ImageData(bytes, Width, Height), 0, 0);
  }

  // The game pixel under a point of the window, packed as x | y << 16; over the letterbox bars,
  // the nearest pixel of the picture.
  function gamePoint(clientX, clientY) {
    const box = Module.canvas.getBoundingClientRect();
    if (box.width <= 0 || box.height <= 0) return 0;
    const x = Math.floor((clientX - box.left) * Width / box.width);
    const y = Math.floor((clientY - box.top) * Height / box.height);
    const cx = Math.min(Width - 1, Math.max(0, x)), cy = Math.min(Height - 1, Math.max(0, y));
    return cx | (cy << 16);
  }

  // ---- the frame clock ----
  // While the game waits for the browser (here, for a message box or for the pack), the sound
  // can be topped up from the mixer between its frames: the game is between two steps then.
  let asleep = 0;
  function sleep(promise) {
    ++asleep;
    return promise.finally(() => { --asleep; });
  }
  const channel = typeof MessageChannel === 'undefined' ? null : new MessageChannel();
  let fastWake = null;
  if (channel) channel.port1.onmessage = () => { const wake = fastWake; fastWake = null; if (wake) wake(); };
  function nextFrame(fast) {
    return sleep(new Promise((resolve) => {
      if (fast && channel) {
        fastWake = resolve;
        channel.port2.postMessage(0);
        return;
      }
      // A page in the background gets no display frames: it goes on with timers, so that the
      // game hears that it was hidden.
      if (document.hidden) {
        setTimeout(resolve, 0);
        return;
      }
      let done = false;
      const finish = () => {
        if (done) return;
        done = true;
        document.removeEventListener('visibilitychange', finish);
        resolve();
      };
      requestAnimationFrame(finish);
      document.addEventListener('visibilitychange', finish);
    }));
  }
  let eventWaiter = null;
  function eventArrived() {
    const wake = eventWaiter;
    eventWaiter = null;
    if (wake) wake();
  }
  function eventOrTimeout(ms) {
    return sleep(new Promise((resolve) => {
      eventWaiter = resolve;
      setTimeout(eventArrived, ms);
    }));
  }

  // ---- frames a test holds: the game stops before a frame until the test lets it go on ----
  // `limit`: the last frame the game may run (null: no limit).
  // A page in virtual time waits before its first frame until a test lets it go on.
  const hold = {limit: setting('virtual') ? -1 : null, frame: -1, release: null, reached: null};
  function heldBefore(frame) {
    return hold.limit !== null && frame > hold.limit;
  }
  function holdBefore(frame) {
    if (!heldBefore(frame)) return Promise.resolve();
    hold.frame = frame;
    audio.pause(true);
    if (hold.reached) {
      const reached = hold.reached;
      hold.reached = null;
      reached(frame - 1);
    }
    return new Promise((resolve) => {
      hold.release = () => {
        hold.release = null;
        audio.pause(false);
        resolve();
      };
    });
  }
  // Lets the game run up to and including `frame` (null: on and on); resolves with that frame
  // once it has run and the game is held before the next.
  function runTo(frame) {
    return new Promise((resolve) => {
      hold.limit = frame;
      hold.reached = frame === null ? null : resolve;
      if (frame === null) resolve(null);
      if (hold.release && !heldBefore(hold.frame)) hold.release();
    });
  }

  // ---- sound: the game's mixer fills a queue that Web Audio plays ----
  const audio = (function () {
    let context = null, node = null, ready = false, rate = 44100;
    let pushed = 0, played = 0, playedAt = 0, underruns = 0, paused = false;
    let counted = 0;  // underruns reported while the game was running
    let lastReport = 0;
    let peak = 0;  // the loudest sample pushed since the last look
    // The sound queued ahead of the speakers: enough to bridge a busy moment of the page, little
    // enough that a sound is heard at once. The game's frames top it up, and so does the page
    // whenever it runs low between them.
    const targetMs = 40;
    const fallbackQueue = [];
    let fallbackOffset = 0;

    function report(message) {
      played = message.played;
      playedAt = performance.now();
      if (message.underruns > lastReport && !paused && !document.hidden)
        counted += message.underruns - lastReport;
      lastReport = message.underruns;
      // The game's mixer fills the queue up again now, unless the game is in the middle of a
      // frame (it tops up at the frame's end then).
      if (asleep && !paused && framesWanted() > 0) Module._tq_web_top_up_audio();
    }
    function startWorklet(loaded) {
      loaded.then(() => {
        node = new AudioWorkletNode(context, 'tannenquirl-output',
                                    {numberOfInputs: 0, outputChannelCount: [2]});
        node.port.onmessage = (e) => report(e.data);
        node.connect(context.destination);
        ready = true;
      }).catch(startScriptProcessor);
    }
    // Where worklets are not allowed (a page not served from a secure address), a script
    // processor plays the queue on the page's own thread.
    function startScriptProcessor() {
      node = context.createScriptProcessor(1024, 0, 2);
      let dry = false;
      node.onaudioprocess = (e) => {
        const left = e.outputBuffer.getChannelData(0), right = e.outputBuffer.getChannelData(1);
        let i = 0;
        while (i < left.length && fallbackQueue.length) {
          const [l, r] = fallbackQueue[0];
          const n = Math.min(left.length - i, l.length - fallbackOffset);
          left.set(l.subarray(fallbackOffset, fallbackOffset + n), i);
          right.set(r.subarray(fallbackOffset, fallbackOffset + n), i);
          i += n;
          fallbackOffset += n;
          if (fallbackOffset === l.length) { fallbackQueue.shift(); fallbackOffset = 0; }
        }
        left.fill(0, i);
        right.fill(0, i);
        const underran = i < left.length && pushed > 0;
        if (underran && !dry) ++underruns;
        dry = underran;
        report({played: played + i, underruns});
      };
      node.connect(context.destination);
      ready = true;
    }
    // The page made the context while the pictures and sounds arrived (Module.tqAudioContext);
    // without, it is made here.
    function open(sampleRate) {
      rate = sampleRate;
      context = Module.tqAudioContext;
      let worklet = Module.tqAudioWorklet;
      if (!context) {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return false;
        try {
          context = new Context({sampleRate, latencyHint: 'interactive'});
        } catch (e) {
          return false;
        }
        if (context.audioWorklet && window.isSecureContext)
          worklet = context.audioWorklet.addModule('audio-output.js');
      }
      if (worklet) {
        startWorklet(worklet);
      } else {
        startScriptProcessor();
      }
      // Browsers start sound only after the player has done something on the page.
      const resume = () => {
        if (context && context.state !== 'running') context.resume();
      };
      for (const type of ['pointerdown', 'touchend', 'keydown'])
        window.addEventListener(type, resume, {capture: true});
      return true;
    }
    function running() {
      return context && ready && context.state === 'running';
    }
    function queued() {
      const since = playedAt ? (performance.now() - playedAt) * rate / 1000 : 0;
      return Math.max(0, pushed - played - since);
    }
    function framesWanted() {
      if (!running() || paused) return 0;
      const want = Math.ceil(targetMs * rate / 1000 - queued());
      return want > 0 ? Math.min(want, rate) : 0;
    }
    function push(samples, frames) {
      const left = new Float32Array(frames), right = new Float32Array(frames);
      let from = samples >> 1, loudest = 0;
      for (let i = 0; i < frames; ++i) {
        const l = HEAP16[from++], r = HEAP16[from++];
        left[i] = l / 32768;
        right[i] = r / 32768;
        loudest = Math.max(loudest, Math.abs(l), Math.abs(r));
      }
      peak = Math.max(peak, loudest);
      pushed += frames;
      if (node && node.port) {
        node.port.postMessage([left, right], [left.buffer, right.buffer]);
      } else {
        fallbackQueue.push([left, right]);
      }
    }
    function close() {
      if (node) node.disconnect();
      if (context) context.close();
      context = node = null;
      ready = false;
    }
    // A held or hidden game feeds nothing: the silence then is no underrun.
    function pause(on) {
      paused = on;
    }
    return {
      open, framesWanted, push, close, pause,
      state: () => (context ? context.state : 'none'),
      // What the page reports: underruns while the game ran, the loudest sample since the last
      // look, and how long a sound takes from the mixer to the speakers.
      stats: () => {
        const loudest = peak;
        peak = 0;
        const outputMs = context ? ((context.baseLatency || 0) + (context.outputLatency || 0)) * 1000 : 0;
        return {underruns: counted, peak: loudest, queuedMs: queued() * 1000 / rate, targetMs,
                outputMs, kind: node && node.port ? 'worklet' : 'script-processor'};
      },
    };
  })();

  // ---- the saves: /saves is a folder in IndexedDB, written back whenever it changes ----
  const saves = (function () {
    let folder = null, kept = false, written = '', syncing = null;
    function signature() {
      const parts = [];
      const walk = (path) => {
        for (const name of FS.readdir(path)) {
          if (name === '.' || name === '..') continue;
          const full = path + '/' + name, stat = FS.stat(full);
          if (FS.isDir(stat.mode)) walk(full);
          else parts.push(full + ':' + stat.size + ':' + stat.mtime.getTime());
        }
      };
      walk(folder);
      return parts.sort().join('|');
    }
    function sync(fromStorage) {
      return new Promise((resolve) => FS.syncfs(fromStorage, (error) => resolve(!error)));
    }
    // Writes the folder back when it changed; one write at a time.
    async function flush() {
      if (!kept) return true;
      while (syncing) await syncing;
      const now = signature();
      if (now === written) return true;
      syncing = sync(false);
      const ok = await syncing;
      syncing = null;
      if (ok) written = now;
      return ok;
    }
    async function mount(path) {
      folder = path;
      FS.mkdir(path);
      try {
        FS.mount(IDBFS, {}, path);
        kept = await sync(true);
      } catch (e) {
        kept = false;
      }
      if (!kept) return false;
      written = signature();
      setInterval(flush, 500);
      const leaving = () => { flush(); };
      document.addEventListener('visibilitychange', leaving);
      window.addEventListener('pagehide', leaving);
      return true;
    }
    // The recorded rounds kept with the saves: [{name, bytes, modified}], newest first.
    function rounds() {
      const where = folder + '/rounds';
      if (!folder || !FS.analyzePath(where).exists) return [];
      const found = [];
      for (const name of FS.readdir(where)) {
        if (!name.endsWith('.tqround')) continue;
        const stat = FS.stat(where + '/' + name);
        if (FS.isFile(stat.mode)) found.push({name, bytes: stat.size, modified: stat.mtime});
      }
      return found.sort((a, b) => b.modified - a.modified);
    }
    function readRound(name) {
      return FS.readFile(folder + '/rounds/' + name);
    }
    return {mount, flush, rounds, readRound, kept: () => kept,
            files: () => (folder ? signature() : '')};
  })();

  // ---- the text field that raises a phone's keyboard when the game wants text ----
  let textWanted = false;
  function field() {
    return document.getElementById('text-entry');
  }
  function setTextWanted(wanted) {
    textWanted = wanted;
    if (!wanted && field()) field().blur();
    if (page().textWanted) page().textWanted(wanted);
  }
  function raiseKeyboard() {
    if (textWanted && field()) field().focus({preventScroll: true});
  }
  function typingInTextField() {
    return !!field() && document.activeElement === field();
  }
  // A phone's keyboard sends text, not keys. The field keeps one space, so that Backspace has
  // something to delete (and so reports itself) even when the game's text is empty.
  function watchTextField() {
    const input = field();
    if (!input) return;
    const Back = 0x08, Return = 0x0d;
    const reset = () => { input.value = ' '; input.setSelectionRange(1, 1); };
    reset();
    input.addEventListener('input', (e) => {
      if (e.inputType === 'deleteContentBackward') {
        Module._tq_web_key_clicked(Back);
      } else if (e.inputType === 'insertLineBreak') {
        Module._tq_web_key_clicked(Return);
      } else {
        const text = input.value.replace(/^ /, '');
        if (text) Module.ccall('tq_web_typed_text', null, ['string'], [text]);
      }
      reset();
    });
    input.addEventListener('focus', reset);
  }
  if (typeof document !== 'undefined') {
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', watchTextField);
    else watchTextField();
  }

  // ---- a recorded round to play back: "?replay=URL" in the page's address (the page fetched it
  // into the file system) or "?watch=NAME", one of the rounds kept with the saves ----
  const RoundName = /^[\w.-]+\.tqround$/;
  function replayPath() {
    if (Module.tqReplayFile) return Module.tqReplayFile;
    const name = query.get('watch');
    return name && RoundName.test(name) ? '/saves/rounds/' + name : '';
  }

  // ---- the mouse (or a pen), through pointer events; fingers are the touch events' ----
  // A press counts on the picture only (a press on the page's buttons is not the game's); the
  // picture then holds the pointer, so that its moves and its release reach the game even
  // beyond the browser's window. Moves anywhere bring the cursor to the picture's edges.
  let pointerListeners = null;
  // The bit of PointerEvent.buttons that stands for PointerEvent.button.
  const ButtonBits = [1, 4, 2, 8, 16];
  function listenToPointer() {
    const canvas = Module.canvas;
    const mouseLike = (e) => e.pointerType !== 'touch';
    const button = (down, e) => Module._tq_web_pointer_button(down ? 1 : 0, e.button, e.clientX, e.clientY);
    const move = (e) => Module._tq_web_pointer_moved(e.clientX, e.clientY, e.buttons);
    const listeners = [
      [canvas, 'pointerdown', (e) => {
        if (!mouseLike(e)) return;
        // No text selection, no dragging of the picture, no mouse events after it.
        e.preventDefault();
        canvas.setPointerCapture(e.pointerId);
        button(true, e);
      }],
      [window, 'pointermove', (e) => {
        if (!mouseLike(e)) return;
        // A second button pressed or released while one is held comes as a move that names it.
        if (e.button >= 0 && e.button < ButtonBits.length) {
          const down = (e.buttons & ButtonBits[e.button]) !== 0;
          if (!down || canvas.hasPointerCapture(e.pointerId)) button(down, e);
        }
        move(e);
      }],
      [window, 'pointerup', (e) => { if (mouseLike(e)) { button(false, e); move(e); } }],
      // The browser took the pointer away: nothing stays held.
      [window, 'pointercancel', (e) => {
        if (mouseLike(e)) Module._tq_web_pointer_moved(e.clientX, e.clientY, 0);
      }],
    ];
    // (No destructuring in these loops: the build's minifier mangles it.)
    for (const l of listeners) l[0].addEventListener(l[1], l[2]);
    pointerListeners = listeners;
  }
  function forgetPointer() {
    for (const l of pointerListeners || []) l[0].removeEventListener(l[1], l[2]);
    pointerListeners = null;
  }

  // ---- full screen ----
  function toggleFullScreen() {
    if (page().toggleFullScreen) page().toggleFullScreen();
  }

  // ---- frame times, measured by the backend ----
  const frames = {work: [], upload: [], recording: false};
  // (A fast page leaves frames out of the canvas: their upload is -1, and not counted.)
  function frameMeasured(workMs, uploadMs) {
    if (!frames.recording) return;
    frames.work.push(workMs);
    if (uploadMs >= 0) frames.upload.push(uploadMs);
  }

  // ---- the pictures and sounds beyond the start screen's, arriving while it shows ----
  let packArrived = null;
  const packHere = new Promise((resolve) => { packArrived = resolve; });
  let wholePackHere = false;
  function wholePack() {
    if (page().waitingForPack) page().waitingForPack(true);
    audio.pause(true);
    return packHere.then(() => {
      audio.pause(false);
      if (page().waitingForPack) page().waitingForPack(false);
    });
  }

  return {
    setting, present, wholePack,
    // The game is running on its backend: the page's test hooks work from now on.
    started: () => { if (page().started) page().started(); },
    wholePackHere: () => wholePackHere,
    // The page has unpacked the rest of the pictures and sounds.
    packComplete: () => { wholePackHere = true; packArrived(); }, gamePoint, nextFrame, eventArrived, eventOrTimeout, heldBefore,
    holdBefore, runTo, audio, saves, replayPath, setTextWanted, raiseKeyboard, typingInTextField,
    toggleFullScreen, frames, frameMeasured, listenToPointer, forgetPointer,
    messageBox: (text, caption, error) =>
      sleep(page().messageBox ? page().messageBox(text, caption, error) : Promise.resolve()),
    loopEnded: () => { if (page().loopEnded) page().loopEnded(); },
    gameEnded: (code) => {
      saves.flush().then(() => { if (page().gameEnded) page().gameEnded(code); });
    },
  };
})();
