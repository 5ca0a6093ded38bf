#!/usr/bin/python3
"""Compares the launcher's reading of the desktop-entry corpus with GLib's GDesktopAppInfo.

Usage: glib_compare.py DUMP_PROGRAM CORPUS_FOLDER

Both sides see the same applications folder, desktops ("GNOME:KDE"), PATH and locale. GLib's side
lists what Gio.AppInfo.get_all() offers and should_show() allows, then launches each application
without and with two targets through a recorder program that writes the arguments it was given.
The launcher's side is printed by DUMP_PROGRAM. Any difference fails the test. Addresses other
than files are left out of the comparison: GLib starts a %f program once more without them, the
launcher leaves them out and says so.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

dump, corpus = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="vantrelo-glib-")
try:
    data = os.path.join(work, "data")
    apps = os.path.join(data, "applications")
    shutil.copytree(corpus, apps)
    bindir = os.path.join(work, "bin")
    os.makedirs(bindir)
    os.makedirs(os.path.join(work, "nodata"))
    recorder = os.path.join(bindir, "vtrecord")
    with open(recorder, "w") as f:
        # One write per run: two runs at once (one per file) must not interleave their records.
        f.write("#!/bin/sh\nline=x\nfor a in \"$@\"; do line=\"$line$(printf '\\037%s' \"$a\")\"; done\n"
                "printf '%s\\n' \"$line\" >> \"$VT_RECORD\"\n")
    os.chmod(recorder, 0o755)
    # Two local files, one with a blank and one with a double quote in its name.
    target_files = [os.path.join(work, "a file.txt"), os.path.join(work, 'b "q".txt')]
    for t in target_files:
        open(t, "w").close()

    env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANGUAGE", "XDG_"))}
    env.update({
        "XDG_DATA_HOME": data,
        "XDG_DATA_DIRS": os.path.join(work, "nodata"),
        "XDG_CONFIG_HOME": os.path.join(work, "config"),
        "XDG_CURRENT_DESKTOP": "GNOME:KDE",
        "PATH": bindir + ":/usr/bin:/bin",
        "LANG": "de_DE.UTF-8",
        "HOME": work,
    })
    os.environ.clear()
    os.environ.update(env)

    import gi
    gi.require_version("Gio", "2.0")
    from gi.repository import Gio

    targets = [Gio.File.new_for_path(t).get_uri() for t in target_files]

    def launched(info, uris):
        record = os.path.join(work, "record")
        if os.path.exists(record):
            os.remove(record)
        context = Gio.AppLaunchContext()
        context.setenv("VT_RECORD", record)
        started = []  # one per process GLib started (a program for one file starts once per target)
        context.connect("launched", lambda *args: started.append(1))
        try:
            info.launch_uris(uris, context)
        except Exception as e:  # GLib refused: said as such
            return ["error"]

        def records():
            if not os.path.exists(record):
                return []
            with open(record) as f:
                return [line for line in f if line.endswith("\n")]

        deadline = time.time() + 20
        while time.time() < deadline and len(records()) < max(len(started), 1):
            time.sleep(0.05)
        # A second run for a second file may follow the first: the record is read once it is still.
        seen, still_since = len(records()), time.time()
        while time.time() < deadline and time.time() - still_since < 0.5:
            time.sleep(0.05)
            if len(records()) != seen:
                seen, still_since = len(records()), time.time()
        return ["\x1f".join(line.rstrip("\n").split("\x1f")[1:]) for line in records()]

    lines = []
    for info in Gio.AppInfo.get_all():
        filename = info.get_filename() or ""
        if not filename.startswith(apps + "/") or not info.should_show():
            continue
        app_id = info.get_id()
        lines.append("show\t%s" % app_id)
        if info.get_boolean("Terminal"):
            continue
        for uris in ([], targets):
            for out in launched(info, uris):
                lines.append("error\t%s" % app_id if out == "error" else "exec%d\t%s\t%s" % (len(uris), app_id, out))
    lines.sort()

    ours = subprocess.run([dump, apps] + targets, capture_output=True, text=True, env=env, check=True).stdout.splitlines()
    if ours != lines:
        print("GLib and the launcher differ on the desktop-entry corpus.")
        print("only GLib:")
        for l in sorted(set(lines) - set(ours)):
            print("  " + l.replace("\x1f", " | "))
        print("only the launcher:")
        for l in sorted(set(ours) - set(lines)):
            print("  " + l.replace("\x1f", " | "))
        sys.exit(1)
    print("%d lines agree" % len(lines))
finally:
    shutil.rmtree(work, ignore_errors=True)
