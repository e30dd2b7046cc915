// Debian's Chromium, headless, through playwright-core: never a browser of
// playwright's own.
import { createRequire } from 'node:module';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

const require = createRequire(resolve('build/web/tools/package.json'));
const { chromium } = require('playwright-core');

export const chromiumArgs = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// A browser with a new empty profile, closed and removed by close().
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'bcfont-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.BCFONT_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: chromiumArgs,
    viewport: { width: 1100, height: 900 },
    deviceScaleFactor: 1,
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

export const demoUrl = (query) =>
  'file://' + resolve('build/web/demo/index.html') + (query ? '?' + new URLSearchParams(query) : '');
