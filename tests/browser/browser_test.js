'use strict';
// Opens pages in Debian's Chromium, headless, and checks how they behave: no
// console or page error, every element where its bounds say, slideshows that step
// and hide their buttons at each end, enlargeable images that open their modal,
// and form pages whose validation alerts and whose mailer delivers (or refuses).
//
// Pages come from folders holding a pages.json that says what to check; the
// hand-made pages beside this file, and the pages the program generates when
// --make-pages names the program that writes them. Everything is served by
// PHP's built-in server on 127.0.0.1; the script and font addresses the pages
// name are answered from node_modules, and any other address fails the test.
//
//   node tests/browser/browser_test.js [--fixtures DIR]... [--make-pages PROGRAM]
//
// ZOV_BROWSER_SCREENSHOTS=DIR keeps a screenshot of every page there.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { spawn, execFileSync } = require('node:child_process');

const root = path.resolve(__dirname, '..', '..');
const nodeModules = path.join(root, 'node_modules');
const { chromium } = require(path.join(nodeModules, 'playwright-core'));
// Checks a page names in its "checks" list (component_checks.js).
const namedChecks = require('./component_checks.js');
const python = '/usr/bin/python3';
const chromiumPath = '/usr/bin/chromium';

function parseArgs(argv) {
  const args = { fixtures: [], makePages: [] };
  for (let i = 2; i < argv.length; ++i) {
    if (argv[i] === '--fixtures') args.fixtures.push(path.resolve(argv[++i]));
    else if (argv[i] === '--make-pages') args.makePages.push(path.resolve(argv[++i]));
  }
  if (args.fixtures.length === 0 && args.makePages.length === 0) args.fixtures.push(path.join(__dirname, 'pages'));
  return args;
}
const args = parseArgs(process.argv);

// ---------------------------------------------------------------- servers

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zov-browser-'));
const children = [];

function startServer(name, argv) {
  const logPath = path.join(work, name + '.log');
  const log = fs.openSync(logPath, 'a');
  const child = spawn(python, argv, { stdio: ['ignore', log, log] });
  child.logPath = logPath;
  children.push(child);
  return child;
}

async function waitForPort(portFile, child, what) {
  const deadline = Date.now() + 20000;
  while (Date.now() < deadline) {
    if (fs.existsSync(portFile)) return Number(fs.readFileSync(portFile, 'utf8').trim());
    if (child.exitCode !== null) break;
    await new Promise((r) => setTimeout(r, 50));
  }
  const log = fs.existsSync(child.logPath) ? fs.readFileSync(child.logPath, 'utf8').slice(-2000) : '';
  throw new Error(`${what} did not start (${python} ${child.spawnargs.slice(1).join(' ')}):\n${log}`);
}

function stopChildren() {
  for (const child of children) {
    if (child.exitCode === null && child.signalCode === null) child.kill('SIGTERM');
  }
}
process.on('exit', stopChildren);

const servers = {};  // smtp: {plain, auth} ports and mail folders; php port
const site = path.join(work, 'site');
const manifests = [];  // {prefix, pages}

function copyFixtures(from, to, replacements) {
  fs.mkdirSync(to, { recursive: true });
  for (const entry of fs.readdirSync(from, { withFileTypes: true })) {
    const source = path.join(from, entry.name);
    const target = path.join(to, entry.name);
    if (entry.isDirectory()) {
      copyFixtures(source, target, replacements);
    } else if (/\.(php|html?)$/.test(entry.name)) {
      let text = fs.readFileSync(source, 'utf8');
      for (const [key, value] of Object.entries(replacements)) text = text.split(key).join(value);
      fs.writeFileSync(target, text);
    } else {
      fs.copyFileSync(source, target);
    }
  }
}

// ---------------------------------------------------------------- routing

// Where the public copies the pages name come from: by path, on any https host.
const cdnFiles = [
  [/\/jquery\/2\.2\.2\/jquery\.min\.js$|\/jquery-2\.2\.2\.min\.js$/, 'jquery/dist/jquery.min.js'],
  [/\/jquery\/1\.11\.1\/jquery\.min\.js$/, 'jquery-1.11.1/dist/jquery.min.js'],
  [/\/bootstrap\/3\.3\.4\/css\/bootstrap\.min\.css$/, 'bootstrap/dist/css/bootstrap.min.css'],
  [/\/bootstrap\/3\.3\.4\/js\/bootstrap\.min\.js$/, 'bootstrap/dist/js/bootstrap.min.js'],
  [/\/bootstrap\/3\.3\.4\/fonts\/([\w.-]+)$/, 'bootstrap/dist/fonts/$1'],
  [/\/html5shiv\/3\.7\.2\/html5shiv\.min\.js$/, 'html5shiv/dist/html5shiv.min.js'],
  [/\/respond\/1\.4\.2\/respond\.min\.js$/, 'respond.js/dest/respond.min.js'],
  [/^\/zov-fonts\/([\w-]+)\/files\/([\w.-]+\.woff2?)$/, '@fontsource/$1/files/$2'],
];

