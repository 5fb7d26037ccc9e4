// Fetches the big part of the asset pack and unpacks it (gzip) off the page's own thread, which
// the game needs for its frames meanwhile. Tells the page how many bytes arrived, then hands
// over the unpacked part.
'use strict';
onmessage = async (e) => {
  const part = e.data;
  try {
    const response = await fetch(part.file);
    if (!response.ok || !response.body) throw new Error(part.file + ': ' + response.status);
    let arrived = 0, told = 0;
    const counted = response.body.pipeThrough(new TransformStream({
      transform(chunk, controller) {
        arrived += chunk.byteLength;
        if (arrived - told > 256 * 1024 || arrived === part.gzipBytes) {
          told = arrived;
          postMessage({arrived});
        }
        controller.enqueue(chunk);
      },
    }));
    const reader = counted.pipeThrough(new DecompressionStream('gzip')).getReader();
    const bytes = new Uint8Array(part.bytes);
    let filled = 0;
    for (;;) {
      const {done, value} = await reader.read();
      if (done) break;
      if (filled + value.byteLength > bytes.length) throw new Error(part.file + ' ist zu groß.');
      bytes.set(value, filled);
      filled += value.byteLength;
    }
    if (filled !== bytes.length) throw new Error(part.file + ' ist unvollständig.');
    postMessage({arrived, unpacked: bytes.buffer}, [bytes.buffer]);
  } catch (error) {
    postMessage({error: error.message});
  }
};
