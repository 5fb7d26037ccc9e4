// The browser build measured beside the Linux build, in one run: figures for the README, not
// pass or fail (the machine is shared).
//
//   cmake --build build --target web_bench
//   node bench/web/page_bench.js [startScreen autoplayedRound busyFrame realTimeRound]
//
// (after the page's tests have built the page and installed puppeteer-core), or by hand with
// NODE_PATH=build/web-tests/node_modules and TQ_WEB_SITE, TQ_DRIVER, TQ_BENCH, TQ_DATA_DIR set.
//  - the code's size, gzipped as any server would send it;
//  - how soon the start screen shows;
//  - an autoplayed round in virtual time as fast as it goes, in Chromium and in tqdriver;
//  - the busy playing frame as tq_bench measures it, in Chromium and on Linux;
//  - a 60-second autoplayed round in real time: the game's work and the canvas upload per frame
//    (worst, 99.9th percentile, mean), the sound's underruns and how far a sound lags its frame.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {execFileSync} = require('child_process');
const {launch, openPage} = require('../../tests/web/browser');

const site = process.env.TQ_WEB_SITE;
const GameScreen = {game: 2};

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(p * sorted.length))];
}
function summary(values) {
  const mean = values.reduce((a, b) => a + b, 0) / values.length;
  return `worst ${percentile(values, 1).toFixed(2)} ms, 99.9th ${percentile(values, 0.999).toFixed(2)} ms, ` +
         `mean ${mean.toFixed(3)} ms (${values.length} frames)`;
}
const median = (values) => percentile(values, 0.5);

function codeSize() {
  let raw = 0, gzipped = 0;
  const files = fs.readdirSync(site).filter((f) => /\.(wasm|js|html|css)$/.test(f));
  for (const file of files) {
    const bytes = fs.readFileSync(path.join(site, file));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, {level: 6}).length;
  }
  console.log(`code (${files.join(' ')}): ${(raw / 1024).toFixed(0)} KB, ` +
              `${(gzipped / 1024).toFixed(0)} KB gzipped`);
}

async function startScreen(browser) {
  const times = [];
  for (let i = 0; i < 3; ++i) {
    const game = await openPage(browser, site, '');
    await game.page.waitForFunction(() => tq.timings.firstFrameMs !== undefined);
    times.push(await game.page.evaluate(() => tq.timings.firstFrameMs));
    await game.close();
  }
  console.log(`start screen shown after ${times.map((t) => t.toFixed(0)).join(' / ')} ms`);
}

async function autoplayedRound(browser) {
  const game = await openPage(browser, site, '?virtual=16&fast');
  await game.page.waitForFunction(() => Module.tqWeb.wholePackHere(), {timeout: 60000});
  await game.page.evaluate(() => { tq.recordFrames(true); tq.autoplay(1); });
  const started = Date.now();
  await game.runTo(null);
  await game.page.waitForFunction(() => tq.ended !== null, {timeout: 600000, polling: 200});
  const seconds = (Date.now() - started) / 1000;
  const frames = await game.page.evaluate(() => tq.recordFrames(false));
  await game.close();
  const pageRate = frames.work.length / seconds;
  console.log(`autoplayed round in Chromium: ${frames.work.length} frames in ${seconds.toFixed(1)} s, ` +
              `${pageRate.toFixed(0)} frames/s`);
  console.log(`  the game's work per frame: ${summary(frames.work)}`);
  console.log(`  the canvas upload per frame: ${summary(frames.upload)}`);
  if (!process.env.TQ_DRIVER) return;
  const state = path.join(require('os').tmpdir(), `tq-bench-${process.pid}.json`);
  const linuxStart = Date.now();
  execFileSync(process.env.TQ_DRIVER, ['--data', process.env.TQ_DATA_DIR, '--autoplay',
                                       '--rounds', '1', '--state', state]);
  const linuxSeconds = (Date.now() - linuxStart) / 1000;
  const linuxFrames = JSON.parse(fs.readFileSync(state, 'utf8')).frame + 1;
  fs.unlinkSync(state);
  const linuxRate = linuxFrames / linuxSeconds;
  console.log(`autoplayed round in tqdriver: ${linuxFrames} frames in ${linuxSeconds.toFixed(1)} s, ` +
              `${linuxRate.toFixed(0)} frames/s; the page at ${(pageRate / linuxRate).toFixed(2)}x`);
}