const contentTypes = { '.js': 'application/javascript', '.css': 'text/css', '.woff2': 'font/woff2',
  '.woff': 'font/woff', '.ttf': 'font/ttf', '.svg': 'image/svg+xml', '.eot': 'application/vnd.ms-fontobject' };

// The web-font stylesheet: the @font-face rules of each family asked for, from
// its npm package; a family without a package is left out, as it would fall
// back to another font anyway.
function fontStylesheet(url) {
  const families = (url.searchParams.get('family') || '').split('|').filter(Boolean);
  let css = '';
  for (const family of families) {
    const name = family.split(':')[0].replace(/\+/g, ' ').trim();
    const pkg = name.toLowerCase().replace(/\s+/g, '-');
    const index = path.join(nodeModules, '@fontsource', pkg, 'index.css');
    if (!fs.existsSync(index)) {
      css += `/* ${name}: no package */\n`;
      continue;
    }
    css += fs.readFileSync(index, 'utf8').replace(/url\(\.\/files\//g, `url(https://${url.host}/zov-fonts/${pkg}/files/`);
  }
  return css;
}

function routeFor(url) {
  if (url.protocol !== 'https:') return null;
  if (url.pathname === '/css' && url.searchParams.has('family')) return { body: fontStylesheet(url), contentType: 'text/css' };
  for (const [pattern, file] of cdnFiles) {
    const m = pattern.exec(url.pathname);
    if (!m) continue;
    const local = path.join(nodeModules, file.replace(/\$(\d)/g, (_, n) => m[Number(n)]));
    if (fs.existsSync(local)) return { path: local, contentType: contentTypes[path.extname(local)] || 'application/octet-stream' };
  }
  return null;
}

// ---------------------------------------------------------------- browser

let context;
let pageCount = 0;

before(async () => {
  const servePlain = path.join(work, 'smtp-plain.port');
  const serveAuth = path.join(work, 'smtp-auth.port');
  const smtpScript = path.join(root, 'tests', 'servers', 'smtp_server.py');
  servers.plainMail = path.join(work, 'mail-plain');
  servers.authMail = path.join(work, 'mail-auth');
  const plain = startServer('smtp-plain', [smtpScript, '--port-file', servePlain, '--mail-dir', servers.plainMail]);
  const auth = startServer('smtp-auth', [smtpScript, '--port-file', serveAuth, '--mail-dir', servers.authMail,
    '--auth', 'mailer:s3cret']);
  // A server that takes no mail for the page owner: the mailer must say it failed.
  const serveRefusing = path.join(work, 'smtp-refusing.port');
  servers.refusingMail = path.join(work, 'mail-refusing');
  const refusing = startServer('smtp-refusing', [smtpScript, '--port-file', serveRefusing, '--mail-dir',
    servers.refusingMail, '--auth', 'mailer:s3cret', '--refuse', 'owner@example.test']);
  servers.plain = await waitForPort(servePlain, plain, 'The SMTP server');
  servers.auth = await waitForPort(serveAuth, auth, 'The SMTP server with AUTH');
  servers.refusing = await waitForPort(serveRefusing, refusing, 'The refusing SMTP server');

  // "localhost:PORT" as typed in the form settings: the generated mailers give
  // the port apart; the hand-made page passes it inside the host.
  const replacements = { '@SMTP_AUTH_HOST@': `localhost:${servers.auth}` };
  for (const [i, fixtures] of args.fixtures.entries()) {
    const prefix = i === 0 ? '' : `fixtures${i}/`;
    copyFixtures(fixtures, path.join(site, prefix), replacements);
    manifests.push({ prefix, ...JSON.parse(fs.readFileSync(path.join(fixtures, 'pages.json'), 'utf8')) });
  }
  for (const [i, makePages] of args.makePages.entries()) {
    const name = i === 0 ? 'generated' : `generated${i}`;
    const out = path.join(site, name);
    fs.mkdirSync(out, { recursive: true });
    execFileSync(makePages, [out, `localhost:${servers.auth}`, `localhost:${servers.refusing}`], { stdio: 'inherit',
      env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
    manifests.push({ prefix: `${name}/`, ...JSON.parse(fs.readFileSync(path.join(out, 'pages.json'), 'utf8')) });
  }

  const phpPortFile = path.join(work, 'php.port');
  const php = startServer('php', [path.join(root, 'tests', 'servers', 'php_server.py'), '--root', site,
    '--port-file', phpPortFile, '--smtp-port', String(servers.plain), '--work-dir', path.join(work, 'php')]);
  servers.php = await waitForPort(phpPortFile, php, 'php -S');

  context = await chromium.launchPersistentContext(path.join(work, 'profile'), {
    executablePath: chromiumPath,
    headless: true,
    viewport: { width: 1024, height: 768 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-dev-shm-usage'],  // containers often have a small /dev/shm
  });
});

after(async () => {
  if (context) await context.close();
  stopChildren();
  if (!process.env.ZOV_BROWSER_KEEP) fs.rmSync(work, { recursive: true, force: true });
});

// A fresh tab on one page, with everything that goes wrong on it recorded.
async function openPage(relative, { clock = false } = {}) {
  const page = await context.newPage();
  const problems = [];
  page.on('console', (msg) => { if (msg.type() === 'error') problems.push(`console: ${msg.text()}`); });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('response', (response) => {
    if (response.status() >= 400 && !response.url().endsWith('/favicon.ico')) problems.push(`HTTP ${response.status()} for ${response.url()}`);
  });
  await page.route('**/*', async (route) => {
    const url = new URL(route.request().url());
    if (url.hostname === '127.0.0.1' && Number(url.port) === servers.php) return route.continue();
    const local = routeFor(url);
    if (local) return route.fulfill({ status: 200, headers: { 'Access-Control-Allow-Origin': '*' }, ...local });
    problems.push(`outside address: ${url.href}`);
    return route.abort('blockedbyclient');
  });
  if (clock) {
    // Time stands still until a check moves it on, however slow the machine.
    await page.clock.install({ time: new Date('2030-01-01T00:00:00Z') });
    await page.clock.pauseAt(new Date('2030-01-01T00:00:01Z'));
  }
  await page.goto(`http://127.0.0.1:${servers.php}/${relative}`, { waitUntil: 'load' });
  await page.evaluate(() => document.fonts.ready.then(() => true));
  ++pageCount;
  return { page, problems };
}

async function screenshot(page, name) {
  const folder = process.env.ZOV_BROWSER_SCREENSHOTS;
  if (folder) {
    fs.mkdirSync(folder, { recursive: true });
    await page.screenshot({ path: path.join(folder, name.replace(/[^\w.-]+/g, '_') + '.png'), fullPage: true });
  }
}

// The element's box against the block it is placed in (its positioned ancestor,
// scrolled content included, or the page).
async function boxOf(page, selector) {
  return page.evaluate((sel) => {
    // "text=WORDS": the element of a text rule whose text is WORDS.
    const el = sel.startsWith('text=')
      ? [...document.querySelectorAll('[class^=text]')].find((e) => e.textContent.trim() === sel.slice(5))
      : document.querySelector(sel);
    if (!el) return null;
    const r = el.getBoundingClientRect();
    let op = el.offsetParent;
    if (op && getComputedStyle(op).position === 'static') op = null;
    let x = r.left + window.scrollX;
    let y = r.top + window.scrollY;
    if (op) {
      const o = op.getBoundingClientRect();
      x = r.left - o.left - op.clientLeft + op.scrollLeft;
      y = r.top - o.top - op.clientTop + op.scrollTop;
    }
    return [x, y, r.width, r.height];
  }, selector);
}

async function checkBoxes(page, boxes) {
  const wrong = [];
  for (const [selector, expected] of Object.entries(boxes || {})) {
    const box = await boxOf(page, selector);
    if (!box) { wrong.push(`${selector}: missing`); continue; }
    expected.forEach((value, i) => {
      if (value !== null && Math.abs(box[i] - value) > 0.01)
        wrong.push(`${selector}: ${['left', 'top', 'width', 'height'][i]} ${box[i]} instead of ${value}`);
    });
  }
  assert.deepEqual(wrong, [], 'boxes');
}

const visible = (page, selector) => page.evaluate((s) => $(s).is(':visible'), selector);

async function checkSlideshow(page, show) {
  const n = show.number;
  const count = show.slides.length;
  const frame = await page.evaluate((sel) => {
    const r = document.querySelector(sel).getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 4, width: r.width };
  }, `.slideshow${n}`);
  const shownSlide = () => page.evaluate(({ x, y }) => {
    const el = document.elementFromPoint(x, y);
    return el && el.tagName === 'IMG' ? el.className : (el ? el.tagName + '.' + el.className : null);
  }, frame);
  const scrolled = () => page.evaluate((s) => document.querySelector(s).scrollLeft, `#slideshow_all${n}`);

  await page.evaluate(() => { $.fx.off = true; });  // the slides move at once
  assert.equal(await visible(page, `#previousButton${n}`), false, 'no way back from the first slide');
  assert.equal(await visible(page, `#nextButton${n}`), count > 1, 'a way on when there is more than one slide');
  assert.equal(await shownSlide(), show.slides[0]);
  for (let i = 1; i < count; ++i) {
    await page.click(`#nextButton${n}`);
    assert.equal(await scrolled(), i * frame.width, `slide ${i} scrolled into view`);
    assert.equal(await shownSlide(), show.slides[i]);
    assert.equal(await visible(page, `#previousButton${n}`), true);
    assert.equal(await visible(page, `#nextButton${n}`), i < count - 1, `next button at slide ${i}`);
  }
  for (let i = count - 2; i >= 0; --i) {
    await page.click(`#previousButton${n}`);
    assert.equal(await scrolled(), i * frame.width);
    assert.equal(await shownSlide(), show.slides[i]);
    assert.equal(await visible(page, `#previousButton${n}`), i > 0, `previous button at slide ${i}`);
    assert.equal(await visible(page, `#nextButton${n}`), true);
  }
}

// Automatic slideshows move on every 5 s by themselves, each on its own timer:
// going back by hand stops that slideshow only. Each one is stepped back in
// turn, so that a timer shared between them shows whatever the order.
async function checkAutomaticSlideshows(page, shows) {
  const automatic = shows.filter((s) => s.automatic);
  if (automatic.length === 0) return;
  const position = (n) => page.evaluate((s) => {
    const el = document.querySelector(s);
    return Math.round(el.scrollLeft / el.clientWidth);
  }, `#slideshow_all${n}`);
  const expected = new Map(shows.map((s) => [s, 0]));
  const stopped = new Set();
  const tick = async (ms) => {
    await page.clock.runFor(ms);
    for (const s of automatic)
      if (!stopped.has(s)) expected.set(s, Math.min(expected.get(s) + 1, s.slides.length - 1));
    for (const s of shows)
      assert.equal(await position(s.number), expected.get(s), `slideshow ${s.number} after ${ms} ms more`);
  };
  await page.evaluate(() => { $.fx.off = true; });
  await tick(5100);
  for (const show of automatic) {
    if (expected.get(show) === 0) continue;
    await page.click(`#previousButton${show.number}`);
    expected.set(show, expected.get(show) - 1);
    stopped.add(show);
    await tick(5000);
  }
}

async function checkModal(page, imageName, clock) {
  const modal = `#popup_${imageName}`;
  assert.equal(await visible(page, modal), false, 'the modal starts hidden');
  await page.click(`a.${imageName}`);
  if (clock) await page.clock.runFor(1000);  // Bootstrap's transitions end on timers
  await page.waitForSelector(`${modal}.in`, { state: 'visible', timeout: 5000 });
  const loaded = await page.evaluate((s) => {
    const img = document.querySelector(`${s} img`);
    return img.complete && img.naturalWidth > 0;
  }, modal);
  assert.ok(loaded, 'the full-size picture shows in the modal');
  await page.click(`${modal} button.close`);
  if (clock) await page.clock.runFor(1000);
  await page.waitForSelector(modal, { state: 'hidden', timeout: 5000 });
}

// ---------------------------------------------------------------- forms

function mails(folder) {
  if (!fs.existsSync(folder)) return [];
  return fs.readdirSync(folder).filter((f) => f.endsWith('.json')).sort((a, b) => parseInt(a) - parseInt(b))
    .map((f) => ({ envelope: JSON.parse(fs.readFileSync(path.join(folder, f), 'utf8')),
      message: fs.readFileSync(path.join(folder, f.replace(/\.json$/, '.eml')), 'utf8') }));
}

async function questionAnswer(page, selector) {
  const text = await page.textContent(selector);
  const m = /(\d)\s*\+\s*(\d)\s*=/.exec(text);
  assert.ok(m, `bot question shown (${text})`);
  return Number(m[1]) + Number(m[2]);
}

async function fill(page, formName, values) {
  await page.evaluate(({ name, values }) => {
    for (const [field, value] of Object.entries(values)) document.forms[name][field].value = value;
  }, { name: formName, values });
}

async function checkForm(page, relative, form) {
  const folder = { auth: servers.authMail, refusing: servers.refusingMail }[form.mail.server] || servers.plainMail;
  const before = mails(folder).length;
  const alerts = [];
  page.on('dialog', (dialog) => { alerts.push(dialog.message()); dialog.accept(); });
  const validate = async () => {
    alerts.length = 0;
    const result = await page.evaluate(() => validateForm());
    return { result, alerts: [...alerts] };
  };
  const answer = await questionAnswer(page, form.question);
  const blank = Object.fromEntries(Object.keys(form.values).map((k) => [k, '']));

  await fill(page, form.name, { ...blank, [form.bot]: '' });
  assert.deepEqual(await validate(), { result: false, alerts: [form.alerts.required] });
  if (form.email) {
    await fill(page, form.name, { ...form.values, [form.email]: 'not an address', [form.bot]: String(answer) });
    assert.deepEqual(await validate(), { result: false, alerts: [form.alerts.email] });
  }
  await fill(page, form.name, { ...form.values, [form.bot]: String((answer + 1) % 19) });
  assert.deepEqual(await validate(), { result: false, alerts: [form.alerts.bot] });
  assert.equal(mails(folder).length, before, 'nothing sent while the checks fail');

  await fill(page, form.name, { ...form.values, [form.bot]: String(answer) });
  for (const check of form.checks || []) {  // "NAME=VALUE": the radio button or check box to tick
    const [name, value] = check.split('=');
    await page.check(`form[name="${form.name}"] input[name="${name}"][value="${value}"]`);
  }
  alerts.length = 0;
  await Promise.all([page.waitForNavigation({ waitUntil: 'load' }), page.click('input[type=submit]')]);
  if (form.failure) {
    // The browser's checks pass; the server's send fails and the page says so.
    assert.deepEqual(alerts, [form.alerts.sent, form.failure]);
    assert.equal(mails(folder).length, before, 'nothing delivered');
    return;
  }
  assert.deepEqual(alerts, [form.alerts.sent]);
  if (form.redirect) await page.waitForURL(`**/${form.redirect}`, { timeout: 5000 });
  const sent = mails(folder);
  assert.equal(sent.length, before + 1, 'one message delivered');
  const { envelope, message } = sent[sent.length - 1];
  assert.deepEqual([...envelope.to].sort(), [...form.mail.to].sort());
  assert.equal(envelope.auth, form.mail.auth || null);
  const headers = message.split(/\r?\n\r?\n/)[0];
  assert.match(headers, new RegExp(`^Subject: ${form.mail.subject}$`, 'mi'));
  if (form.mail.cc) assert.match(headers, new RegExp(`^Cc: ?${form.mail.cc}$`, 'mi'));
  else assert.doesNotMatch(headers, /^Cc:/mi);
  for (const text of form.mail.contains) assert.ok(message.includes(text), `the message holds ${text}`);
  for (const text of form.mail.lacks || []) assert.ok(!message.includes(text), `the message lacks ${text}`);

  if (form.refusals) await checkRefusals(page, relative, form, folder);
}

// What the server does on its own, whatever a visitor's browser skipped.
async function checkRefusals(page, relative, form, folder) {
  const url = `http://127.0.0.1:${servers.php}/${relative}`;
  const post = async (values) => {
    await page.goto(url);  // a fresh question for this session
    const answer = await questionAnswer(page, form.question);
    const fields = { ...form.values, [form.bot]: String(answer), email: 'email', ...values(answer) };
    for (const k of Object.keys(fields)) if (fields[k] === undefined) delete fields[k];
    const before = mails(folder).length;
    const response = await page.request.post(url, { form: fields });
    return { text: await response.text(), sent: mails(folder).length - before };
  };
  const wrongBot = await post((a) => ({ [form.bot]: String((a + 1) % 19) }));
  assert.equal(wrongBot.sent, 0, 'a wrong bot answer sends nothing');
  assert.ok(wrongBot.text.includes(form.refusals.bot), 'and says so');

  const missing = await post(() => ({ [form.required[0]]: undefined }));
  assert.equal(missing.sent, 0, 'a missing required field sends nothing');
  assert.ok(missing.text.includes(form.refusals.missing), 'and says so');

  if (form.email) {
    const injected = await post(() => ({ [form.email]: 'ada@example.test\r\nBcc: victim@example.test' }));
    assert.equal(injected.sent, 0, 'a header injection sends nothing');
    assert.ok(injected.text.includes(form.refusals.injection), 'and says so');
  }

  await checkBotTokens(page, url, form, folder);

  await page.goto(url);
  const answer = await questionAnswer(page, form.question);
  const query = new URLSearchParams({ ...form.values, [form.bot]: String(answer), email: 'email' });
  const before = mails(folder).length;
  await page.request.get(`${url}?${query}`);
  assert.equal(mails(folder).length, before, 'a GET request sends nothing');
}

// The bot check's signed token: a fresh one sends, the same post replayed
// (with the visitor's session or without any cookie) sends nothing and says
// so, and a visitor who keeps no cookies at all can still send.
async function checkBotTokens(page, url, form, folder) {
  const fieldsOf = (answer, token) => ({ ...form.values, [form.bot]: String(answer), email: 'email', formCheck: token });
  await page.goto(url);
  // Hand-made pages of the older mailer carry no token.
  if (!(await page.$('input[name=formCheck]'))) return;
  const answer = await questionAnswer(page, form.question);
  const token = await page.getAttribute('input[name=formCheck]', 'value');
  const fields = fieldsOf(answer, token);
  let before = mails(folder).length;
  await page.request.post(url, { form: fields });
  assert.equal(mails(folder).length, before + 1, 'a fresh token sends');

  for (const [how, send] of [
    ['with the session', async () => (await page.request.post(url, { form: fields })).text()],
    ['without cookies', async () => (await fetch(url, { method: 'POST', body: new URLSearchParams(fields) })).text()],
  ]) {
    before = mails(folder).length;
    const text = await send();
    assert.equal(mails(folder).length, before, `a replayed token sends nothing (${how})`);
    assert.ok(text.includes(form.refusals.bot), `and says so (${how})`);
  }

  // A visitor without cookies: the page, then the post, neither carrying one.
  const html = await (await fetch(url)).text();
  const question = /(\d)\s*\+\s*(\d)\s*=/.exec(html);
  const fresh = /name=formCheck value="([^"]+)"/.exec(html);
  assert.ok(question && fresh, 'a cookie-less visitor gets the question and a token');
  before = mails(folder).length;
  const answered = await fetch(url, { method: 'POST',
    body: new URLSearchParams(fieldsOf(Number(question[1]) + Number(question[2]), fresh[1])) });
  const said = (await answered.text()).match(/<script>alert\([^)]*\);<\/script>/g) || [];
  assert.equal(mails(folder).length, before + 1, `a visitor without cookies can send (the page said ${said.join(' ')})`);
}

// Texts that try to leave their place on the page stay text: nothing they
// carry runs, and no element gains an event attribute from them.
async function checkHostile(page, spec) {
  if (spec.title !== undefined) assert.equal(await page.title(), spec.title, 'the title is the text as given');
  if (spec.validate) {
    page.on('dialog', (dialog) => dialog.accept());
    await page.evaluate(() => validateForm());
    await page.evaluate(() => {
      for (const el of document.querySelectorAll('input:not([type=hidden]):not([type=submit])')) el.value = 'x';
    });
    await page.evaluate(() => validateForm());
  }
  const handlers = await page.evaluate(() => {
    const found = [];
    for (const el of document.querySelectorAll('*'))
      for (const a of el.attributes)
        if (/^on/i.test(a.name) && !(el.tagName === 'FORM' && a.name === 'onsubmit')) found.push(`${el.tagName} ${a.name}`);
    return found;
  });
  assert.deepEqual(handlers, [], 'no event attribute came from a text');
  // Each text shows exactly as typed, in an element of its own.
  for (const text of spec.texts || []) {
    const found = await page.evaluate((t) => [...document.querySelectorAll('body *')]
      .some((el) => el.innerText !== undefined && el.innerText.replace(/\n$/, '') === t), text);
    assert.ok(found, `the text ${JSON.stringify(text)} shows as typed`);
  }
  for (const [name, content] of Object.entries(spec.meta || {}))
    assert.equal(await page.getAttribute(`meta[name=${name}]`, 'content'), content, `the ${name} as typed`);
  if (spec.submit !== undefined)
    assert.equal(await page.getAttribute('input[type=submit]', 'value'), spec.submit, 'the button says what was typed');
  assert.equal(await page.evaluate(() => window.__pwned), undefined, 'no text ran as script');
}

// Responsive sections: at each width the page still shows no error; at the
// wide width a section's columns sit side by side in their order, at the
// narrow one they stack, each as wide as its row. A click on the toggle
// text shows the hidden section.
async function checkLayout(page, layout) {
  const columnsOf = () => page.evaluate((kind) => {
    const rows = kind === 'email' ? [...document.querySelectorAll('tr')].filter((r) => r.querySelector(':scope > td.columnContainer'))
      : [...document.querySelectorAll('.row')];
    return rows.map((row) => {
      const cells = kind === 'email' ? [...row.querySelectorAll(':scope > td.columnContainer')]
        : [...row.children].filter((c) => /_column\b/.test(c.className));
      const r = row.getBoundingClientRect();
      return {
        row: { left: r.left, width: r.width },
        cells: cells.map((c) => {
          const b = c.getBoundingClientRect();
          return { left: b.left, top: b.top, width: b.width, text: c.textContent.replace(/\s+/g, ' ').trim() };
        }),
      };
    }).filter((row) => row.cells.length > 0 && row.cells[0].width > 0);
  }, layout.kind);
  for (const width of layout.widths) {
    await page.setViewportSize({ width, height: 800 });
    await page.waitForTimeout(100);  // the layout of the new width
    const rows = await columnsOf();
    for (const texts of layout.columns) {
      const row = rows.find((r) => r.cells.length === texts.length && r.cells[0].text.includes(texts[0]));
      assert.ok(row, `a row holds ${texts.join(', ')} at ${width} px`);
      texts.forEach((words, i) => assert.ok(row.cells[i].text.includes(words), `${words} in its column at ${width} px`));
      if (width === layout.wide) {
        for (let i = 1; i < row.cells.length; ++i) {
          assert.ok(Math.abs(row.cells[i].top - row.cells[0].top) <= 1, `${texts[i]} beside ${texts[0]} at ${width} px`);
          assert.ok(row.cells[i].left > row.cells[i - 1].left, `${texts[i]} right of ${texts[i - 1]} at ${width} px`);
          const share = row.row.width / texts.length;
          assert.ok(Math.abs(row.cells[i].width - share) <= 2, `${texts[i]} takes its span at ${width} px`);
        }
      }
      if (width === layout.narrow) {
        for (let i = 0; i < row.cells.length; ++i) {
          assert.ok(Math.abs(row.cells[i].width - row.row.width) <= 2, `${texts[i]} full width at ${width} px`);
          if (i > 0) assert.ok(row.cells[i].top > row.cells[i - 1].top, `${texts[i]} below ${texts[i - 1]} at ${width} px`);
        }
      }
    }
    await screenshot(page, `${layout.kind}-${width}`);
  }
  if (layout.toggle) {
    assert.equal(await page.isVisible(layout.toggle.shows), false, 'the hidden section is hidden at first');
    await page.click(layout.toggle.click, { timeout: 5000 });
    await page.waitForSelector(layout.toggle.shows, { state: 'visible', timeout: 5000 });
  }
  await page.setViewportSize({ width: 1024, height: 768 });
}

// A page made in a responsive edition's window: its 2-column section's
// columns sit side by side at the wide widths and stack at the narrow ones
// (the second column's top at or below the first column's bottom); at every
// width the page fits its window, nothing cut off at the side.
async function checkStacking(page, stacking, name) {
  const columns = () => page.evaluate((kind) => {
    const rows = kind === 'email' ? [...document.querySelectorAll('tr')]
      : [...document.querySelectorAll('.row')];
    for (const row of rows) {
      const cells = kind === 'email' ? [...row.querySelectorAll(':scope > td.columnContainer')]
        : [...row.children].filter((c) => /_column\b/.test(c.className));
      if (cells.length !== 2) continue;
      return cells.map((c) => {
        const b = c.getBoundingClientRect();
        return { left: b.left, right: b.right, top: b.top, bottom: b.bottom, height: b.height };
      });
    }
    return null;
  }, stacking.kind);
  const fits = () => page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth + 1);
  const at = async (width) => {
    await page.setViewportSize({ width, height: 900 });
    await page.waitForTimeout(100);  // the layout of the new width
    const cells = await columns();
    assert.ok(cells, `a section of two columns at ${width} px`);
    assert.ok(cells[0].height > 0 && cells[1].height > 0, `both columns hold something at ${width} px`);
    assert.ok(await fits(), `nothing is cut off at the side at ${width} px`);
    await screenshot(page, `${name}-${width}`);
    return cells;
  };
  for (const width of stacking.sideBySide) {
    const [one, two] = await at(width);
    assert.ok(Math.abs(one.top - two.top) <= 1, `the columns start level at ${width} px`);
    assert.ok(two.left >= one.right - 1, `column 2 right of column 1 at ${width} px`);
  }
  for (const width of stacking.stacked) {
    const [one, two] = await at(width);
    assert.ok(two.top >= one.bottom - 1, `column 2 (top ${two.top}) below column 1 (bottom ${one.bottom}) at ${width} px`);
  }
  await page.setViewportSize({ width: 1024, height: 768 });
}

