
// The offline page's copy: the WebAssembly travels inside the page as
// base64, as file:// pages may neither fetch nor import.
let loading = null;
function load() {
  loading ??= (async () => {
    let wasm;
    if (Uint8Array.fromBase64) {
      wasm = Uint8Array.fromBase64(bcfontWasmBase64);
    } else {
      const binary = atob(bcfontWasmBase64);
      wasm = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; i++) wasm[i] = binary.charCodeAt(i);
    }
    // Compiled at once rather than in the background: a module this small
    // compiles in a moment, and the page then need not wait for the main
    // thread to finish its first layout before the encoder is ready.
    return bcfontApi(new WebAssembly.Instance(new WebAssembly.Module(wasm), bcfontImports));
  })();
  return loading;
}
globalThis.bcfont = Object.freeze({ load });
