// The offline page in headless Chromium, opened from disk as a double click
// would: every decodable symbology is drawn, photographed at 1× and read
// back by zxing-cpp; printed to PDF at 300 dpi it reads back too.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { load } from '../../build/web/package/index.mjs';
import { decode, demoUrl, installPackage, launch, scratch, serve } from './harness.mjs';

const work = scratch('page');
let browser;
let bc;

before(async () => {
  browser = await launch();
  bc = await load();
});
after(() => browser?.close());

async function open(query) {
  const page = await browser.context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(demoUrl(query));
  await page.waitForSelector('html[data-ready]', { timeout: 20000 });
  assert.deepEqual(errors, [], 'script errors');
  return page;
}

// [name, query of the page, zxing-cpp format, the text it must read]
// clang-format off
const symbols = [
  ['EAN-8', { type: 'ean8', data: '5512345' }, 'EAN-8', '55123457'],
  ['EAN-13', { type: 'ean13', data: '400638133393' }, 'EAN-13', '4006381333931'],
  ['EAN-13 half height, one pixel a module', { type: 'ean13', data: '978014300723', halfHeight: '1', module: '1' }, 'EAN-13', '9780143007234'],
  ['UPC-A', { type: 'upca', data: '03600029145' }, 'UPC-A', '036000291452'],
  ['UPC-E', { type: 'upce', data: '0123456' }, 'UPC-E', '01234565'],
  ['Code 39 without check', { type: 'code39', data: 'Az09 -.$/+%', check: '0' }, 'Code39', 'Az09 -.$/+%'],
  ['Code 39 high density', { type: 'code39', data: 'CODE39', check: '0', highDensity: '1' }, 'Code39', 'CODE39'],
  ['Code 128', { type: 'code128', data: 'Hello World' }, 'Code128', 'Hello World'],
  ['Code 128 EAN/UCC', { type: 'code128ean', data: '0101234567890128' }, 'Code128', '0101234567890128'],
  ['2 of 5 Interleaved with check', { type: 'itf', data: '1234567' }, 'ITF', '12345670'],
  ['2 of 5 Interleaved padded', { type: 'itf', data: '12345', check: '0' }, 'ITF', '012345'],
  ['Codabar', { type: 'codabar', data: '0123456789' }, 'Codabar', '0123456789'],
];

for (const [name, query, format, expected] of symbols) {
  test(`screenshot decodes: ${name}`, async () => {
    const page = await open(query);
    const png = join(work, `${query.type}-${symbols.findIndex((s) => s[0] === name)}.png`);
    await page.locator('#preview').screenshot({ path: png });
    await page.close();
    assert.equal(decode(format, png), expected);
  });
}

test('the reason line says why data is refused, as the encoder does', async () => {
  const cases = [
    ['too few digits', { type: 'ean13', data: '12' }],
    ['letters in digits', { type: 'itf', data: '12a4' }],
    ['no data', { type: 'code128', data: '' }],
  ];
  for (const [name, query] of cases) {
    const page = await open(query);
    assert.equal(await page.textContent('#reason'), bc.encode(query.data, query.type).reason, name);
    assert.equal(await page.isHidden('#preview'), true, name);
    await page.close();
  }
  const page = await open({ type: 'qr', data: '400638133393' });
  assert.match(await page.textContent('#reason'), /^The address asks for the symbology “qr”, which bcfont does not know; showing EAN-13\./);
  await page.close();
});

