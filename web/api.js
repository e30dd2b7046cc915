// bcfont's web module: the encoders compiled to WebAssembly, and what a page
// needs to set their font strings. Shared by the ES module of the package and
// the classic script of the offline page (scripts/web joins them), so it uses
// no module syntax. Every name, face, size and reason comes from the
// WebAssembly, which reads them from the encoders' symbology table.

// What the WebAssembly may ask of its host. It never exits on its own; a
// call that would is a fault, raised as an exception.
const bcfontImports = {
  env: { emscripten_notify_memory_growth() {} },
  wasi_snapshot_preview1: {
    proc_exit(code) {
      throw new Error(`bcfont's WebAssembly stopped with status ${code}`);
    },
  },
};

function bcfontApi(wasm) {
  const w = wasm.exports;
  w._initialize?.();
  let memory = new Uint8Array(w.memory.buffer);
  let units = new Uint16Array(w.memory.buffer);
  // Growing the WebAssembly's memory detaches the old views.
  const bytes = () => (memory.byteLength ? memory : (memory = new Uint8Array(w.memory.buffer)));
  const codeUnits = () => (units.byteLength ? units : (units = new Uint16Array(w.memory.buffer)));
  const fontStringAt = w.bc_font_string() >> 1;
  // The input buffer, and how many bytes it holds without growing.
  let input = w.bc_input(0);
  let inputSize = 4096;
  function reserve(size) {
    if (size > inputSize) {
      input = w.bc_input(size);
      inputSize = size;
    }
  }
  const utf8 = new TextDecoder();
  const toUtf8 = new TextEncoder();
  const outputText = (size) => utf8.decode(bytes().subarray(w.bc_output(), w.bc_output() + size));

  // Writes `text` as UTF-8 at `at` bytes into the input, which has room for
  // three bytes per UTF-16 unit; returns the bytes written. ASCII, all that
  // most data holds, is copied as it is.
  function put(text, at) {
    const mem = bytes();
    const base = input + at;
    for (let i = 0; i < text.length; i++) {
      const c = text.charCodeAt(i);
      if (c >= 0x80) return i + toUtf8.encodeInto(text.slice(i), mem.subarray(base + i)).written;
      mem[base + i] = c;
    }
    return text.length;
  }

  const symbologies = Array.from({ length: w.bc_type_count() }, (_, t) => {
    const text = (what) => outputText(w.bc_type_text(t, what));
    const offers = w.bc_type_offers(t);
    return Object.freeze({
      id: t,
      name: text(0),
      fullName: text(1),
      // normal, half height, high density, both
      faces: Object.freeze([text(2), text(3), text(4), text(5)]),
      pointSize: w.bc_point_size(t),
      moduleUnits: w.bc_module_units(t),
      unitsPerEm: w.bc_units_per_em(t),
      offers: Object.freeze({
        highDensity: (offers & 1) !== 0,
        check: (offers & 2) !== 0,
        halfHeight: (offers & 4) !== 0,
        addon: (offers & 8) !== 0,
      }),
      scannersNeedCheck: (offers & 16) !== 0,
    });
  });

  const known = new Map();
  // A type as `bcfont encode --type` reads it: its number or its name.
  function typeOf(type) {
    let t = known.get(type);
    if (t !== undefined) return t;
    if (typeof type === 'number') {
      t = Number.isInteger(type) && type >= 0 && type < symbologies.length ? type : -1;
    } else if (typeof type === 'string') {
      const text = String(type);
      reserve(3 * text.length);
      t = w.bc_type_from_input(put(text, 0));
    } else {
      t = -1;
    }
    if (t < 0) throw new TypeError(`bcfont: unknown symbology ${JSON.stringify(type)}; types() lists them`);
    if (known.size < 64) known.set(type, t);
    return t;
  }

  function encode(data, type, { addon = '', check = true, halfHeight = false, highDensity = false } = {}) {
    const t = typeOf(type);
    if (data === null || data === undefined) throw new TypeError('bcfont: encode() needs data');
    const face = symbologies[t].faces[(halfHeight ? 1 : 0) + (highDensity ? 2 : 0)];
    data = String(data);
    addon = String(addon ?? '');
    reserve(3 * (data.length + addon.length));
    const dataSize = put(data, 0);
    const size = w.bc_encode(t, dataSize, put(addon, dataSize), check ? 1 : 0);
    if (size < 0) return { text: null, face, reason: outputText(-1 - size) };
    return { text: fontString(size), face, reason: null };
  }

  // The font string's UTF-16 code units as a string, eight at a time: far
  // faster than a character at a time or a TextDecoder for short strings.
  function fontString(size) {
    const u = codeUnits();
    const p = fontStringAt;
    let text = '';
    let i = 0;
    for (; i + 8 <= size; i += 8) {
      const q = p + i;
      text += String.fromCharCode(u[q], u[q + 1], u[q + 2], u[q + 3], u[q + 4], u[q + 5], u[q + 6], u[q + 7]);
    }
    for (; i < size; i++) text += String.fromCharCode(u[p + i]);
    return text;
  }

  // The CSS font size, in pixels, at which one module (the faces' smallest
  // step of bar or space) is `modulePx` whole CSS pixels.
  function fontSizeFor(type, modulePx) {
    if (!Number.isInteger(modulePx) || modulePx < 1)
      throw new RangeError(`bcfont: modulePx must be a whole number of pixels from 1, not ${modulePx}`);
    const s = symbologies[typeOf(type)];
    return (modulePx * s.unitsPerEm) / s.moduleUnits;
  }

  return Object.freeze({
    encode,
    fontSizeFor,
    types: () => symbologies.map((s) => s.name),
    symbologies: () => symbologies.slice(),
  });
}