function phpLog() {
  const log = path.join(work, 'php', 'php-errors.log');
  return fs.existsSync(log) ? fs.readFileSync(log, 'utf8').split('\n').filter(Boolean) : [];
}

// PHP's complaints so far, less the deprecation notices of Debian's PEAR Mail.
function phpErrors() {
  return phpLog().filter((l) => !/PHP Deprecated:/.test(l)).slice(-20);
}

// ---------------------------------------------------------------- the tests

function phpFiles(folder) {
  const found = [];
  for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
    const full = path.join(folder, entry.name);
    if (entry.isDirectory()) found.push(...phpFiles(full));
    else if (entry.name.endsWith('.php')) found.push(full);
  }
  return found;
}

test('every PHP page passes php -l', () => {
  const files = phpFiles(site);
  const failures = [];
  for (const file of files) {
    try {
      // Short open tags are off on Debian: "<?" alone would be sent as text.
      if (/<\?(?!php\b|xml\b)/.test(fs.readFileSync(file, 'utf8')))
        failures.push(`${path.relative(site, file)}: a short open tag`);
      execFileSync('php', ['-n', '-d', 'short_open_tag=Off', '-l', file], { stdio: 'pipe' });
    } catch (error) {
      failures.push(`${path.relative(site, file)}: ${String(error.stdout || '')}${String(error.stderr || '')}`.trim());
    }
  }
  assert.deepEqual(failures, []);
  assert.ok(files.length > 0, 'there are PHP pages to check');
});

