// The page around the show: loading (the data set from the browser's cache when it has it),
// the start panel (the desktop's start-up dialog), notices for the show's messages, the
// player bar (player.js), the authoring panel behind ?log (studio.js), the frame-rate
// keeper (pace.js), fullscreen, and the hooks ?at=T (the show paused at show time T, a
// link to a moment), ?at=T&size=WxH (the still at T, as --shot renders it; with &count,
// the WebGL calls of its frames counted) and ?samples=N (--samples: multisampling, 0 off;
// by default on in the player and for stills from 1920 x 1080 up, as on the desktop). The show
// itself is tarvel.js/tarvel.wasm; its data set is tarvel.data, loaded by tarvel-data.js.
"use strict";

const params = new URLSearchParams(window.location.search);
const heldAt = params.get("at");
const heldSize = params.get("size");
// The still at T as --shot renders it: the same as a whole run's.
const holdsStill = heldAt !== null && heldSize !== null;
const withLog = params.has("log");
// &count: the WebGL calls of the still's frames, by kind and by name, in tarvelStatus().calls.
const counting = holdsStill && params.has("count");
const loopParam = params.get("loop");
const samplesParam = params.get("samples");
const shotFile = "/tarvel-shot.png";
const mixRate = 44100; // the show's mixer rate: the music is decoded at it as it plays

const element = (id) => document.getElementById(id);

// What the page and its tests can read at any time (window.tarvelStatus()).
const status = {
  state: "loading", // loading, ready, running, paused, held, ended, failed
  exitStatus: null,
  frames: 0,
  frame: null,
  runtime: false, // the program's functions can be called
  showStarted: false, // main has run: the transport hooks reach a show
};

// Work for after the next `count` frames (a file dropped is read in the next one).
const afterFrames = [];
function whenFramesDrawn(count, then) {
  afterFrames.push({ frame: status.frames + count, then });
  afterFrames.sort((a, b) => a.frame - b.frame);
}

function notice(text, stays = false) {
  Notices.add(text, stays);
}

function setProgress(text, fraction) {
  element("status").textContent = text;
  if (fraction !== undefined) element("bar").value = fraction;
}

// An error that stops the show: said where the show was, and in a notice that stays.
function fail(text) {
  status.state = "failed";
  element("start").hidden = true;
  element("progress").hidden = false;
  element("bar").hidden = true;
  setProgress(text);
  Notices.keepAll();
  notice(text, true);
  if (typeof Player !== "undefined") Player.stopped();
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
    if (shown) notice(text.slice(8));
  },
  onAbort: (what) => fail("The show stopped: " + what),
  // The music heard just before a frame reads the show clock, and that frame's show time:
  // two clocks read at one moment, so the page can say how far apart they are. A paused
  // show draws only when something may change its picture (false skips the frame).
  preMainLoop: () => {
    if (Player.idle() && !afterFrames.length) return false;
    status.musicBeforeFrame = Module._tarvel_music_time();
  },
  postMainLoop: () => {
    status.frame = { showTime: Module._tarvel_show_time(), musicTime: status.musicBeforeFrame };
    status.frames += 1;
    if (counting) endCountedFrame();
    Player.afterFrame(status.frame.showTime);
    Pace.afterFrame();
    while (afterFrames.length && afterFrames[0].frame <= status.frames) afterFrames.shift().then();
  },
  tarvelAudio: {
    context: null,
    volume: null,
    // The show's sound goes through the player's volume.
    output: (context) => {
      if (!Module.tarvelAudio.volume || Module.tarvelAudio.volume.context !== context) {
        Module.tarvelAudio.volume = context.createGain();
        Module.tarvelAudio.volume.connect(context.destination);
        Player.applyVolume();
      }
      return Module.tarvelAudio.volume;
    },
  },
  tarvelPage: {
    openLog: () => Studio.open(),
    log: (text) => Studio.log(text),
    written: (path, complete) => Studio.written(path, complete),
    scale: () => Pace.scale(),
    ended: (code) => {
      status.exitStatus = code;
      // A run that ends inside a frame ends it here.
      if (counting) endCountedFrame();
      if (holdsStill && code === 0) {
        status.state = "held";
        return;
      }
      if (code !== 0) {
        fail(`The show stopped (status ${code}).`);
        return;
      }
      status.state = "ended";
      Player.ended();
    },
  },
  // The music is decoded by the show itself (mpg123, as on the desktop), a block at a time
  // as it is heard, and for a held frame only the moment the frame needs: nothing to wait
  // for here but the data set.
  onRuntimeInitialized: () => {
    status.runtime = true;
    if (holdsStill) startStill();
    else if (heldAt !== null) startAtMoment();
    else showStartPanel();
  },
};

