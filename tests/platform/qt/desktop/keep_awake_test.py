# The phone kept awake while a shot is under way, on private buses: python3-dbusmock's
# logind and a fake desktop portal, kiro-remote headless on simulated receivers.
# Usage: keep_awake_test.py KIRO_REMOTE

import json
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import dbus
import dbusmock

APP = sys.argv.pop(1)
CONNECT = ('receiver add Kiro-7\nwait 1200\ntap search\nwait 100\nselect 0\nwait 300\n'
           'tap back\nwait 100\nstate\n')
# Each request the portal hands out, with a Close the test can see called.
PORTAL_INHIBIT = ("ret = dbus.ObjectPath('/org/freedesktop/portal/desktop/request/kiro/r%d' % len(self.call_log))\n"
                  "self.AddObject(ret, 'org.freedesktop.portal.Request', {}, [('Close', '', '', '')])")


class KeepAwakeTest(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()

    def setUp(self):
        self.logind, self.logind_mock = self.spawn_server_template('logind', {}, stdout=subprocess.DEVNULL)
        self.portal = self.spawn_server('org.freedesktop.portal.Desktop', '/org/freedesktop/portal/desktop',
                                        'org.freedesktop.portal.Inhibit', stdout=subprocess.DEVNULL)
        self.portal_mock = self.mock('org.freedesktop.portal.Desktop', '/org/freedesktop/portal/desktop', False)
        self.portal_mock.AddMethod('', 'Inhibit', 'sua{sv}', 'o', PORTAL_INHIBIT)
        self.folder = tempfile.TemporaryDirectory()
        self.errors = tempfile.TemporaryFile('w+')
        self.app = subprocess.Popen([APP, '--headless', '--simulate', '--settings', self.folder.name + '/s.ini',
                                     '--documents', self.folder.name], stdin=subprocess.PIPE,
                                    stdout=subprocess.PIPE, stderr=self.errors, text=True)
        self.events = []  # (monotonic seconds, event)
        threading.Thread(target=self.read_events, daemon=True).start()
        self.send(CONNECT)
        self.until(lambda: self.seen('state'))

    def tearDown(self):
        self.app.stdin.close()
        self.assertEqual(self.app.wait(10), 0)
        for server in (self.logind, self.portal):
            server.terminate()
            server.wait()
        self.folder.cleanup()
        self.errors.close()

    def mock(self, name, path, system):
        bus = self.get_dbus(system)
        return dbus.Interface(bus.get_object(name, path), dbusmock.MOCK_IFACE)

    def read_events(self):
        for line in self.app.stdout:
            self.events.append((time.monotonic(), json.loads(line)))

    def send(self, text):
        self.app.stdin.write(text)
        self.app.stdin.flush()

    def seen(self, name, **fields):
        return next((t for t, e in list(self.events)
                     if e['event'] == name and all(e.get(k) == v for k, v in fields.items())), None)

    def until(self, done, seconds=5.0):
        end = time.monotonic() + seconds
        while not done():
            self.assertLess(time.monotonic(), end, 'timed out')
            time.sleep(0.01)

    def sleep_inhibitors(self):
        manager = self.get_dbus(True).get_object('org.freedesktop.login1', '/org/freedesktop/login1')
        return [(str(i[0]), str(i[3])) for i in manager.ListInhibitors(dbus_interface='org.freedesktop.login1.Manager')]

    def idle_requests(self):
        return [c for c in self.portal_mock.GetCalls() if c[1] == 'Inhibit']

    def closed(self, count):
        # Whether the count-th request (from 1) was closed.
        path = '/org/freedesktop/portal/desktop/request/kiro/r%d' % count
        return any(c[1] == 'Close' for c in self.mock('org.freedesktop.portal.Desktop', path, False).GetCalls())

    def test_r_held_and_a_sequence_keep_it_awake_until_they_end(self):
        for start, stop in (('press R\n', 'release R\n'), ('timer interval 5s forever\n', 'timer stop\n')):
            before = len(self.idle_requests())
            self.send(start)
            self.until(lambda: self.sleep_inhibitors() == [('sleep', 'delay')])
            self.until(lambda: len(self.idle_requests()) == before + 1)
            self.assertEqual(self.idle_requests()[-1][2][1], 12)  # idle and suspend
            self.send(stop)
            self.until(lambda: self.sleep_inhibitors() == [], 2.5)
            self.until(lambda: self.closed(before + 1), 1.0)

    def test_without_the_portal_the_screen_saver_is_inhibited_each_time_and_let_go_by_its_cookie(self):
        self.portal.terminate()
        self.portal.wait()
        saver = self.spawn_server('org.freedesktop.ScreenSaver', '/org/freedesktop/ScreenSaver',
                                  'org.freedesktop.ScreenSaver', stdout=subprocess.DEVNULL)
        saver_mock = self.mock('org.freedesktop.ScreenSaver', '/org/freedesktop/ScreenSaver', False)
        saver_mock.AddMethod('', 'Inhibit', 'ss', 'u', 'ret = dbus.UInt32(40 + len(self.call_log))')
        saver_mock.AddMethod('', 'UnInhibit', 'u', '', '')
        calls = lambda name: [[int(a) for a in c[2] if isinstance(a, dbus.UInt32)] for c in saver_mock.GetCalls()
                              if c[1] == name]
        for shot in (1, 2):
            self.send('press R\n')
            self.until(lambda: len(calls('Inhibit')) == shot)
            self.send('release R\n')
            self.until(lambda: len(calls('UnInhibit')) == shot, 2.5)
        self.assertEqual(calls('UnInhibit'), [[41], [43]])
        saver.terminate()
        saver.wait()

    def test_inhibitors_refused_are_asked_again_at_most_once_a_minute_and_said_once(self):
        self.logind_mock.AddMethod('org.freedesktop.login1.Manager', 'Inhibit', 'ssss', 'h',
                                   'raise dbus.exceptions.DBusException("not now", '
                                   'name="org.freedesktop.DBus.Error.AccessDenied")')
        self.portal.terminate()
        self.portal.wait()
        saver = self.spawn_server('org.freedesktop.ScreenSaver', '/org/freedesktop/ScreenSaver',
                                  'org.freedesktop.ScreenSaver', stdout=subprocess.DEVNULL)
        self.addCleanup(saver.wait)
        self.addCleanup(saver.terminate)
        saver_mock = self.mock('org.freedesktop.ScreenSaver', '/org/freedesktop/ScreenSaver', False)
        saver_mock.AddMethod('', 'Inhibit', 'ss', 'u', 'raise dbus.exceptions.DBusException("no")')
        for held in (2.5, 1.0):
            self.send('press R\n')
            time.sleep(held)
            self.send('release R\n')
            self.until(lambda: self.seen('write', bytes='40'))
            time.sleep(1.5)  # the release notice ends the shot
        for mock in (self.logind_mock, saver_mock):
            self.assertEqual(len([c for c in mock.GetCalls() if c[1] == 'Inhibit']), 1)
        self.errors.seek(0)
        errors = self.errors.read()
        self.assertEqual(errors.count('kiro-remote: a suspend cannot be delayed to let the shutter go: not now'), 1)
        self.assertEqual(errors.count('kiro-remote: the screen may blank during a shot'), 1)

    def test_a_suspend_lets_a_held_shutter_go_and_stops_a_sequence_before_its_delay_ends(self):
        self.send('timer bulb 10s\n')
        self.until(lambda: self.sleep_inhibitors() == [('sleep', 'delay')])
        self.logind_mock.EmitSignal('org.freedesktop.login1.Manager', 'PrepareForSleep', 'b', [True])
        self.until(lambda: self.sleep_inhibitors() == [])
        # The notice went out before the system was let sleep.
        self.assertLess(self.seen('write', bytes='40') or float('inf'), time.monotonic())
        self.assertIsNotNone(self.seen('timer', state='stopped', why='the system went to sleep'))


if __name__ == '__main__':
    unittest.main()
