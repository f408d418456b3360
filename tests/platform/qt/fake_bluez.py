'''A fake bluetoothd for the Qt central's end-to-end tests: python3-dbusmock template.

One adapter, hci0, and the devices the test adds. A device's GATT table appears when it
connects (with ServicesResolved) and disappears when it disconnects, as BlueZ does.
The test steers it through org.kiro.FakeBluez on the root object.
'''

import time

import dbus
import dbus.service

from dbusmock import OBJECT_MANAGER_IFACE, mockobject

BUS_NAME = 'org.bluez'
MAIN_OBJ = '/'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

CONTROL_IFACE = 'org.kiro.FakeBluez'
ADAPTER_IFACE = 'org.bluez.Adapter1'
DEVICE_IFACE = 'org.bluez.Device1'
SERVICE_IFACE = 'org.bluez.GattService1'
CHAR_IFACE = 'org.bluez.GattCharacteristic1'
DESC_IFACE = 'org.bluez.GattDescriptor1'
ADAPTER_PATH = '/org/bluez/hci0'

BASE = '-0000-1000-8000-00805f9b34fb'
CCC_UUID = '00002902' + BASE

# service UUID -> [(characteristic UUID, flags)]
KIRO_TABLE = [
    ('0000ffb0' + BASE, [
        ('0000ffb2' + BASE, ['write', 'write-without-response', 'notify']),
        ('0000ffb1' + BASE, ['notify']),
    ]),
]

# Answers a write request can get besides success: BlueZ's error names.
REFUSALS = ('Failed', 'InProgress', 'NotPermitted')

# address -> {'connect': 'succeed'|'fail'|'hang', 'write': 'answer'|'stall'|one of REFUSALS,
#             'table': KIRO_TABLE or one without FFB2, 'writes': [(bytes, type, monotonic seconds)]}
devices = {}
# Writes that are never answered, kept so that their callers stay unanswered.
stalled = []
settings = {'write_delay': 0.0}
root = {}


def device_path(address):
    return ADAPTER_PATH + '/dev_' + address.replace(':', '_')


def set_props(path, interface, changes):
    obj = mockobject.objects[path]
    obj.props[interface].update(changes)
    obj.EmitSignal(dbus.PROPERTIES_IFACE, 'PropertiesChanged', 'sa{sv}as',
                   [interface, dbus.Dictionary(changes, signature='sv'), dbus.Array([], signature='s')])


def add_object(path, interface, props, methods):
    root['mock'].AddObject(path, interface, props, methods)
    root['mock'].object_manager_emit_added(path)


def remove_object(path):
    interfaces = list(mockobject.objects[path].props.keys())
    root['mock'].RemoveObject(path)
    root['mock'].EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesRemoved', 'oas',
                    [dbus.ObjectPath(path), dbus.Array(interfaces, signature='s')])


def refusal(name):
    return dbus.exceptions.DBusException('Write refused', name='org.bluez.Error.' + name)


# Answered through callbacks, so that a write can also be left unanswered.
@dbus.service.method(CHAR_IFACE, in_signature='aya{sv}', out_signature='', async_callbacks=('answer', 'refuse'))
def write_value(char, value, options, answer, refuse):
    kind = str(options.get('type', 'request'))
    # The receiver refuses a request, and ignores a command, that its flags do not allow.
    if ('write' if kind == 'request' else 'write-without-response') not in char.props[CHAR_IFACE]['Flags']:
        if kind == 'request':
            refuse(refusal('NotPermitted'))
        else:
            answer()
        return
    device = next(d for a, d in devices.items() if char.path.startswith(device_path(a) + '/'))
    response = device['write'] if kind == 'request' else 'answer'
    if response in REFUSALS:
        refuse(refusal(response))
        return
    device['writes'].append((bytes(value), kind, time.monotonic()))
    if response == 'stall':
        device['write'] = 'answer'
        stalled.append(answer)
        return
    if kind == 'request' and settings['write_delay'] > 0:
        time.sleep(settings['write_delay'])
    answer()


def start_notify(char):
    set_props(char.path, CHAR_IFACE, {'Notifying': dbus.Boolean(True, variant_level=1)})


def stop_notify(char):
    set_props(char.path, CHAR_IFACE, {'Notifying': dbus.Boolean(False, variant_level=1)})


