// The page around the show: loading progress, the start panel (the desktop's start-up
// dialog), notices for the show's messages, the log panel (?log), fullscreen, and the
// hook ?at=T[&size=WxH] that holds the frame at show time T (with &count, counting the
// WebGL calls of its frames). The show itself is tarvel.js/tarvel.wasm; its data set is
// tarvel.data, loaded by tarvel-data.js.
"use strict";

const params = new URLSearchParams(window.location.search);
const heldAt = params.get("at");
const heldSize = params.get("size") || "800x600";
// The frame at T as --shot renders it: the same as a whole run's.
const withLog = params.has("log");
// &count: the WebGL calls of the held frame, by kind and by name, in tarvelStatus().calls.
const counting = heldAt !== null && params.has("count");
const shotFile = "/tarvel-shot.png";
const mixRate = 44100; // the show's mixer rate: the music is decoded at it as it plays

const element = (id) => document.getElementById(id);

// What the page and its tests can read at any time (window.tarvelStatus()).
const status = {
  state: "loading", // loading, ready, running, held, ended, failed
  exitStatus: null,
  notices: [],
  frames: 0,
  frame: null,
  runtime: false, // the program's functions can be called
};

function notice(caption, text) {
  const line = caption ? caption + ": " + text : text;
  status.notices.push(line);
  const item = document.createElement("li");
  item.textContent = line;
  element("notices").appendChild(item);
}

function setProgress(text, fraction) {
  element("status").textContent = text;
  if (fraction !== undefined) element("bar").value = fraction;
}

function fail(text) {
  status.state = "failed";
  element("progress").hidden = false;
  element("bar").hidden = true;
  setProgress(text);
}

// WebGL calls counted per frame: every method of the WebGL 2 context is wrapped before the
// show makes its context. The kinds are the GL layer benchmark's (bench/gles_calls_bench).
const calls = { frame: {}, frames: [] };
const callKinds = [
  ["draws", /^(drawArrays|drawElements|clear)$/],
  ["uniforms", /^uniform/],
  ["state", /^(useProgram|enable|disable|blendFunc|depthFunc|depthMask|colorMask|stencilFunc|stencilOp|cullFace|scissor|viewport|clearColor|pixelStorei)$/],
  ["textures", /^(activeTexture|bindTexture|createTexture|deleteTexture|texParameteri|texImage2D|texSubImage2D|copyTexImage2D)$/],
  ["buffers", /^(bindVertexArray|bindBuffer|bufferData|bufferSubData|createVertexArray|createBuffer|deleteVertexArray|deleteBuffer|enableVertexAttribArray|vertexAttribPointer|vertexAttrib[1-4]fv?)$/],
];

function countWebGlCalls() {
  const prototype = WebGL2RenderingContext.prototype;
  for (const name of Object.getOwnPropertyNames(prototype)) {
    const property = Object.getOwnPropertyDescriptor(prototype, name);
    if (name === "constructor" || typeof property.value !== "function") continue;
    const method = property.value;
    prototype[name] = function (...args) {
      calls.frame[name] = (calls.frame[name] || 0) + 1;
      return method.apply(this, args);
    };
  }
}

// One frame's calls: the total, by kind and by name.
function callSummary(byName) {
  const summary = { total: 0, kinds: { other: 0 }, names: byName };
  for (const [kind] of callKinds) summary.kinds[kind] = 0;
  for (const [name, count] of Object.entries(byName)) {
    const found = callKinds.find(([, pattern]) => pattern.test(name));
    summary.kinds[found ? found[0] : "other"] += count;
    summary.total += count;
  }
  return summary;
}

// A frame that made no call (the one that ends the run may draw nothing) is not one.
function endCountedFrame() {
  if (Object.keys(calls.frame).length > 0) calls.frames.push(callSummary(calls.frame));
  calls.frame = {};
}

if (counting) countWebGlCalls();

var Module = {
  canvas: element("canvas"),
  print: (text) => console.log(text),
  printErr: (text) => {
    console.warn(text);
    // The show's own messages name the file and the reason: show them on the page.
    const shown = text.startsWith("tarvel: ") && !text.startsWith("tarvel: wrote ");
    if (shown) notice("", text.slice(8));
  },
  // The file packager reports "Downloading data... (loaded/total)".
  setStatus: (text) => {
    const parts = /\((\d+)\/(\d+)\)/.exec(text);
    if (parts) setProgress("Loading the show's data…", Number(parts[1]) / Number(parts[2]));
  },
  onAbort: (what) => fail("The show stopped: " + what),
  // The music heard just before a frame reads the show clock, and that frame's show time:
  // two clocks read at one moment, so the page can say how far apart they are.
  preMainLoop: () => {
    status.musicBeforeFrame = Module._tarvel_music_time();
  },
  postMainLoop: () => {
    status.frame = { showTime: Module._tarvel_show_time(), musicTime: status.musicBeforeFrame };
    status.frames += 1;
    if (counting) endCountedFrame();
  },
  tarvelAudio: { context: null },
  tarvelPage: {
    notice: notice,
    openLog: () => {
      if (!withLog) return false;
      element("log").hidden = false;
      return true;
    },
    log: (text) => {
      const log = element("log");
      log.textContent = text;
      log.scrollTop = log.scrollHeight;
    },
    ended: (code) => {
      status.exitStatus = code;
      // A run that ends inside a frame ends it here.
      if (counting) endCountedFrame();
      if (heldAt !== null && code === 0) {
        status.state = "held";
        return;
      }
      status.state = "ended";
      if (Module.tarvelAudio.context) Module.tarvelAudio.context.suspend();
      element("ended").hidden = false;
    },
  },
  // The music is decoded by the show itself (mpg123, as on the desktop), a block at a time
  // as it is heard, and for a held frame only the moment the frame needs: nothing to wait
  // for here.
  onRuntimeInitialized: () => {
    status.runtime = true;
    if (heldAt !== null) startHeld();
    else showStartPanel();
  },
};

