// A page that keeps its frame rate: ?scale=S (0 < S <= 1) draws at that share of the
// device's pixels; without it (or with ?scale=auto) the share drops a step whenever the
// frames fall behind (under 30 a second over two seconds of playing) and rises again, to
// below the share that was too slow, when they have room to spare. The browser scales the
// canvas up smoothly; what the show draws at a size is what the desktop draws at that size.
"use strict";

const Pace = (() => {
  const measureFor = 2000; // ms of playing per measurement
  const slowBelow = 30; // frames a second
  const roomAbove = 50;
  const step = 0.75;
  const smallest = 0.3;
  const asked = params.get("scale");
  const fixed = asked !== null && asked !== "auto" && Number(asked) > 0 && Number(asked) <= 1 ? Number(asked) : null;
  if (asked !== null && asked !== "auto" && fixed === null) {
    setTimeout(() => notice(`?scale=${asked}: a share of the device's pixels above 0 and at most 1, or auto`), 0);
  }
  let scale = fixed || 1;
  let ceiling = 1.01; // the share last found too slow: never tried again
  let frames = 0;
  let since = null;
  let measured = null;
  let spare = 0; // measurements in a row with room to spare

  function apply(next) {
    scale = Math.round(next * 100) / 100;
    window.dispatchEvent(new Event("resize"));
  }

  function measure(now) {
    measured = (frames * 1000) / (now - since);
    frames = 0;
    since = now;
    if (fixed !== null) return;
    if (measured < slowBelow && scale > smallest) {
      ceiling = scale;
      spare = 0;
      apply(Math.max(smallest, scale * step));
    } else if (measured > roomAbove && scale / step < ceiling) {
      spare += 1;
      if (spare >= 2) {
        spare = 0;
        apply(Math.min(1, scale / step));
      }
    } else {
      spare = 0;
    }
  }

  return {
    scale: () => scale,
    framesPerSecond: () => measured,
    afterFrame() {
      const now = performance.now();
      if (Player.paused() || document.hidden || since === null) {
        since = now;
        frames = 0;
        return;
      }
      frames += 1;
      if (now - since >= measureFor) measure(now);
    },
    // A pause or a seek: the frames around it say nothing of the pace.
    stateChanged() {
      since = null;
    },
  };
})();
