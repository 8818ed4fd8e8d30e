// Builds the page into build/web: index.html, style.css and one script,
// korin-fret.js, that holds the page's modules and the engine's
// WebAssembly. One classic script rather than modules and a .wasm beside
// them, because a browser opening the page from a folder (file://) loads
// neither modules nor a fetched file; served or opened, the page is the
// same three files.
//   node web/build.mjs [ENGINE.wasm] [OUTPUT_DIR]
import { build } from 'esbuild';
import { copyFile, mkdir, readFile, stat } from 'node:fs/promises';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '..');
const engine = resolve(process.argv[2] ?? join(root, 'build/wasm/web/korin-fret-engine.wasm'));
const output = resolve(process.argv[3] ?? join(root, 'build/web'));

// The engine's bytes in the script, as base64 decoded once at start.
const embedEngine = {
  name: 'embed-engine',
  setup(builder) {
    builder.onResolve({ filter: /engine-bytes\.js$/ }, () => ({ path: engine, namespace: 'engine' }));
    builder.onLoad({ filter: /.*/, namespace: 'engine' }, async () => {
      const base64 = (await readFile(engine)).toString('base64');
      return {
        contents: `const base64 = "${base64}";
export default async function engineBytes() {
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i);
  return bytes;
}`,
        loader: 'js',
      };
    });
  },
};

await mkdir(output, { recursive: true });
await build({
  entryPoints: [join(here, 'src/main.js')],
  bundle: true,
  format: 'iife',
  target: 'es2022',
  minify: true,
  legalComments: 'none',
  outfile: join(output, 'korin-fret.js'),
  plugins: [embedEngine],
  logLevel: 'warning',
});
await copyFile(join(here, 'index.html'), join(output, 'index.html'));
await copyFile(join(here, 'style.css'), join(output, 'style.css'));
await copyFile(engine, join(output, 'korin-fret-engine.wasm'));
let total = 0;
for (const name of ['index.html', 'style.css', 'korin-fret.js']) total += (await stat(join(output, name))).size;
console.log(`web: ${output} (${(total / 1024).toFixed(0)} KiB to load)`);