// The data set, fetched (or read from the cache) while the program loads. What is left is
// said on the start panel, and on the progress panel while the page waits for it.
let waitingForData = true;
const dataLoaded = DataCache.load((progress) => {
  status.dataBytes = progress.total;
  status.dataFromCache = progress.fromCache;
  const left = progress.total - progress.loaded;
  const megabytes = (bytes) => (bytes / 1e6).toFixed(1);
  const text = progress.done || left <= 0 ? "" : progress.fromCache ? "Reading the show's data…"
    : `Loading the show's data: ${megabytes(left)} of ${megabytes(progress.total)} MB to go`;
  element("still-loading").textContent = text;
  if (waitingForData && element("start").hidden) {
    element("bar").hidden = false;
    setProgress(text || "Loading the show…", progress.total ? progress.loaded / progress.total : 0);
  }
}).then((progress) => {
  status.dataLoaded = true;
  waitingForData = false;
  element("bar").hidden = true;
  setProgress("Loading the show…");
  return progress;
}).catch((error) => {
  fail("The show's data did not load: " + error.message);
  throw error;
});

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

// As soon as the program is ready; what is still loading is said on the panel.
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
    // The exit status of a main that returned (a refused option); 0 once the show runs.
    const code = Module.callMain(args);
    if (code) {
      fail(`The show did not start (status ${code}).`);
      return false;
    }
  } catch (error) {
    if (error && error.name === "ExitStatus") {
      if (error.status !== 0) fail(`The show did not start (status ${error.status}).`);
      return false;
    }
    if (error !== "unwind") {
      console.error(error);
      status.error = String((error && error.stack) || error);
      fail("The show stopped: " + error);
      throw error;
    }
  }
  return status.state === "running";
}

// ?samples=N: --samples N.
function samplesArgs() {
  if (samplesParam === null) return [];
  if (!/^\d+$/.test(samplesParam)) throw new Error("?samples=N takes a number of samples a pixel");
  return ["--samples", samplesParam];
}

// ?loop=A,B: --loop A B.
function showArgs() {
  const args = ["--windowed", "--renderer", "gles", ...samplesArgs()];
  if (loopParam !== null) {
    const ends = /^(-?\d+(?:\.\d+)?),(-?\d+(?:\.\d+)?)$/.exec(loopParam);
    if (!ends) throw new Error("?loop=A,B takes two show times in seconds");
    args.push("--loop", ends[1], ends[2]);
  }
  return args;
}

// Runs the show as the player plays it; false (the page says why) when it did not start.
function startPlaying(args) {
  if (!runShow(args)) return false;
  status.showStarted = true;
  Module._tarvel_hold_at_end();
  Player.start();
  return true;
}

function makeAudioContext() {
  const audio = Module.tarvelAudio;
  try {
    audio.context = new AudioContext({ sampleRate: mixRate });
    audio.context.resume();
  } catch (error) {
    notice("no audio: " + error);
  }
}