def add_gatt(address):
    dev = device_path(address)
    handle = 0x10
    for service_uuid, characteristics in devices[address]['table']:
        service = f'{dev}/service{handle:04x}'
        handle += 1
        add_object(service, SERVICE_IFACE, {
            'UUID': dbus.String(service_uuid, variant_level=1),
            'Primary': dbus.Boolean(True, variant_level=1),
            'Device': dbus.ObjectPath(dev, variant_level=1),
        }, [])
        for char_uuid, flags in characteristics:
            char = f'{service}/char{handle:04x}'
            handle += 2
            add_object(char, CHAR_IFACE, {
                'UUID': dbus.String(char_uuid, variant_level=1),
                'Service': dbus.ObjectPath(service, variant_level=1),
                'Notifying': dbus.Boolean(False, variant_level=1),
                'Flags': dbus.Array(flags, signature='s', variant_level=1),
            }, [
                ('WriteValue', 'aya{sv}', '', ''),
                ('StartNotify', '', '', start_notify),
                ('StopNotify', '', '', stop_notify),
            ])
            methods = mockobject.objects[char].methods[CHAR_IFACE]
            methods['WriteValue'] = methods['WriteValue'][:2] + (write_value, write_value)
            if 'notify' in flags:
                desc = f'{char}/desc{handle:04x}'
                handle += 1
                add_object(desc, DESC_IFACE, {
                    'UUID': dbus.String(CCC_UUID, variant_level=1),
                    'Characteristic': dbus.ObjectPath(char, variant_level=1),
                }, [])


def drop_link(address):
    dev = device_path(address)
    if dev not in mockobject.objects:
        return
    gatt = sorted((p for p in mockobject.objects if p.startswith(dev + '/')), key=len, reverse=True)
    for path in gatt:
        remove_object(path)
    props = mockobject.objects[dev].props[DEVICE_IFACE]
    if props['Connected'] or props['ServicesResolved']:
        set_props(dev, DEVICE_IFACE, {
            'ServicesResolved': dbus.Boolean(False, variant_level=1),
            'Connected': dbus.Boolean(False, variant_level=1),
        })


def connect(device):
    address = str(device.props[DEVICE_IFACE]['Address'])
    response = devices[address]['connect']
    if not mockobject.objects[ADAPTER_PATH].props[ADAPTER_IFACE]['Powered']:
        raise dbus.exceptions.DBusException('Resource Not Ready', name='org.bluez.Error.NotReady')
    if response == 'fail':
        raise dbus.exceptions.DBusException('le-connection-abort-by-local', name='org.bluez.Error.Failed')
    if response == 'hang' or device.props[DEVICE_IFACE]['Connected']:
        return
    set_props(device.path, DEVICE_IFACE, {'Connected': dbus.Boolean(True, variant_level=1)})
    add_gatt(address)
    set_props(device.path, DEVICE_IFACE, {'ServicesResolved': dbus.Boolean(True, variant_level=1)})


def disconnect(device):
    drop_link(str(device.props[DEVICE_IFACE]['Address']))


def load(mock, _parameters):
    root['mock'] = mock
    add_object(ADAPTER_PATH, ADAPTER_IFACE, {
        'Address': dbus.String('00:11:22:33:44:55', variant_level=1),
        'Powered': dbus.Boolean(True, variant_level=1),
    }, [
        ('StartDiscovery', '', '', ''),
        ('StopDiscovery', '', '', ''),
        ('SetDiscoveryFilter', 'a{sv}', '', ''),
    ])


@dbus.service.method(CONTROL_IFACE, in_signature='ss', out_signature='')
def AddDevice(_self, address, name):
    '''A device in range that advertises name; an empty name advertises none.'''
    add_device(address, name, heard=True)


@dbus.service.method(CONTROL_IFACE, in_signature='ss', out_signature='')
def RememberDevice(_self, address, name):
    '''A device bluetoothd knows from before and has not heard since: no signal strength.'''
    add_device(address, name, heard=False)


