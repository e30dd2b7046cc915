// Time per encode of EAN-13 data in Node, over 1,000,000 calls.
//   node web/bench/encode.mjs [calls]
import { load } from '../../build/web/package/index.mjs';

const calls = Number(process.argv[2] ?? 1000000);
const bc = await load();
const data = Array.from({ length: 1000 }, (_, i) => String(400638133393 + i * 7919).slice(0, 12));
let bytes = 0;
for (let i = 0; i < 100000; i++) bytes += bc.encode(data[i % 1000], 'ean13').text.length;
const start = process.hrtime.bigint();
for (let i = 0; i < calls; i++) bytes += bc.encode(data[i % 1000], 'ean13').text.length;
const ns = Number(process.hrtime.bigint() - start) / calls;
console.log(`encode ean13: ${(ns / 1000).toFixed(3)} µs per call over ${calls} calls (${bytes} bytes)`);