async function busyFrame(browser) {
  const game = await openPage(browser, site, '?virtual=16');
  await game.page.waitForFunction(() => Module.tqWeb.wholePackHere(), {timeout: 60000});
  const forest = [], panorama = [];
  for (let i = 0; i < 5; ++i) {
    forest.push(await game.page.evaluate(() => tq.busyFrameMs(2000, false)));
    panorama.push(await game.page.evaluate(() => tq.busyFrameMs(2000, true)));
  }
  await game.close();
  console.log(`busy playing frame in Chromium: ${median(forest).toFixed(3)} ms, across the seam ` +
              `${median(panorama).toFixed(3)} ms (medians of 5 runs of 2000 frames)`);
  if (!process.env.TQ_BENCH) return;
  const linux = execFileSync(process.env.TQ_BENCH, ['--benchmark_filter=BM_PlayingFrame',
                                                    '--benchmark_repetitions=5',
                                                    '--benchmark_report_aggregates_only=true'],
                             {encoding: 'utf8'});
  for (const line of linux.split('\n')) {
    if (/_median/.test(line)) console.log('  on Linux (tq_bench, wall and CPU time): ' + line.trim());
  }
}

async function realTimeRound(browser) {
  const game = await openPage(browser, site, '');
  await game.page.waitForFunction(() => Module.tqWeb.wholePackHere(), {timeout: 60000});
  await game.page.evaluate(() => tq.autoplay(0));
  for (;;) {
    const state = await game.state();
    if (state.screen === GameScreen.game && state.roundEnd > state.clock) break;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  const before = await game.page.evaluate(() => { tq.recordFrames(true); return tq.audio(); });
  const sounds = [];
  const until = Date.now() + 60000;
  while (Date.now() < until) {
    await new Promise((resolve) => setTimeout(resolve, 1000));
    sounds.push(await game.page.evaluate(() => tq.audio()));
  }
  const frames = await game.page.evaluate(() => tq.recordFrames(false));
  const audio = sounds[sounds.length - 1];
  await game.close();
  console.log(`60 s round in real time (${audio.kind}):`);
  console.log(`  the game's work per frame: ${summary(frames.work)}`);
  console.log(`  the canvas upload per frame: ${summary(frames.upload)}`);
  console.log(`  the whole frame: ${summary(frames.work.map((work, i) => work + frames.upload[i]))}`);
  console.log('  underruns by the second: ' +
              sounds.map((s) => s.underruns - before.underruns).join(' '));
  const queued = median(sounds.map((s) => s.queuedMs));
  console.log(`  sound: ${audio.underruns - before.underruns} underruns, loudest sample ${Math.max(...sounds.map((s) => s.peak))}; ` +
              `queued ahead ${queued.toFixed(0)} ms (target ${audio.targetMs}), output latency ` +
              `${audio.outputMs.toFixed(0)} ms: a shot is heard within about ` +
              `${(1000 / 60 + queued + audio.outputMs).toFixed(0)} ms`);
}

(async () => {
  codeSize();
  // Sound starts without a click here: the benchmark plays no part of the player.
  const browser = await launch(['--autoplay-policy=no-user-gesture-required']);
  const parts = {startScreen, autoplayedRound, busyFrame, realTimeRound};
  const chosen = process.argv.length > 2 ? process.argv.slice(2) : Object.keys(parts);
  try {
    for (const name of chosen) await parts[name](browser);
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
