// The browser game end to end in headless Chromium: the page starts and draws
// the sky and both counter lines; W held walks and the view settles once it
// is released; without tex/ the page names the missing file and draws nothing.
// The folders come from CTest: QUARRYTOP_GAME_DIR (page, script, wasm, data
// pack) and QUARRYTOP_WITHOUT_TEX_DIR (a data pack with mdl/ only).
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { describe, test, before, after } = require('node:test');
const { PNG } = require('pngjs');
const { openGame, readCanvas, pollUntil } = require('./browser.js');

const GAME_DIR = process.env.QUARRYTOP_GAME_DIR;
const WITHOUT_TEX_DIR = process.env.QUARRYTOP_WITHOUT_TEX_DIR;
// Where the frames the tests looked at are kept, for a person to look at too.
const PICTURE_DIR = process.env.QUARRYTOP_PICTURE_DIR;

const SKY = [100, 149, 237];
const WIDTH = 800;
const HEIGHT = 600;
// The view below the counter lines.
const SCENE_TOP = 70;

function keep(canvas, name) {
  if (!PICTURE_DIR)
    return;
  fs.mkdirSync(PICTURE_DIR, { recursive: true });
  fs.writeFileSync(path.join(PICTURE_DIR, `${name}.png`), PNG.sync.write(canvas.png));
}

function isSky([r, g, b]) {
  return Math.abs(r - SKY[0]) <= 2 && Math.abs(g - SKY[1]) <= 2 && Math.abs(b - SKY[2]) <= 2;
}

// Per mille of a rectangle's pixels that are near white: the counter text is
// white on a grey shadow, and nothing else on the screen is that white.
function ink(canvas, x0, y0, width, height) {
  let white = 0;
  for (let y = y0; y < y0 + height; y++)
    for (let x = x0; x < x0 + width; x++)
      if (canvas.pixel(x, y).every((channel) => channel >= 235))
        white++;
  return Math.round((1000 * white) / (width * height));
}

// Per mille of the scene's pixels that are sky in one frame and not in the
// other: where the view is, whatever the light. (The sun turns all the time,
// and a read of the canvas may take seconds on a busy machine, so the lit
// colours change between any two reads; the sky's colour never does.)
function skylineChange(a, b) {
  let changed = 0;
  for (let y = SCENE_TOP; y < HEIGHT; y++)
    for (let x = 0; x < WIDTH; x++)
      if (isSky(a.pixel(x, y)) !== isSky(b.pixel(x, y)))
        changed++;
  return Math.round((1000 * changed) / (WIDTH * (HEIGHT - SCENE_TOP)));
}

function counterInk(canvas) {
  // 3 pixels a text unit: "ticks" from 6 to 30 pixels down, "frames" from 36
  // to 60, both from 10 pixels in; nothing white on the right.
  return { ticks: ink(canvas, 5, 5, 200, 26), frames: ink(canvas, 5, 35, 200, 26), right: ink(canvas, 590, 5, 200, 60) };
}

describe('the game page', () => {
  let game;
  before(async () => {
    assert.ok(GAME_DIR, 'QUARRYTOP_GAME_DIR names the folder of the built page');
    game = await openGame([GAME_DIR]);
  });
  after(async () => {
    if (game)
      await game.close();
  });

  test('shows the sky and both counter lines after two seconds', async () => {
    const { page } = game;
    const canvas = await pollUntil('the first frame with the sky at the top', async () => {
      const frame = await readCanvas(page);
      return isSky(frame.pixel(400, 5)) ? frame : null;
    }, { describe: async () => `console: ${page.consoleLines.join(' | ')}` });
    assert.strictEqual(canvas.width, WIDTH, 'canvas width');
    assert.strictEqual(canvas.height, HEIGHT, 'canvas height');
    const firstFrame = Date.now();

    let last = null;
    const frame = await pollUntil('two seconds of frames, then both counter lines', async () => {
      if (Date.now() - firstFrame < 2000)
        return null;
      last = await readCanvas(page);
      const inkNow = counterInk(last);
      return inkNow.ticks >= 20 && inkNow.frames >= 20 && inkNow.right <= 2 ? last : null;
    }, { describe: async () => `ink per mille: ${JSON.stringify(last && counterInk(last))}` });
    keep(frame, 'start');
    assert.ok(isSky(frame.pixel(400, 5)), `the top of the view is ${frame.pixel(400, 5)}, not the sky ${SKY}`);
    assert.deepStrictEqual(page.consoleLines.filter((line) => /error/i.test(line) && !/GL Driver Message/.test(line)), []);
  });

  test('W held walks, and the view settles once W is released', async () => {
    const { page } = game;
    await page.focus('#canvas');
    const before = await readCanvas(page);
    await page.keyboard.down('KeyW');
    let walking = null;
    try {
      walking = await pollUntil('the view changing while W is held', async () => {
        const frame = await readCanvas(page);
        return skylineChange(before, frame) >= 5 ? frame : null;
      });
    } finally {
      await page.keyboard.up('KeyW');
    }
    keep(walking, 'walking');

    // Settled: two frames in a row with the same skyline.
    let previous = await readCanvas(page);
    let change = null;
    await pollUntil('the view settling after W is released', async () => {
      const frame = await readCanvas(page);
      change = skylineChange(previous, frame);
      previous = frame;
      return change === 0;
    }, { intervalMs: 250, describe: async () => `the skyline still changes ${change} per mille between frames` });
  });
});

describe('the game page without tex/', () => {
  test('names the missing texture over the canvas and draws no frame', async () => {
    assert.ok(WITHOUT_TEX_DIR, 'QUARRYTOP_WITHOUT_TEX_DIR names the data pack without tex/');
    // The pack without tex/ is served in place of the game's own.
    const game = await openGame([WITHOUT_TEX_DIR, GAME_DIR]);
    try {
      const { page } = game;
      const text = await pollUntil('the error text over the canvas', () =>
        page.evaluate(() => {
          const area = document.getElementById('error');
          return area && !area.hidden && area.textContent;
        }), { describe: async () => `console: ${page.consoleLines.join(' | ')}` });
      assert.match(text, /^tex\/ironOreNoise\.png: cannot load the texture/, 'the error names the first texture read');
      assert.ok(page.consoleLines.includes(text), `the console has the same text: ${page.consoleLines.join(' | ')}`);

      keep(await readCanvas(page), 'without-tex');
      // The canvas itself, without the error area over it.
      await page.evaluate(() => { document.getElementById('error').hidden = true; });
      const canvas = await readCanvas(page);
      const first = canvas.pixel(0, 0);
      for (let y = 0; y < canvas.height; y += 4)
        for (let x = 0; x < canvas.width; x += 4)
          assert.deepStrictEqual(canvas.pixel(x, y), first, `a frame was drawn: pixel (${x}, ${y}) differs`);
      assert.ok(!isSky(first), 'the canvas shows the sky');
    } finally {
      await game.close();
    }
  });
});
