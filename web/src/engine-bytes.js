// The engine's bytes, fetched beside the page when it is served from its
// source folder; the built page replaces this module with the bytes
// themselves (web/build.mjs).
export default async function engineBytes() {
  const response = await fetch(new URL('../../build/web/korin-fret-engine.wasm', import.meta.url));
  return response.arrayBuffer();
}
