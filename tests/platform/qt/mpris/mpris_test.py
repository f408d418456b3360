# The MPRIS player as media keys and playerctl drive it: kiro-remote headless on simulated
# receivers on real time, on the private session bus dbus-run-session gives this test.
# Usage: dbus-run-session -- mpris_test.py KIRO_REMOTE

import json
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import dbus

APP = sys.argv.pop(1)
NAME = 'org.mpris.MediaPlayer2.kiro_remote'
PLAYER = 'org.mpris.MediaPlayer2.Player'
CONNECT = ('receiver add Kiro-7\nwait 1200\ntap search\nwait 100\nselect 0\nwait 300\n'
           'tap back\nwait 100\nstate\n')


def playerctl(*arguments):
    return subprocess.run(['playerctl', '-p', 'kiro_remote', *arguments], capture_output=True, text=True, timeout=10)


class MprisTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.app = subprocess.Popen([APP, '--headless', '--simulate', '--settings', self.folder.name + '/s.ini',
                                     '--documents', self.folder.name], stdin=subprocess.PIPE,
                                    stdout=subprocess.PIPE, text=True)
        self.events = []
        threading.Thread(target=self.read_events, daemon=True).start()
        self.until(lambda: 'kiro_remote' in playerctl('-l').stdout)
        bus = dbus.SessionBus()
        self.properties = dbus.Interface(bus.get_object(NAME, '/org/mpris/MediaPlayer2'),
                                         'org.freedesktop.DBus.Properties')
        self.player = dbus.Interface(bus.get_object(NAME, '/org/mpris/MediaPlayer2'), PLAYER)

    def tearDown(self):
        self.app.stdin.close()
        self.assertEqual(self.app.wait(10), 0)
        self.folder.cleanup()

    def read_events(self):
        for line in self.app.stdout:
            self.events.append(json.loads(line))

    def send(self, text):
        self.app.stdin.write(text)
        self.app.stdin.flush()

    def seen(self, name, **fields):
        return [e for e in list(self.events) if e['event'] == name and all(e.get(k) == v for k, v in fields.items())]

    def until(self, done, seconds=5.0):
        end = time.monotonic() + seconds
        while not done():
            self.assertLess(time.monotonic(), end, 'timed out')
            time.sleep(0.02)

    def focus(self):
        count = len(self.seen('state'))
        self.send('state\n')
        self.until(lambda: len(self.seen('state')) > count)
        return self.seen('state')[-1]['focus']

    def test_without_a_receiver_play_is_refused_and_nothing_goes_out(self):
        values = self.properties.GetAll('org.mpris.MediaPlayer2')
        self.assertEqual((values['Identity'], values['DesktopEntry']), ('KIRO Remote', 'io.github.kiro_remote.KiroRemote'))
        self.assertEqual((values['CanRaise'], values['CanQuit'], values['HasTrackList']), (False, False, False))
        self.assertEqual((self.properties.Get(PLAYER, 'CanPlay'), self.properties.Get(PLAYER, 'CanControl')),
                         (False, True))
        with self.assertRaises(dbus.exceptions.DBusException) as refused:
            self.player.Play()
        self.assertEqual(refused.exception.get_dbus_name(), 'io.github.kiro_remote.KiroRemote1.Error.NotConnected')
        self.assertNotEqual(playerctl('play').returncode, 0)
        # What a shot has no use for is answered and changes nothing.
        self.player.Pause()
        self.player.Seek(dbus.Int64(-2 ** 63))
        self.player.OpenUri('file:///' + 'x' * 100000)
        time.sleep(0.3)
        self.assertEqual(self.seen('write'), [])
        self.assertEqual(self.seen('remote'), [])

    def test_play_shoots_next_toggles_focus_stop_ends_a_series_and_the_player_follows(self):
        self.send(CONNECT)
        self.until(lambda: self.seen('state'))
        self.assertTrue(self.properties.Get(PLAYER, 'CanPlay'))
        follow = subprocess.Popen(['playerctl', '-p', 'kiro_remote', '--follow', 'status'], stdout=subprocess.PIPE,
                                  text=True)
        self.addCleanup(follow.wait)
        self.addCleanup(follow.terminate)
        statuses = []
        threading.Thread(target=lambda: statuses.extend(line.strip() for line in follow.stdout), daemon=True).start()
        self.until(lambda: statuses == ['Stopped'])

        self.assertEqual(playerctl('play').returncode, 0)
        self.until(lambda: self.seen('write', bytes='40'), 3)
        writes = [e['bytes'] for e in self.seen('write')]
        self.assertIn('30', writes)
        self.assertLess(writes.index('30'), writes.index('40'))
        self.until(lambda: statuses == ['Stopped', 'Playing', 'Stopped'])
        self.assertTrue(self.seen('remote', method='Play'))
        self.assertTrue(self.seen('remote')[0]['caller'].startswith(':'))

        self.assertEqual(playerctl('next').returncode, 0)
        self.assertTrue(self.focus())
        self.assertEqual(playerctl('next').returncode, 0)
        self.assertFalse(self.focus())

        self.send('timer interval 5s forever\n')
        self.until(lambda: statuses[-1:] == ['Playing'])
        self.assertRegex(playerctl('metadata', 'title').stdout, r'^connected - Shot \d')
        # A series runs: a shot is refused as busy, nothing else held.
        with self.assertRaises(dbus.exceptions.DBusException) as refused:
            self.player.Play()
        self.assertEqual(refused.exception.get_dbus_name(), 'io.github.kiro_remote.KiroRemote1.Error.Busy')
        self.assertEqual(playerctl('stop').returncode, 0)
        self.until(lambda: self.seen('timer', state='stopped'))
        self.until(lambda: statuses[-1:] == ['Stopped'])
        self.assertEqual(playerctl('metadata', 'title').stdout.strip(), 'connected')
        self.assertEqual([e['method'] for e in self.seen('remote')], ['Play', 'Next', 'Next', 'Stop'])


if __name__ == '__main__':
    unittest.main()