// OK: the click lets the page start sound and go fullscreen.
function startFromPanel() {
  makeAudioContext();
  if (element("fullscreen").checked && document.documentElement.requestFullscreen) {
    document.documentElement.requestFullscreen().catch(() => {});
  }
  element("start").hidden = true;
  element("progress").hidden = false;
  element("bar").hidden = true;
  setProgress("Loading the show…");
  dataLoaded.then(() => Studio.restoreFiles()).then(() => afterPaint(() => {
    element("progress").hidden = true;
    element("canvas").focus();
    try {
      startPlaying(showArgs());
    } catch (error) {
      fail(error.message);
    }
  }));
}

function startStill() {
  const time = /^-?\d+(\.\d+)?$/;
  if (!/^\d+x\d+$/.test(heldSize) || !time.test(heldAt)) {
    fail("?at=T takes a show time in seconds, and &size=WxH a size in pixels");
    return;
  }
  let args;
  try {
    args = ["--renderer", "gles", "--shot", heldAt, shotFile, "--size", heldSize, ...samplesArgs()];
  } catch (error) {
    fail(error.message);
    return;
  }
  // Counted, the still comes after two frames before it, on the same 60 a second: the first
  // frame of a run prepares what it meets, the counted one is an ordinary frame.
  if (counting) {
    const step = 1 / 60;
    for (const back of [2, 1]) args.push("--shot", String(Number(heldAt) - back * step), "/tarvel-before-" + back + ".png");
  }
  dataLoaded.then(() => {
    element("progress").hidden = true;
    afterPaint(() => runShow(args));
  });
}

// ?at=T: the show at T, paused, the player's play button to go on from there (the click
// starts the sound).
function startAtMoment() {
  if (!/^-?\d+(\.\d+)?$/.test(heldAt)) {
    fail("?at=T takes a show time in seconds");
    return;
  }
  setProgress("Loading the show…");
  element("bar").hidden = true;
  dataLoaded.then(() => Studio.restoreFiles()).then(() => afterPaint(() => {
    element("progress").hidden = true;
    try {
      if (!startPlaying([...showArgs(), "--from", heldAt])) return;
    } catch (error) {
      fail(error.message);
      return;
    }
    Player.setPaused(true);
    Player.offerPlayFrom(Number(heldAt));
  }));
}

element("ok").addEventListener("click", startFromPanel);

// F1 toggles fullscreen, as it switches the desktop's window; Escape leaves it (the
// browser's own). The player's keys are player.js's.
function toggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else if (status.showStarted) document.documentElement.requestFullscreen().catch(() => {});
}
document.addEventListener("keydown", (event) => {
  if (event.key !== "F1") return;
  event.preventDefault();
  toggleFullscreen();
});

window.tarvelStatus = () => {
  const audio = Module.tarvelAudio.context;
  return {
    state: status.state,
    error: status.error,
    exitStatus: status.exitStatus,
    notices: Notices.lines(),
    noticesShown: Notices.shownCount(),
    noticeRepeats: Notices.repeats(),
    frames: status.frames,
    // The last frame's show time, and the music heard when its clock was read (-1 before
    // the music starts).
    showTime: status.frame ? status.frame.showTime : null,
    musicTime: status.frame ? status.frame.musicTime : null,
    // The music heard now, between frames.
    musicNow: status.showStarted ? Module._tarvel_music_time() : null,
    paused: status.showStarted ? Module._tarvel_paused() === 1 : false,
    audioState: audio ? audio.state : "none",
    audioContextTime: audio ? audio.currentTime : null,
    // Seconds of music decoded so far: a held frame needs a few blocks of it, not the track.
    musicSeconds: status.runtime ? Module._tarvel_music_decoded_seconds() : 0,
    dataBytes: status.dataBytes,
    dataLoaded: !!status.dataLoaded,
    dataFromCache: status.dataFromCache,
    scale: Pace.scale(),
    framesPerSecond: Pace.framesPerSecond(),
    downloads: Studio.downloads(),
    // With &count: the WebGL calls of every frame drawn, the still's last.
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
