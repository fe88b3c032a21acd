// Authoring in the page, behind ?log as the log window is behind "logga" on the desktop:
// the log panel, docked beside or below the show so it hides nothing the show draws; files
// dropped on the page (a list, a camera path, a whole vintra folder) replace the packed ones
// and are read again in place, the show time kept, as --watch reads a saved file; files the
// show writes (a recorded camera path) are offered as downloads the moment they are
// written. Both are kept in IndexedDB and put back on the next visit with ?log.
"use strict";

const Studio = (() => {
  const $ = (id) => document.getElementById(id);
  const files = new Map(); // path -> {name, kind, bytes, complete, offered, item}
  let following = true; // the log shows its newest line until the author scrolls up

  function dock(where) {
    document.body.classList.toggle("studio-below", where === "below");
    document.body.classList.toggle("studio-right", where !== "below");
    $("dock").textContent = where === "below" ? "Dock beside" : "Dock below";
    localStorage.setItem("tarvel-dock", where);
    // The canvas's place changed: the show takes its new size as from a resize.
    window.dispatchEvent(new Event("resize"));
  }

  function open() {
    if (!withLog) return false;
    $("studio").hidden = false;
    dock(localStorage.getItem("tarvel-dock") || "right");
    return true;
  }

  function log(text) {
    const panel = $("log");
    panel.textContent = text;
    if (following) panel.scrollTop = panel.scrollHeight;
  }

  const baseName = (path) => path.slice(path.lastIndexOf("/") + 1);

  function show(path) {
    const file = files.get(path);
    if (!file.item) {
      file.item = document.createElement("li");
      $("files").appendChild(file.item);
    }
    const item = file.item;
    item.textContent = "";
    const link = document.createElement("a");
    link.textContent = file.name;
    link.download = file.name;
    if (file.url) URL.revokeObjectURL(file.url);
    file.url = URL.createObjectURL(new Blob([file.bytes]));
    link.href = file.url;
    link.title = `${path}, ${file.bytes.length} bytes: download`;
    item.appendChild(link);
    const what = file.kind === "written" ? (file.complete ? "written by the show" : "being written")
      : "in place of the packed one";
    item.appendChild(document.createTextNode(` (${what}, ${file.bytes.length} bytes)`));
    $("forget").hidden = false;
  }

  function remember(path, bytes, kind, complete) {
    const file = files.get(path) || { name: baseName(path), offered: 0 };
    Object.assign(file, { bytes, kind, complete });
    files.set(path, file);
    DataCache.keep(path, bytes, kind).catch((error) => console.warn(`${path} is not kept:`, error));
    show(path);
    return file;
  }

  // The show wrote to `path`: listed at once, downloaded when complete.
  function written(path, complete) {
    let bytes;
    try {
      bytes = Module.FS.readFile(path);
    } catch (error) {
      return;
    }
    const file = remember(path, bytes, "written", complete);
    if (complete) {
      file.offered += 1;
      const link = file.item.querySelector("a");
      link.click();
    }
  }

  // Every packed file under /vintra, by its path in lower case.
  function packedFiles() {
    const all = new Map();
    const walk = (directory) => {
      for (const name of Module.FS.readdir(directory)) {
        if (name === "." || name === "..") continue;
        const path = `${directory}/${name}`;
        if (Module.FS.isDir(Module.FS.stat(path).mode)) walk(path);
        else all.set(path.toLowerCase(), path);
      }
    };
    walk("/vintra");
    return all;
  }

  // Where a dropped file goes: under the vintra folder it came in, or the one packed file
  // whose path ends as the dropped one's does; a new camera path goes with the others.
  function placeOf(relative, packed) {
    const parts = relative.split("/").filter(Boolean);
    const top = parts.findIndex((part) => part.toLowerCase() === "vintra");
    if (top >= 0) {
      const path = "/vintra/" + parts.slice(top + 1).join("/");
      return { path: packed.get(path.toLowerCase()) || path };
    }
    for (let from = 0; from < parts.length; ++from) {
      const tail = "/" + parts.slice(from).join("/").toLowerCase();
      const matches = [...packed.keys()].filter((path) => path.endsWith(tail));
      if (matches.length === 1) return { path: packed.get(matches[0]) };
      if (matches.length > 1 && from === parts.length - 1) {
        return { error: `${relative}: the show has more than one file of that name; drop its vintra folder` };
      }
    }
    const name = parts[parts.length - 1];
    if (/\.pos$/i.test(name)) return { path: `/vintra/cameras/${name}` };
    return { error: `${relative}: the show has no file of that name` };
  }

  function sameAsInPlace(path, bytes) {
    let now;
    try {
      now = Module.FS.readFile(path);
    } catch (error) {
      return false;
    }
    return now.length === bytes.length && now.every((byte, i) => byte === bytes[i]);
  }

  function writeFile(path, bytes) {
    Module.FS.mkdirTree(path.slice(0, path.lastIndexOf("/")) || "/");
    Module.FS.writeFile(path, bytes);
  }

  // The files of a drop, with their paths inside what was dropped.
  async function droppedFiles(transfer) {
    const found = [];
    const readEntry = (entry) => new Promise((resolve) => {
      if (entry.isFile) {
        entry.file((file) => {
          found.push({ relative: entry.fullPath.replace(/^\//, ""), file });
          resolve();
        }, () => resolve());
        return;
      }
      const reader = entry.createReader();
      const batch = () => reader.readEntries(async (entries) => {
        if (!entries.length) return resolve();
        for (const child of entries) await readEntry(child);
        batch();
      }, () => resolve());
      batch();
    });
    const entries = [...(transfer.items || [])].map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry());
    if (entries.length && entries.every(Boolean)) {
      for (const entry of entries) await readEntry(entry);
    } else {
      for (const file of transfer.files) found.push({ relative: file.name, file });
    }
    return found;
  }

  async function drop(transfer) {
    if (!withLog) {
      notice("Dropped files are read in authoring mode: open the page with ?log");
      return;
    }
    if (!status.showStarted) {
      notice("Dropped files are read once the show runs");
      return;
    }
    const packed = packedFiles();
    const saved = [];
    const dropped = await droppedFiles(transfer);
    for (const { relative, file } of dropped) {
      const place = placeOf(relative, packed);
      if (place.error) {
        notice(place.error);
        continue;
      }
      const bytes = new Uint8Array(await file.arrayBuffer());
      // A folder brings mostly files as they are; one file dropped is read again as saved.
      if (dropped.length > 1 && sameAsInPlace(place.path, bytes)) continue;
      writeFile(place.path, bytes);
      remember(place.path, bytes, "dropped", true);
      saved.push(place.path);
    }
    // Each save heard as the file watch hears an editor's; the next frame reads them again.
    for (const path of saved) Module.ccall("tarvel_file_saved", null, ["string"], [path]);
    Player.wake();
    if (saved.length) whenFramesDrawn(2, () => Player.refreshSchedule());
  }

  // Before the show starts, with ?log: the files kept from earlier visits, in place.
  async function restoreFiles() {
    if (!withLog) return;
    let kept = [];
    try {
      kept = await DataCache.kept();
    } catch (error) {
      console.warn("the kept files cannot be read:", error);
      return;
    }
    for (const file of kept) {
      const bytes = new Uint8Array(file.bytes);
      writeFile(file.path, bytes);
      files.set(file.path, { name: baseName(file.path), kind: file.kind, bytes, complete: true, offered: 0 });
      show(file.path);
    }
    if (kept.length) {
      notice(`Your files kept in this browser are in use: ${kept.map((f) => baseName(f.path)).join(", ")}`);
    }
  }

  function bind() {
    let depth = 0;
    document.addEventListener("dragenter", (event) => {
      event.preventDefault();
      depth += 1;
      $("drop-hint").hidden = false;
    });
    document.addEventListener("dragleave", () => {
      depth = Math.max(0, depth - 1);
      if (!depth) $("drop-hint").hidden = true;
    });
    document.addEventListener("dragover", (event) => event.preventDefault());
    document.addEventListener("drop", (event) => {
      event.preventDefault();
      depth = 0;
      $("drop-hint").hidden = true;
      drop(event.dataTransfer).catch((error) => notice("The dropped files were not read: " + error.message));
    });
    $("log").addEventListener("scroll", () => {
      const panel = $("log");
      following = panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
    });
    $("dock").addEventListener("click", () => dock(document.body.classList.contains("studio-below") ? "right" : "below"));
    $("forget").addEventListener("click", () => {
      if (!window.confirm("Forget your files kept in this browser and play the packed ones?")) return;
      DataCache.forget().finally(() => window.location.reload());
    });
    // A recording still open would lose its end.
    window.addEventListener("beforeunload", (event) => {
      if ([...files.values()].some((file) => file.kind === "written" && !file.complete)) {
        event.preventDefault();
        event.returnValue = "";
      }
    });
  }

  bind();

  return {
    open,
    log,
    written,
    restoreFiles,
    downloads: () => [...files.entries()].filter(([, file]) => file.kind === "written")
      .map(([path, file]) => ({ path, name: file.name, complete: file.complete, offered: file.offered,
        text: new TextDecoder().decode(file.bytes) })),
  };
})();
