// The built page in Debian's Chromium, headless, driven as a user drives
// it: files opened and dropped, fields typed, the column dialog, exports,
// the pair table, the link. Its J and R0 texts must be the command-line
// tool's for the same request, digit for digit.
//   KORIN_WEB_DIR   the built page (build/web)
//   KORIN_CLI       the command-line tool (build/default/cli/korin-fret-cli)
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { serveFolder } from './static-server.mjs';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const webDir = process.env.KORIN_WEB_DIR ?? join(root, 'build/web');
const cli = process.env.KORIN_CLI ?? join(root, 'build/default/cli/korin-fret-cli');
const samples = join(root, 'data/samples');
const shots = join(root, 'build/web-screenshots');
const scratch = join(tmpdir(), `korin-web-${process.pid}`);
mkdirSync(scratch, { recursive: true });
mkdirSync(shots, { recursive: true });

const donors = ['csv', 'ifx', 'iss', 'rls', 'txt'].map((e) => join(samples, `donor_emission.${e}`));
const acceptors = ['abs', 'abt', 'asp', 'sp', 'txt'].map((e) => join(samples, `acceptor_absorption.${e}`));

// The tool's two result texts for these arguments.
function toolTexts(args) {
  const out = execFileSync(cli, args, { encoding: 'utf8' });
  return {
    j: /^Overlap Integral: (\S+) /m.exec(out)[1],
    r0: /^Ro \[Angstroms\]: (\S+)$/m.exec(out)[1],
    lines: out,
  };
}

let browser;
let server;
const problems = [];  // console errors, page errors and requests leaving the page

async function openPage(url = server.url, viewport = { width: 1280, height: 800 }) {
  const page = await browser.newPage({ viewport, acceptDownloads: true });
  page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('request', (r) => {
    if (!r.url().startsWith(server.url) && !r.url().startsWith('file:') &&
        !r.url().startsWith('blob:') && !r.url().startsWith('data:')) problems.push(`request: ${r.url()}`);
  });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

async function results(page) {
  await page.waitForFunction(() => !document.querySelector('#result-values').hidden);
  return {
    j: await page.textContent('#overlap-integral'),
    r0: await page.textContent('#forster-distance'),
  };
}

async function openPair(page, donor, acceptor) {
  await page.setInputFiles('#emission-file', donor);
  await page.setInputFiles('#absorption-file', acceptor);
}

async function typeInto(page, selector, text) {
  await page.fill(selector, '');
  await page.type(selector, text);
}

before(async () => {
  server = await serveFolder(webDir);
  browser = await chromium.launch({
    executablePath: process.env.KORIN_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
  assert.deepEqual(problems, [], 'the page logged errors or reached outside itself');
});

describe('opening spectra', () => {
  test('every sample pair gives the tool\'s J and R0', async () => {
    const page = await openPage();
    for (const donor of donors) {
      for (const acceptor of acceptors) {
        await openPair(page, donor, acceptor);
        await page.waitForFunction(
          ([d, a]) => document.querySelector('#emission-state').textContent.startsWith(d) &&
            document.querySelector('#absorption-state').textContent.startsWith(a),
          [donor.split('/').pop(), acceptor.split('/').pop()]);
        const expected = toolTexts([donor, acceptor]);
        assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 }, `${donor} + ${acceptor}`);
      }
    }
    await page.close();
  });

  test('the page opened from its folder works as served', async () => {
    const page = await openPage(pathToFileURL(join(webDir, 'index.html')).href);
    await openPair(page, donors[0], acceptors[3]);
    const expected = toolTexts([donors[0], acceptors[3]]);
    assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 });
    await page.close();
  });

  test('a dropped file is read for the slot it lands on', async () => {
    const page = await openPage();
    await page.setInputFiles('#absorption-file', acceptors[3]);
    const content = readFileSync(donors[0], 'latin1');
    const transfer = await page.evaluateHandle((text) => {
      const data = new DataTransfer();
      data.items.add(new File([text], 'dropped.csv', { type: 'text/csv' }));
      return data;
    }, content);
    await page.dispatchEvent('#emission-slot', 'drop', { dataTransfer: transfer });
    const expected = toolTexts([donors[0], acceptors[3]]);
    assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 });
    assert.match(await page.textContent('#emission-state'), /^dropped\.csv: read as/);
    await page.close();
  });

  test('two files of one name from two folders stay two spectra', async () => {
    const page = await openPage();
    for (const [folder, sample] of [['one', donors[4]], ['two', acceptors[4]]]) {
      mkdirSync(join(scratch, folder), { recursive: true });
      writeFileSync(join(scratch, folder, 'spectrum.txt'), readFileSync(sample));
    }
    await openPair(page, join(scratch, 'one/spectrum.txt'), join(scratch, 'two/spectrum.txt'));
    const expected = toolTexts([donors[4], acceptors[4]]);
    assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 });
    await page.close();
  });

  test('a refused file says why and hides the results', async () => {
    const page = await openPage();
    const bad = join(scratch, 'broken.sp');
    writeFileSync(bad, 'this is no spectrum\n');
    await openPair(page, donors[0], bad);
    await page.waitForFunction(() => /not read/.test(document.querySelector('#absorption-state').textContent));
    assert.equal(await page.isHidden('#result-values'), true);
    assert.notEqual((await page.textContent('#why')).trim(), '');
    await page.close();
  });

  test('a three-column download goes through the column dialog', async () => {
    const page = await openPage();
    const download = join(scratch, 'dye.csv');
    const rows = ['Wavelength,Excitation,Emission'];
    for (let nm = 450; nm <= 650; nm++) {
      const ex = Math.exp(-(((nm - 500) / 20) ** 2)).toFixed(6);
      const em = Math.exp(-(((nm - 530) / 25) ** 2)).toFixed(6);
      rows.push(`${nm},${ex},${em}`);
    }
    writeFileSync(download, `${rows.join('\n')}\n`);
    await page.setInputFiles('#absorption-file', acceptors[3]);
    await page.setInputFiles('#emission-file', download);
    await page.waitForSelector('#column-dialog[open]');
    assert.equal(await page.inputValue('#column-value'), '2', 'the header\'s emission column is chosen');
    assert.equal(await page.locator('#column-preview tr').count(), 20);
    await page.click('#column-ok');
    const expected = toolTexts([download, acceptors[3], '--emission-columns', '1,3', '--emission-units', 'nm']);
    assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 });
    await page.close();
  });
});

