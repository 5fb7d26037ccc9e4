// The built page in Debian's Chromium, driven by puppeteer-core: starting the browser and the
// page, real mouse, keyboard and touch input at game pixels, the game's frames in virtual time,
// and the canvas as the game's 16-bit picture. Shared by the page's tests and its benchmark.
'use strict';
const crypto = require('crypto');
const puppeteer = require('puppeteer-core');
const {serve} = require('./static_server');

const Width = 800, Height = 600;

// This machine's network is closed and the browser must not look for it.
const ChromiumArguments = [
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--no-first-run', '--disable-quic',
];

async function launch(extraArguments = []) {
  const args = [...ChromiumArguments, ...extraArguments];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args,
    protocolTimeout: 120000,
  });
}

// What the pages said, for the report of a failed test.
const pageLog = [];

// Serves `site` and opens the page with `query` ("?virtual=20&fast" ...) once the game runs.
// With `gamepad`, the page sees one controller of the standard layout, which the test moves
// (Game.pad); headless Chromium has none of its own.
async function openPage(browser, site, query = '', viewport = {width: Width, height: Height},
                        {gamepad = false} = {}) {
  const server = await serve(site);
  const page = await browser.newPage();
  if (gamepad) {
    await page.evaluateOnNewDocument(() => {
      const pad = {id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
                   axes: [0, 0, 0, 0], buttons: []};
      for (let i = 0; i < 17; ++i) pad.buttons.push({pressed: false, touched: false, value: 0});
      window.testPad = pad;
      Object.defineProperty(navigator, 'getGamepads', {value: () => [pad, null, null, null]});
    });
  }
  const log = pageLog;
  page.on('console', (message) => log.push(message.text()));
  page.on('pageerror', (error) => log.push('page error: ' + error.message));
  await page.setViewport(viewport);
  await page.goto(server.url + query);
  await page.waitForFunction(() => window.tq && tq.ready, {timeout: 60000});
  const game = new Game(page, log);
  game.server = server;
  return game;
}

class Game {
  constructor(page, log) {
    this.page = page;
    this.log = log;
    this.touchIds = 0;
  }

  // Runs the game (in virtual time) up to and including `frame`; resolves once it has run.
  runTo(frame) {
    return this.page.evaluate((f) => tq.runTo(f), frame);
  }
  state() {
    return this.page.evaluate(() => tq.state());
  }
  aim() {
    return this.page.evaluate(() => tq.aim());
  }

  // The window point of a game pixel, wherever the page has scaled and placed the picture.
  async clientPoint(x, y) {
    const box = await this.page.evaluate(() => {
      const r = document.getElementById('canvas').getBoundingClientRect();
      return {left: r.left, top: r.top, width: r.width, height: r.height};
    });
    return {x: box.left + (x + 0.5) * box.width / Width, y: box.top + (y + 0.5) * box.height / Height};
  }
  async mouseTo(x, y) {
    const point = await this.clientPoint(x, y);
    await this.page.mouse.move(point.x, point.y);
  }
  async click(x, y, button = 'left') {
    const point = await this.clientPoint(x, y);
    await this.page.mouse.click(point.x, point.y, {button});
  }

  // A key as a keyboard of any layout sends it ({key, code, text, windowsVirtualKeyCode}).
  async key(definition) {
    const session = this.session || (this.session = await this.page.createCDPSession());
    await session.send('Input.dispatchKeyEvent', {type: 'keyDown', ...definition});
    await session.send('Input.dispatchKeyEvent', {type: 'keyUp', ...definition, text: undefined});
  }

  // Fingers on the touch screen, at game pixels. Chromium's touch events carry every finger
  // that is down; one that is missing from a move has been lifted.
  async touchEvent(type) {
    const points = [];
    for (const [id, finger] of this.fingers) {
      const point = await this.clientPoint(finger.x, finger.y);
      points.push({x: point.x, y: point.y, id});
    }
    const session = this.session || (this.session = await this.page.createCDPSession());
    await session.send('Input.dispatchTouchEvent', {type, touchPoints: points});
  }
  async fingerDown(x, y) {
    this.fingers = this.fingers || new Map();
    const id = ++this.touchIds;
    this.fingers.set(id, {x, y});
    await this.touchEvent('touchStart');
    return id;
  }
  async fingerMove(id, x, y) {
    this.fingers.set(id, {x, y});
    await this.touchEvent('touchMove');
  }
  async fingerUp(id) {
    this.fingers.delete(id);
    await this.touchEvent(this.fingers.size ? 'touchMove' : 'touchEnd');
  }
  async tap(x, y) {
    await this.fingerUp(await this.fingerDown(x, y));
  }

  // The test controller (openPage's `gamepad`): buttons by their number in the standard layout,
  // {button: value} (0 .. 1), and the axes, {axes: [x, y]}.
  pad({buttons = {}, axes = null}) {
    return this.page.evaluate((buttons, axes) => {
      for (const [i, value] of Object.entries(buttons))
        testPad.buttons[i] = {pressed: value > 0, touched: value > 0, value};
      if (axes) testPad.axes = [...axes, 0, 0];
      testPad.timestamp += 1;
    }, buttons, axes);
  }
  cursor() {
    return this.page.evaluate(() => tq.cursor());
  }

  // The canvas as the game's RGB565 picture and its MD5 digest, as the Linux golden frames are
  // recorded.
  async frameDigest() {
    const base64 = await this.page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      const rgba = canvas.getContext('2d', {willReadFrequently: true}).getImageData(0, 0, canvas.width, canvas.height).data;
      const frame = new Uint16Array(canvas.width * canvas.height);
      for (let i = 0; i < frame.length; ++i)
        frame[i] = ((rgba[4 * i] >> 3) << 11) | ((rgba[4 * i + 1] >> 2) << 5) | (rgba[4 * i + 2] >> 3);
      const bytes = new Uint8Array(frame.buffer);
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000)
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      return btoa(text);
    });
    return crypto.createHash('md5').update(Buffer.from(base64, 'base64')).digest('hex');
  }

  async close() {
    await this.page.close();
    await this.server.close();
  }
}

module.exports = {launch, openPage, pageLog, Width, Height};
