// The browser build played in Debian's headless Chromium, in real time, twice: with SDL's software
// renderer (WebGL off) and with WebGL through SwiftShader, the renderer real browsers use. Each
// pass: the splash, Escape to the menu, hovering and clicking Start, Escape through the opening
// into the level, pages turning, running sound, no console errors; then a second visit that quits
// from the menu. The software pass then plays as a phone would: touch only, the on-screen
// buttons, a tear by touch, the pause when the page is hidden (the page and its input are the
// same whatever draws the canvas, and SwiftShader's frames here are too slow to race the pages). Every picture is compared, pixel by pixel,
// with pictures the native replay tool draws of the same moments.
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
// What the browser may fetch before the game runs, in bytes (the ending's package comes after).
const kFirstLoad = 5e6;
// The ending's package must be in this soon after the game runs (ms): far less than the least
// time a player needs to walk the level to its end.
const kEndingWithin = 10000;

const work = mkdtempSync(join(tmpdir(), 'pebblefrost-web-'));
let passed = 0;
let failed = 0;
let pass = ''; // the renderer of the browser pass, named in every check
function check(ok, what, detail = '', shot = null) {
  what = `${pass}: ${what}`;
  if (!ok && shot) keep(what.replaceAll(/[ :]+/g, '-'), shot);
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
  const png = PNG.sync.read(Buffer.from(await page.screenshot({ type: 'png', clip, captureBeyondViewport: false })));
  if (png.width !== W || png.height !== H) throw new Error(`the canvas shows at ${png.width} x ${png.height}, not ${W} x ${H}`);
  return png.data;
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

// The native pictures every pass compares with.
function nativePictures() {
  console.log('native pictures from the replay tool…');
  const n = {};
  // The splash up to its sixth second (the school's page, then the first logo drawn in), close
  // enough together to catch a logo coming in: the game's clock starts before its pictures are
  // loaded, which takes a busy machine seconds on the WebGL path.
  n.splash = picturesAfter('splash', 'wait 500\n', 'wait 5500\n', 3);
  n.menu = lastPicture('menu', `${kMenuWait}move 700 80\nwait 300\n`);
  n.menuStart = lastPicture('menu-start', `${kMenuWait}move 420 370\nwait 300\n`);
  n.opening = picturesAfter('opening', `${kToOpening}wait 800\n`, 'wait 1600\n', 2);
  n.level = picturesAfter('level', kToLevel, 'wait 7000\n', 2);
  // The touch run: the pages stopped, three forward and back to the first page (the bag closes
  // on the first turn); the apple torn out by a tap; the pause menu over it.
  const firstPage = `${kToLevel}key S\nturn 3\nback 3\nexpect page 0\nwait 600\n`;
  n.firstPage = lastPicture('first-page', firstPage);
  const torn = `${firstPage}click ${kApple.join(' ')}\nwait 1500\nexpect item.1 5\n`;
  n.torn = lastPicture('torn', torn);
  n.paused = lastPicture('paused', `${torn}key Escape\nwait 600\nexpect paused 1\n`);
  console.log(`  ${n.splash.length + n.opening.length + n.level.length + 5} pictures`);
  return n;
}
// Where a tap tears out the apple hanging in its tree on the first page.
const kApple = [433, 310];

const kBaseArgs = [
  '--headless=new',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--mute-audio',
  `--window-size=${W + 100},${H + 300}`,
];
const kPasses = [
  // SDL's software renderer: a steady 60 frames a second here.
  { name: 'software', args: ['--disable-webgl', '--disable-gpu'], context: '2d', touch: true },
  // WebGL as browsers draw it, on the processor through SwiftShader (no GPU on this machine).
  { name: 'webgl', args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'], context: 'webgl' },
];

// What the canvas holds. Asking for the kind it already has answers that context; a canvas
// holding one kind answers null for the others, so the 2D question comes first (it would make a
// 2D context only on a canvas that had none, which a drawing game never is).
const contextKind = (page) =>
  page.evaluate(() => {
    const c = document.getElementById('canvas');
    if (c.getContext('2d')) return '2d';
    if (c.getContext('webgl2')) return 'webgl2';
    return c.getContext('webgl') ? 'webgl' : 'none';
  });

// Where the time to the first picture goes: stamped in the page from its first moment (when the
// WebAssembly is instantiated, and the end of the first animation frame that follows the game's
// start: its first picture).
function stampLoadTimes() {
  const stamps = (window.loadStamps = {});
  for (const name of ['instantiateStreaming', 'instantiate']) {
    const original = WebAssembly[name];
    WebAssembly[name] = (...args) =>
      original.apply(WebAssembly, args).then((r) => ((stamps.wasmReady ??= performance.now()), r));
  }
  const original = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) =>
    original((t) => {
      callback(t);
      if (window.Module?.calledRun && !stamps.firstPicture) stamps.firstPicture = performance.now();
    });
}
const loadPhases = (page) =>
  page.evaluate(() => {
    const end = (file) => performance.getEntriesByType('resource').find((r) => r.name.endsWith(file))?.responseEnd;
    return [
      ['code', end('PebbleFrost.js')],
      ['.wasm', end('PebbleFrost.wasm')],
      ['compiled', loadStamps.wasmReady],
      ['.data', end('PebbleFrost.data')],
      ['first picture', loadStamps.firstPicture],
    ].map(([what, ms]) => `${what} ${(ms / 1000).toFixed(2)}`).join(', ');
  });

async function openPage(browser, url, problems, viewport = null) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(stampLoadTimes);
  if (viewport) await page.setViewport(viewport);
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
}