test('pages behave in the browser', async (t) => {
  for (const manifest of manifests) {
    for (const spec of manifest.pages) {
      const relative = manifest.prefix + spec.page;
      await t.test(relative, async () => {
        const phpBefore = phpLog().length;
        const { page, problems } = await openPage(relative, { clock: !!spec.clock });
        try {
          await checkBoxes(page, spec.boxes);
          await screenshot(page, relative);
          for (const show of spec.slideshows || []) if (!show.automatic) await checkSlideshow(page, show);
          if (spec.clock) await checkAutomaticSlideshows(page, spec.slideshows || []);
          for (const image of spec.modals || []) await checkModal(page, image, !!spec.clock);
          if (spec.form) await checkForm(page, relative, spec.form);
          if (spec.hostile) await checkHostile(page, spec);
          if (spec.layout) await checkLayout(page, spec.layout);
          if (spec.stacking) await checkStacking(page, spec.stacking, relative);
          for (const name of spec.checks || []) await namedChecks[name](page, spec);
          // Notices and warnings of the page's own PHP (not of the PEAR packages).
          problems.push(...phpLog().slice(phpBefore).filter((l) => l.includes(site)).map((l) => `PHP: ${l}`));
          assert.deepEqual(problems, [], 'no console, page or PHP error, no outside address');
        } catch (error) {
          // What went wrong on the page often explains a failed check.
          if (problems.length) error.message += `\nOn the page:\n  ${problems.join('\n  ')}`;
          const php = phpErrors();
          if (php.length) error.message += `\nPHP said:\n  ${php.join('\n  ')}`;
          throw error;
        } finally {
          await page.close();
        }
      });
    }
  }
  assert.ok(pageCount > 0, 'at least one page was opened');
});

