#!/usr/bin/python3
"""D-Bus services of the tests' own, on the bus named by DBUS_SESSION_BUS_ADDRESS.

    bus_services.py notification        the notification daemon of python3-dbusmock
    bus_services.py udisks OBJECTS      a UDisks2 service over the objects (JSON):
        {"blocks": [{"path", "drive", "mount_points": [...], "filesystem": true,
                     "hint_system": true, "loop_setup_by": 1000,
                     "unmount_error": "org.freedesktop.UDisks2.Error.DeviceBusy"}],
         "drives": [{"path", "can_power_off": true, "power_off_error": ...}]}

Prints "ready" once its name is on the bus and ends when the bus goes away. The
UDisks2 service keeps the calls it was made, in order, for io.github.kadoru.Test.Calls
("<object path> <method>", one a call).
"""
import json
import os
import sys

try:
    import dbus
    import dbus.mainloop.glib
    import dbus.service
    from gi.repository import GLib
except ImportError as missing:
    print(f"no python3-dbus: {missing}", flush=True)
    sys.exit(77)

UDISKS = "org.freedesktop.UDisks2"
MANAGER = "/org/freedesktop/UDisks2"


def fail(name):
    if name:
        raise dbus.exceptions.DBusException("refused by the test", name=name)


class UdisksObject(dbus.service.Object):
    def __init__(self, bus, path, setup, calls):
        super().__init__(bus, path)
        self.setup, self.calls = setup, calls

    @dbus.service.method(UDISKS + ".Filesystem", in_signature="a{sv}")
    def Unmount(self, options):
        self.calls.append(f"{self.__dbus_object_path__} Unmount")
        fail(self.setup.get("unmount_error"))
        self.setup["mount_points"] = []

    @dbus.service.method(UDISKS + ".Drive", in_signature="a{sv}")
    def PowerOff(self, options):
        self.calls.append(f"{self.__dbus_object_path__} PowerOff")
        fail(self.setup.get("power_off_error"))


class UdisksManager(dbus.service.Object):
    def __init__(self, bus, objects):
        super().__init__(bus, MANAGER)
        self.objects, self.calls = objects, []
        self.children = [UdisksObject(bus, o["path"], o, self.calls)
                         for o in objects.get("blocks", []) + objects.get("drives", [])]

    @dbus.service.method("org.freedesktop.DBus.ObjectManager", out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        managed = {}
        for block in self.objects.get("blocks", []):
            interfaces = {UDISKS + ".Block": {
                "Drive": dbus.ObjectPath(block.get("drive", "/")),
                "HintSystem": dbus.Boolean(block.get("hint_system", True))}}
            if "loop_setup_by" in block:
                interfaces[UDISKS + ".Loop"] = {
                    "SetupByUID": dbus.UInt32(block["loop_setup_by"])}
            if block.get("filesystem", True):
                points = [dbus.ByteArray(p.encode() + b"\0") for p in block.get("mount_points", [])]
                interfaces[UDISKS + ".Filesystem"] = {
                    "MountPoints": dbus.Array(points, signature="ay")}
            managed[dbus.ObjectPath(block["path"])] = interfaces
        for drive in self.objects.get("drives", []):
            managed[dbus.ObjectPath(drive["path"])] = {
                UDISKS + ".Drive": {"CanPowerOff": dbus.Boolean(drive.get("can_power_off", False))}}
        return dbus.Dictionary(managed, signature="oa{sa{sv}}")

    @dbus.service.method("io.github.kadoru.Test", out_signature="as")
    def Calls(self):
        return dbus.Array(self.calls, signature="s")


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
    keep = []
    if sys.argv[1] == "notification":
        try:
            import dbusmock.mockobject
            from dbusmock.templates import notification_daemon as template
        except ImportError as missing:
            print(f"no python3-dbusmock: {missing}", flush=True)
            sys.exit(77)
        name = dbus.service.BusName(template.BUS_NAME, bus, do_not_queue=True)
        mock = dbusmock.mockobject.DBusMockObject(name, template.MAIN_OBJ, template.MAIN_IFACE, {})
        mock.AddTemplate("notification_daemon", dbus.Dictionary({}, signature="sv"))
        keep += [name, mock]
    else:
        name = dbus.service.BusName(UDISKS, bus, do_not_queue=True)
        keep += [name, UdisksManager(bus, json.loads(sys.argv[2]))]
    loop = GLib.MainLoop()
    bus.add_signal_receiver(loop.quit, signal_name="Disconnected")
    print("ready", flush=True)
    loop.run()


if __name__ == "__main__":
    main()
