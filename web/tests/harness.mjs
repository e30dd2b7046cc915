// What the web tests and benchmarks share: Debian's Chromium driven by
// playwright-core (never a browser of playwright's own), the decoder, a
// scratch folder, the package installed from its tarball, a static server.
import { createRequire } from 'node:module';
import { spawnSync } from 'node:child_process';
import { createServer } from 'node:http';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize, resolve } from 'node:path';

const require = createRequire(resolve('build/web/tools/package.json'));
const { chromium } = require('playwright-core');

export const chromiumArgs = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// A folder removed when the process ends.
export function scratch(name) {
  const dir = mkdtempSync(join(tmpdir(), `bcfont-${name}-`));
  process.on('exit', () => rmSync(dir, { recursive: true, force: true }));
  return dir;
}

// A browser with a new empty profile, at 1x, closed by close().
export async function launch() {
  const context = await chromium.launchPersistentContext(scratch('chromium'), {
    executablePath: process.env.BCFONT_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: chromiumArgs,
    viewport: { width: 1100, height: 900 },
    deviceScaleFactor: 1,
  });
  return { context, close: () => context.close() };
}

export const demoUrl = (query) =>
  'file://' + resolve('build/web/demo/index.html') + (query ? '?' + new URLSearchParams(query) : '');

// The text zxing-cpp reads from a PNG, or why it read none.
export function decode(format, png) {
  const decoder = process.env.BCFONT_DECODE_PNG ?? 'build/tests/office/bcfont_decode_png';
  const r = spawnSync(decoder, [format, png], { encoding: 'utf8' });
  return r.status === 0 ? r.stdout.replace(/\n$/, '') : `(nothing read, status ${r.status}: ${r.stderr.trim()})`;
}

// A project in `dir` with the package installed from build/web's tarball,
// as npm installs it; the npm run's result.
export function installPackage(dir) {
  const tarball = readdirSync('build/web').find((f) => /^bcfont-web-.*\.tgz$/.test(f));
  writeFileSync(join(dir, 'package.json'), '{"private": true, "type": "module"}');
  return spawnSync('npm', ['install', '--no-audit', '--no-fund', '--offline', resolve('build/web', tarball)],
    { cwd: dir, encoding: 'utf8' });
}

const mimeTypes = {
  '.html': 'text/html', '.mjs': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm', '.woff2': 'font/woff2',
};

// Serves `dir` on localhost, and `pages` (path → HTML) besides; { url, close }.
export async function serve(dir, pages = {}) {
  const server = createServer((req, res) => {
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (pages[path] !== undefined) return res.writeHead(200, { 'content-type': 'text/html' }).end(pages[path]);
    const file = join(dir, path);
    if (!file.startsWith(dir) || !existsSync(file) || statSync(file).isDirectory()) return res.writeHead(404).end();
    res.writeHead(200, { 'content-type': mimeTypes[extname(file)] ?? 'application/octet-stream' }).end(readFileSync(file));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { url: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}
