# The web remote's door and socket, spoken to as a hostile client would, and as the page does.
# Usage: web_remote_test.py KIRO_REMOTE

import http.client
import json
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

import websocket

from web_app import WebApp

APP = sys.argv.pop(1)


class WebRemoteTest(unittest.TestCase):
    def setUp(self):
        self.app = WebApp(APP)
        parsed = urllib.parse.urlparse(self.app.base)
        self.host, self.port = parsed.hostname, parsed.port
        self.cookie = self.pair()

    def tearDown(self):
        self.app.close()

    def get(self, path, headers=None):
        connection = http.client.HTTPConnection(self.host, self.port, timeout=5)
        connection.request('GET', path, headers=headers or {})
        response = connection.getresponse()
        body = response.read()
        connection.close()
        return response, body

    def pair(self):
        response, _ = self.get('/pair?secret=' + self.app.secret)
        self.assertEqual(response.status, 303)
        self.assertEqual(response.getheader('Location'), '/')
        cookie = response.getheader('Set-Cookie')
        for attribute in ('HttpOnly', 'SameSite=Strict', 'Path=/'):
            self.assertIn(attribute, cookie)
        return cookie.split(';')[0]

    def socket(self, cookie=None, origin=None):
        return websocket.create_connection(
            'ws://%s:%d/socket' % (self.host, self.port), timeout=5,
            cookie=cookie or self.cookie, origin=origin or self.app.base.rstrip('/'))

    def state(self, socket, wanted=lambda state: True):
        while True:
            message = json.loads(socket.recv())
            if message['type'] == 'state' and wanted(message):
                return message

    def test_without_pairing_nothing_is_served_and_nothing_changes(self):
        before = len(self.app.writes())
        for path in ('/', '/remote.js', '/socket', '/pair', '/pair?secret=' + '0' * 64):
            self.assertEqual(self.get(path)[0].status, 403, path)
        self.assertEqual(self.get('/', {'Cookie': 'kiro_pairing=' + '0' * 64})[0].status, 403)
        with self.assertRaises(websocket.WebSocketBadStatusException) as refused:
            self.socket(cookie='kiro_pairing=nope')
        self.assertEqual(refused.exception.status_code, 403)
        # A rebinding DNS name, and a page elsewhere using a paired browser.
        self.assertEqual(self.get('/', {'Cookie': self.cookie, 'Host': 'evil.example:%d' % self.port})[0].status, 403)
        with self.assertRaises(websocket.WebSocketBadStatusException) as foreign:
            self.socket(origin='http://evil.example')
        self.assertEqual(foreign.exception.status_code, 403)
        time.sleep(0.2)
        self.assertEqual(self.app.writes()[before:], [])
        # Paired, the page is there; wrong secrets soon stop being tried at all.
        self.assertEqual(self.get('/', {'Cookie': self.cookie})[0].status, 200)
        statuses = [self.get('/pair?secret=' + 'f' * 64)[0].status for _ in range(4)]
        self.assertEqual(statuses, [403] * 3 + [429])  # two wrong ones above
        self.assertEqual(self.get('/pair?secret=' + self.app.secret)[0].status, 429)

    def test_the_secret_is_on_stderr_once_and_never_in_events_or_the_log(self):
        socket = self.socket()
        self.state(socket)
        socket.send(json.dumps({'do': 'focus', 'on': True}))
        self.app.until(lambda: self.app.seen('remote'))
        socket.close()
        self.assertEqual(self.app.stderr().count(self.app.secret), 1)
        self.assertNotIn(self.app.secret, ''.join(self.app.lines))
        self.assertNotIn(self.cookie.split('=')[1], self.app.stderr() + ''.join(self.app.lines))

    def test_the_shutter_is_held_only_while_heartbeats_come(self):
        socket = self.socket()
        self.state(socket)
        pressed = time.monotonic()
        socket.send(json.dumps({'do': 'press'}))
        self.app.until(lambda: ('30' in [b for _, b in self.app.writes(pressed)]))
        self.assertEqual(self.app.seen('remote', method='press')is not None, True)
        # No heartbeat from now: the app lets go after 500 ms.
        silent = time.monotonic()
        self.app.until(lambda: self.app.seen('write', after=silent, bytes='40'), 2)
        let_go = self.app.seen('write', after=silent, bytes='40')
        self.assertGreater(let_go - silent, 0.4)
        self.assertLess(let_go - silent, 0.8)
        # A press kept alive by heartbeats stays held until the page lets go.
        start = time.monotonic()
        socket.send(json.dumps({'do': 'press'}))
        while time.monotonic() - start < 1.2:
            socket.send(json.dumps({'do': 'hold'}))
            time.sleep(0.1)
        self.assertIsNone(self.app.seen('write', after=start + 0.2, bytes='40'))
        socket.send(json.dumps({'do': 'release'}))
        self.app.until(lambda: self.app.seen('write', after=start, bytes='40'), 1)
        # A socket closed mid-hold lets go.
        closed = time.monotonic()
        socket.send(json.dumps({'do': 'press'}))
        socket.send(json.dumps({'do': 'hold'}))
        time.sleep(0.1)
        socket.close()
        self.app.until(lambda: self.app.seen('write', after=closed + 0.05, bytes='40'), 1)

    def test_a_browser_told_a_change_leaves_the_app_idle(self):
        socket = self.socket()
        socket.send(json.dumps({'do': 'focus', 'on': True}))
        self.state(socket, lambda state: state['focus'])
        before = self.processor_time()
        time.sleep(1.0)
        # Its frames and events cost a little; a loop that spun would take the whole second.
        self.assertLess(self.processor_time() - before, 0.3)

    def processor_time(self):
        with open('/proc/%d/stat' % self.app.process.pid) as stat:
            fields = stat.read().rsplit(')', 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')  # user and system

    def test_a_browser_that_stops_reading_is_closed_and_lets_go(self):
        stalled = websocket.create_connection(
            'ws://%s:%d/socket' % (self.host, self.port), timeout=5, cookie=self.cookie,
            origin=self.app.base.rstrip('/'), sockopt=((socket.SOL_SOCKET, socket.SO_RCVBUF, 4096),))
        busy = self.socket()
        self.state(busy)
        pressed = time.monotonic()
        stalled.send(json.dumps({'do': 'press'}))
        self.app.until(lambda: '30' in [b for _, b in self.app.writes(pressed)])
        # It keeps holding R but reads nothing while another browser's changes pile up for it,
        # until the app closes it.
        on = False
        with self.assertRaises(OSError):
            while time.monotonic() - pressed < 30:
                stalled.send(json.dumps({'do': 'hold'}))
                on = not on
                busy.send(json.dumps({'do': 'focus', 'on': on}))
                self.state(busy, lambda state: state['focus'] == on)
        closed = time.monotonic()
        # Focus keeps the pump writing, so that a shutter still held would show.
        busy.send(json.dumps({'do': 'focus', 'on': True}))
        self.app.until(lambda: self.app.writes(closed + 0.2))
        self.assertNotIn('30', [b for _, b in self.app.writes(closed + 0.2)])

    def test_a_bad_message_closes_only_its_own_socket(self):
        good = self.socket()
        self.state(good)
        for bad in ('{"do": "press"', '[1, 2]', '{"do": "explode"}', '{"do": "focus"}' + ' ' * 5000):
            socket = self.socket()
            self.state(socket)
            socket.send(bad)
            with self.assertRaises((websocket.WebSocketConnectionClosedException, ConnectionError)):
                while True:
                    if socket.recv() == '':
                        raise websocket.WebSocketConnectionClosedException()
        good.send(json.dumps({'do': 'focus', 'on': True}))
        self.state(good, lambda state: state['focus'])
        # A request too big for the door is cut before it is read whole.
        connection = http.client.HTTPConnection(self.host, self.port, timeout=5)
        with self.assertRaises((ConnectionError, http.client.HTTPException)):
            connection.request('GET', '/', headers={'Cookie': self.cookie, 'X-Pad': 'x' * 65536})
            connection.getresponse().read()

    def test_a_renewed_secret_closes_every_paired_socket_and_lets_go_what_it_held(self):
        holder, watcher = self.socket(), self.socket()
        self.state(holder)
        self.state(watcher)
        pressed = time.monotonic()
        holder.send(json.dumps({'do': 'press'}))
        self.app.until(lambda: '30' in [b for _, b in self.app.writes(pressed)])
        self.app.send('tap help\nwait 100\ntap web\nwait 100\ntap renew\ndismiss\ntap renew\n')
        self.app.until(lambda: self.app.seen('write', after=pressed, bytes='40'), 2)
        for socket in (holder, watcher):
            with self.assertRaises((websocket.WebSocketConnectionClosedException, ConnectionError)):
                while socket.recv() != '':
                    socket.send(json.dumps({'do': 'hold'}))
                raise websocket.WebSocketConnectionClosedException()
        self.assertEqual(self.get('/', {'Cookie': self.cookie})[0].status, 403)
        # Headless, the new URL is said as the old one was, once.
        self.app.until(lambda: self.app.stderr().count('/pair?secret=') == 2)
        renewed = self.app.stderr().split('/pair?secret=')[2].split()[0]
        self.assertEqual(self.get('/pair?secret=' + renewed)[0].status, 303)

    def test_a_port_taken_is_said_and_the_run_goes_on(self):
        other = subprocess.Popen([APP, '--headless', '--simulate', '--web', '127.0.0.1:%d' % self.port,
                                  '--settings', self.app.folder.name + '/other.ini'],
                                 stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        other.stdin.write('state\n')
        other.stdin.flush()
        self.assertTrue(any('"event":"state"' in line for line in iter(other.stdout.readline, '')))
        other.terminate()
        self.assertIn('the web remote cannot listen on 127.0.0.1:%d: ' % self.port, other.communicate(timeout=30)[1])

    def test_refusals_are_told_to_the_page(self):
        socket = self.socket()
        self.state(socket)
        socket.send(json.dumps({'do': 'timer', 'preset': 'no such preset'}))
        refused = json.loads(socket.recv())
        while refused['type'] != 'refused':
            refused = json.loads(socket.recv())
        self.assertEqual(refused['kind'], 'InvalidPlan')


class HttpsTest(unittest.TestCase):
    def test_with_a_certificate_it_serves_https_and_its_cookie_goes_only_over_it(self):
        folder = tempfile.TemporaryDirectory()
        cert, key = folder.name + '/c.pem', folder.name + '/k.pem'
        subprocess.run(['openssl', 'req', '-x509', '-newkey', 'ec', '-pkeyopt', 'ec_paramgen_curve:prime256v1',
                        '-nodes', '-keyout', key, '-out', cert, '-subj', '/CN=127.0.0.1', '-days', '1'],
                       check=True, capture_output=True)
        app = WebApp(APP, '--web-cert', cert, '--web-key', key, connect=False)
        try:
            self.assertTrue(app.pairing_url.startswith('https://'), app.pairing_url)
            parsed = urllib.parse.urlparse(app.base)
            context = ssl.create_default_context(cafile=cert)
            context.check_hostname = False
            # Connections that leave before their handshake give their places back.
            for _ in range(70):
                socket.create_connection((parsed.hostname, parsed.port), timeout=5).close()
            end = time.monotonic() + 10
            while True:
                try:
                    connection = http.client.HTTPSConnection(parsed.hostname, parsed.port, context=context, timeout=5)
                    connection.request('GET', '/pair?secret=' + app.secret)
                    response = connection.getresponse()
                    break
                except OSError:
                    self.assertLess(time.monotonic(), end, 'connections gone still hold their places')
                    time.sleep(0.1)
            response.read()
            self.assertEqual(response.status, 303)
            self.assertIn('; Secure', response.getheader('Set-Cookie'))
        finally:
            app.close()
        # A key that is not one is refused before anything listens.
        with open(key, 'w') as broken:
            broken.write('not a key\n')
        refused = subprocess.run([APP, '--headless', '--simulate', '--web', '0', '--web-cert', cert, '--web-key', key],
                                 stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
        self.assertEqual(refused.returncode, 2)
        self.assertIn('--web-key ' + key + ': no PEM private key', refused.stderr)
        folder.cleanup()


if __name__ == '__main__':
    unittest.main()