def add_device(address, name, heard):
    props = {
        'Address': dbus.String(address, variant_level=1),
        'Alias': dbus.String(name or address.replace(':', '-'), variant_level=1),
        'Adapter': dbus.ObjectPath(ADAPTER_PATH, variant_level=1),
        'Connected': dbus.Boolean(False, variant_level=1),
        'ServicesResolved': dbus.Boolean(False, variant_level=1),
    }
    if heard:
        props['RSSI'] = dbus.Int16(-55, variant_level=1)
    if name:
        props['Name'] = dbus.String(name, variant_level=1)
    devices[address] = {'connect': 'succeed', 'write': 'answer', 'table': KIRO_TABLE, 'writes': []}
    add_object(device_path(address), DEVICE_IFACE, props, [
        ('Connect', '', '', connect),
        ('Disconnect', '', '', disconnect),
    ])


@dbus.service.method(CONTROL_IFACE, in_signature='ss', out_signature='')
def SetConnectResponse(_self, address, response):
    '''What the next connects to address do: succeed, fail or hang.'''
    devices[str(address)]['connect'] = str(response)


@dbus.service.method(CONTROL_IFACE, in_signature='ss', out_signature='')
def SetWriteResponse(_self, address, response):
    # How write requests to address are answered: answer, stall (the next one is kept and
    # never answered) or a BlueZ error name (Failed, InProgress, NotPermitted) for every one.
    devices[str(address)]['write'] = str(response)


@dbus.service.method(CONTROL_IFACE, in_signature='s', out_signature='')
def WithoutCommandCharacteristic(_self, address):
    # From its next connection on, the device's FFB0 lists no FFB2.
    devices[str(address)]['table'] = [(service, [c for c in chars if not c[0].startswith('0000ffb2')])
                                      for service, chars in KIRO_TABLE]


@dbus.service.method(CONTROL_IFACE, in_signature='d', out_signature='')
def SetWriteDelay(_self, seconds):
    '''How long each write with response takes.'''
    settings['write_delay'] = float(seconds)


@dbus.service.method(CONTROL_IFACE, in_signature='ssay', out_signature='b')
def Notify(_self, address, char_uuid, value):
    '''Notifies value on the characteristic; false when it is not subscribed.'''
    dev = device_path(str(address))
    for path, obj in list(mockobject.objects.items()):
        props = obj.props.get(CHAR_IFACE)
        if path.startswith(dev + '/') and props and str(props['UUID']) == str(char_uuid).lower():
            if not props['Notifying']:
                return False
            set_props(path, CHAR_IFACE, {'Value': dbus.Array(value, signature='y', variant_level=1)})
            return True
    return False


@dbus.service.method(CONTROL_IFACE, in_signature='s', out_signature='')
def Advertise(_self, address):
    '''The device is heard again, at a signal strength a little off the last.'''
    dev = device_path(str(address))
    rssi = mockobject.objects[dev].props[DEVICE_IFACE].get('RSSI', -56)
    set_props(dev, DEVICE_IFACE, {'RSSI': dbus.Int16(-111 - rssi, variant_level=1)})


@dbus.service.method(CONTROL_IFACE, in_signature='s', out_signature='')
def DropLink(_self, address):
    '''The link drops as if the device were switched off.'''
    drop_link(str(address))


@dbus.service.method(CONTROL_IFACE, in_signature='b', out_signature='')
def SetPowered(_self, powered):
    '''Radio power; off drops every link.'''
    if not powered:
        for address in list(devices):
            drop_link(address)
    set_props(ADAPTER_PATH, ADAPTER_IFACE, {'Powered': dbus.Boolean(powered, variant_level=1)})


@dbus.service.method(CONTROL_IFACE, in_signature='s', out_signature='a(aysd)')
def Writes(_self, address):
    '''Every write the device got, oldest first: bytes, "request" or "command", and when
    it arrived (CLOCK_MONOTONIC seconds).'''
    return dbus.Array([dbus.Struct((dbus.ByteArray(v), k, t)) for v, k, t in devices[str(address)]['writes']],
                      signature='(aysd)')


@dbus.service.method(CONTROL_IFACE, in_signature='', out_signature='')
def Restore(_self):
    '''Back to the start: hci0 powered, no devices, writes answered at once.'''
    for address in list(devices):
        drop_link(address)
        remove_object(device_path(address))
        del devices[address]
    set_props(ADAPTER_PATH, ADAPTER_IFACE, {'Powered': dbus.Boolean(True, variant_level=1)})
    settings['write_delay'] = 0.0
