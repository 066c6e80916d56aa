#!/usr/bin/python3
"""Starts the real zov offscreen, waits for its welcome window, and fails when
the process has loaded the web engine (or Qt Quick, which only the engine's
view needs) by then: the previews' web view is loaded on first use."""
import argparse
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

FORBIDDEN = ("libQt6WebEngine", "libQt6Quick", "libQt6Qml", "zovwebview")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zov", required=True)
    parser.add_argument("--edition", default="")
    options = parser.parse_args()
    home = tempfile.mkdtemp(prefix="zov-libraries-")
    os.makedirs(os.path.join(home, "runtime"), mode=0o700)
    env = dict(os.environ)
    env.update({"QT_QPA_PLATFORM": "offscreen", "QT_LOGGING_RULES": "zov.launch.info=true",
                "QT_MESSAGE_PATTERN": "%{category}: %{message}",
                "XDG_CONFIG_HOME": os.path.join(home, "config"), "XDG_CACHE_HOME": os.path.join(home, "cache"),
                "XDG_DATA_HOME": os.path.join(home, "data"), "XDG_RUNTIME_DIR": os.path.join(home, "runtime")})
    args = [options.zov] + (["--edition", options.edition] if options.edition else [])
    process = subprocess.Popen(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    output = b""
    shown = False
    deadline = time.monotonic() + 60
    try:
        while time.monotonic() < deadline and process.poll() is None:
            ready, _, _ = select.select([process.stdout], [], [], 0.2)
            if ready:
                output += os.read(process.stdout.fileno(), 65536)
            if b"zov.launch:" in output:
                shown = True
                break
        if not shown:
            print("no welcome window: " + output.decode(errors="replace")[-2000:])
            return 1
        with open("/proc/%d/maps" % process.pid, encoding="utf-8", errors="replace") as f:
            mapped = sorted({line.split()[-1] for line in f if ".so" in line})
    finally:
        process.kill()
        process.wait()
        shutil.rmtree(home, ignore_errors=True)
    loaded = [path for path in mapped if any(part in os.path.basename(path) for part in FORBIDDEN)]
    print("%d shared libraries mapped at the welcome window" % len(mapped))
    if loaded:
        print("loaded before any preview: " + " ".join(loaded))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
