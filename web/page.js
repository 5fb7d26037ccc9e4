// The page around the game: it fetches the asset pack (gzipped) with a progress bar, unpacks it,
// starts the game, and shows what the game asks for: its message boxes, the full screen, the end
// with an offer to start again. window.tq is the hook tests and measurements drive it with.
(function () {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const stage = $('stage'), canvas = $('canvas');
  const show = (element, visible) => { element.hidden = !visible; };
  const started = performance.now();
  const timings = {};

  function setStatus(text) {
    $('status').textContent = text;
  }
  function setProgress(fraction) {
    $('progress').style.width = (Math.min(1, Math.max(0, fraction)) * 100).toFixed(1) + '%';
  }
  function fail(text) {
    show($('loading'), false);
    show($('ended'), true);
    $('ended').querySelector('h2').textContent = 'Das Spiel kann nicht laufen.';
    $('ended-text').textContent = text;
  }

  // ---- message boxes: the game waits until the player has read them ----
  function messageBox(text, caption) {
    return new Promise((resolve) => {
      $('message-caption').textContent = caption;
      $('message-text').textContent = text;
      show($('message'), true);
      const ok = $('message-ok');
      ok.focus();
      const done = (e) => {
        if (e.type === 'keydown' && e.key !== 'Enter' && e.key !== 'Escape' && e.key !== ' ') return;
        e.preventDefault();
        e.stopPropagation();
        ok.removeEventListener('click', done);
        window.removeEventListener('keydown', done, true);
        show($('message'), false);
        canvas.focus();
        resolve();
      };
      ok.addEventListener('click', done);
      window.addEventListener('keydown', done, true);
    });
  }

  // ---- full screen; Escape stays the game's where the browser lets the page keep it ----
  const Escape = {
    locked: 'Vollbild: Escape halten verlässt den Vollbildmodus.',
    unlocked: 'Escape verlässt hier den Vollbildmodus; danach führt Escape zurück ins Menü. ' +
              'Alt+Enter oder der Knopf unten links wechselt wieder ins Vollbild.',
  };
  let noteTimer = 0;
  function note(text) {
    $('note').textContent = text;
    show($('note'), true);
    clearTimeout(noteTimer);
    noteTimer = setTimeout(() => show($('note'), false), 6000);
  }
  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
      return;
    }
    if (!stage.requestFullscreen) return;
    stage.requestFullscreen({navigationUI: 'hide'}).then(() => {
      if (navigator.keyboard && navigator.keyboard.lock) {
        navigator.keyboard.lock(['Escape']).then(() => note(Escape.locked),
                                                  () => note(Escape.unlocked));
      } else {
        note(Escape.unlocked);
      }
    }, () => {});
  }
  $('fullscreen-button').addEventListener('click', (e) => {
    e.currentTarget.blur();
    toggleFullScreen();
  });
  $('help-button').addEventListener('click', (e) => {
    e.currentTarget.blur();
    show($('help'), $('help').hidden);
  });
  $('help-close').addEventListener('click', () => show($('help'), false));
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  // ---- the recorded rounds kept with the saves, to download or watch ----
  const query = new URLSearchParams(location.search);
  const replaying = query.has('replay') || query.has('watch');
  let roundLinks = [];
  function listRounds() {
    const list = $('rounds-list');
    list.textContent = '';
    for (const link of roundLinks) URL.revokeObjectURL(link);
    roundLinks = [];
    const rounds = Module.tqWeb ? Module.tqWeb.saves.rounds() : [];
    show($('rounds-none'), rounds.length === 0);
    for (const round of rounds) {
      const row = document.createElement('tr');
      const what = round.name === 'last.tqround' ? 'Letzte Runde' : 'Runde der Bestenliste';
      const when = round.modified.toLocaleString('de-DE', {dateStyle: 'short', timeStyle: 'short'});
      const cells = [what, when, (round.bytes / 1024).toFixed(1) + ' KB'];
      for (const text of cells) {
        const cell = document.createElement('td');
        cell.textContent = text;
        row.appendChild(cell);
      }
      const links = document.createElement('td');
      const download = document.createElement('a');
      download.textContent = 'Herunterladen';
      download.download = round.name;
      download.href = URL.createObjectURL(new Blob([Module.tqWeb.saves.readRound(round.name)],
                                                   {type: 'application/octet-stream'}));
      roundLinks.push(download.href);
      const watch = document.createElement('a');
      watch.textContent = 'Ansehen';
      watch.href = '?watch=' + encodeURIComponent(round.name);
      links.append(download, ' ', watch);
      row.appendChild(links);
      list.appendChild(row);
    }
  }
  $('rounds-button').addEventListener('click', (e) => {
    e.currentTarget.blur();
    if ($('rounds').hidden) listRounds();
    show($('rounds'), $('rounds').hidden);
  });
  $('rounds-close').addEventListener('click', () => show($('rounds'), false));

  // ---- the end ----
  function gameEnded(code) {
    if (document.fullscreenElement) document.exitFullscreen();
    show($('hint'), false);
    if (replaying) {
      $('ended').querySelector('h2').textContent = 'Die Wiedergabe ist zu Ende.';
      $('ended-text').textContent = code === 0 ? '' : 'Die Runde konnte nicht abgespielt werden.';
      $('restart').textContent = 'Selbst spielen';
    } else if (code !== 0) {
      $('ended-text').textContent = 'Das Spiel wurde mit Code ' + code + ' beendet.';
    }
    show($('ended'), true);
    stage.classList.add('ended');
    $('restart').focus();
    tq.ended = code;
  }
  $('restart').addEventListener('click', () => {
    if (replaying) location.search = '';
    else location.reload();
  });

  window.Module = {
    canvas,
    // The pictures and sounds are the game's to read: the browser decodes none of them.
    noImageDecoding: true,
    noAudioDecoding: true,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onAbort: (what) => fail('Ein Fehler hat das Spiel angehalten (' + what + '). ' +
                            'Lade die Seite neu, um es noch einmal zu versuchen.'),
    preRun: [],
    tqPage: {
      started: () => { tq.ready = true; },
      // The game's state as its last frame left it (the end of a replay is compared by it).
      loopEnded: () => { tq.finalState = tq.state(); },
      messageBox,
      toggleFullScreen,
      gameEnded,
      textWanted: (wanted) => show($('hint'), wanted && matchMedia('(pointer: coarse)').matches),
      firstFrame: () => {
        show($('loading'), false);
        timings.firstFrameMs = performance.now() - started;
      },
      waitingForPack: (waiting) => {
        setStatus('Bilder und Töne werden geladen …');
        show($('loading'), waiting);
      },
    },
  };

  // ---- the asset pack: fetched gzipped and unpacked as it arrives, in two parts: the start
  // screen's picture, with which the game starts, and the rest, which arrives while it shows.
  // The rest is big: a worker fetches and unpacks it, so that the page's thread stays free for
  // the game meanwhile. ----
  async function fetchStartPart(part) {
    const response = await fetch(part.file);
    if (!response.ok || !response.body) throw new Error(part.file + ': ' + response.status);
    const bytes = await new Response(response.body.pipeThrough(new DecompressionStream('gzip')))
                      .arrayBuffer();
    if (bytes.byteLength !== part.bytes) throw new Error(part.file + ' ist beschädigt.');
    return bytes;
  }
  function fetchRestPart(part, arriving) {
    return new Promise((resolve, reject) => {
      const worker = new Worker('pack-worker.js');
      worker.onmessage = (e) => {
        if (e.data.error) reject(new Error(e.data.error));
        if (e.data.arrived) arriving(e.data.arrived);
        if (e.data.unpacked) resolve(e.data.unpacked);
        if (e.data.error || e.data.unpacked) worker.terminate();
      };
      worker.onerror = (e) => reject(new Error(e.message || 'pack-worker.js'));
      worker.postMessage(part);
    });
  }

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = () => reject(new Error(src));
      document.body.appendChild(script);
    });
  }

  // Making the sound output takes the browser a moment: it is done while the pack arrives. (The
  // game plays at 44.1 kHz; a browser that cannot gets the sound resampled.)
  function prepareSound() {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      Module.tqAudioContext = new Context({sampleRate: 44100, latencyHint: 'interactive'});
    } catch (e) {
      try {
        Module.tqAudioContext = new Context({latencyHint: 'interactive'});
      } catch (e2) {
        return;
      }
    }
    if (Module.tqAudioContext.audioWorklet && window.isSecureContext)
      Module.tqAudioWorklet = Module.tqAudioContext.audioWorklet.addModule('audio-output.js');
  }

  const runtimeReady = new Promise((resolve) => {
    Module.onRuntimeInitialized = () => {
      timings.runtimeMs = performance.now() - started;
      resolve();
    };
  });

  // "?replay=URL": the recorded round is fetched and put where the game reads it before it starts.
  function fetchReplay() {
    const url = query.get('replay');
    if (!url) return;
    const round = fetch(url).then((response) => {
      if (!response.ok) throw new Error(url + ': ' + response.status);
      return response.arrayBuffer();
    });
    Module.preRun.push(() => {
      Module.addRunDependency('replay');
      round.then((bytes) => {
        Module.FS_createPath('/', 'replay', true, true);
        Module.FS_createDataFile('/replay', 'round.tqround', new Uint8Array(bytes), true, true, true);
        Module.tqReplayFile = '/replay/round.tqround';
        Module.removeRunDependency('replay');
      }, (error) => fail('Die aufgenommene Runde kann nicht geladen werden: ' + error.message));
    });
  }

  async function start() {
    try {
      const packInfo = fetch('pack.json');
      prepareSound();
      fetchReplay();
      // The game's code loads meanwhile; it starts once the start screen's picture is in /data.
      let startPicture = null;
      const startPictureHere = new Promise((resolve) => { startPicture = resolve; });
      Module.preRun.push(() => {
        Module.addRunDependency('start screen');
        startPictureHere.then(([path, bytes]) => {
          const slash = path.lastIndexOf('/');
          Module.FS_createPath('/', path.slice(1, slash), true, true);
          Module.FS_createDataFile(path.slice(0, slash), path.slice(slash + 1),
                                   new Uint8Array(bytes), true, true, true);
          Module.removeRunDependency('start screen');
        });
      });
      const code = loadScript('tannenquirl.js');
      const pack = await (await packInfo).json();
      if (typeof DecompressionStream === 'undefined')
        throw new Error('Dieser Browser kann das Datenpaket nicht entpacken.');
      startPicture([pack.start.path, await fetchStartPart(pack.start)]);
      timings.startPartMs = performance.now() - started;
      const rest = fetchRestPart(pack.rest, (bytes) => setProgress(bytes / pack.rest.gzipBytes));
      await code;
      timings.scriptMs = performance.now() - started;
      const parts = {'tannenquirl-data.bin': await rest};
      timings.restPartMs = performance.now() - started;
      // Its script unpacks it at once, the game's runtime being there.
      await runtimeReady;
      Module.getPreloadedPackage = (name) => parts[name];
      await loadScript(pack.rest.loader);
      delete parts['tannenquirl-data.bin'];
      timings.packMs = performance.now() - started;
      Module.tqWeb.packComplete();
    } catch (e) {
      fail('Die Daten des Spiels konnten nicht geladen werden: ' + e.message);
    }
  }

  // ---- the hook for tests and measurements ----
  const tq = window.tq = {
    timings,
    // The game is running (its test hooks work).
    ready: false,
    ended: null,
    finalState: null,
    // Lets the game run up to and including `frame` and resolves once it has run (in virtual
    // time, ?virtual=STEP in the address, the game waits before its first frame); null lets it
    // run on freely.
    runTo: (frame) => Module.tqWeb.runTo(frame),
    state: () => JSON.parse(Module.UTF8ToString(Module._tq_test_state())),
    // Where a shot would hit something now ({x, y}), or null.
    aim: () => {
      const packed = Module._tq_test_aim();
      return packed < 0 ? null : {x: packed & 0xffff, y: packed >> 16};
    },
    cursor: () => {
      const packed = Module._tq_test_cursor();
      return {x: packed & 0xffff, y: packed >> 16};
    },
    audio: () => Module.tqWeb.audio.stats(),
    // tqdriver's built-in player plays `rounds` rounds (0: on and on), then closes the game.
    autoplay: (rounds) => Module._tq_test_autoplay(rounds),
    audioState: () => Module.tqWeb.audio.state(),
    flushSaves: () => Module.tqWeb.saves.flush(),
    rounds: () => Module.tqWeb.saves.rounds().map((r) => r.name),
    // The busy playing frame as tq_bench measures it, in ms (after this the page only measures).
    busyFrameMs: (frames, panorama) => Module._tq_bench_busy_frame_ms(frames, panorama ? 1 : 0),
    // Starts (true) or ends (false) recording every frame's work and picture upload, in ms.
    recordFrames: (on) => {
      const frames = Module.tqWeb.frames;
      if (on) {
        frames.work = [];
        frames.upload = [];
      }
      frames.recording = on;
      return {work: frames.work, upload: frames.upload};
    },
  };

  start();
})();
