// Copy as HTML from the offline page, pasted into LibreOffice Writer: the
// HTML that Chromium put on the clipboard is read back and imported by
// Writer's HTML filter (the one its paste uses), printed to PDF with
// bcfont's fonts, and read back by zxing-cpp at 300 dpi.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { chmodSync, existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { decode, demoUrl, launch, scratch } from './harness.mjs';

const fonts = resolve(process.env.BCFONT_FONT_DIR ?? 'build/fonts');
const work = scratch('writer');
let browser;

before(async () => {
  browser = await launch();
  await browser.context.grantPermissions(['clipboard-read', 'clipboard-write']);
});
after(() => browser?.close());

async function copiedHtml(query) {
  const page = await browser.context.newPage();
  await page.goto(demoUrl(query));
  await page.waitForSelector('html[data-ready]');
  await page.focus('#copyHtml');
  await page.keyboard.press('Enter');
  const html = await page.evaluate(async () => {
    for (const item of await navigator.clipboard.read())
      if (item.types.includes('text/html')) return (await item.getType('text/html')).text();
    return null;
  });
  await page.close();
  assert.notEqual(html, null, 'no HTML on the clipboard');
  return html;
}

// LibreOffice as nobody when run as root (it refuses root profiles' quirks),
// with bcfont's fonts beside the system's.
function writerToPdf(html, name) {
  const dir = join(work, name);
  mkdirSync(join(dir, 'home'), { recursive: true });
  chmodSync(work, 0o777);
  chmodSync(dir, 0o777);
  chmodSync(join(dir, 'home'), 0o777);
  const source = join(dir, `${name}.html`);
  writeFileSync(source, `<!DOCTYPE html><html><head><meta charset="utf-8"></head><body>${html}</body></html>`);
  const conf = join(dir, 'fonts.conf');
  writeFileSync(conf, '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>' +
    `<include ignore_missing="yes">/etc/fonts/fonts.conf</include><dir>${fonts}</dir>` +
    `<cachedir>${join(dir, 'fc')}</cachedir></fontconfig>`);
  const asNobody = process.getuid?.() === 0 ? ['runuser', '-u', 'nobody', '--'] : [];
  const command = [...asNobody, 'soffice', `-env:UserInstallation=file://${join(dir, 'profile')}`, '--headless',
    '--norestore', '--nolockcheck', '--infilter=HTML (StarWriter)', '--convert-to', 'pdf:writer_pdf_Export',
    '--outdir', dir, source];
  const env = { ...process.env, HOME: join(dir, 'home'), SAL_USE_VCLPLUGIN: 'svp', FONTCONFIG_FILE: conf };
  const pdf = join(dir, `${name}.pdf`);
  // The first start creates the profile and may exit before converting.
  let run;
  for (let attempt = 0; attempt < 2 && !existsSync(pdf); attempt++)
    run = spawnSync(command[0], command.slice(1), { env, encoding: 'utf8', timeout: 240000 });
  assert.ok(existsSync(pdf), `Writer made no PDF: ${run?.stdout} ${run?.stderr}`);
  return pdf;
}

function decodePdf(pdf, format) {
  const prefix = pdf.replace(/\.pdf$/, '');
  const r = spawnSync('pdftoppm', ['-r', '300', '-png', '-singlefile', '-f', '1', '-l', '1', pdf, prefix]);
  assert.equal(r.status, 0, String(r.stderr));
  return decode(format, `${prefix}.png`);
}

// [name, query of the page, zxing-cpp format, the text it must read]
const pasted = [
  ['EAN-13', { type: 'ean13', data: '400638133393' }, 'EAN-13', '4006381333931'],
  ['Code 128', { type: 'code128', data: 'Writer 128' }, 'Code128', 'Writer 128'],
];

for (const [name, query, format, expected] of pasted) {
  test(`copied HTML pasted into Writer decodes: ${name}`, async () => {
    const pdf = writerToPdf(await copiedHtml(query), query.type);
    assert.equal(decodePdf(pdf, format), expected);
  });
}