// The desktop visit: keys and the mouse, as before.
async function desktopRun(browser, url, native, problems, context) {
  const { page, at } = await openPage(browser, url, problems);
  // The first frames come once the .wasm and the Data have loaded.
  await page.waitForFunction(() => Module.calledRun === true, { timeout: 30000 });
  const load = await page.evaluate(() => ({
    files: performance.getEntriesByType('resource').map((r) => [r.name.split('/').pop(), r.transferSize]),
    page: performance.getEntriesByType('navigation')[0].transferSize,
  }));
  // The first load is what comes before the game runs; the ending's package is asked for after.
  const first = load.files.filter(([f]) => !f.startsWith('PebbleFrostEnding'));
  const total = load.page + first.reduce((sum, [, size]) => sum + size, 0);
  console.log(`  first load: ${(total / 1e6).toFixed(2)} MB (index.html ${load.page}, ${first.map(([f, n]) => `${f} ${n}`).join(', ')})`);
  await page.waitForFunction(() => loadStamps.firstPicture, { timeout: 30000 });
  console.log(`  seconds after the page opened: ${await loadPhases(page)}`);
  check(total <= kFirstLoad, 'the first load is at most 5 MB', `${total} bytes`);
  // The ending's package comes while the splash shows: the least a player needs to reach the
  // ending is the level's walkthrough, minutes of pages.
  const ending = await page
    .waitForFunction(() => Module.endingDataHere && Module.endingDataHere - endingAsked, { timeout: 30000 })
    .then((h) => h.jsonValue(), () => 0);
  const endingFile = await page.evaluate(() =>
    performance.getEntriesByType('resource').filter((r) => r.name.endsWith('PebbleFrostEnding.data')).map((r) => r.transferSize)[0]);
  check(ending > 0 && ending < kEndingWithin, "the ending's data is in soon after the game runs",
    `${(ending / 1000).toFixed(2)} s after, ${endingFile} bytes`);
  const pads = await page.$$eval('.pad', (all) => all.filter((p) => getComputedStyle(p).display !== 'none').length);
  check(pads === 0, 'no on-screen buttons without touch', `${pads} shown`);
  await sleep(1500);
  let shot = await capture(page);
  check(closest(shot, native.splash) < kMatch, 'the splash draws', `${closest(shot, native.splash)} pixels differ`, shot);

  await press(page, 'Escape');
  await sleep(2500);
  await page.mouse.move(...at(700, 80));
  const { shot: atMenu, ok: menuOk } = await captureUntil(page, (s) => differing(s, native.menu) < kMatch, 3000);
  check(menuOk, 'Escape reaches the menu', `${differing(atMenu, native.menu)} pixels differ`, atMenu);

  await page.mouse.move(...at(420, 370));
  const { shot: hover, ok: hoverOk } = await captureUntil(page, (s) => differing(s, native.menuStart) < kMatch, 3000);
  check(hoverOk, 'hovering Start draws the native picture', `${differing(hover, native.menuStart)} pixels differ`, hover);
  // Start's sign, less the cursor's corner: it moves when hovered.
  const moved = differing(hover, atMenu, 302, 342, 412, 392);
  check(moved > 300, 'hovering Start moves it', `${moved} pixels of the sign changed`);

  await page.mouse.down(); // held for a few frames: the game reads the button's state
  await sleep(100);
  await page.mouse.up();
  await sleep(1500);
  shot = await capture(page);
  check(
    closest(shot, native.opening) < kMatch && differing(shot, hover) > 4 * kMatch,
    'Start begins the opening',
    `${closest(shot, native.opening)} pixels differ from the nearest native picture`,
    shot,
  );

  await press(page, 'Escape');
  const { shot: inLevel, ok: levelOk } = await captureUntil(page, (s) => closest(s, native.level) < kMatch, 10000);
  check(levelOk, 'Escape reaches the level', `${closest(inLevel, native.level)} pixels differ`, inLevel);

  // The pages turn by themselves: the pictures change, pages at rest are pictures the native
  // game drew, and those caught mid-turn are near one (the turn moves on between the native
  // pictures, two frames apart). The hero meets the boulder at page 26, five seconds in, and a
  // capture of the WebGL canvas takes half a second here: six pictures, no more than needed.
  const shots = [];
  for (let i = 0; i < 6; ++i) {
    const t0 = Date.now();
    shots.push(await capture(page));
    await sleep(Math.max(0, 250 - (Date.now() - t0))); // a quarter second apart at least
  }
  let turns = 0;
  let matched = 0;
  let far = 0;
  let last = inLevel;
  const distances = [];
  for (const s of shots) {
    distances.push(closest(s, native.level));
    if (distances.at(-1) < kMatch) ++matched;
    if (distances.at(-1) > kNear) ++far;
    if (differing(s, last) > 1000) ++turns;
    last = s;
  }
  check(
    turns >= 3 && matched >= 2 && far === 0,
    'pages turn',
    `${turns} changes in 6 pictures, pixels off the nearest native picture: ${distances.join(' ')}`,
    last,
  );
  const frames = await page.evaluate(
    () => new Promise((ok) => {
      let n = 0;
      Module.postMainLoop = () => ++n;
      setTimeout(() => ok(n / 2), 2000);
    }),
  );
  console.log(`  the game draws ${frames.toFixed(0)} frames a second in the level`);

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
  // The renderer this pass is about: the canvas holds its context.
  const kind = await contextKind(page);
  check(kind.startsWith(context), `the canvas holds a ${context} context`, kind);
  await page.close();

  // Quit from the menu: the game lets go and the page says it has ended.
  const second = await openPage(browser, url, problems);
  await second.page.waitForFunction(() => Module.calledRun === true, { timeout: 30000 });
  await sleep(500);
  await press(second.page, 'Escape');
  await second.page.mouse.move(...second.at(700, 80));
  const { ok: secondMenu } = await captureUntil(second.page, (s) => differing(s, native.menu) < kMatch, 8000);
  await second.page.mouse.move(...second.at(400, 545));
  await sleep(300);
  await second.page.mouse.click(...second.at(400, 545), { delay: 100 });
  // The menu's fade before the end is counted in frames: slower where the frames are slow.
  const ended = await second.page
    .waitForFunction(() => Module.gameEnded === true, { timeout: 20000 })
    .then(() => true, () => false);
  const shown = await second.page.$eval('#ended', (e) => getComputedStyle(e).display !== 'none');
  check(secondMenu && ended && shown, 'Quit ends the game and the page says so', `menu ${secondMenu}, ended ${ended}, said ${shown}`);
  await second.page.close();
}

