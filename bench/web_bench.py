#!/usr/bin/env python3
"""The web remote beside the window: a touch on the page's R to the first 0x30 write, and the
pump with five browsers connected beside none.

Presses alternate between a touch on R in a headless Chromium's phone-sized page (timed from
the page's own pointerdown) and the R key pressed in the window through XTest (timed from
the moment it is sent), so both meet the same load; each ends at the `write` event that
carries the shutter. The pump's
p99 is that of |gap - 25 ms| over 10 s of R held, with five paired sockets reading every
state the app tells them, and with none, one after the other in the same run."""

import argparse
import ctypes
import json
import os
import re
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request
from pathlib import Path

import websocket
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

sys.path.insert(0, str(Path(__file__).parent))
from app_bench import start_xvfb, deviations_p99  # noqa: E402

DEFAULT_APP = Path(__file__).resolve().parent.parent / "build/release/kiro-remote"
CONNECT = ["receiver add Kiro-7", "wait 1200", "tap search", "wait 100", "select 0", "wait 300", "tap back",
           "wait 100", "state"]


class XTest:
    """Keys pressed as a keyboard does, without a process started for each."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.dpy = ctypes.c_void_p(self.x11.XOpenDisplay(f":{display}".encode()))
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.keycode = self.x11.XKeysymToKeycode(self.dpy, self.x11.XStringToKeysym(b"r"))
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, 150, 300, 0)
        self.x11.XFlush(self.dpy)

    def key(self, down):
        self.xtst.XTestFakeKeyEvent(self.dpy, self.keycode, bool(down), 0)
        self.x11.XFlush(self.dpy)


class App:
    def __init__(self, app, display, tmp):
        script = Path(tmp) / "run.kiro"
        script.write_text("\n".join(CONNECT + ["wait 100000000"]) + "\n")
        env = dict(os.environ, DISPLAY=f":{display}")
        env.pop("QT_QPA_PLATFORM", None)
        self.errors = open(Path(tmp) / "stderr", "w+")
        with socket.socket() as probe:  # a free port: the window run does not say its URL
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        self.popen = subprocess.Popen([app, "--simulate", "--web", f"127.0.0.1:{port}", "--settings", f"{tmp}/s.ini",
                                       "--documents", tmp, "--script", str(script)],
                                      env=env, stdout=subprocess.PIPE, stderr=self.errors, text=True)
        self.events = []
        threading.Thread(target=self.read, daemon=True).start()
        self.until(lambda: any(e["event"] == "state" for _, e in self.events), 30)
        secret = re.search(r"webSecret=([0-9a-f]+)", (Path(tmp) / "s.ini").read_text()).group(1)
        self.pairing = f"http://127.0.0.1:{port}/pair?secret={secret}"

    def read(self):
        for line in self.popen.stdout:
            self.events.append((time.monotonic(), json.loads(line)))

    def until(self, done, seconds=5.0):
        end = time.monotonic() + seconds
        while not done():
            if time.monotonic() > end:
                raise RuntimeError("timed out")
            time.sleep(0.001)

    def first_shot(self, after):
        """The first write carrying the shutter after the moment given."""
        return next((t for t, e in list(self.events)
                     if t >= after and e["event"] == "write" and int(e["bytes"], 16) & 0x30 == 0x30), None)

    def writes(self, start, end):
        return [t for t, e in list(self.events) if start <= t <= end and e["event"] == "write"]

    def stop(self):
        self.popen.terminate()
        self.popen.wait(10)


def paired_socket(pairing):
    with urllib.request.build_opener(NoRedirect).open(pairing) as answer:
        cookie = answer.headers["Set-Cookie"].split(";")[0]
    base = pairing.split("/pair?")[0]
    parsed = urllib.parse.urlparse(base)
    return websocket.create_connection(f"ws://{parsed.netloc}/socket", cookie=cookie, origin=base)


class NoRedirect(urllib.request.HTTPRedirectHandler):
    def redirect_request(self, *args):
        return None

    def http_error_303(self, req, fp, code, msg, headers):
        return fp


def p99(values):
    return sorted(values)[max(0, int(len(values) * 0.99) - 1)]


def phone_page(pairing, profile):
    """A headless Chromium on a phone-sized page, paired; each touch on R stamped by the page."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + profile):
        options.add_argument(argument)
    options.add_experimental_option("mobileEmulation", {"deviceMetrics": {"width": 360, "height": 740, "pixelRatio": 2}})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.get(pairing)
    while not driver.execute_script('return document.getElementById("status").textContent.startsWith("Connected")'):
        time.sleep(0.05)
    driver.execute_script('document.getElementById("shutter").addEventListener("pointerdown",'
                          ' () => { window.downAt = performance.timeOrigin + performance.now(); }, true);')
    return driver


