// The page's entry: the engine's bytes (embedded in the built page, so
// that it opens from a folder too), the engine, then the page.
import engineBytes from './engine-bytes.js';
import { loadEngine } from './engine.js';
import { App } from './app.js';

async function main() {
  try {
    const engine = await loadEngine(await engineBytes());
    const app = new App(engine);
    window.korinFret = app;  // for the browser tests and the curious
    app.start();
    document.body.dataset.ready = 'true';
  } catch (error) {
    document.querySelector('#why').textContent = `The engine could not start: ${error.message}`;
    throw error;
  }
}

main();
