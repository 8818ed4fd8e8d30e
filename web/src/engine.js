// The engine in WebAssembly: the same calculation, readers and analysis as
// the desktop program and the command-line tool. The page hands it the
// files' bytes and a JSON call, and gets a JSON answer back (see
// web/engine/web_boundary.h for the calls).

const encoder = new TextEncoder();
const decoder = new TextDecoder('utf-8');

// WASI error numbers the stand-ins answer with.
const ERRNO_SUCCESS = 0;
const ERRNO_BADF = 8;
const ERRNO_NOSYS = 52;

// The few system calls the module may make. It never reads or writes a
// file, a clock is all it asks of the world, and what it writes to its
// standard streams goes to the console.
function systemInterface(memory) {
  const view = () => new DataView(memory().buffer);
  const bytes = () => new Uint8Array(memory().buffer);
  const streams = { 1: '', 2: '' };
  return {
    fd_write(fd, iovs, iovsLength, written) {
      if (fd !== 1 && fd !== 2) return ERRNO_BADF;
      let total = 0;
      for (let i = 0; i < iovsLength; i++) {
        const pointer = view().getUint32(iovs + i * 8, true);
        const length = view().getUint32(iovs + i * 8 + 4, true);
        streams[fd] += decoder.decode(bytes().subarray(pointer, pointer + length));
        total += length;
      }
      let newline;
      while ((newline = streams[fd].indexOf('\n')) >= 0) {
        (fd === 1 ? console.log : console.error)(streams[fd].slice(0, newline));
        streams[fd] = streams[fd].slice(newline + 1);
      }
      view().setUint32(written, total, true);
      return ERRNO_SUCCESS;
    },
    clock_time_get(_id, _precision, time) {
      const nanoseconds = BigInt(Math.round(performance.now() * 1e6));
      view().setBigUint64(time, nanoseconds, true);
      return ERRNO_SUCCESS;
    },
    environ_sizes_get(count, size) {
      view().setUint32(count, 0, true);
      view().setUint32(size, 0, true);
      return ERRNO_SUCCESS;
    },
    environ_get() {
      return ERRNO_SUCCESS;
    },
    args_sizes_get(count, size) {
      view().setUint32(count, 0, true);
      view().setUint32(size, 0, true);
      return ERRNO_SUCCESS;
    },
    args_get() {
      return ERRNO_SUCCESS;
    },
    random_get(buffer, length) {
      crypto.getRandomValues(bytes().subarray(buffer, buffer + length));
      return ERRNO_SUCCESS;
    },
    proc_exit(code) {
      throw new Error(`the engine stopped (exit ${code})`);
    },
    fd_prestat_get() {
      return ERRNO_BADF;
    },
  };
}

// Every import the module names is given: the stand-ins above, and for any
// other system call an answer that it is not there.
function importsFor(module, memory) {
  const wasi = systemInterface(memory);
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    if (kind !== 'function') continue;
    imports[from] ??= {};
    imports[from][name] = wasi[name] ?? (() => (from.startsWith('wasi') ? ERRNO_NOSYS : 0));
  }
  return imports;
}

export class Engine {
  #exports;

  constructor(instance) {
    this.#exports = instance.exports;
    this.#exports._initialize?.();
  }

  // Copies `text` or bytes into the module's memory; the caller frees it.
  #copyIn(data) {
    const bytes = typeof data === 'string' ? encoder.encode(data) : data;
    const pointer = this.#exports.korin_alloc(bytes.length);
    new Uint8Array(this.#exports.memory.buffer, pointer, bytes.length).set(bytes);
    return [pointer, bytes.length];
  }

  // Holds `bytes` (a Uint8Array) as the file `name`, which requests then use.
  putFile(name, bytes) {
    const [namePointer, nameLength] = this.#copyIn(name);
    const [pointer, length] = this.#copyIn(bytes);
    this.#exports.korin_put_file(namePointer, nameLength, pointer, length);
    this.#exports.korin_free(pointer);
    this.#exports.korin_free(namePointer);
  }

  removeFile(name) {
    const [namePointer, nameLength] = this.#copyIn(name);
    this.#exports.korin_remove_file(namePointer, nameLength);
    this.#exports.korin_free(namePointer);
  }

  // Answers one call (an object with "command") with the parsed answer.
  call(request) {
    const [pointer, length] = this.#copyIn(JSON.stringify(request));
    const answer = this.#exports.korin_call(pointer, length);
    this.#exports.korin_free(pointer);
    const size = this.#exports.korin_answer_size();
    return JSON.parse(decoder.decode(new Uint8Array(this.#exports.memory.buffer, answer, size)));
  }
}

// The engine from the module's bytes (an ArrayBuffer or typed array).
export async function loadEngine(bytes) {
  const module = await WebAssembly.compile(bytes);
  let instance;
  const memory = () => instance.exports.memory;
  instance = await WebAssembly.instantiate(module, importsFor(module, memory));
  return new Engine(instance);
}
