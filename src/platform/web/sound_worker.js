// The head of the game's module (tarnblast.js, linked with --pre-js). In the
// page it does nothing. In the page's sound worker, a second copy of the
// module, it builds the game's samples while the title already shows and
// hands their files to the page. The page loads the worker from the module
// it has already fetched and posts the wasm it compiled, so nothing is
// downloaded or compiled twice.
if (typeof WorkerGlobalScope !== 'undefined' && self instanceof WorkerGlobalScope) {
  Module['instantiateWasm'] = (imports, receive) => {
    self.onmessage = ({ data: wasm }) =>
      WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm));
    return {};
  };
  Module['onRuntimeInitialized'] = () => {
    const files = {};
    try {
      Module['ccall']('tb_build_samples', null, [], []);
      for (const name of Module['FS'].readdir('/data'))
        if (!name.startsWith('.')) files[name] = Module['FS'].readFile(`/data/${name}`);
    } catch (error) {
      postMessage({ error: String(error) });
      return;
    }
    postMessage({ files }, Object.values(files).map((bytes) => bytes.buffer));
  };
}
