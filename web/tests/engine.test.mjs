// The WebAssembly engine under Node, through the page's own loader: the
// same answers as the command-line tool, and no input that stops it.
import { before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { loadEngine } from '../src/engine.js';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const cli = process.env.KORIN_CLI ?? join(root, 'build/default/cli/korin-fret-cli');
const samples = join(root, 'data/samples');
const donors = ['csv', 'ifx', 'iss', 'rls', 'txt'].map((e) => `donor_emission.${e}`);
const acceptors = ['abs', 'abt', 'asp', 'sp', 'txt'].map((e) => `acceptor_absorption.${e}`);

let engine;
before(async () => {
  engine = await loadEngine(readFileSync(join(root, 'build/web/korin-fret-engine.wasm')));
  for (const name of [...donors, ...acceptors]) engine.putFile(name, readFileSync(join(samples, name)));
});

const pair = (emission, absorption, parameters) => ({
  command: 'pair',
  request: { emission: { path: emission }, absorption: { path: absorption }, ...(parameters && { parameters }) },
});

test('every sample pair prints the tool\'s lines, analysis included', () => {
  for (const donor of donors) {
    for (const acceptor of acceptors) {
      const answer = engine.call(pair(donor, acceptor, { efficiency: '0.3', kappa2_range: ['0.5', '2'] }));
      const tool = execFileSync(cli, [join(samples, donor), join(samples, acceptor), '--efficiency', '0.3',
        '--kappa2-range', '0.5', '2'], { encoding: 'utf8' });
      assert.equal(answer.lines, tool, `${donor} + ${acceptor}`);
    }
  }
});

test('the JSON result is the tool\'s --json but for the paths', () => {
  const answer = engine.call(pair(donors[0], acceptors[3]));
  const tool = JSON.parse(execFileSync(cli, [join(samples, donors[0]), join(samples, acceptors[3]), '--json'],
    { encoding: 'utf8' }));
  tool.emission.file = donors[0];
  tool.absorption.file = acceptors[3];
  assert.deepEqual(answer.result, tool);
});

test('a download read by its columns equals the tool with the same columns', () => {
  const rows = ['Wavelength (nm);Excitation;Emission'];
  for (let nm = 460; nm <= 640; nm++) rows.push(`${nm};${(1 / (1 + ((nm - 500) / 15) ** 2)).toFixed(5)};${(1 / (1 + ((nm - 525) / 20) ** 2)).toFixed(5)}`);
  const text = `${rows.join('\n')}\n`;
  engine.putFile('dye.csv', new TextEncoder().encode(text));
  const scan = engine.call({ command: 'columns', file: 'dye.csv', side: 'emission' });
  assert.equal(scan.needs_column_choice, true);
  assert.deepEqual([scan.choice.wavelength_column, scan.choice.value_column], [0, 2]);
  const answer = engine.call(pair('dye.csv', acceptors[3], { emission_columns: '1,3', emission_units: 'nm' }));
  const file = join(process.env.TMPDIR ?? '/tmp', `korin-engine-test-${process.pid}.csv`);
  execFileSync('sh', ['-c', `cat > "${file}"`], { input: text });
  const tool = execFileSync(cli, [file, join(samples, acceptors[3]), '--emission-columns', '1,3'], { encoding: 'utf8' });
  assert.equal(answer.lines, tool);
});

test('bytes of any kind are refused in words, never a crash', () => {
  let seed = 7;
  const random = () => (seed = (seed * 1103515245 + 12345) % 2 ** 31) / 2 ** 31;
  const sample = readFileSync(join(samples, acceptors[3]));
  for (let i = 0; i < 200; i++) {
    // Garbage, and a sample with bytes overwritten at random.
    const bytes = i % 2 ? Uint8Array.from({ length: 1 + Math.floor(random() * 400) }, () => Math.floor(random() * 256))
      : Uint8Array.from(sample, (b) => (random() < 0.02 ? Math.floor(random() * 256) : b));
    engine.putFile('x.sp', bytes);
    const answer = engine.call(pair(donors[0], 'x.sp'));
    assert.equal(answer.ok, true);
    if (!answer.shown) assert.notEqual(answer.why, '');
    else assert.match(answer.texts.forster_distance, /^\d+\.\d{4}$/);
  }
  for (const call of [null, 3, 'pair', [], { command: 'pairs', donors: [{ file: {} }] }]) {
    assert.equal(engine.call(call).ok, false, JSON.stringify(call));
  }
});
