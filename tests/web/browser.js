// What the browser tests share: the page's folder served on 127.0.0.1,
// Debian's headless Chromium started fresh for each test, the canvas read as
// pixels, and polling with a deadline (animation frames run in real time).
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const { PNG } = require('pngjs');

const CHROMIUM = process.env.QUARRYTOP_CHROMIUM || '/usr/bin/chromium';

const CONTENT_TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
};

// Serves files by name from the first of the folders that holds them (no
// listing, nothing outside them) on a free port of 127.0.0.1; resolves to
// { url, close }.
function serveFolders(folders) {
  const server = http.createServer((request, response) => {
    const name = path.basename(decodeURIComponent(new URL(request.url, 'http://x').pathname)) || 'index.html';
    const file = folders.map((folder) => path.join(folder, name)).find((candidate) => fs.existsSync(candidate));
    if (!file) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': CONTENT_TYPES[path.extname(file)] || 'application/octet-stream' });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({ url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() });
    });
  });
}

// A headless Chromium with a profile of its own, removed again by close().
// WebGL is rendered in software (SwiftShader): there is no GPU.
async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quarrytop-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--enable-unsafe-swiftshader', '--window-size=1000,800',
    ],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// Opens the page served from the folders; the console's lines are collected
// in page.consoleLines.
async function openGame(folders) {
  const server = await serveFolders(folders);
  const { browser, close } = await launchBrowser();
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  page.consoleLines = [];
  page.on('console', (message) => page.consoleLines.push(message.text()));
  page.on('pageerror', (error) => page.consoleLines.push(`page error: ${error.message}`));
  await page.goto(server.url, { waitUntil: 'load' });
  return {
    page,
    close: async () => {
      await close();
      server.close();
    },
  };
}

// The canvas as it shows now: { width, height, pixel(x, y) -> [r, g, b] }.
async function readCanvas(page) {
  const canvas = await page.$('#canvas');
  const png = PNG.sync.read(await canvas.screenshot({ type: 'png' }));
  return {
    width: png.width,
    height: png.height,
    png,
    pixel(x, y) {
      const at = (y * png.width + x) * 4;
      return [png.data[at], png.data[at + 1], png.data[at + 2]];
    },
  };
}

// Calls check() until it returns a truthy value or the deadline passes; the
// deadline only keeps a broken build from hanging the test. Returns the
// value, or throws with `what` and the last state that describe() gives.
async function pollUntil(what, check, { deadlineMs = 30000, intervalMs = 100, describe = () => '' } = {}) {
  const start = Date.now();
  for (;;) {
    const value = await check();
    if (value)
      return value;
    if (Date.now() - start > deadlineMs)
      throw new Error(`${what}: not within ${deadlineMs} ms. ${await describe()}`);
    await new Promise((resolve) => setTimeout(resolve, intervalMs));
  }
}

module.exports = { serveFolders, launchBrowser, openGame, readCanvas, pollUntil };
