# kiro-remote run headless on simulated receivers, serving the web remote on a free port of
# loopback; its events read as they come, with the time each arrived.

import json
import re
import subprocess
import tempfile
import threading
import time

CONNECT = ('receiver add Kiro-7\nwait 1200\ntap search\nwait 100\nselect 0\nwait 300\n'
           'tap back\nwait 100\nstate\n')


class WebApp:
    def __init__(self, app, *extra, connect=True):
        self.folder = tempfile.TemporaryDirectory()
        self.errors = tempfile.NamedTemporaryFile('w+', dir=self.folder.name, delete=False)
        self.process = subprocess.Popen(
            [app, '--headless', '--simulate', '--verbose', '--web', '127.0.0.1:0',
             '--settings', self.folder.name + '/s.ini', '--documents', self.folder.name, *extra],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self.errors, text=True)
        self.events = []  # (monotonic seconds, event)
        self.lines = []
        threading.Thread(target=self.read_events, daemon=True).start()
        self.pairing_url = self.wait_for_pairing()
        self.base = self.pairing_url.split('/pair?')[0]
        self.secret = self.pairing_url.split('secret=')[1]
        if connect:
            self.send(CONNECT)
            self.until(lambda: self.seen('state'))

    def wait_for_pairing(self):
        end = time.monotonic() + 20
        while time.monotonic() < end:
            found = re.search(r'open (https?://\S+/pair\?secret=[0-9a-f]+)', self.stderr())
            if found:
                return found.group(1)
            time.sleep(0.02)
        raise AssertionError('no pairing URL on stderr: ' + self.stderr())

    def stderr(self):
        with open(self.errors.name) as f:
            return f.read()

    def read_events(self):
        for line in self.process.stdout:
            self.lines.append(line)
            self.events.append((time.monotonic(), json.loads(line)))

    def send(self, text):
        self.process.stdin.write(text)
        self.process.stdin.flush()

    def seen(self, name, after=0.0, **fields):
        return next((t for t, e in list(self.events)
                     if t >= after and e['event'] == name and all(e.get(k) == v for k, v in fields.items())), None)

    def writes(self, after=0.0):
        return [(t, e['bytes']) for t, e in list(self.events) if t >= after and e['event'] == 'write']

    def until(self, done, seconds=5.0):
        end = time.monotonic() + seconds
        while not done():
            if time.monotonic() > end:
                raise AssertionError('timed out')
            time.sleep(0.005)

    def close(self):
        self.process.stdin.close()
        self.process.terminate()
        status = self.process.wait(20)
        self.folder.cleanup()
        return status