function drawStartPicture() {
  const sizes = Module._malloc(8);
  const pixels = Module._tarvel_startup_picture(sizes, sizes + 4);
  const width = Module.HEAP32[sizes >> 2];
  const height = Module.HEAP32[(sizes >> 2) + 1];
  Module._free(sizes);
  const picture = element("picture");
  picture.width = width;
  picture.height = height;
  const context = picture.getContext("2d");
  const image = context.createImageData(width, height);
  for (let i = 0; i < width * height; ++i) {
    image.data[4 * i] = Module.HEAPU8[pixels + 3 * i];
    image.data[4 * i + 1] = Module.HEAPU8[pixels + 3 * i + 1];
    image.data[4 * i + 2] = Module.HEAPU8[pixels + 3 * i + 2];
    image.data[4 * i + 3] = 255;
  }
  context.putImageData(image, 0, 0);
}

function showStartPanel() {
  drawStartPicture();
  element("progress").hidden = true;
  element("start").hidden = false;
  status.state = "ready";
  const ok = element("ok");
  ok.disabled = false;
  ok.focus();
}

// After the browser has painted what changed: loading takes a moment and blocks the page.
function afterPaint(then) {
  requestAnimationFrame(() => setTimeout(then, 0));
}

function runShow(args) {
  if (withLog) Module.FS.writeFile("/logga", ""); // the marker that turns the log on
  status.state = "running";
  try {
    Module.callMain(args);
  } catch (error) {
    if (error !== "unwind" && !(error && error.name === "ExitStatus")) {
      console.error(error);
      status.error = String((error && error.stack) || error);
      fail("The show stopped: " + error);
      throw error;
    }
  }
}

// OK: the click lets the page start sound and go fullscreen.
function startFromPanel() {
  const audio = Module.tarvelAudio;
  try {
    audio.context = new AudioContext({ sampleRate: mixRate });
    audio.context.resume();
  } catch (error) {
    notice("", "no audio: " + error);
  }
  if (element("fullscreen").checked && document.documentElement.requestFullscreen) {
    document.documentElement.requestFullscreen().catch(() => {});
  }
  element("start").hidden = true;
  element("progress").hidden = false;
  element("bar").hidden = true;
  setProgress("Loading the show…");
  afterPaint(() => {
    element("progress").hidden = true;
    element("canvas").focus();
    runShow(["--windowed", "--renderer", "gles"]);
  });
}

function startHeld() {
  const time = /^-?\d+(\.\d+)?$/;
  if (!/^\d+x\d+$/.test(heldSize) || !time.test(heldAt)) {
    fail("?at=T takes a show time in seconds, and &size=WxH a size in pixels");
    return;
  }
  element("progress").hidden = true;
  const args = ["--renderer", "gles", "--shot", heldAt, shotFile, "--size", heldSize];
  // Counted, the held frame comes after two frames before it, on the same 60 a second: the
  // first frame of a run prepares what it meets, the held one is an ordinary frame.
  if (counting) {
    const step = 1 / 60;
    for (const back of [2, 1]) args.push("--shot", String(Number(heldAt) - back * step), "/tarvel-before-" + back + ".png");
  }
  afterPaint(() => runShow(args));
}

element("ok").addEventListener("click", startFromPanel);
element("again").addEventListener("click", () => window.location.reload());

// F1 toggles fullscreen, as it switches the desktop's window; Escape leaves it (the
// browser's own).
document.addEventListener("keydown", (event) => {
  if (event.key !== "F1") return;
  event.preventDefault();
  if (document.fullscreenElement) document.exitFullscreen();
  else if (status.state === "running") document.documentElement.requestFullscreen().catch(() => {});
});

window.tarvelStatus = () => {
  const audio = Module.tarvelAudio.context;
  return {
    state: status.state,
    error: status.error,
    exitStatus: status.exitStatus,
    notices: status.notices.slice(),
    frames: status.frames,
    // The last frame's show time, and the music heard when its clock was read (-1 before
    // the music starts).
    showTime: status.frame ? status.frame.showTime : null,
    musicTime: status.frame ? status.frame.musicTime : null,
    audioState: audio ? audio.state : "none",
    audioContextTime: audio ? audio.currentTime : null,
    // Seconds of music decoded so far: a held frame needs a few blocks of it, not the track.
    musicSeconds: status.runtime ? Module._tarvel_music_decoded_seconds() : 0,
    // With &count: the WebGL calls of every frame drawn, the held one last.
    calls: counting ? calls.frames.slice() : null,
  };
};

// The fingerprint (frames:hash) of all that an MP3 of the package decodes to here; the web
// test compares it with the desktop's. Decodes the whole file.
window.tarvelMusicDigest = (path) => Module.ccall("tarvel_music_digest", "string", ["string"], [path]);

// The held frame as base64 PNG, for tests and for saving a moment.
window.tarvelHeldFrame = () => {
  if (status.state !== "held") return null;
  const bytes = Module.FS.readFile(shotFile);
  let text = "";
  for (let i = 0; i < bytes.length; i += 0x8000)
    text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
  return btoa(text);
};