// Printed pages keep the screen size: CSS pixels are 1/96 inch on paper.
const printed = [
  ['EAN-13', { type: 'ean13', data: '400638133393' }, 'EAN-13', '4006381333931'],
  ['Code 128', { type: 'code128', data: 'Hello World' }, 'Code128', 'Hello World'],
  ['Codabar', { type: 'codabar', data: '0123456789' }, 'Codabar', '0123456789'],
];
for (const [name, query, format, expected] of printed) {
  test(`print to PDF at 300 dpi decodes: ${name}`, async () => {
    const page = await open(query);
    const screenWidthPx = await page.evaluate(() => document.getElementById('code').getBoundingClientRect().width);
    await page.emulateMedia({ media: 'print' });
    const pdf = join(work, `print-${query.type}.pdf`);
    await page.pdf({ path: pdf, format: 'A4', printBackground: true, preferCSSPageSize: true });
    await page.close();
    const prefix = join(work, `print-${query.type}`);
    const r = spawnSync('pdftoppm', ['-r', '300', '-png', '-f', '1', '-l', '1', pdf, prefix]);
    assert.equal(r.status, 0, String(r.stderr));
    const png = readdirSync(work).find((f) => f.startsWith(`print-${query.type}`) && f.endsWith('.png'));
    assert.equal(decode(format, join(work, png)), expected);
    // The text's box on paper, in points, against its screen width; the box
    // leaves out a trailing blank glyph, so it may fall short by a little,
    // much less than any scaling would.
    const box = spawnSync('pdftotext', ['-bbox', '-f', '1', '-l', '1', pdf, '-'], { encoding: 'utf8' }).stdout;
    const xs = [...box.matchAll(/<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)"/g)].flatMap((m) => [+m[1], +m[2]]);
    const printedPt = Math.max(...xs) - Math.min(...xs);
    const ratio = printedPt / (screenWidthPx * 0.75);
    assert.ok(ratio > 0.985 && ratio < 1.001, `printed ${printedPt} pt, screen ${screenWidthPx} px`);
  });
}

test('dark mode keeps black bars on white, and they decode', async () => {
  const page = await browser.context.newPage();
  await page.emulateMedia({ colorScheme: 'dark' });
  await page.goto(demoUrl({ type: 'code128', data: 'Dark 128' }));
  await page.waitForSelector('html[data-ready]');
  const colours = await page.evaluate(() => {
    const style = (id) => getComputedStyle(document.getElementById(id));
    return { page: style('reason').color !== 'rgb(0, 0, 0)', bars: style('preview').color, paper: style('preview').backgroundColor };
  });
  assert.deepEqual(colours, { page: true, bars: 'rgb(0, 0, 0)', paper: 'rgb(255, 255, 255)' });
  const png = join(work, 'dark.png');
  await page.locator('#preview').screenshot({ path: png });
  await page.close();
  assert.equal(decode('Code128', png), 'Dark 128');
});

test('the keyboard alone reaches every control and drives the page', async () => {
  const page = await open({ type: 'ean13', data: '400638133393' });
  const order = [];
  for (let i = 0; i < 11; i++) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  // The add-on is enabled for EAN-13; check and high density are not offered.
  assert.deepEqual(order, ['type', 'data', 'addon', 'halfHeight', 'module', 'copyHtml', 'copyText', 'print',
    'batch', 'convert', 'batchOut']);
  await page.focus('#type');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.inputValue('#type'), 'upca');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Control+A');
  await page.keyboard.type('03600029145');
  assert.equal(await page.textContent('#reason'), 'UPC-A, face “Code UPC”');
  await page.focus('#batch');
  await page.keyboard.type('03600029145\n12\n');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Enter');
  assert.equal(await page.inputValue('#batchOut'), `${bc.encode('03600029145', 'upca').text}\n`);
  assert.equal(await page.textContent('#batchReport'), `1 of 2 lines converted.\nline 2: ${bc.encode('12', 'upca').reason}`);
  await page.close();
});

// The README's example page, served with the package installed from its
// tarball: the ES module, the CSS and the WOFF2 faces as a browser gets them.
test("the README's example page draws a barcode that decodes", async () => {
  const example = readFileSync('README.md', 'utf8').split('## On the web')[1].match(/```html\n([\s\S]*?)```/)[1];
  const site = scratch('site');
  const npm = installPackage(site);
  assert.equal(npm.status, 0, npm.stderr);
  writeFileSync(join(site, 'index.html'), '<!DOCTYPE html>\n' + example);
  const server = await serve(site);
  try {
    const page = await browser.context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(`${server.url}/index.html`);
    await page.waitForFunction(() => document.getElementById('bars').textContent !== '' && document.fonts.status === 'loaded');
    const png = join(work, 'readme.png');
    await page.locator('#bars').screenshot({ path: png });
    await page.close();
    assert.deepEqual(errors, []);
    assert.equal(decode('EAN-13', png), '4006381333931');
  } finally {
    server.close();
  }
});
