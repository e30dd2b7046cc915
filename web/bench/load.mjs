// Time of load() in headless Chromium, each in a fresh page: the package's ES module served over
// HTTP (fetch and compile of the WebAssembly), and the offline page's classic
// script from file:// (base64 inside the page). Median of ten fresh pages.
//   node web/bench/load.mjs
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { launch, demoUrl } from '../tests/chromium.mjs';

const root = 'build/web/package';
const types = { '.mjs': 'text/javascript', '.wasm': 'application/wasm', '.html': 'text/html' };
const page = `<!DOCTYPE html><script type="module">
const t0 = performance.now();
const { load } = await import('./index.mjs');
const t1 = performance.now();
await load();
const t2 = performance.now();
document.title = (t2 - t1) + ' ' + (t2 - t0);
</script>`;
const server = createServer(async (req, res) => {
  const path = normalize(new URL(req.url, 'http://x').pathname).replace(/^\/+/, '');
  if (path === '' || path === 'bench.html') return res.writeHead(200, { 'content-type': 'text/html' }).end(page);
  try {
    const body = await readFile(join(root, path));
    res.writeHead(200, { 'content-type': types[extname(path)] ?? 'application/octet-stream' }).end(body);
  } catch {
    res.writeHead(404).end();
  }
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const url = `http://127.0.0.1:${server.address().port}/bench.html`;

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await launch();
const module = [];
const withImport = [];
const classic = [];
for (let i = 0; i < 10; i++) {
  const tab = await browser.context.newPage();
  await tab.goto(url);
  await tab.waitForFunction(() => document.title !== '');
  const [loadMs, totalMs] = (await tab.title()).split(' ').map(Number);
  module.push(loadMs);
  withImport.push(totalMs);
  await tab.goto(demoUrl());
  await tab.waitForSelector('html[data-ready]');
  classic.push(Number(await tab.evaluate(() => document.documentElement.dataset.loadMs)));
  await tab.close();
}
await browser.close();
server.close();
console.log(`load(), ES module over HTTP (fetch, compile): median ${median(module).toFixed(1)} ms of 10`);
console.log(`import of the module and load() together: median ${median(withImport).toFixed(1)} ms of 10`);
console.log(`load(), offline page's classic script (base64 inside): median ${median(classic).toFixed(1)} ms of 10`);