// Where the canvas sits and how large, and how many on-screen buttons show.
const layout = (page) =>
  page.evaluate(() => {
    const r = document.getElementById('canvas').getBoundingClientRect();
    const shown = [...document.querySelectorAll('.pad button')].filter((b) => b.getBoundingClientRect().width > 0);
    const inside = shown.every((b) => {
      const s = b.getBoundingClientRect();
      return s.left >= 0 && s.top >= 0 && s.right <= innerWidth && s.bottom <= innerHeight;
    });
    return { x: r.left, y: r.top, w: r.width, h: r.height, vw: innerWidth, vh: innerHeight, buttons: shown.length, inside };
  });
const fits = (l) =>
  l.x >= 0 && l.y >= 0 && l.x + l.w <= l.vw && l.y + l.h <= l.vh && Math.abs(l.w * 3 - l.h * 4) <= 4 &&
  l.buttons === 5 && l.inside;
const describe = (l) => `${l.w} x ${l.h} at ${l.x},${l.y} in ${l.vw} x ${l.vh}, ${l.buttons} buttons${l.inside ? '' : ' (some off the screen)'}`;

// A phone or tablet: touch only, the on-screen buttons for the keys.
async function touchRun(browser, url, native, problems) {
  const phone = (width, height) => ({ width, height, isMobile: true, hasTouch: true, isLandscape: width > height, deviceScaleFactor: 1 });
  const { page } = await openPage(browser, url, problems, phone(844, 390));
  await page.waitForFunction(() => Module.calledRun === true, { timeout: 30000 });
  const landscape = await layout(page);
  check(fits(landscape) && landscape.h === 390, 'a phone held sideways: the book fills the height, buttons beside it', describe(landscape));
  await page.setViewport(phone(390, 844));
  await sleep(300);
  const portrait = await layout(page);
  check(fits(portrait) && portrait.w === 390, 'a phone held upright: the book fills the width, buttons around it', describe(portrait));

  // Taps land where they are meant on the scaled book: Start, tapped on the phone held sideways
  // once the pause button (Escape) has skipped the splash.
  await page.setViewport(phone(844, 390));
  await sleep(300);
  const tapButton = async (key) => {
    const b = await (await page.$(`.pad button[data-key="${key}"]`)).boundingBox();
    await page.touchscreen.tap(b.x + b.width / 2, b.y + b.height / 2);
    await sleep(250);
  };
  await tapButton('Escape');
  await sleep(2500);
  const box = await layout(page);
  const scaled = (x, y) => [box.x + (x * box.w) / W, box.y + (y * box.h) / H];
  await page.touchscreen.tap(...scaled(420, 370));
  await sleep(1200);
  // A tablet as large as the book and its buttons, so its pictures compare with the native ones.
  await page.setViewport(phone(992, 600));
  await sleep(300);
  const tablet = await layout(page);
  const at = (x, y) => [tablet.x + x, tablet.y + y];
  let shot = await capture(page);
  check(closest(shot, native.opening) < kMatch, 'a tap on Start begins the opening', `${closest(shot, native.opening)} pixels differ`, shot);

  await tapButton('Escape'); // the pause button is Escape: it skips the opening
  const { shot: inLevel, ok: levelOk } = await captureUntil(page, (s) => closest(s, native.level) < kMatch, 10000);
  check(levelOk, 'the pause button skips the opening into the level', `${closest(inLevel, native.level)} pixels differ`, inLevel);

  // Stop the pages (before the boulder at page 26), three forward (each changes the picture),
  // then back past the first page.
  await tapButton('S');
  let before = await capture(page);
  let forward = 0;
  for (let i = 0; i < 3; ++i) {
    await tapButton('ArrowRight');
    await sleep(300); // the page's turn drawn to its end
    const now = await capture(page);
    if (differing(now, before) > 1000) ++forward;
    before = now;
  }
  check(forward === 3, 'the forward button turns a page each tap', `${forward} of 3 changed the picture`);
  // A tap while the help tab is moving turns nothing (the keys wait for it, as on the desktop):
  // tap on until the first page shows (at the first page the button does nothing).
  let first = before;
  let firstOk = false;
  for (let taps = 0; taps < 40 && !firstOk; ++taps) {
    await tapButton('ArrowLeft');
    if (taps % 4 !== 3) continue;
    await sleep(300);
    first = await capture(page);
    firstOk = differing(first, native.firstPage) < kMatch;
  }
  check(firstOk, 'the back button turns back to the first page', `${differing(first, native.firstPage)} pixels differ`, first);

  await page.touchscreen.tap(...at(...kApple));
  const { shot: torn, ok: tornOk } = await captureUntil(page, (s) => differing(s, native.torn) < kMatch, 10000);
  check(tornOk, 'a tap tears the apple out into the bag', `${differing(torn, native.torn)} pixels differ`, torn);

  // The page hidden (another tab, the phone locked): the level pauses and the sound stops; the
  // next touch brings the sound back.
  const hide = (hidden) =>
    page.evaluate((hidden) => {
      Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
      Object.defineProperty(document, 'visibilityState', { value: hidden ? 'hidden' : 'visible', configurable: true });
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
  const sound = () => page.evaluate(() => Module.SDL2?.audioContext?.state ?? 'none');
  const soundBefore = await sound();
  await hide(true);
  await sleep(300);
  const soundHidden = await sound();
  await hide(false);
  const { shot: paused, ok: pausedOk } = await captureUntil(page, (s) => differing(s, native.paused) < kMatch, 6000);
  check(pausedOk, 'a hidden page pauses the level', `${differing(paused, native.paused)} pixels differ`, paused);
  await page.touchscreen.tap(5, 5); // beside the book, where a tap plays nothing
  await sleep(300);
  const soundAfter = await sound();
  check(
    soundBefore === 'running' && soundHidden === 'suspended' && soundAfter === 'running',
    'the sound stops while hidden and comes back with the next touch',
    `${soundBefore}, ${soundHidden} while hidden, then ${soundAfter}`,
  );
  await sleep(1000);
  const still = await capture(page);
  check(differing(still, paused) < 1000, 'the level stays paused until the player resumes', `${differing(still, paused)} pixels changed`);
  await tapButton('Escape');
  const { ok: resumed } = await captureUntil(page, (s) => differing(s, paused) > 4 * kMatch, 6000);
  check(resumed, 'the pause button resumes');
  await page.close();
}

async function main() {
  const native = nativePictures();
  const server = await serve(dist, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  try {
    for (const p of kPasses) {
      pass = p.name;
      const args = [...kBaseArgs, ...p.args];
      if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
      const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args,
        userDataDir: join(work, `profile-${p.name}`),
        defaultViewport: { width: W + 100, height: H + 300 },
      });
      const problems = [];
      try {
        const started = Date.now();
        await desktopRun(browser, url, native, problems, p.context);
        if (p.touch) await touchRun(browser, url, native, problems);
        check(problems.length === 0, 'no console errors', problems.join('; '));
        console.log(`  ${p.name} pass: ${((Date.now() - started) / 1000).toFixed(0)} s`);
      } finally {
        await browser.close();
      }
    }
  } finally {
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
