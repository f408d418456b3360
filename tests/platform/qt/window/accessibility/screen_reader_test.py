# What a screen reader hears from the window through the real AT-SPI registry: at-spi2-core's
# bus launcher, kiro-remote on simulated receivers driven by its script and xdotool's keys.
# Run in a virtual display on a private session bus (xvfb-run, dbus-run-session).
# Usage: screen_reader_test.py KIRO_REMOTE

import os
import subprocess
import sys
import tempfile
import time

import dbus
import pyatspi
from gi.repository import GLib

heard = []


def until(done, what):
    end = time.monotonic() + 10
    while not done():
        assert time.monotonic() < end, 'never: %s; heard %s' % (what, heard)
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.01)


def hear(*wanted):
    until(lambda: set(wanted) <= set(heard), wanted)


def key(name):
    subprocess.run(['xdotool', 'search', '--sync', '--onlyvisible', '--pid', str(app.pid), '--name', '.',
                    'windowfocus', '--sync', 'key', name], check=True, stdout=subprocess.DEVNULL)


def elements():
    kiro.clearCache()
    return pyatspi.utils.findAllDescendants(kiro[0], lambda element: True)


launcher = subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
until(lambda: dbus.SessionBus().name_has_owner('org.a11y.Bus'), 'the accessibility bus')
pyatspi.Registry.registerEventListener(lambda e: heard.append((e.type, e.detail1, e.source.name)),
                                       'object:state-changed:checked', 'object:state-changed:focused', 'focus:')
folder = tempfile.TemporaryDirectory()
app = subprocess.Popen([sys.argv[1], '--simulate', '--script', '/dev/stdin', '--settings', folder.name + '/s.ini',
                        '--documents', folder.name], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True,
                       env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1'))
desktop = pyatspi.Registry.getDesktop(0)
until(lambda: any(a and a.name == 'kiro-remote' for a in desktop), 'the app on the desktop')
kiro = next(a for a in desktop if a and a.name == 'kiro-remote')
# Nothing has read the window yet: the change reaches the listener all the same.
app.stdin.write('receiver add Kiro-7\nwait 300\npress F\n')
app.stdin.flush()
hear(('object:state-changed:checked', 1, 'Focus'))

key('Tab')
hear(('object:state-changed:focused', 1, 'Help'), ('focus:', 0, 'Help'))
key('Tab')
hear(('object:state-changed:focused', 0, 'Help'), ('focus:', 0, 'Search for receivers'))
shown = elements()
search = next(e for e in shown if e.name == 'Search for receivers').getState()
assert search.contains(pyatspi.STATE_FOCUSABLE) and search.contains(pyatspi.STATE_FOCUSED)
# A label inside a button repeats what the button says.
inside = [(e.name, b.name) for b in shown if b.getRole() == pyatspi.ROLE_PUSH_BUTTON for e in shown if e != b and
          b.queryComponent().contains(*e.queryComponent().getPosition(pyatspi.DESKTOP_COORDS), pyatspi.DESKTOP_COORDS)]
assert inside == [], inside

key('Return')  # the device list: the ring is on nothing there yet
until(lambda: any(e.name == 'Kiro-7, disconnected' for e in elements()), 'the device list')
assert not [e.name for e in elements() if e.getState().contains(pyatspi.STATE_FOCUSED)]
key('Up')  # the ring's last stop: the row
hear(('focus:', 0, 'Kiro-7, disconnected'))
key('Escape')
key('t')  # the timer screen: controls named by what they change, the modes a radio group
until(lambda: any(e.name == 'Delay, less' for e in elements()), 'the timer screen')
names = [e.name for e in elements()]
assert {'Delay, more', 'Shots, less', 'Start', 'Presets'} <= set(names) and any(n.startswith('Delay: ') for n in names), names
modes = [e for e in elements() if e.getRole() == pyatspi.ROLE_RADIO_BUTTON]
assert [m.getState().contains(pyatspi.STATE_CHECKED) for m in modes].count(True) == 1 and len(modes) == 3, modes
app.stdin.close()
assert app.wait(10) == 0
launcher.terminate()
