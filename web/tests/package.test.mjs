// The npm package as a project installs it from its tarball: what its
// exports resolve to, that Node runs it, and that its CSS declares every face.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { installPackage, scratch } from './harness.mjs';

const site = scratch('package');
const npm = installPackage(site);

// Runs a module in the installed project, as its own code would.
function runInProject(source) {
  writeFileSync(join(site, 'probe.mjs'), source);
  const r = spawnSync(process.execPath, ['probe.mjs'], { cwd: site, encoding: 'utf8' });
  assert.equal(r.status, 0, r.stderr);
  return r.stdout.trim();
}

test('installs from its tarball', () => assert.equal(npm.status, 0, npm.stderr));

test('exports resolve to the package files', () => {
  const cases = [
    ['the module', 'bcfont', 'index.mjs'],
    ['the CSS', 'bcfont/bcfont.css', 'bcfont.css'],
    ['a face', 'bcfont/fonts/CodeEAN.woff2', 'fonts/CodeEAN.woff2'],
  ];
  // As the project's own code resolves them (the exports have no
  // condition, so require's resolution is import's too).
  const { resolve } = createRequire(join(site, 'probe.mjs'));
  for (const [name, specifier, file] of cases) assert.equal(resolve(specifier), join(site, 'node_modules/bcfont', file), name);
  const manifest = JSON.parse(readFileSync(join(site, 'node_modules/bcfont/package.json'), 'utf8'));
  assert.deepEqual([manifest.name, manifest.type, manifest.types], ['bcfont', 'module', './index.d.ts']);
});

test('Node runs it from the installed package', () => {
  const out = runInProject(
    "import { load } from 'bcfont'; const bc = await load(); console.log(JSON.stringify(bc.encode('400638133393', 'ean13')));");
  assert.deepEqual(JSON.parse(out), { text: '4<ALGDTM=dddjdb>', face: 'Code EAN', reason: null });
});

test('bcfont.css declares every face the encoder names, with a class', () => {
  const css = readFileSync(join(site, 'node_modules/bcfont/bcfont.css'), 'utf8');
  const faces = JSON.parse(runInProject(
    "import { load } from 'bcfont'; const bc = await load(); console.log(JSON.stringify([...new Set(bc.symbologies().flatMap((s) => s.faces))]))"));
  for (const face of faces) {
    const at = css.indexOf(`@font-face {\n  font-family: "${face}";`);
    assert.ok(at >= 0, `no @font-face for ${face}`);
    assert.match(css.slice(at, css.indexOf('}', at)), /font-display: block;/, face);
    const className = 'bcfont-' + face.toLowerCase().replace(/[^a-z0-9]+/g, '-');
    assert.ok(css.includes(`.${className} {\n  font-family: "${face}";`), `no .${className}`);
  }
});
