// Compares the web engine with the command-line tool on a folder of
// downloaded spectra laid out as pair folders ("04_Cy3_Cy5/..."), each file
// read through the column import by its header: every donor file of a
// folder against every acceptor file of it. Not a test: the folder is not
// part of the project. Prints one line per pair and a summary.
//   node web/bench/reference-spectra.mjs FOLDER [CLI]
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { loadEngine } from '../src/engine.js';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const folder = resolve(process.argv[2] ?? '');
const cli = process.argv[3] ?? join(root, 'build/default/cli/korin-fret-cli');

// Per pair folder: how its donor's and acceptor's file names start or
// contain, the donor's quantum yield and the acceptor's peak coefficient.
const pairs = [
  ['01_', /EGFP/, /mCherry/, '0.6', '72000'],
  ['02_', /ECFP|CFP/, /EYFP|YFP/, '0.4', '83400'],
  ['04_', /Cy3/, /Cy5/, '0.15', '250000'],
  ['05_', /488/, /555/, '0.92', '155000'],
  ['06_', /488/, /594/, '0.92', '92000'],
  ['07_', /FITC/, /TRITC/, '0.9', '95000'],
];

const engine = await loadEngine(readFileSync(join(root, 'build/web/korin-fret-engine.wasm')));
let same = 0;
let differ = 0;
for (const [prefix, donorName, acceptorName, quantumYield, extinction] of pairs) {
  const dir = readdirSync(folder).find((d) => d.startsWith(prefix));
  if (!dir) continue;
  const files = readdirSync(join(folder, dir)).filter((f) => /\.(csv|tsv|txt)$/.test(f) && f !== 'SOURCE.txt');
  for (const donor of files.filter((f) => donorName.test(f) && !acceptorName.test(f))) {
    for (const acceptor of files.filter((f) => acceptorName.test(f) && !donorName.test(f))) {
      engine.putFile(`d/${donor}`, readFileSync(join(folder, dir, donor)));
      engine.putFile(`a/${acceptor}`, readFileSync(join(folder, dir, acceptor)));
      const parameters = {
        emission_columns: 'auto', absorption_columns: 'auto', quantum_yield: quantumYield,
        refractive_index: '1.4', extinction,
      };
      const answer = engine.call({
        command: 'pair', request: { emission: { path: `d/${donor}` }, absorption: { path: `a/${acceptor}` }, parameters },
      });
      let tool;
      try {
        tool = execFileSync(cli, [join(folder, dir, donor), join(folder, dir, acceptor), '--emission-columns', 'auto',
          '--absorption-columns', 'auto', '--quantum-yield', quantumYield, '--refractive-index', '1.4',
          '--extinction', extinction], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
      } catch {
        tool = null;
      }
      const web = answer.shown ? answer.lines : null;
      const ok = web === tool;
      ok ? same++ : differ++;
      const r0 = web ? /Ro \[Angstroms\]: (\S+)/.exec(web)[1] : `refused (${answer.why ?? answer.error})`;
      console.log(`${ok ? 'same  ' : 'DIFFER'} ${dir}: ${donor} -> ${acceptor}: R0 ${r0}`);
    }
  }
}
console.log(`${same} pairs give the tool's lines, ${differ} differ`);
process.exitCode = differ ? 1 : 0;