describe('the parameter panel', () => {
  test('every field typed gives the tool\'s numbers for the same options', async () => {
    const page = await openPage();
    await openPair(page, donors[0], acceptors[3]);
    await results(page);
    const cases = [
      ['#quantum_yield', '0.8', ['--quantum-yield', '0.8']],
      ['#orientation', '0.9', ['--quantum-yield', '0.8', '--orientation', '0.9']],
      ['#concentration', '2.5E-6', ['--quantum-yield', '0.8', '--orientation', '0.9', '--concentration', '2.5E-6']],
    ];
    for (const [field, text, args] of cases) {
      await typeInto(page, field, text);
      const expected = toolTexts([donors[0], acceptors[3], ...args]);
      await page.waitForFunction((r0) => document.querySelector('#forster-distance').textContent === r0, expected.r0);
      assert.equal(await page.textContent('#overlap-integral'), expected.j, field);
    }
    await page.selectOption('#optical_path', '0.5');
    await page.selectOption('#solvent', 'other');
    await typeInto(page, '#refractive_index', '1.4');
    let expected = toolTexts([donors[0], acceptors[3], '--quantum-yield', '0.8', '--orientation', '0.9',
      '--concentration', '2.5E-6', '--optical-path', '0.5', '--refractive-index', '1.4']);
    await page.waitForFunction((r0) => document.querySelector('#forster-distance').textContent === r0, expected.r0);

    await page.check('input[name="entry"][value="extinction"]');
    await typeInto(page, '#extinction', '150000');
    expected = toolTexts([donors[0], acceptors[3], '--quantum-yield', '0.8', '--orientation', '0.9',
      '--refractive-index', '1.4', '--extinction', '150000']);
    await page.waitForFunction((r0) => document.querySelector('#forster-distance').textContent === r0, expected.r0);
    assert.equal(await page.textContent('#overlap-integral'), expected.j);
    await page.close();
  });

  test('a value out of range hides the results and names the field', async () => {
    const page = await openPage();
    await openPair(page, donors[0], acceptors[3]);
    await results(page);
    for (const [field, text] of [['#quantum_yield', '2'], ['#orientation', '5'], ['#concentration', 'x']]) {
      const before = await page.inputValue(field);
      await typeInto(page, field, text);
      await page.waitForFunction(() => document.querySelector('#result-values').hidden);
      assert.equal(await page.getAttribute(field, 'aria-invalid'), 'true', field);
      await typeInto(page, field, before);
      await results(page);
    }
    await page.close();
  });

  test('the keyboard alone reaches and types the fields', async () => {
    const page = await openPage();
    await openPair(page, donors[0], acceptors[3]);
    await results(page);
    await page.focus('#absorption-file');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'quantum_yield');
    await page.keyboard.press('Control+A');
    await page.keyboard.type('0.9');
    const expected = toolTexts([donors[0], acceptors[3], '--quantum-yield', '0.9']);
    await page.waitForFunction((r0) => document.querySelector('#forster-distance').textContent === r0, expected.r0);
    await page.close();
  });

  test('the link keeps the parameters and reproduces the numbers', async () => {
    let page = await openPage();
    await typeInto(page, '#quantum_yield', '0.7');
    await page.fill('#kappa2_min', '0.2');
    await page.type('#kappa2_max', '3');
    const link = page.url();
    assert.match(link, /#.*quantum_yield=0\.7/);
    assert.match(link, /kappa2_range=0\.2%2C3/);
    await page.close();
    page = await openPage(link);
    assert.equal(await page.inputValue('#quantum_yield'), '0.7');
    assert.equal(await page.inputValue('#kappa2_max'), '3');
    await openPair(page, donors[0], acceptors[3]);
    const expected = toolTexts([donors[0], acceptors[3], '--quantum-yield', '0.7', '--kappa2-range', '0.2', '3']);
    assert.deepEqual(await results(page), { j: expected.j, r0: expected.r0 });
    const lines = await page.locator('#analysis-lines li').allTextContents();
    assert.deepEqual(lines, expected.lines.trimEnd().split('\n').slice(2));
    await page.close();
  });
});

