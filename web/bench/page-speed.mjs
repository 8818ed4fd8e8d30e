// The web edition's speed figures, measured in Debian's headless Chromium
// on the built page opened from its folder:
//   - first load to results for the sample pair;
//   - one calculation gate run in WebAssembly, beside the native
//     benchmark of the same run when its binary is given;
//   - the bytes the page loads;
//   - a pair table of 100 donors by 100 acceptors, opened and shown.
//   node web/bench/page-speed.mjs [korin_core_bench]
// (BM_EngineGateRun is the same run through the engine, as the page's gate
// call makes it.)
import { execFileSync } from 'node:child_process';
import { mkdirSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const web = join(root, 'build/web');
const samples = join(root, 'data/samples');
const page = pathToFileURL(join(web, 'index.html')).href;
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--no-first-run'],
});

// First load to results, in a fresh context each time (no cache).
const loads = [];
for (let i = 0; i < 7; i++) {
  const context = await browser.newContext();
  const tab = await context.newPage();
  const start = performance.now();
  await tab.goto(page);
  await tab.waitForSelector('body[data-ready="true"]');
  await tab.setInputFiles('#emission-file', join(samples, 'donor_emission.csv'));
  await tab.setInputFiles('#absorption-file', join(samples, 'acceptor_absorption.sp'));
  await tab.waitForFunction(() => !document.querySelector('#result-values').hidden);
  loads.push(performance.now() - start);
  await context.close();
}
console.log(`first load to results: ${median(loads).toFixed(0)} ms (median of 7)`);

// The gate, run again and again on the shown pair.
const tab = await browser.newPage();
await tab.goto(page);
await tab.waitForSelector('body[data-ready="true"]');
await tab.setInputFiles('#emission-file', join(samples, 'donor_emission.csv'));
await tab.setInputFiles('#absorption-file', join(samples, 'acceptor_absorption.sp'));
await tab.waitForFunction(() => !document.querySelector('#result-values').hidden);
const gate = await tab.evaluate(() => {
  const runs = [];
  for (let i = 0; i < 5; i++) runs.push(window.korinFret.engine.call({ command: 'gate', runs: 20000 }).ns_per_run);
  return runs.sort((a, b) => a - b)[2];
});
let native = '';
if (process.argv[2]) {
  const out = execFileSync(process.argv[2], ['--benchmark_filter=BM_EngineGateRun$', '--benchmark_format=json'],
    { encoding: 'utf8' });
  const nanoseconds = JSON.parse(out).benchmarks[0].real_time;
  native = `, native ${nanoseconds.toFixed(0)} ns: ${(gate / nanoseconds).toFixed(2)}x`;
}
console.log(`one gate run in WebAssembly: ${gate.toFixed(0)} ns${native}`);

let bytes = 0;
for (const name of ['index.html', 'style.css', 'korin-fret.js']) bytes += statSync(join(web, name)).size;
console.log(`page with its WebAssembly: ${(bytes / 1024 / 1024).toFixed(2)} MiB (${bytes} bytes)`);

// 100 donors and 100 acceptors: Gaussian spectra at shifted peaks.
const folder = join(tmpdir(), `korin-pairs-${process.pid}`);
mkdirSync(folder, { recursive: true });
// Donors as two-column CSV, acceptors as absorbance against increasing
// wavelength (.abt) under a title and a column heading.
const spectrum = (centre, width, height, head, separator) => {
  const lines = [...head];
  for (let nm = 350; nm <= 800; nm++) {
    lines.push(`${nm}${separator}${(height * Math.exp(-(((nm - centre) / width) ** 2))).toFixed(6)}`);
  }
  return `${lines.join('\n')}\n`;
};
const donors = [];
const acceptors = [];
for (let i = 0; i < 100; i++) {
  donors.push(join(folder, `donor${i}.csv`));
  writeFileSync(donors[i], spectrum(450 + i, 25, 1000, ['Wavelength,Intensity'], ','));
  acceptors.push(join(folder, `acceptor${i}.abt`));
  writeFileSync(acceptors[i], spectrum(500 + i, 30, 0.8, ['acceptor', '  nm      A'], ' '));
}
const tables = [];
const everyRow = [];
for (let i = 0; i < 3; i++) {
  await tab.click('#clear-pairs');
  await tab.setInputFiles('#donor-files', donors);
  const start = performance.now();
  await tab.setInputFiles('#acceptor-files', acceptors);
  await tab.waitForFunction(() => document.querySelector('#pairs-count').textContent.includes('10,000'));
  tables.push(performance.now() - start);
  const all = performance.now();
  await tab.click('#show-all-pairs');
  await tab.waitForFunction(() => document.querySelectorAll('#pair-table tbody tr').length === 10000);
  everyRow.push(performance.now() - all);
}
const engineOnly = await tab.evaluate(() => {
  const app = window.korinFret;
  const start = performance.now();
  app.engine.call(app.pairsCall());
  return performance.now() - start;
});
console.log(`pair table 100 x 100: ${median(tables).toFixed(0)} ms from the acceptors chosen to the table` +
  ` shown (10,000 pairs computed and sorted, the first 500 rows laid out; the engine's call alone` +
  ` ${engineOnly.toFixed(0)} ms); all 10,000 rows laid out on request in ${median(everyRow).toFixed(0)} ms`);
await browser.close();
