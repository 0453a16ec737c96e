// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
//
// A session extension for headless benchmark runs: it exports, on the shell's
// own session bus connection (destination org.gnome.Shell), an object
// /org/snapsentry/BenchPointer that lists the windows with their frames and
// clicks at stage coordinates through a virtual pointer device, so that a
// dialog of a Wayland client can be answered with no one at the screen.
'use strict';

const { Clutter, Gio, GLib } = imports.gi;
const Main = imports.ui.main;

const IFACE = `
<node>
  <interface name="org.snapsentry.BenchPointer">
    <method name="Windows">
      <arg type="a(siiii)" name="windows" direction="out"/>
    </method>
    <method name="Click">
      <arg type="d" name="x" direction="in"/>
      <arg type="d" name="y" direction="in"/>
    </method>
    <method name="MoveTo">
      <arg type="d" name="x" direction="in"/>
      <arg type="d" name="y" direction="in"/>
    </method>
  </interface>
</node>`;

class BenchPointer {
    enable() {
        const seat = Clutter.get_default_backend().get_default_seat();
        this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        this._timeouts = new Set();
        this._dbus = Gio.DBusExportedObject.wrapJSObject(IFACE, this);
        this._dbus.export(Gio.DBus.session, '/org/snapsentry/BenchPointer');
        // The shell opens the overview at the end of its start-up animation:
        // leave it then, so that windows show as they are, not as thumbnails.
        if (Main.layoutManager._startingUp) {
            this._startup = Main.layoutManager.connect('startup-complete', () => {
                Main.overview.hide();
                Main.layoutManager.disconnect(this._startup);
                this._startup = 0;
            });
        }
    }

    disable() {
        if (this._startup)
            Main.layoutManager.disconnect(this._startup);
        this._startup = 0;
        this._dbus.unexport();
        this._dbus = null;
        for (const id of this._timeouts)
            GLib.source_remove(id);
        this._timeouts = null;
        this._pointer = null;
    }

    // Title and frame (x, y, width, height) of every window, top-most last.
    Windows() {
        return global.get_window_actors().map(actor => {
            const win = actor.get_meta_window();
            const r = win.get_frame_rect();
            return [win.get_title() ?? '', r.x, r.y, r.width, r.height];
        });
    }

    MoveTo(x, y) {
        this._pointer.notify_absolute_motion(GLib.get_monotonic_time(), x, y);
    }

    // Moves there, then presses and releases the primary button a little
    // later each, as a hand would: a client may ignore a press that comes
    // with no motion before it.
    Click(x, y) {
        this.MoveTo(x, y);
        this._later(60, () => this._pointer.notify_button(GLib.get_monotonic_time(),
            Clutter.BUTTON_PRIMARY, Clutter.ButtonState.PRESSED));
        this._later(120, () => this._pointer.notify_button(GLib.get_monotonic_time(),
            Clutter.BUTTON_PRIMARY, Clutter.ButtonState.RELEASED));
    }

    _later(ms, fn) {
        const id = GLib.timeout_add(GLib.PRIORITY_DEFAULT, ms, () => {
            this._timeouts?.delete(id);
            if (this._pointer)
                fn();
            return GLib.SOURCE_REMOVE;
        });
        this._timeouts.add(id);
    }
}

function init() {
    return new BenchPointer();
}
