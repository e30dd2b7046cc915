// Time of load() in headless Chromium, each in a fresh page: the package's ES module served over
// HTTP (fetch and compile of the WebAssembly), and the offline page's classic
// script from file:// (base64 inside the page). Median of ten fresh pages.
//   node web/bench/load.mjs
import { resolve } from 'node:path';
import { demoUrl, launch, serve } from '../tests/harness.mjs';

const page = `<!DOCTYPE html><script type="module">
const t0 = performance.now();
const { load } = await import('./index.mjs');
const t1 = performance.now();
await load();
const t2 = performance.now();
document.title = (t2 - t1) + ' ' + (t2 - t0);
</script>`;
const server = await serve(resolve('build/web/package'), { '/bench.html': page });
const url = `${server.url}/bench.html`;

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
