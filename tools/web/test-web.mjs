// The browser build played in Debian's headless Chromium, in real time: the splash, Escape to the
// menu, hovering and clicking Start, Escape through the opening into the level, pages turning,
// running sound, no console errors; then a second visit that quits from the menu. Every picture
// is compared, pixel by pixel, with pictures the native replay tool draws of the same moments.
//   node test-web.mjs DIST NATIVE_BUILD
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

const [dist, native] = process.argv.slice(2).map((p) => resolve(p));
if (!dist || !native) {
  console.error('usage: node test-web.mjs DIST NATIVE_BUILD');
  process.exit(2);
}
const W = 800;
const H = 600;
// A pixel differs when a channel is off by more than this; a picture matches when fewer than
// kMatch of its 480000 pixels differ (the cursor alone covers about 600).
const kChannel = 48;
const kMatch = 4800;
// A page caught in the middle of its turn is near a native picture: a tenth of the pixels.
const kNear = 48000;

const work = mkdtempSync(join(tmpdir(), 'pebblefrost-web-'));
let passed = 0;
let failed = 0;
function check(ok, what, detail = '', shot = null) {
  if (!ok && shot) keep(what.replaceAll(' ', '-'), shot);
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${detail ? ` (${detail})` : ''}`);
  if (ok) ++passed;
  else ++failed;
  return ok;
}

// ---- Native pictures -------------------------------------------------------------------------

const kMenuWait = 'wait 500\nkey Escape\nwait 2500\n';
const kToOpening = `${kMenuWait}click 420 370\n`;
const kToLevel = `${kToOpening}wait 1500\nkey Escape\nuntil scene 1\n`;

function replay(name, text, args) {
  const file = join(work, `${name}.txt`);
  writeFileSync(file, text);
  return execFileSync(join(native, 'pebblefrost-replay'), [file, ...args], {
    cwd: native,
    encoding: 'utf8',
  });
}
function readPng(file) {
  const png = PNG.sync.read(readFileSync(file));
  if (png.width !== W || png.height !== H) throw new Error(`${file} is not ${W} x ${H}`);
  return png.data;
}
// The last picture of a script.
function lastPicture(name, text) {
  const file = join(work, `${name}.png`);
  replay(name, text, ['--last', file]);
  return readPng(file);
}
// Every `every`th picture the script draws after its `prefix` has been played.
function picturesAfter(name, prefix, rest, every) {
  const played = replay(`${name}-prefix`, prefix, []);
  const start = Number(/(\d+) frames played/.exec(played)[1]);
  const dir = join(work, name);
  replay(name, `${prefix}${rest}`, ['--frames', dir, '--every', String(every), '--from', String(start)]);
  return readdirSync(dir).map((f) => readPng(join(dir, f)));
}

// ---- Comparing -------------------------------------------------------------------------------

// Pixels that differ between two RGBA pictures, within a rectangle.
function differing(a, b, x0 = 0, y0 = 0, x1 = W, y1 = H) {
  let count = 0;
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x) {
      const i = (y * W + x) * 4;
      if (
        Math.abs(a[i] - b[i]) > kChannel ||
        Math.abs(a[i + 1] - b[i + 1]) > kChannel ||
        Math.abs(a[i + 2] - b[i + 2]) > kChannel
      )
        ++count;
    }
  return count;
}
const closest = (shot, pictures) => Math.min(...pictures.map((p) => differing(shot, p)));

// ---- The browser -----------------------------------------------------------------------------

// What the page shows in the canvas's place (an element screenshot of the canvas comes out black
// in headless Chromium without a GPU; the page's own picture does not).
async function capture(page) {
  const clip = await (await page.$('#canvas')).boundingBox();
  const png = await page.screenshot({ type: 'png', clip, captureBeyondViewport: false });
  return PNG.sync.read(Buffer.from(png)).data;
}
// Keeps a picture the test found wrong beside the native ones, for a look.
function keep(name, rgba) {
  const png = new PNG({ width: W, height: H });
  rgba.copy(png.data);
  writeFileSync(join(work, `browser-${name}.png`), PNG.sync.write(png));
}
const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));
// The game reads the keyboard's state once a frame: a key is held for a few frames, as a hand
// would.
async function press(page, key) {
  await page.keyboard.down(key);
  await sleep(100);
  await page.keyboard.up(key);
}
// Captures until test(picture) holds or the time is up; answers the last picture and whether.
async function captureUntil(page, test, ms) {
  const end = Date.now() + ms;
  for (;;) {
    const shot = await capture(page);
    if (test(shot)) return { shot, ok: true };
    if (Date.now() > end) return { shot, ok: false };
    await sleep(100);
  }
}

async function main() {
  console.log('native pictures from the replay tool…');
  const splash = picturesAfter('splash', 'wait 500\n', 'wait 2500\n', 10);
  const menu = lastPicture('menu', `${kMenuWait}move 700 80\nwait 300\n`);
  const menuStart = lastPicture('menu-start', `${kMenuWait}move 420 370\nwait 300\n`);
  const opening = picturesAfter('opening', `${kToOpening}wait 800\n`, 'wait 1600\n', 2);
  const level = picturesAfter('level', kToLevel, 'wait 7000\n', 2);
  console.log(`  ${splash.length + opening.length + level.length + 2} pictures`);

  const server = await serve(dist, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const args = [
    '--headless=new',
    '--disable-webgl', // SDL's software renderer: a steady 60 frames a second here
    '--disable-gpu',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    '--mute-audio',
    `--window-size=${W + 100},${H + 300}`,
  ];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args,
    userDataDir: join(work, 'profile'),
    defaultViewport: { width: W + 100, height: H + 300 },
  });
  const problems = [];
  const open = async () => {
    const page = await browser.newPage();
    page.on('console', (m) => {
      if (m.type() === 'error') problems.push(`console: ${m.text()}`);
      else if (m.type() === 'warn' || m.type() === 'warning') console.log(`  page says: ${m.text()}`);
    });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
    page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
    await page.goto(url, { waitUntil: 'load' });
    const box = await (await page.$('#canvas')).boundingBox();
    const at = (x, y) => [box.x + x, box.y + y];
    return { page, at };
  };

  try {
    const { page, at } = await open();
    // The first frames come once the .wasm and the Data have loaded.
    await page.waitForFunction(() => Module.calledRun === true, { timeout: 30000 });
    await sleep(1500);
    let shot = await capture(page);
    check(closest(shot, splash) < kMatch, 'the splash draws', `${closest(shot, splash)} pixels differ`, shot);

    await press(page, 'Escape');
    await sleep(2500);
    await page.mouse.move(...at(700, 80));
    const { shot: atMenu, ok: menuOk } = await captureUntil(page, (s) => differing(s, menu) < kMatch, 3000);
    check(menuOk, 'Escape reaches the menu', `${differing(atMenu, menu)} pixels differ`, atMenu);

    await page.mouse.move(...at(420, 370));
    const { shot: hover, ok: hoverOk } = await captureUntil(page, (s) => differing(s, menuStart) < kMatch, 3000);
    check(hoverOk, 'hovering Start draws the native picture', `${differing(hover, menuStart)} pixels differ`, hover);
    // Start's sign, less the cursor's corner: it moves when hovered.
    const moved = differing(hover, atMenu, 302, 342, 412, 392);
    check(moved > 300, 'hovering Start moves it', `${moved} pixels of the sign changed`);

    await page.mouse.down(); // held for a few frames: the game reads the button's state
    await sleep(100);
    await page.mouse.up();
    await sleep(1500);
    shot = await capture(page);
    check(
      closest(shot, opening) < kMatch && differing(shot, hover) > 4 * kMatch,
      'Start begins the opening',
      `${closest(shot, opening)} pixels differ from the nearest native picture`,
      shot,
    );

    await press(page, 'Escape');
    const { shot: inLevel, ok: levelOk } = await captureUntil(page, (s) => closest(s, level) < kMatch, 10000);
    check(levelOk, 'Escape reaches the level', `${closest(inLevel, level)} pixels differ`, inLevel);

    // The pages turn by themselves: the pictures change, pages at rest are pictures the native
    // game drew, and those caught mid-turn are near one (the turn moves on between the native
    // pictures, two frames apart).
    const shots = [];
    for (let i = 0; i < 8; ++i) {
      await sleep(150);
      shots.push(await capture(page));
    }
    let turns = 0;
    let matched = 0;
    let far = 0;
    let last = inLevel;
    const distances = [];
    for (const s of shots) {
      distances.push(closest(s, level));
      if (distances.at(-1) < kMatch) ++matched;
      if (distances.at(-1) > kNear) ++far;
      if (differing(s, last) > 1000) ++turns;
      last = s;
    }
    check(
      turns >= 3 && matched >= 3 && far === 0,
      'pages turn',
      `${turns} changes in 8 pictures, pixels off the nearest native picture: ${distances.join(' ')}`,
      last,
    );

    const audio = await page.evaluate(() => Module.SDL2?.audioContext?.state ?? 'none');
    check(audio === 'running', 'the audio context is running', audio);
    const rate = await page.evaluate(
      () => new Promise((ok) => {
        let n = 0;
        const t0 = performance.now();
        const tick = () => (++n === 60 ? ok((60 * 1000) / (performance.now() - t0)) : requestAnimationFrame(tick));
        requestAnimationFrame(tick);
      }),
    );
    console.log(`  the page runs at ${rate.toFixed(0)} animation frames a second`);
    await page.close();

    // Quit from the menu: the game lets go and the page says it has ended.
    const second = await open();
    await second.page.waitForFunction(() => Module.calledRun === true, { timeout: 30000 });
    await sleep(500);
    await press(second.page, 'Escape');
    await sleep(2500);
    await second.page.mouse.move(...second.at(400, 545));
    await sleep(300);
    await second.page.mouse.click(...second.at(400, 545), { delay: 100 });
    const ended = await second.page
      .waitForFunction(() => Module.gameEnded === true, { timeout: 5000 })
      .then(() => true, () => false);
    const shown = await second.page.$eval('#ended', (e) => getComputedStyle(e).display !== 'none');
    check(ended && shown, 'Quit ends the game and the page says so');
    await second.page.close();

    check(problems.length === 0, 'no console errors', problems.join('; '));
  } finally {
    await browser.close();
    server.close();
    if (!failed) rmSync(work, { recursive: true, force: true });
    else console.log(`pictures kept in ${work}`);
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

main().catch((e) => {
  console.error(e);
  console.log(`${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
