// Notices over the show: each message once, grouped by the file it names (a list's skipped
// rows, a missing picture and the alert about it come as one notice), a repeat counted
// instead of shown again, each dismissable and fading after a while; a notice that the show
// has stopped stays.
"use strict";

const Notices = (() => {
  const shownFor = 8000; // ms a notice stays after its last line, unless pointed at
  const fadeFor = 1500; // ms of fading, as page.css has it
  const mostGroups = 5;
  const groups = new Map(); // key: {element, lines: Map(text -> {element, count}), timer}
  const seen = []; // every distinct line, in order (for the page's status)
  let repeats = 0;

  // "vintra/flash/flash.txt:4: row skipped …" is about vintra/flash/flash.txt; so is
  // "ERROR! Failed to load ./vintra/flash.jpg !". Otherwise the line is its own subject.
  function subjectOf(text) {
    const leading = /^([^\s:]+\.[A-Za-z0-9]+)(?::\d+)?: /.exec(text);
    const anywhere = /((?:\.\/)?[\w.-]+(?:\/[\w.-]+)+\.[A-Za-z0-9]+)/.exec(text);
    const found = leading ? leading[1] : anywhere ? anywhere[1] : null;
    if (!found) return { key: text, title: null };
    const title = found.replace(/^\.\//, "");
    return { key: title.toLowerCase(), title };
  }

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function remove(key) {
    const group = groups.get(key);
    if (!group) return;
    clearTimeout(group.timer);
    group.element.remove();
    groups.delete(key);
  }

  function scheduleFade(key) {
    const group = groups.get(key);
    clearTimeout(group.timer);
    group.element.classList.remove("fading");
    if (group.stays) return;
    group.timer = setTimeout(() => {
      if (group.element.matches(":hover")) {
        scheduleFade(key);
        return;
      }
      group.element.classList.add("fading");
      group.timer = setTimeout(() => remove(key), fadeFor);
    }, shownFor);
  }

  function makeGroup(key, title, stays) {
    const box = element("div", "notice" + (stays ? " stays" : ""));
    const close = element("button", "close", "\u00d7");
    close.title = "Dismiss";
    close.addEventListener("click", () => remove(key));
    box.appendChild(close);
    if (title) box.appendChild(element("div", "subject", title));
    const list = element("ul");
    box.appendChild(list);
    document.getElementById("notices").appendChild(box);
    const group = { element: box, list, lines: new Map(), timer: null, stays };
    groups.set(key, group);
    while (groups.size > mostGroups) {
      const oldest = [...groups.keys()].find((k) => !groups.get(k).stays);
      if (oldest === undefined) break;
      remove(oldest);
    }
    return group;
  }

  // `stays`: the show has stopped; the notice is not dismissed by time.
  function add(text, stays = false) {
    if (!seen.includes(text)) seen.push(text);
    const { key, title } = subjectOf(text);
    const group = groups.get(key) || makeGroup(key, title, stays);
    if (stays && !group.stays) {
      group.stays = true;
      group.element.classList.add("stays");
    }
    const shown = group.lines.get(text);
    if (shown) {
      repeats += 1;
      shown.count += 1;
      shown.times.textContent = ` \u00d7${shown.count}`;
    } else {
      const line = element("li", null, title && text.startsWith(title) ? text.slice(title.length).replace(/^:\s*/, "") : text);
      const times = element("span", "times");
      line.appendChild(times);
      group.list.appendChild(line);
      group.lines.set(text, { element: line, count: 1, times });
    }
    scheduleFade(key);
  }

  // The show has stopped: what was said just before (its reason, often) stays with it.
  function keepAll() {
    for (const [key, group] of groups) {
      group.stays = true;
      group.element.classList.remove("fading");
      scheduleFade(key);
    }
  }

  return {
    add,
    keepAll,
    // Every distinct line so far, and how many notices the page shows now.
    lines: () => seen.slice(),
    shownCount: () => groups.size,
    repeats: () => repeats,
  };
})();
