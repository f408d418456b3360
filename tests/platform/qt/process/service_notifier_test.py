# systemd's side of a rig, played by this test: a datagram socket as NOTIFY_SOCKET and a small
# watchdog interval; kiro-remote serving the web remote headless on simulated receivers, its
# standard input at its end from the start, as under systemd.
# Usage: dbus-run-session -- service_notifier_test.py KIRO_REMOTE

import os
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

APP = sys.argv.pop(1)
WATCHDOG = 0.2  # s: pings every 0.1 s


class ServiceNotifierTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.address = os.path.join(self.folder.name, 'notify')
        systemd = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        self.addCleanup(systemd.close)
        systemd.bind(self.address)
        self.told = []  # (monotonic seconds, state)

        def receive():
            while True:
                try:
                    self.told.append((time.monotonic(), systemd.recv(4096).decode()))
                except OSError:
                    return

        threading.Thread(target=receive, daemon=True).start()

    def start(self, **watchdog):
        environment = {k: v for k, v in os.environ.items() if not k.startswith('WATCHDOG_')}
        environment.update(NOTIFY_SOCKET=self.address, **watchdog)
        app = subprocess.Popen([APP, '--headless', '--simulate', '--web', '127.0.0.1:0', '--settings',
                                self.folder.name + '/s.ini', '--documents', self.folder.name],
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, env=environment)
        self.addCleanup(lambda: app.poll() is None and app.kill())
        end = time.monotonic() + 10
        while not any(s == 'READY=1' for _, s in self.told):
            self.assertLess(time.monotonic(), end, 'no READY=1')
            time.sleep(0.01)
        return app

    def test_ready_then_pings_that_stop_while_the_loop_does_until_sigterm_ends_the_run(self):
        app = self.start(WATCHDOG_USEC=str(int(WATCHDOG * 1e6)))
        told = self.told
        pings = lambda since, until=float('inf'): [t for t, s in list(told) if s == 'WATCHDOG=1' and since < t < until]
        time.sleep(1.0)
        self.assertIsNone(app.poll(), 'the end of standard input ended the rig')
        self.assertGreaterEqual(len(pings(time.monotonic() - 1.0)), 6)

        app.send_signal(signal.SIGSTOP)
        stopped = time.monotonic()
        time.sleep(8 * WATCHDOG)
        resumed = time.monotonic()
        app.send_signal(signal.SIGCONT)
        # A ping sent just before the stop may be read just after it.
        self.assertEqual(pings(stopped + 0.05, resumed), [])
        time.sleep(5 * WATCHDOG)
        self.assertGreaterEqual(len(pings(resumed)), 5)

        app.send_signal(signal.SIGTERM)
        self.assertEqual(app.wait(5), 0)
        self.assertEqual([s for _, s in told if s != 'WATCHDOG=1'], ['READY=1'])

    def test_without_a_watchdog_nothing_follows_ready(self):
        app = self.start()
        time.sleep(0.5)
        app.send_signal(signal.SIGTERM)
        self.assertEqual(app.wait(5), 0)
        self.assertEqual([s for _, s in self.told], ['READY=1'])


if __name__ == '__main__':
    unittest.main()