def touch(driver, kind):
    box = driver.execute_script('const b = document.getElementById("shutter").getBoundingClientRect();'
                                'return [b.left + b.width / 2, b.top + b.height / 2];')
    points = [{"x": box[0], "y": box[1]}] if kind == "touchStart" else []
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})


def latencies(app, keys, presses, profile):
    page = phone_page(app.pairing, profile)
    wall = time.time() - time.monotonic()
    web, key = [], []
    try:
        for _ in range(presses):
            before = time.monotonic()
            touch(page, "touchStart")
            app.until(lambda: app.first_shot(before) is not None, 3)
            down = page.execute_script("return window.downAt") / 1000 - wall
            web.append(app.first_shot(before) - down)
            time.sleep(0.1)
            touch(page, "touchEnd")
            time.sleep(1.2)  # past the release notice: the frame idle again
            sent = time.monotonic()
            keys.key(True)
            app.until(lambda: app.first_shot(sent) is not None, 3)
            key.append(app.first_shot(sent) - sent)
            time.sleep(0.1)
            keys.key(False)
            time.sleep(1.2)
    finally:
        page.quit()
    return p99(web), p99(key)


def drain(client):
    """Reads every state the app tells, as a page does, until the socket closes."""
    try:
        while client.recv():
            pass
    except (websocket.WebSocketException, OSError):
        pass


def pump(app, sockets):
    readers = [paired_socket(app.pairing) for _ in range(sockets)]
    for reader in readers:
        threading.Thread(target=drain, args=(reader,), daemon=True).start()
    holder = paired_socket(app.pairing)
    start = time.monotonic()
    holder.send('{"do":"press"}')
    while time.monotonic() - start < 10:
        holder.send('{"do":"hold"}')
        time.sleep(0.1)
    holder.send('{"do":"release"}')
    figure = deviations_p99([int(t * 1e9) for t in app.writes(start + 0.2, start + 10)])  # ms
    time.sleep(1.5)
    for client in readers + [holder]:
        client.close()
    return figure


def spread(values):
    return f"{min(values):.2f} / {statistics.median(values):.2f} / {max(values):.2f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", type=Path, default=DEFAULT_APP)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--presses", type=int, default=100)
    args = parser.parse_args()
    display, xvfb = start_xvfb()
    touch, pumped = [], []
    try:
        for run in range(args.runs):
            with tempfile.TemporaryDirectory() as tmp:
                app = App(str(args.app), display, tmp)
                try:
                    web, key = latencies(app, XTest(display), args.presses, tmp + "/chromium")
                    none, five = pump(app, 0), pump(app, 5)
                finally:
                    app.stop()
            touch.append(web / key)
            pumped.append(five / none)
            print(f"run {run + 1}: press p99 web {web * 1000:.1f} ms, key {key * 1000:.1f} ms; "
                  f"pump p99 none {none:.2f} ms, five {five:.2f} ms", file=sys.stderr)
    finally:
        xvfb.kill()
    print("| figure | ratio, min / median / max |\n|---|---|")
    print(f"| page's R to the first 0x30 write, p99, over the R key's | {spread(touch)} |")
    print(f"| pump p99 with five browsers, over none | {spread(pumped)} |")


if __name__ == "__main__":
    main()
