// The web module against the command line: the same requests must give the
// same font strings and the same reasons, over a seeded sweep of every type.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { load } from '../../build/web/package/index.mjs';

const cli = process.env.BCFONT_CLI ?? 'build/bcfont';
const bc = await load();

function run(args) {
  const r = spawnSync(cli, args, { encoding: 'utf8' });
  if (r.error) throw r.error;
  return r;
}

// What the command line prints for a request, in the module's terms.
function viaCommandLine(type, data, { addon = '', check = true } = {}) {
  const args = ['encode', '--type', type, '--addon', addon, ...(check ? [] : ['--no-check']), '--', data];
  const r = run(args);
  if (r.status === 0) return { text: r.stdout.replace(/\n$/, ''), reason: null };
  assert.equal(r.status, 1, `bcfont ${args.join(' ')}: ${r.stderr}`);
  return { text: null, reason: r.stderr.trim().split('\n').pop().replace(/^bcfont: /, '') };
}

// A reproducible source of test data (mulberry32).
function rng(seed) {
  return () => {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Alphabets that reach every rejection: digits for lengths and check
// digits, ASCII and escapes for Code 39 and 128, Mac OS Roman letters the
// symbologies refuse, and a character Mac OS Roman does not have.
const alphabets = ['0123456789', '0123456789', ' !$%+-./0123456789ABCDEFXYZabcxyz~', '~0123', '09é€ł'];
const lengths = [0, 1, 2, 5, 7, 8, 9, 11, 12, 13, 20, 46, 47, 48, 49];
const addons = ['', '', '12', '12345', '123', 'a1'];

function sweep(seed, count) {
  const random = rng(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  return Array.from({ length: count }, () => {
    // Half the cases are numbers of the lengths EAN and UPC take, starting
    // as UPC-E must, so that every type accepts some.
    const likely = random() < 0.5;
    const alphabet = likely ? alphabets[0] : pick(alphabets);
    const first = likely ? pick(['0', '1']) : '';
    const length = Math.max(0, pick(likely ? [7, 8, 11, 12, 13] : lengths) - first.length);
    const data = first + Array.from({ length }, () => pick([...alphabet])).join('');
    return { data, addon: pick(addons), check: random() < 0.7 };
  });
}

test('types() lists the names of bcfont types, in order, but the 2D codes', () => {
  const names = run(['types']).stdout.trim().split('\n').map((line) => line.trim().split(/\s+/)[1]);
  const twoD = ['qr', 'datamatrix', 'pdf417', 'gs1qr', 'gs1datamatrix'];
  assert.deepEqual(bc.types(), names.filter((name) => !twoD.includes(name)));
  assert.deepEqual(names.slice(bc.types().length), twoD);
});

// Twenty cases of the sweep, and up to five more among the next thousand
// that the module accepts, so that symbologies with strict data (new ones
// too) are compared on font strings as well as on reasons.
function casesFor(type, seed) {
  const cases = sweep(seed, 1020);
  return [...cases.slice(0, 20), ...cases.slice(20).filter((c) => bc.encode(c.data, type, c).text !== null).slice(0, 5)];
}

for (const [i, type] of bc.types().entries()) {
  test(`encode equals bcfont encode: ${type}`, (t) => {
    let accepted = 0;
    for (const c of casesFor(type, 1000 + i)) {
      const expected = viaCommandLine(type, c.data, c);
      const actual = bc.encode(c.data, type, c);
      assert.deepEqual({ text: actual.text, reason: actual.reason }, expected, JSON.stringify(c));
      if (expected.text !== null) accepted++;
    }
    if (accepted === 0) t.diagnostic(`no data of the sweep was accepted for ${type}`);
  });
}

test('type names and numbers as --type reads them', () => {
  const cases = [
    ['name', 'ean13', 1],
    ['any case', 'EAN13', 1],
    ['number', 5, 5],
    ['number as text', '5', 5],
  ];
  for (const [name, type, expected] of cases) {
    const face = bc.symbologies()[expected].faces[0];
    assert.equal(bc.encode('12345', type).face, face, name);
  }
  for (const [name, type] of [['unknown name', 'qr'], ['out of range', 99], ['fraction', 1.5], ['object', {}]])
    assert.throws(() => bc.encode('1', type), TypeError, name);
  assert.throws(() => bc.encode(undefined, 'ean13'), TypeError, 'no data');
});

test('faces follow the options', () => {
  const cases = [
    ['code39 normal', 'code39', {}, 'Code 39'],
    ['code39 half height', 'code39', { halfHeight: true }, 'Code 39 Red'],
    ['code39 both', 'code39', { halfHeight: true, highDensity: true }, 'Code 39 Red High Density'],
    ['ean13 has no high density', 'ean13', { highDensity: true }, 'Code EAN'],
  ];
  for (const [name, type, options, face] of cases) assert.equal(bc.encode('123', type, options).face, face, name);
});

test('fontSizeFor: whole CSS pixels per module', () => {
  const cases = [
    ['EAN module 13 units', 'ean13', 1, 1000 / 13],
    ['two pixels', 'ean13', 2, 2000 / 13],
    ['half-narrow module 12 units', 'itf', 3, 250],
    ['Postnet module 52 units', 'postnet', 1, 1000 / 52],
  ];
  for (const [name, type, px, size] of cases) assert.equal(bc.fontSizeFor(type, px), size, name);
  for (const px of [0, 1.5, -2, NaN]) assert.throws(() => bc.fontSizeFor('ean13', px), RangeError, String(px));
});

test('long and non-ASCII data crosses into the WebAssembly whole', () => {
  const long = '1'.repeat(100000);
  assert.equal(bc.encode(long, 'ean13').reason, viaCommandLine('ean13', '1'.repeat(1000)).reason.replace('1000', '100000'));
  assert.equal(bc.encode('é'.repeat(3000), 'code128').reason, viaCommandLine('code128', 'é'.repeat(3000)).reason);
});
