// The player bar, as a video page has one: play and pause (the show clock holds and the
// audio context suspends: music and picture together), a seek track over the whole show
// with the schedule's lanes drawn in it (the rows --schedule --svg draws, small), the time,
// volume and mute, a link to this moment, the key list and fullscreen. It hides while the
// show plays and the pointer rests. The end card holds the last frame.
"use strict";

const Player = (() => {
  const showStart = -4; // the lead-in, as the show starts
  const restsAfter = 2500; // ms of a resting pointer before the bar hides
  const skipSeconds = 5;
  const $ = (id) => document.getElementById(id);
  let started = false;
  let paused = false;
  let ended = false;
  let schedule = null;
  let end = 185;
  let time = showStart;
  let restTimer = null;
  let wakeFrames = 0; // frames to draw while paused: a key, a seek, a resize may change it
  let volume = Number(localStorage.getItem("tarvel-volume") || 1);
  let muted = localStorage.getItem("tarvel-muted") === "1";

  // Drawn, not taken from a font: a browser without an emoji font shows boxes for those.
  const svg = (paths) => `<svg viewBox="0 0 24 24" width="20" height="20" fill="currentColor">${paths}</svg>`;
  const icons = {
    play: svg('<path d="M7 4l13 8-13 8z"/>'),
    pause: svg('<path d="M6 4h4v16H6zM14 4h4v16h-4z"/>'),
    sound: svg('<path d="M4 9h4l5-4v14l-5-4H4z"/><path d="M16 8q3 4 0 8" stroke="currentColor" stroke-width="2" fill="none"/>'),
    muted: svg('<path d="M4 9h4l5-4v14l-5-4H4z"/><path d="M16 9l5 6M21 9l-5 6" stroke="currentColor" stroke-width="2"/>'),
    link: svg('<path d="M10 14a4 4 0 0 0 6 0l3-3a4 4 0 0 0-6-6l-1 1M14 10a4 4 0 0 0-6 0l-3 3a4 4 0 0 0 6 6l1-1" stroke="currentColor" stroke-width="2" fill="none"/>'),
    full: svg('<path d="M4 9V4h5M15 4h5v5M20 15v5h-5M9 20H4v-5" stroke="currentColor" stroke-width="2" fill="none"/>'),
  };

  const format = (seconds) => {
    const sign = seconds < 0 ? "-" : "";
    const whole = Math.floor(Math.abs(seconds));
    return `${sign}${Math.floor(whole / 60)}:${String(whole % 60).padStart(2, "0")}`;
  };
  const formatFine = (seconds) => `${format(seconds)}.${String(Math.floor(Math.abs(seconds) * 100) % 100).padStart(2, "0")}`;

  // The schedule's rows, from the running show (after a list is read again too).
  function refreshSchedule() {
    if (!status.showStarted) return;
    try {
      schedule = JSON.parse(Module.UTF8ToString(Module._tarvel_schedule()));
      end = schedule.end;
    } catch (error) {
      console.warn("no schedule for the seek track:", error);
      schedule = null;
    }
    drawTrack();
    fillMoments();
  }

  const xOf = (t, width) => ((t - showStart) / (end - showStart)) * width;
  const timeAt = (x, width) => showStart + (x / width) * (end - showStart);
  const laneColour = (lane, count, alpha) => `hsla(${Math.round((lane * 360) / count + 200) % 360}, 70%, 60%, ${alpha})`;

  function drawTrack() {
    const canvas = $("lanes");
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(canvas.clientWidth * ratio));
    const height = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
    }
    const context = canvas.getContext("2d");
    context.clearRect(0, 0, width, height);
    context.fillStyle = "rgba(255, 255, 255, 0.08)";
    context.fillRect(0, 0, width, height);
    if (schedule) {
      schedule.sections.forEach(([from, to], i) => {
        context.fillStyle = i % 2 ? "rgba(255, 255, 255, 0.05)" : "rgba(0, 0, 0, 0)";
        context.fillRect(xOf(from, width), 0, xOf(to, width) - xOf(from, width), height);
      });
      const lanes = schedule.lanes.length;
      const laneHeight = height / lanes;
      for (const [from, to, lane, seen] of schedule.rows) {
        const x = xOf(from, width);
        const w = Math.max(ratio, xOf(to, width) - x);
        context.fillStyle = seen === 0 ? laneColour(lane, lanes, 0.85)
          : seen === 1 ? "rgba(150, 150, 150, 0.35)" : "rgba(255, 255, 255, 0.18)";
        const inset = seen === 2 ? 0 : Math.min(ratio, laneHeight * 0.15);
        context.fillRect(x, lane * laneHeight + inset, w, laneHeight - 2 * inset);
      }
    }
    if (loopParam !== null) {
      const ends = loopParam.split(",").map(Number);
      if (ends.length === 2 && ends.every(Number.isFinite)) {
        context.strokeStyle = "rgba(255, 170, 0, 0.9)";
        context.lineWidth = 2 * ratio;
        context.strokeRect(xOf(ends[0], width), ratio, xOf(ends[1], width) - xOf(ends[0], width), height - 2 * ratio);
      }
    }
    const head = xOf(Math.min(Math.max(time, showStart), end), width);
    context.fillStyle = "rgba(0, 0, 0, 0.35)";
    context.fillRect(head, 0, width - head, height);
    context.fillStyle = "#fff";
    context.fillRect(head - ratio, 0, 2 * ratio, height);
  }

  function showTimeText() {
    $("time").textContent = `${format(time)} / ${format(end)}`;
  }

  function syncAudio() {
    const audio = Module.tarvelAudio.context;
    if (!audio) return;
    if ((paused || ended) && audio.state === "running") audio.suspend();
    else if (!paused && !ended && audio.state === "suspended") audio.resume();
  }

  // The state as the show has it (F8 pauses from the show's own keys).
  function sync() {
    if (!started) return;
    paused = Module._tarvel_paused() === 1;
    if (ended && !paused) ended = false;
    $("play").innerHTML = paused || ended ? icons.play : icons.pause;
    $("play").title = paused || ended ? "Play (Space)" : "Pause (Space)";
    $("ended").hidden = !ended;
    document.body.classList.toggle("paused", paused || ended);
    status.state = ended ? "ended" : paused ? "paused" : "running";
    syncAudio();
    showBar();
  }

  const wake = () => { wakeFrames = 2; };

  function setPaused(wanted) {
    if (!started) return;
    wake();
    Module._tarvel_set_paused(wanted ? 1 : 0);
    $("big-play").hidden = true;
    sync();
    Pace.stateChanged();
  }

  function toggle() {
    if (!started) return;
    if (ended) playAgain();
    else setPaused(!paused);
  }

  // The next frame is the one at `seconds`, exactly (to a hundredth, as a link holds it).
  function seek(seconds) {
    if (!started) return;
    const target = Math.round(Math.min(Math.max(seconds, showStart), end) * 100) / 100;
    wake();
    Module._tarvel_seek(target);
    time = target;
    if (ended && target < end) {
      ended = false;
      Module._tarvel_set_paused(1);
    }
    sync();
    drawTrack();
    showTimeText();
    Pace.stateChanged();
  }

  function playAgain() {
    seek(0);
    setPaused(false);
  }

  function applyVolume() {
    const gain = Module.tarvelAudio.volume;
    if (gain) gain.gain.value = muted ? 0 : volume;
    $("mute").innerHTML = muted || volume === 0 ? icons.muted : icons.sound;
    $("volume").value = String(volume);
  }

  function setMuted(value) {
    muted = value;
    localStorage.setItem("tarvel-muted", muted ? "1" : "0");
    applyVolume();
  }

  // The bar shows on movement and while paused; it hides when the pointer rests.
  function showBar() {
    if (document.body.classList.contains("resting")) {
      document.body.classList.remove("resting");
      drawTrack();
      showTimeText();
    }
    clearTimeout(restTimer);
    restTimer = setTimeout(() => {
      const busy = paused || ended || !started || $("player").matches(":hover") ||
        !$("keys").hidden || !$("link-box").hidden;
      if (busy) showBar();
      else document.body.classList.add("resting");
    }, restsAfter);
  }

  function trackTime(event) {
    const box = $("track").getBoundingClientRect();
    return timeAt(Math.min(Math.max(event.clientX - box.left, 0), box.width), box.width);
  }

  function showTip(event) {
    const t = trackTime(event);
    const tip = $("track-tip");
    let text = formatFine(t);
    if (schedule) {
      const section = schedule.sections.find(([from, to]) => from <= t && t < to);
      if (section) text += "  " + section[2];
      const drawn = schedule.rows.filter(([from, to, , seen]) => seen === 0 && from <= t && t <= to)
        .map((row) => row[4]);
      if (drawn.length) text += "\n" + drawn.slice(0, 4).join("\n") + (drawn.length > 4 ? `\n+${drawn.length - 4} more` : "");
    }
    tip.textContent = text;
    tip.hidden = false;
    const box = $("track").getBoundingClientRect();
    tip.style.left = `${Math.min(Math.max(event.clientX - box.left, 60), box.width - 60)}px`;
  }

  function link(at) {
    const url = new URL(location.href);
    url.search = "";
    url.searchParams.set("at", (Math.round(at * 100) / 100).toFixed(2));
    return url.href;
  }

  async function copyLink() {
    const text = link(time);
    $("link-text").textContent = text;
    $("link-said").textContent = "A link to this moment:";
    $("link-box").hidden = false;
    // Selected, for copying by hand where the clipboard is not the page's to write.
    window.getSelection().selectAllChildren($("link-text"));
    try {
      await navigator.clipboard.writeText(text);
      $("link-said").textContent = "Copied, a link to this moment:";
    } catch (error) {
      // The text stays selected for the author to copy.
    }
  }

  // The page's own keys first, then the show's as the page passes them: the browser keeps
  // Escape, Q, F5, F11 and F12; T and U stand in for the last two.
  const pageKeys = [
    ["Space", "play or pause, music and picture together"],
    ["\u2190 \u2192", `${skipSeconds} s back or on (with ?log the arrows turn the camera)`],
    ["M", "mute"],
    ["F1", "fullscreen (Escape leaves it)"],
    ["?", "this list"],
  ];
  const shownAs = {
    F8: ["F8", "pause and play again"],
    F11: ["F11 or T", null],
    F12: ["F12 or U", null],
  };
  const pageOwns = ["Escape, Q, F5", "Space", "F1"];

  function fillKeys() {
    const table = $("key-table");
    table.textContent = "";
    const row = (keys, effect, when) => {
      const line = table.insertRow();
      line.insertCell().textContent = keys;
      line.insertCell().textContent = effect;
      line.insertCell().textContent = when;
    };
    pageKeys.forEach(([keys, effect]) => row(keys, effect, ""));
    let help = "";
    try {
      help = Module.UTF8ToString(Module._tarvel_key_help());
    } catch (error) {
      return;
    }
    for (const line of help.split("\n").filter(Boolean)) {
      const [keys, when, effect] = line.split("\t");
      if (pageOwns.includes(keys)) continue;
      const [shownKeys, shownEffect] = shownAs[keys] || [keys, null];
      row(shownKeys, shownEffect || effect, when === "always" ? "" : "with ?log");
    }
  }

  function fillMoments() {
    const list = $("moments");
    list.textContent = "";
    if (!schedule) return;
    for (const [from, , name] of schedule.sections) {
      if (from < 0) continue; // the lead-in
      const item = document.createElement("li");
      const go = document.createElement("a");
      go.href = link(from);
      go.textContent = `${format(from)}  ${name}`;
      go.addEventListener("click", (event) => {
        event.preventDefault();
        seek(from);
        setPaused(false);
      });
      item.appendChild(go);
      list.appendChild(item);
    }
  }

  function bind() {
    $("link").innerHTML = icons.link;
    $("full").innerHTML = icons.full;
    const refocus = () => $("canvas").focus();
    $("play").addEventListener("click", () => { toggle(); refocus(); });
    $("again").addEventListener("click", () => { playAgain(); refocus(); });
    $("moments-open").addEventListener("click", () => { $("moments").hidden = !$("moments").hidden; });
    $("mute").addEventListener("click", () => { setMuted(!muted); refocus(); });
    $("volume").addEventListener("input", () => {
      volume = Number($("volume").value);
      localStorage.setItem("tarvel-volume", String(volume));
      if (muted && volume > 0) setMuted(false);
      applyVolume();
    });
    $("volume").addEventListener("change", refocus);
    $("link").addEventListener("click", copyLink);
    $("link-close").addEventListener("click", () => { $("link-box").hidden = true; refocus(); });
    $("keys-open").addEventListener("click", () => { $("keys").hidden = !$("keys").hidden; refocus(); });
    $("keys-close").addEventListener("click", () => { $("keys").hidden = true; refocus(); });
    $("full").addEventListener("click", () => { toggleFullscreen(); refocus(); });
    $("big-play").addEventListener("click", () => {
      if (!Module.tarvelAudio.context) makeAudioContext();
      setPaused(false);
      refocus();
    });
    const track = $("track");
    track.addEventListener("pointerdown", (event) => {
      track.setPointerCapture(event.pointerId);
      seek(trackTime(event));
    });
    track.addEventListener("pointermove", (event) => {
      showTip(event);
      if (track.hasPointerCapture(event.pointerId)) seek(trackTime(event));
    });
    track.addEventListener("pointerleave", () => { $("track-tip").hidden = true; });
    track.addEventListener("pointerup", refocus);
    document.addEventListener("pointermove", showBar);
    window.addEventListener("resize", () => { drawTrack(); wake(); });
    // Panels come and go with clicks and keys: a paused canvas drawn again under them keeps
    // the browser from showing a stale part of it.
    for (const kind of ["keydown", "keyup", "click"]) document.addEventListener(kind, wake, true);
    document.addEventListener("keydown", (event) => {
      if (!started || event.ctrlKey || event.altKey || event.metaKey) return;
      if (event.key === " ") {
        event.preventDefault();
        toggle();
      } else if (event.key === "m" || event.key === "M") {
        setMuted(!muted);
      } else if (event.key === "?") {
        $("keys").hidden = !$("keys").hidden;
      } else if (!withLog && (event.key === "ArrowLeft" || event.key === "ArrowRight")) {
        seek(time + (event.key === "ArrowLeft" ? -skipSeconds : skipSeconds));
      } else if (event.key === "Escape") {
        $("keys").hidden = true;
        $("link-box").hidden = true;
      }
    });
  }

  bind();

  return {
    // The show runs: the bar comes, with the schedule and the keys.
    start() {
      started = true;
      $("player").hidden = false;
      fillKeys();
      refreshSchedule();
      applyVolume();
      sync();
    },
    stopped() {
      started = false;
      $("player").hidden = true;
      $("big-play").hidden = true;
    },
    afterFrame(showTime) {
      wakeFrames = Math.max(0, wakeFrames - 1);
      if (!started) return;
      time = showTime;
      if (Module._tarvel_paused() === 1 !== paused) sync();
      // A hidden bar is not drawn: the frame's time goes to the show.
      if (document.body.classList.contains("resting")) return;
      drawTrack();
      showTimeText();
    },
    ended() {
      ended = true;
      time = end;
      wake(); // the frame that ended the show was not drawn: the end's is
      sync();
    },
    // ?at=T: the frame at T waits for a click, which also lets the sound start.
    offerPlayFrom(at) {
      const button = $("big-play");
      button.textContent = `\u25b6 Play from ${formatFine(at)}`;
      button.hidden = false;
    },
    // Nothing to draw: paused, and nothing happened that could change the picture.
    idle: () => started && (paused || ended) && wakeFrames === 0,
    wake,
    setPaused,
    seek,
    applyVolume,
    refreshSchedule,
    paused: () => paused || ended,
  };
})();
