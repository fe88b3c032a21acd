"""Headless Chromium driven through the DevTools protocol over a pipe (no WebSocket
library needed): open a page, evaluate script in it, click, press keys, answer its dialogs,
take screenshots, record its requests and let it download.

Chromium reads commands from descriptor 3 and answers on descriptor 4, each message a
JSON object ended by a NUL byte."""

import base64
import collections
import json
import os
import shutil
import subprocess
import tempfile
import time


class PageError(Exception):
    pass


class Chromium:
    # Offline and quiet: no first-run, sync, update or background connections, which a
    # closed network would refuse anyway; SwiftShader gives WebGL 2 without a GPU.
    FLAGS = [
        "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--disable-default-apps", "--disable-extensions", "--mute-audio",
        "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
        "--autoplay-policy=no-user-gesture-required",
        "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
        "--disable-backgrounding-occluded-windows", "--remote-debugging-pipe",
    ]

    def __init__(self, width=800, height=600, binary="/usr/bin/chromium"):
        self.profile = tempfile.mkdtemp(prefix="tarvel-chromium-")
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        # Chromium expects the pipe at descriptors 3 and 4 exactly.
        def place_pipes():
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)
        self.process = subprocess.Popen(
            [binary, *self.FLAGS, f"--user-data-dir={self.profile}",
             f"--window-size={width},{height}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=place_pipes, pass_fds=(3, 4))
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._buffer = b""
        self._next_id = 0
        self.session = None
        self.console = []  # the page's console lines, as they arrived
        self.requests = []  # the URLs the page asked for, once Network is enabled
        self.dialogs = []  # the page's alert, confirm and prompt texts
        # Answers to the page's prompts, in order (None cancels); a confirm is accepted.
        self.prompt_answers = collections.deque()

    def close(self):
        try:
            self.send("Browser.close", session=False)
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _read_message(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                raise PageError("chromium closed its end of the pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def _write(self, method, params, session):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        return self._next_id

    # A dialog holds the page until it is answered: answered at once, without waiting.
    def _answer_dialog(self, params, session):
        self.dialogs.append(params.get("message", ""))
        answer = {"accept": True}
        if params.get("type") == "prompt":
            text = self.prompt_answers.popleft() if self.prompt_answers else None
            answer = {"accept": text is not None, "promptText": text or ""}
        self._write("Page.handleJavaScriptDialog", answer, session)

    def send(self, method, params=None, session=True):
        own_id = self._write(method, params, self.session if session else None)
        while True:
            reply = self._read_message()
            if reply.get("method") == "Page.javascriptDialogOpening":
                self._answer_dialog(reply["params"], reply.get("sessionId"))
            if reply.get("method") == "Network.requestWillBeSent":
                self.requests.append(reply["params"]["request"]["url"])
            if reply.get("method") == "Runtime.consoleAPICalled":
                args = reply["params"].get("args", [])
                self.console.append(" ".join(str(a.get("value", a.get("description", "")))
                                             for a in args))
            if reply.get("method") == "Log.entryAdded":
                self.console.append(reply["params"]["entry"].get("text", ""))
            if reply.get("id") == own_id:
                if "error" in reply:
                    raise PageError(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def open(self, url, width, height, record_requests=False):
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)
        attached = self.send("Target.attachToTarget",
                             {"targetId": target["targetId"], "flatten": True}, session=False)
        self.session = attached["sessionId"]
        self.target = target["targetId"]
        self.send("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
        self.send("Page.enable")
        self.send("Runtime.enable")
        self.send("Log.enable")
        if record_requests:
            self.send("Network.enable")
        self.send("Page.navigate", {"url": url})

    def close_page(self):
        """Closes the page opened last, as a visitor closes a tab."""
        self.session = None
        self.send("Target.closeTarget", {"targetId": self.target}, session=False)

    def allow_downloads(self, directory):
        self.send("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": directory},
                  session=False)

    def key(self, key_code, key, code=None):
        """Presses and releases a key, by its Windows key code and DOM key name."""
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "windowsVirtualKeyCode": key_code,
                                                 "key": key, "code": code or key})

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise PageError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout, what):
        """Polls until `expression` is truthy; the limit only ends a page that hangs."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            try:
                value = self.evaluate(expression)
            except PageError:
                value = None
            if value:
                return value
            time.sleep(0.25)
        raise PageError(f"timed out after {timeout} s waiting for {what}")

    def click(self, selector, across=0.5):
        """Clicks the element, at `across` of its width (the middle by default)."""
        box = self.evaluate(
            f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
            f".getBoundingClientRect(); return [r.x + r.width * {across}, r.y + r.height / 2]; }})()")
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": box[0], "y": box[1],
                                                   "button": "left", "clickCount": 1})

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as file:
            file.write(base64.b64decode(data))
