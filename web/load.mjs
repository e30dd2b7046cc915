
let loading = null;

async function instantiate() {
  const url = new URL('./bcfont.wasm', import.meta.url);
  if (url.protocol === 'file:' && typeof process === 'object' && process.versions?.node) {
    // Bundlers for browsers must leave this Node-only import alone.
    const { readFile } = await import(/* webpackIgnore: true */ /* @vite-ignore */ 'node:fs/promises');
    return WebAssembly.instantiate(await readFile(url), bcfontImports);
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`bcfont: cannot load ${url}: HTTP ${response.status}`);
  // Streaming compiles as the bytes arrive, but only for the application/wasm type.
  if (response.headers.get('content-type')?.startsWith('application/wasm'))
    return WebAssembly.instantiateStreaming(response, bcfontImports);
  return WebAssembly.instantiate(await response.arrayBuffer(), bcfontImports);
}

// Instantiates the WebAssembly once; every call gets the same encoder.
export function load() {
  loading ??= instantiate().then(
    (result) => bcfontApi(result.instance),
    (error) => {
      loading = null;
      throw error;
    },
  );
  return loading;
}

export default { load };
