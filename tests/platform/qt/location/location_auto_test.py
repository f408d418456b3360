# location auto against a fake GeoClue on a private system bus, and with no GeoClue there,
# kiro-remote headless on each clock.
# Usage: location_auto_test.py KIRO_REMOTE

import os
import re
import subprocess
import sys
import tempfile
import unittest

import dbus
import dbusmock

APP = sys.argv.pop(1)
GEOCLUE = 'org.freedesktop.GeoClue2'
CLIENT = '/org/freedesktop/GeoClue2/Client/1'
LOCATION = '/org/freedesktop/GeoClue2/Location/1'
CLOCKS = ([], ['--virtual-time'])
# As GeoClue does: the client's Location stays '/' until a position is found, then is signalled.
START = ("self.EmitSignal('org.freedesktop.GeoClue2.Client', 'LocationUpdated', 'oo', "
         "[dbus.ObjectPath('/'), dbus.ObjectPath('%s')])" % LOCATION)


class LocationAutoTest(dbusmock.DBusTestCase):
    @classmethod
    def setUpClass(cls):
        cls.start_system_bus()
        cls.start_session_bus()

    def run_app(self, clock, script):
        with tempfile.TemporaryDirectory() as work:
            # Qt's plugin keeps the last position under XDG_DATA_HOME.
            ran = subprocess.run([APP, '--headless', '--simulate', *clock, '--settings', work + '/s.ini',
                                  '--documents', work], input=script, capture_output=True, text=True,
                                 timeout=60, env=dict(os.environ, XDG_DATA_HOME=work))
            self.assertEqual(ran.returncode, 0, ran.stderr)
            with open(work + '/s.ini') as settings:
                return ran.stderr, re.search(r'^location="?([^"\n]*)', settings.read(), re.M)[1]

    def test_the_position_found_is_kept_to_two_decimals_and_said(self):
        server = self.spawn_server(GEOCLUE, '/org/freedesktop/GeoClue2/Manager', GEOCLUE + '.Manager',
                                   system_bus=True, stdout=subprocess.DEVNULL)
        self.addCleanup(server.wait)
        self.addCleanup(server.terminate)
        bus = self.get_dbus(True)
        manager = dbus.Interface(bus.get_object(GEOCLUE, '/org/freedesktop/GeoClue2/Manager'), dbusmock.MOCK_IFACE)
        manager.AddProperty(GEOCLUE + '.Manager', 'AvailableAccuracyLevel', dbus.UInt32(8))
        manager.AddMethod(GEOCLUE + '.Manager', 'GetClient', '', 'o', "ret = dbus.ObjectPath('%s')" % CLIENT)
        manager.AddObject(CLIENT, GEOCLUE + '.Client', {
            'Location': dbus.ObjectPath('/'), 'DesktopId': '', 'RequestedAccuracyLevel': dbus.UInt32(0),
            'DistanceThreshold': dbus.UInt32(0), 'TimeThreshold': dbus.UInt32(0), 'Active': False,
        }, [('Start', '', '', START), ('Stop', '', '', '')])
        manager.AddObject(LOCATION, GEOCLUE + '.Location', {
            'Latitude': 47.3712, 'Longitude': 8.5417, 'Accuracy': 5000.0, 'Altitude': -1.7976931348623157e308,
            'Speed': -1.0, 'Heading': -1.0, 'Description': '',
            'Timestamp': dbus.Struct((dbus.UInt64(0), dbus.UInt64(0)), signature='tt'),
        }, [])
        for clock in CLOCKS:
            with self.subTest(clock=clock):
                # The script's end comes right after: a run that did not wait would keep nothing.
                errors, kept = self.run_app(clock, 'location 1 2\nlocation auto\n')
                self.assertEqual(kept, '47.37 8.54')
                self.assertEqual(errors.count('kiro-remote: location from the system: 47.37 8.54\n'), 1, errors)
        client = bus.get_object(GEOCLUE, CLIENT)
        self.assertEqual(client.Get(GEOCLUE + '.Client', 'DesktopId', dbus_interface=dbus.PROPERTIES_IFACE),
                         'io.github.kiro_remote.KiroRemote')

    def test_without_the_service_it_is_said_and_the_location_kept_stays(self):
        for clock in CLOCKS:
            with self.subTest(clock=clock):
                errors, kept = self.run_app(clock, 'location 1 2\nlocation auto\n')
                self.assertEqual(kept, '1 2')
                self.assertIn("kiro-remote: the system's location cannot be used: no location service answers", errors)


if __name__ == '__main__':
    unittest.main()