describe('analysis, plots and exports', () => {
  test('the analysis lines are the tool\'s', async () => {
    const page = await openPage();
    await openPair(page, donors[0], acceptors[3]);
    await results(page);
    await typeInto(page, '#efficiency', '0.5');
    await typeInto(page, '#distance', '40');
    const expected = toolTexts([donors[0], acceptors[3], '--efficiency', '0.5', '--distance', '40']);
    await page.waitForFunction(() => document.querySelectorAll('#analysis-lines li').length === 2);
    const shown = await page.locator('#analysis-lines li').allTextContents();
    assert.deepEqual(shown, expected.lines.trimEnd().split('\n').slice(2));
    assert.ok((await page.textContent('#command')).includes('--efficiency 0.5 --distance 40'));
    await page.close();
  });

  test('every plot draws, and the exports are what they say', async () => {
    const page = await openPage();
    await openPair(page, donors[0], acceptors[3]);
    await results(page);
    for (const tab of ['transfer', 'donor', 'acceptor', 'efficiency', 'cumulative']) {
      await page.click(`[data-plot="${tab}"]`);
      const paths = await page.locator('#plot svg path').count();
      assert.ok(paths > 0, tab);
      assert.equal(await page.locator('#plot svg text', { hasText: 'No data' }).count(), 0, tab);
    }
    const saved = async (button) => {
      const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
      const path = join(scratch, download.suggestedFilename());
      await download.saveAs(path);
      return readFileSync(path);
    };
    assert.equal((await saved('#save-png')).subarray(1, 4).toString(), 'PNG');
    assert.match((await saved('#save-svg')).toString(), /^<svg/);
    assert.match((await saved('#save-csv')).toString(), /^# /);
    const report = (await saved('#save-report')).toString();
    assert.match(report, /korin-fret-cli donor_emission\.csv acceptor_absorption\.sp/);
    await page.close();
  });
});

describe('the pair table', () => {
  test('rows equal the single pair, with a target distance and sorting', async () => {
    const page = await openPage();
    await page.setInputFiles('#donor-files', donors.slice(0, 2));
    await page.setInputFiles('#acceptor-files', [acceptors[3], acceptors[4]]);
    await page.waitForFunction(() => document.querySelectorAll('#pair-table tbody tr').length === 4);
    const rows = await page.locator('#pair-table tbody tr').evaluateAll((trs) =>
      trs.map((tr) => [...tr.cells].map((td) => td.textContent)));
    assert.deepEqual(rows.map((r) => r.slice(0, 2).join(' + ')), [
      'donor_emission.csv + acceptor_absorption.sp', 'donor_emission.csv + acceptor_absorption.txt',
      'donor_emission.ifx + acceptor_absorption.sp', 'donor_emission.ifx + acceptor_absorption.txt']);
    for (const [donor, acceptor, j, r0] of rows) {
      const expected = toolTexts([join(samples, donor), join(samples, acceptor)]);
      assert.deepEqual([j, r0], [expected.j, expected.r0], `${donor} + ${acceptor}`);
    }
    await typeInto(page, '#target_distance', '50');
    await page.waitForFunction(() => document.querySelector('#pair-table').classList.contains('with-target'));
    await page.click('[data-sort="target"]');
    const errors = await page.locator('#pair-table tbody tr td:nth-child(6)').allTextContents();
    const sorted = [...errors].sort((a, b) => Number(a) - Number(b));
    assert.deepEqual(errors, sorted);
    await page.close();
  });
});

describe('the look', () => {
  test('screenshots at a desktop and a phone width', async () => {
    for (const [name, viewport] of [['desktop-1280', { width: 1280, height: 800 }], ['phone-390', { width: 390, height: 844 }]]) {
      const page = await openPage(server.url, viewport);
      await openPair(page, donors[0], acceptors[3]);
      await results(page);
      const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
      assert.ok(overflow <= 0, `${name}: the page is ${overflow} px wider than the screen`);
      await page.screenshot({ path: join(shots, `${name}.png`), fullPage: true });
      await page.close();
    }
  });
});
