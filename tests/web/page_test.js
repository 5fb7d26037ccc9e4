// The built page in a real browser (Debian's Chromium), served over HTTP as any static host
// would, played with real mouse, keyboard and touch events.
//
//   node page_test.js CASE
//
// with TQ_WEB_SITE (the built page), TQ_GOLDEN_FRAMES (the Linux build's golden frames),
// TQ_WEB_SHOTS (where the screenshots go), TQ_DATA_DIR, TQ_MAKE_PACK and TQ_FILE_PACKAGER (to pack
// a damaged copy of the pictures and sounds), TQ_REPLAYS (the rounds recorded on Linux) and
// TQ_DRIVER (tqdriver, to replay a round recorded in the page) in the environment. Each case is
// one ctest test (tests/CMakeLists.txt). The game runs in virtual time where a case compares
// pictures or states with the Linux build's: the page's test hook holds it before a frame, the
// case sends its input, then lets it run on, as tqdriver's scripts do.
'use strict';
const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFileSync} = require('child_process');
const {launch, openPage, pageLog} = require('./browser');

const caseName = process.argv[2];
const site = process.env.TQ_WEB_SITE;
const shots = process.env.TQ_WEB_SHOTS;

const GameScreen = {start: -1, menu: 1, game: 2};
const Menu = {start: [600, 222], highScores: [600, 290], credits: [600, 355], back: [200, 510],
              quit: [600, 600 - 58]};

function golden() {
  const frames = {};
  for (const line of fs.readFileSync(process.env.TQ_GOLDEN_FRAMES, 'utf8').split('\n')) {
    const [name, digest] = line.trim().split(/\s+/);
    if (name) frames[name] = digest;
  }
  return frames;
}

async function screenshot(game, name) {
  fs.mkdirSync(shots, {recursive: true});
  await game.page.screenshot({path: path.join(shots, name + '.png')});
}

