// The show's data set (tarvel.data, packed by scripts/build-web.sh) fetched once and kept in
// the browser's cache storage under its version (tarvel-data.json), so "Play again" and a
// return visit read it from there; and the author's own files (dropped on the page or
// written by the show), kept in IndexedDB so that a reload loses none of them.
"use strict";

const DataCache = (() => {
  const cacheName = "tarvel-data";
  const progress = { loaded: 0, total: 0, fromCache: false, done: false };
  let onProgress = () => {};

  async function readManifest() {
    const response = await fetch("tarvel-data.json", { cache: "no-cache" });
    if (!response.ok) throw new Error(`tarvel-data.json: ${response.status} ${response.statusText}`);
    return response.json();
  }

  async function download(file, size) {
    const response = await fetch(file);
    if (!response.ok) throw new Error(`${file}: ${response.status} ${response.statusText}`);
    const reader = response.body.getReader();
    let bytes = new Uint8Array(size);
    let at = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      if (at + value.length > bytes.length) {
        const larger = new Uint8Array(Math.max(bytes.length * 2, at + value.length));
        larger.set(bytes.subarray(0, at));
        bytes = larger;
      }
      bytes.set(value, at);
      at += value.length;
      progress.loaded = Math.min(at, progress.total);
      onProgress(progress);
    }
    return bytes.buffer.slice(0, at);
  }

  // Without cache storage (a page served over plain http from another machine) the data is
  // fetched on every visit; a full storage only keeps it from being kept.
  async function openCache() {
    try {
      return await caches.open(cacheName);
    } catch (error) {
      return null;
    }
  }

  // The package's bytes, from the cache or the network; null when the page has no manifest
  // (the package's own loader then fetches it).
  async function fetchPackage() {
    let manifest;
    try {
      manifest = await readManifest();
    } catch (error) {
      console.warn("no data manifest, the loader fetches the data itself:", error);
      return null;
    }
    progress.total = manifest.bytes;
    onProgress(progress);
    const key = new URL(`${manifest.file}?v=${manifest.version}`, location.href).href;
    const cache = await openCache();
    if (cache) {
      const kept = await cache.match(key);
      const buffer = kept ? await kept.arrayBuffer() : null;
      if (buffer && buffer.byteLength === manifest.bytes) {
        progress.fromCache = true;
        progress.loaded = progress.total;
        return buffer;
      }
    }
    const buffer = await download(manifest.file, manifest.bytes);
    if (buffer.byteLength !== manifest.bytes) {
      throw new Error(`${manifest.file}: ${buffer.byteLength} bytes, not the ${manifest.bytes} the page expects`);
    }
    if (cache) {
      try {
        await cache.put(key, new Response(buffer));
        for (const request of await cache.keys()) {
          if (request.url !== key) await cache.delete(request);
        }
      } catch (error) {
        console.warn("the data set is not kept for the next visit:", error);
      }
    }
    return buffer;
  }

  // Resolves once the package's loader has put the files in place (or will, as the
  // runtime starts); `progressed` hears of the bytes as they come.
  function load(progressed) {
    onProgress = progressed;
    return fetchPackage().then((buffer) => new Promise((resolve, reject) => {
      if (buffer) Module.getPreloadedPackage = () => buffer;
      progress.loaded = progress.total;
      progress.done = true;
      onProgress(progress);
      const script = document.createElement("script");
      script.src = "tarvel-data.js";
      script.onload = () => resolve(progress);
      script.onerror = () => reject(new Error("tarvel-data.js did not load"));
      document.body.appendChild(script);
    }));
  }

  // The author's files: {path, bytes, kind ("dropped" or "written"), time}.
  function database() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open("tarvel-authoring", 1);
      request.onupgradeneeded = () => request.result.createObjectStore("files", { keyPath: "path" });
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  async function withStore(mode, work) {
    const db = await database();
    return new Promise((resolve, reject) => {
      const transaction = db.transaction("files", mode);
      const result = work(transaction.objectStore("files"));
      transaction.oncomplete = () => {
        db.close();
        resolve(result.result !== undefined ? result.result : result);
      };
      transaction.onerror = () => {
        db.close();
        reject(transaction.error);
      };
    });
  }

  return {
    progress,
    load,
    keep: (path, bytes, kind) =>
      withStore("readwrite", (store) => store.put({ path, bytes, kind, time: Date.now() })),
    kept: () => withStore("readonly", (store) => store.getAll()),
    forget: () => withStore("readwrite", (store) => store.clear()),
  };
})();