// Waits (in real time) until `test` holds for the game's state.
async function waitForState(game, test, what, seconds = 60) {
  const until = Date.now() + seconds * 1000;
  for (;;) {
    const state = await game.state();
    if (test(state)) return state;
    if (Date.now() > until) throw new Error('waited in vain for ' + what + ': ' + JSON.stringify({
      frame: state.frame, screen: state.screen, menu: state.menu, score: state.score}));
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

// From the menu into a round: "Spiel starten", then the loading screen and its hold.
async function startRound(game, frame) {
  await game.mouseTo(...Menu.start);
  await game.page.mouse.down();
  frame = await game.runTo(frame + 1);
  await game.page.mouse.up();
  for (;;) {
    frame = await game.runTo(frame + 25);
    const state = await game.state();
    if (state.screen === GameScreen.game && state.roundEnd > state.clock) return frame;
  }
}

// Shoots where the built-in player would, `frames` frames apart, until `enough` says so or the
// round is over; reloads when the magazine is empty. With the mouse (real clicks, the right
// button reloads) or by touch (taps, a second finger's tap reloads).
async function shootAround(game, frame, enough, {frames = 6, limit = 6000, touch = false} = {}) {
  const mouse = {
    fire: (x, y) => game.click(x, y),
    reload: () => game.click(400, 300, 'right'),
    look: (x, y) => game.mouseTo(x, y),
  };
  const fingers = {
    fire: (x, y) => game.tap(x, y),
    reload: async () => {
      const holding = await game.fingerDown(200, 300);
      await game.tap(500, 300);
      await game.fingerUp(holding);
    },
    look: async (x, y) => {
      const finger = await game.fingerDown(x - 30, y);
      await game.fingerMove(finger, x, y);
      await game.fingerUp(finger);
    },
  };
  const input = touch ? fingers : mouse;
  for (const end = frame + limit; frame < end;) {
    const state = await game.state();
    if (state.screen !== GameScreen.game || enough(state)) return {frame, state};
    if (state.weapon.rounds === 0) {
      await input.reload();
    } else {
      const target = await game.aim();
      if (target) {
        await input.fire(target.x, target.y);
      } else {
        await input.look(780, 300);  // nothing in sight: look further
      }
    }
    frame = await game.runTo(frame + frames);
  }
  throw new Error('the round went on and on');
}

// A copy of the built page in `work`/site, its files linked: those `keep` says.
function siteBeside(work, keep) {
  const copy = path.join(work, 'site');
  fs.mkdirSync(copy);
  for (const file of fs.readdirSync(site)) {
    if (keep(file)) fs.symlinkSync(path.join(site, file), path.join(copy, file));
  }
  return copy;
}

const cases = {
  // The page loads with a progress bar and shows the start screen; in virtual time its canvas
  // shows the very pixels of the Linux build's golden frames, played with real mouse input
  // through the menu and its windows.
  async ShowsTheLinuxFrames(browser) {
    const game = await openPage(browser, site, '?virtual=20&fast');
    const loading = await game.page.evaluate(() => !document.getElementById('loading').hidden);
    assert.ok(loading, 'the loading panel shows first');
    const expected = golden();
    const seen = {};
    const shot = async (name) => { seen[name] = await game.frameDigest(); };
    const press = async (x, y, frame) => {
      await game.mouseTo(x, y);
      await game.page.mouse.down();
      await game.runTo(frame);
      await game.page.mouse.up();
    };
    await game.runTo(100);
    await shot('start_screen');
    await screenshot(game, 'start-screen');
    await game.runTo(219);
    await game.mouseTo(600, 300);
    await game.runTo(230);
    await shot('menu');
    await game.runTo(239);
    await press(...Menu.highScores, 240);
    await game.runTo(300);
    await shot('highscore_window');
    await game.runTo(309);
    await press(...Menu.back, 310);
    await game.runTo(350);
    await shot('menu_after_back');
    await game.runTo(359);
    await press(...Menu.credits, 360);
    await game.runTo(400);
    await shot('credits_window');
    for (const name of Object.keys(seen))
      assert.equal(seen[name], expected[name], name + ' differs from the Linux frame');
    const progress = await game.page.evaluate(() => document.getElementById('progress').style.width);
    assert.equal(parseFloat(progress), 100, 'the progress bar ran to its end');
    const timings = await game.page.evaluate(() => tq.timings);
    console.log('page timings (ms since the page started):', JSON.stringify(timings));
    await game.close();
  },

  // A round with the mouse and the keyboard: shots that score, a reload, a weapon switch once
  // the bells have given the crossbow, Escape back to the menu, and Alt+X to the end, which the
  // page follows with its offer to play again.
  async PlaysWithMouseAndKeyboard(browser) {
    const game = await openPage(browser, site, '?virtual=16&fast', {width: 1024, height: 640});
    let frame = await game.runTo(300);
    frame = await startRound(game, frame);
    let state = await game.state();
    assert.equal(state.weapon.selected, 1, 'the round starts with the shotgun');

    // Shots that score.
    ({frame, state} = await shootAround(game, frame, (s) => s.score > 0));
    assert.ok(state.score > 0, 'a shot scored');
    await screenshot(game, 'in-a-round');

    // A reload after a shot, the right button pressed while the left is still held: the browser
    // reports that press as a move of the pointer.
    const target = (await game.aim()) || {x: 400, y: 300};
    await game.mouseTo(target.x, target.y);
    await game.page.mouse.down();
    frame = await game.runTo(frame + 2);
    const fired = (await game.state()).weapon.rounds;
    await game.page.mouse.down({button: 'right'});
    frame = await game.runTo(frame + 1);
    await game.page.mouse.up({button: 'right'});
    await game.page.mouse.up();
    frame = await game.runTo(frame + 120);
    state = await game.state();
    assert.ok(state.weapon.rounds > fired, `reloaded: ${fired} rounds, then ${state.weapon.rounds}`);

    // The built-in player's aim rings the bells first, which unlock the crossbow.
    ({frame, state} = await shootAround(game, frame, (s) => s.weapon.crossbow > 0,
                                         {frames: 4, limit: 20000}));
    await game.page.keyboard.press('Digit2');
    frame = await game.runTo(frame + 3);
    assert.equal((await game.state()).weapon.selected, 2, 'key 2 takes the crossbow');
    await game.page.keyboard.press('Digit1');
    frame = await game.runTo(frame + 3);
    assert.equal((await game.state()).weapon.selected, 1, 'key 1 takes the shotgun back');

    // Escape leaves the round for the menu; Alt+X ends the game.
    await game.page.keyboard.press('Escape');
    frame = await game.runTo(frame + 60);
    assert.equal((await game.state()).screen, GameScreen.menu, 'Escape leads back to the menu');
    await game.page.keyboard.down('Alt');
    await game.page.keyboard.press('KeyX');
    await game.page.keyboard.up('Alt');
    await game.runTo(null);
    await game.page.waitForFunction(() => tq.ended !== null, {timeout: 20000});
    assert.equal(await game.page.evaluate(() => tq.ended), 0, 'Alt+X closes the game');
    const offer = await game.page.evaluate(() => !document.getElementById('ended').hidden);
    assert.ok(offer, 'the page offers to play again');
    await screenshot(game, 'ended');
    await game.close();
  },

  // A name typed after a round is in the high scores after the page is loaded again: the saves
  // live in the browser's IndexedDB. It is typed on a German keyboard and, as on a phone, by a
  // tap on the picture that raises the on-screen keyboard, which sends text, not keys.
  async KeepsTheNameAfterAReload(browser) {
    const game = await openPage(browser, site, '?virtual=50&fast',
                                {width: 800, height: 600, hasTouch: true});
    let frame = await game.runTo(100);
    frame = await startRound(game, frame);
    let state;
    ({frame, state} = await shootAround(game, frame, (s) => s.score > 0, {frames: 4}));
    while (!state.menu.editing) {
      assert.ok(state.screen === GameScreen.game || frame < 20000,
                'the name entry opens after a round with points');
      frame = await game.runTo(frame + (state.screen === GameScreen.game ? 250 : 10));
      state = await game.state();
    }
    await game.page.keyboard.type('J');
    await game.key({key: 'ö', code: 'Semicolon', text: 'ö', windowsVirtualKeyCode: 0xc0});
    frame = await game.runTo(frame + 2);
    await game.tap(200, 300);
    const focused = await game.page.evaluate(
        () => document.activeElement === document.getElementById('text-entry'));
    assert.ok(focused, 'a tap raises the on-screen keyboard');
    await game.page.keyboard.sendCharacter('rgx');
    frame = await game.runTo(frame + 2);
    await game.page.keyboard.press('Backspace');
    frame = await game.runTo(frame + 5);
    await game.page.keyboard.press('Enter');
    frame = await game.runTo(frame + 5);
    state = await game.state();
    const entry = state.highScores.find((e) => e.name === 'Jörg');
    assert.ok(entry, 'the name is in the table: ' + JSON.stringify(state.highScores.slice(0, 3)));
    await game.runTo(null);
    assert.ok(await game.page.evaluate(() => tq.flushSaves()), 'the saves were written back');

    await game.page.reload();
    await game.page.waitForFunction(() => window.tq && tq.ready);
    await game.runTo(300);
    state = await game.state();
    const kept = state.highScores.find((e) => e.name === 'Jörg');
    assert.ok(kept, 'the name is still there after the reload');
    assert.equal(kept.score, entry.score);
    // The table as the player sees it.
    await game.mouseTo(...Menu.highScores);
    await game.page.mouse.down();
    await game.runTo(301);
    await game.page.mouse.up();
    await game.runTo(340);
    await screenshot(game, 'after-a-reload');
    await game.close();
  },

  // Touch: a finger put down aims, dragged it aims on without firing, a tap fires, a second
  // finger's tap reloads, two fingers swiped step the weapon, three fingers tapped go back to the
  // menu. Mouse presses the browser would make up from touches would count twice: none arrive.
  async PlaysWithTouch(browser) {
    const game = await openPage(browser, site, '?virtual=16&fast',
                                {width: 600, height: 800, hasTouch: true, isMobile: true});
    let frame = await game.runTo(300);
    await game.tap(...Menu.start);
    frame = await game.runTo(frame + 2);
    for (;;) {
      frame = await game.runTo(frame + 25);
      const state = await game.state();
      if (state.screen === GameScreen.game && state.roundEnd > state.clock) break;
    }
    let state = await game.state();
    const full = state.weapon.rounds;

    // A drag aims without firing.
    const finger = await game.fingerDown(300, 300);
    frame = await game.runTo(frame + 2);
    for (const x of [340, 380, 420]) {
      await game.fingerMove(finger, x, 320);
      frame = await game.runTo(frame + 2);
    }
    await game.fingerUp(finger);
    frame = await game.runTo(frame + 3);
    state = await game.state();
    assert.equal(state.weapon.rounds, full, 'dragging fired nothing');

    // A tap fires once, where it lands.
    const target = (await game.aim()) || {x: 400, y: 300};
    const score = state.score;
    await game.tap(target.x, target.y);
    frame = await game.runTo(frame + 3);
    state = await game.state();
    assert.equal(state.weapon.rounds, full - 1, 'one tap, one shot');

    // A second finger's tap reloads, and fires nothing.
    const holding = await game.fingerDown(200, 300);
    frame = await game.runTo(frame + 2);
    await game.tap(500, 300);
    frame = await game.runTo(frame + 2);
    await game.fingerUp(holding);
    frame = await game.runTo(frame + 120);
    state = await game.state();
    assert.equal(state.weapon.rounds, full, 'the second finger reloaded');
    console.log('a tap at the built-in player\'s aim scored', state.score - score);

    // Taps where the built-in player would shoot ring the bells, which give the crossbow; two
    // fingers swiped to the right take it, swiped to the left the shotgun again.
    ({frame, state} = await shootAround(game, frame, (s) => s.weapon.crossbow > 0,
                                         {frames: 4, limit: 20000, touch: true}));
    const swipe = async (dx) => {
      const a = await game.fingerDown(400 - dx / 2, 250), b = await game.fingerDown(400 - dx / 2, 350);
      for (const step of [0.25, 0.5, 0.75, 1]) {
        await game.fingerMove(a, 400 - dx / 2 + step * dx, 250);
        await game.fingerMove(b, 400 - dx / 2 + step * dx, 350);
      }
      await game.fingerUp(a);
      await game.fingerUp(b);
      frame = await game.runTo(frame + 3);
      return (await game.state()).weapon.selected;
    };
    assert.equal(await swipe(200), 2, 'a swipe to the right takes the crossbow');
    assert.equal(await swipe(-200), 1, 'a swipe to the left takes the shotgun back');

    // Three fingers tapped: back to the menu.
    const three = [];
    for (const x of [200, 400, 600]) three.push(await game.fingerDown(x, 200));
    frame = await game.runTo(frame + 1);
    for (const id of three) await game.fingerUp(id);
    frame = await game.runTo(frame + 60);
    assert.equal((await game.state()).screen, GameScreen.menu, 'three fingers lead to the menu');
    const gestures = await game.page.evaluate(() => document.getElementById('help').textContent);
    assert.match(gestures, /zwei Fingern/, 'the page lists the gestures');
    await game.close();
  },

  // A controller of the standard layout, polled each frame: its stick moves the cursor (not
  // inside the dead zone, slower the less it is tilted), A clicks a menu button, the right
  // trigger fires once it is pulled past half its travel, X reloads, Back leaves the round.
  async PlaysWithAGamepad(browser) {
    const game = await openPage(browser, site, '?virtual=16&fast', undefined, {gamepad: true});
    let frame = await game.runTo(300);
    const rest = await game.cursor();
    await game.pad({axes: [0.15, -0.1]});
    frame = await game.runTo(frame + 10);
    assert.deepEqual(await game.cursor(), rest, 'a stick inside its dead zone moves nothing');

    // Steered onto "Spiel starten", the stick let go, A pressed and let go.
    const [tx, ty] = Menu.start;
    for (let steps = 0;; ++steps) {
      assert.ok(steps < 300, 'the stick brings the cursor to the button');
      const at = await game.cursor();
      const dx = tx - at.x, dy = ty - at.y, distance = Math.hypot(dx, dy);
      if (distance < 10) break;
      const tilt = (0.35 + 0.65 * Math.min(1, distance / 250)) / distance;
      await game.pad({axes: [dx * tilt, dy * tilt]});
      frame = await game.runTo(frame + 1);
    }
    await game.pad({axes: [0, 0]});
    await game.pad({buttons: {0: 1}});
    frame = await game.runTo(frame + 2);
    await game.pad({buttons: {0: 0}});
    for (let state = await game.state(); !(state.screen === GameScreen.game &&
                                          state.roundEnd > state.clock);
         state = await game.state()) {
      assert.ok(frame < 2000, 'A started a round');
      frame = await game.runTo(frame + 25);
    }

    // The right trigger: a light pull fires nothing, a firm one fires once however long held.
    const full = (await game.state()).weapon.rounds;
    await game.pad({buttons: {7: 0.4}});
    frame = await game.runTo(frame + 5);
    assert.equal((await game.state()).weapon.rounds, full, 'a light pull fires nothing');
    await game.pad({buttons: {7: 0.8}});
    frame = await game.runTo(frame + 5);
    await game.pad({buttons: {7: 0}});
    frame = await game.runTo(frame + 5);
    assert.equal((await game.state()).weapon.rounds, full - 1, 'one pull, one shot');
    await game.pad({buttons: {2: 1}});
    frame = await game.runTo(frame + 2);
    await game.pad({buttons: {2: 0}});
    frame = await game.runTo(frame + 120);
    assert.equal((await game.state()).weapon.rounds, full, 'X reloaded');
    await game.pad({buttons: {8: 1}});
    frame = await game.runTo(frame + 2);
    await game.pad({buttons: {8: 0}});
    frame = await game.runTo(frame + 60);
    assert.equal((await game.state()).screen, GameScreen.menu, 'Back leads to the menu');
    await game.close();
  },

  // Sound, in real time: the audio context runs after the first click, a round's output is not
  // silent, and the page reports its underruns (a figure, not a test: this machine is shared).
  async PlaysSound(browser) {
    const game = await openPage(browser, site, '');
    await waitForState(game, (s) => s.screen === GameScreen.menu, 'the menu');
    assert.notEqual(await game.page.evaluate(() => tq.audioState()), 'running',
                    'no sound before the player has done anything');
    await game.click(...Menu.start);
    await game.page.waitForFunction(() => tq.audioState() === 'running', {timeout: 10000});
    await waitForState(game, (s) => s.screen === GameScreen.game && s.roundEnd > s.clock, 'a round');
    await game.page.evaluate(() => tq.audio());  // the peak from here on
    const until = Date.now() + 8000;
    while (Date.now() < until) {
      const target = await game.aim();
      if (target) await game.click(target.x, target.y);
      await new Promise((resolve) => setTimeout(resolve, 250));
    }
    const audio = await game.page.evaluate(() => tq.audio());
    console.log('sound:', JSON.stringify(audio));
    assert.ok(audio.peak > 1000, 'the round is heard: loudest sample ' + audio.peak);
    await game.close();
  },

  // The rounds recorded on Linux (tests/replays) play back in the page, on its own pictures and
  // sounds, to the score and the digest of the rules' state they reached there.
  async ReplaysTheLinuxRounds(browser) {
    const rounds = process.env.TQ_REPLAYS;
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tq-web-replays-'));
    try {
      const replaySite = siteBeside(work, () => true);
      for (const file of fs.readdirSync(rounds).filter((f) => f.endsWith('.tqround'))) {
        fs.copyFileSync(path.join(rounds, file), path.join(replaySite, file));
        const expected = {};
        for (const line of fs.readFileSync(path.join(rounds, file.replace(/tqround$/, 'expect')),
                                           'utf8').split('\n')) {
          const [key, value] = line.trim().split(/\s+/);
          if (key) expected[key] = value;
        }
        const game = await openPage(browser, replaySite, '?virtual=16&fast&replay=' + file);
        await game.runTo(null);
        await game.page.waitForFunction(
            () => tq.ended !== null || !document.getElementById('message').hidden,
            {timeout: 180000, polling: 250});
        const message = await game.page.evaluate(
            () => document.getElementById('message').hidden ? '' :
                  document.getElementById('message').textContent);
        assert.equal(message, '', file + ' plays back without a word');
        const state = await game.page.evaluate(() => tq.finalState);
        assert.equal(String(state.score), expected.score, file + ': the score');
        assert.equal(state.rulesDigest, expected.rulesDigest, file + ': the rules\' state');
        assert.equal(await game.page.evaluate(() => tq.ended), 0);
        await game.close();
      }

      // The watcher's Escape ends a replay early, without a word.
      const round = fs.readdirSync(rounds).find((f) => f.endsWith('.tqround'));
      const watched = await openPage(browser, replaySite, '?virtual=16&fast&replay=' + round);
      const frame = await watched.runTo(300);
      await watched.page.keyboard.press('Escape');
      await watched.runTo(null);
      await watched.page.waitForFunction(
          () => tq.ended !== null || !document.getElementById('message').hidden,
          {timeout: 60000, polling: 250});
      assert.equal(await watched.page.evaluate(() => tq.ended), 0, 'Escape ends the replay');
      const stoppedAt = await watched.page.evaluate(() => tq.finalState.frame);
      assert.ok(stoppedAt < frame + 10, 'the replay ended at the Escape, frame ' + stoppedAt);
      await watched.close();
    } finally {
      fs.rmSync(work, {recursive: true, force: true});
    }
  },

  // Every round played in the page is recorded and kept with the saves. The page offers it as a
  // download, and the Linux build plays the downloaded round back to the page's score; tqdriver
  // fails a replay that goes another way at any of the recording's checkpoints (the last at the
  // round's end) or ends before the recording does.
  async OffersItsRoundsForLinux(browser) {
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tq-web-rounds-'));
    try {
      const game = await openPage(browser, site, '?virtual=16&fast');
      await game.page.evaluate(() => tq.autoplay(1));
      await game.runTo(null);
      await game.page.waitForFunction(() => tq.ended !== null, {timeout: 180000, polling: 250});
      const played = await game.page.evaluate(() => tq.finalState);
      assert.ok(played.score > 0, 'the round scored');

      await screenshot(game, 'after-an-autoplayed-round');
      const session = await browser.target().createCDPSession();
      await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: work});
      await game.page.click('#rounds-button');
      await screenshot(game, 'recorded-rounds');
      const link = await game.page.$('#rounds-list a[download="last.tqround"]');
      assert.ok(link, 'the page offers the last round');
      await link.click();
      const file = path.join(work, 'last.tqround');
      for (const until = Date.now() + 20000; !fs.existsSync(file);) {
        assert.ok(Date.now() < until, 'the round was downloaded');
        await new Promise((resolve) => setTimeout(resolve, 100));
      }
      await game.close();

      const stateFile = path.join(work, 'replayed.json');
      execFileSync(process.env.TQ_DRIVER, ['--data', process.env.TQ_DATA_DIR, '--replay', file,
                                           '--state', stateFile]);
      const replayed = JSON.parse(fs.readFileSync(stateFile, 'utf8'));
      assert.equal(replayed.score, played.score, 'Linux replays the page\'s score');
    } finally {
      fs.rmSync(work, {recursive: true, force: true});
    }
  },

  // A damaged sound and a damaged picture in the pack: the menu's tune without its samples, the
  // loading screen's picture turned to noise. The game's message about the tune shows in the
  // page and holds the game until it is answered; then the menu goes on, silent, and a round
  // starts without the loading screen's picture, as on Linux.
  async ReportsADamagedPack(browser) {
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tq-web-damaged-'));
    try {
      const data = path.join(work, 'data');
      execFileSync('cp', ['-al', process.env.TQ_DATA_DIR, data]);
      const replace = (file, bytes) => {
        fs.unlinkSync(path.join(data, file));
        fs.writeFileSync(path.join(data, file), bytes);
      };
      const tune = 'sounds/music/menu01.wav';
      replace(tune, fs.readFileSync(path.join(data, tune)).subarray(0, 36));  // no "data" chunk
      const picture = 'grafik/screens/loadingscreen.bmp';
      const noise = fs.readFileSync(path.join(data, picture));
      for (let i = 2; i < noise.length; ++i) noise[i] = (i * 7919) & 0xff;
      replace(picture, noise);
      const damagedSite = siteBeside(work, (file) => !file.startsWith('tannenquirl-data') &&
                                                     file !== 'pack.json' &&
                                                     !file.endsWith('.bmp.gz'));
      execFileSync('bash', [process.env.TQ_MAKE_PACK, process.env.TQ_FILE_PACKAGER, data,
                            damagedSite]);

      const game = await openPage(browser, damagedSite, '?virtual=20&fast');
      await game.runTo(null);
      await game.page.waitForFunction(() => !document.getElementById('message').hidden,
                                      {timeout: 60000});
      const text = await game.page.evaluate(() => document.getElementById('message').textContent);
      assert.match(text, /Unexpected error encountered/);
      const held = (await game.state()).frame;
      await new Promise((resolve) => setTimeout(resolve, 500));
      assert.equal((await game.state()).frame, held, 'the game waits for the answer');
      await screenshot(game, 'damaged-pack');
      await game.page.click('#message-ok');
      await waitForState(game, (s) => s.screen === GameScreen.menu, 'the menu after the message');
      await game.click(...Menu.start);
      await waitForState(game, (s) => s.screen === GameScreen.game && s.roundEnd > s.clock,
                         'a round with the broken loading screen');
      await game.close();
    } finally {
      fs.rmSync(work, {recursive: true, force: true});
    }
  },
};

(async () => {
  const run = cases[caseName];
  if (!run) {
    console.error('no such case: ' + caseName + '; there are ' + Object.keys(cases).join(', '));
    process.exit(2);
  }
  const browser = await launch();
  let failed = false;
  try {
    await run(browser);
  } catch (error) {
    failed = true;
    console.error(error);
    console.error('The page said:\n' + pageLog.join('\n'));
  } finally {
    await browser.close();
  }
  process.exit(failed ? 1 : 0);
})();
