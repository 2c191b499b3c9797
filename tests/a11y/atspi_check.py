#!/usr/bin/env python3
"""Drives the real program through the desktop's accessibility interface (AT-SPI), as a screen
reader would: finds the NT value box by its name, types into it, presses an element button and
reads every value label. Run by run_atspi_check.sh inside a D-Bus session under Xvfb."""
import sys
import time

import pyatspi

VALUE_LABELS = ["NMR Element", "Isotope 1", "Isotope 2", "Isotope 3",
                "NMR F 1 in HZ", "NMR F 2 in HZ", "NMR F 3 in HZ"]


def wait_for(state, what, limit=90):
    """Returns state() once it is true. The limit only turns a hang into a failure: a loaded
    machine takes what it takes."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        value = state()
        if value:
            return value
        time.sleep(0.05)
    sys.exit(f"FAIL: {what} (waited {limit} s)")


def find_application(name):
    def application():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == name:
                return app
        return None
    return wait_for(application, f"no application '{name}' on the accessibility bus")


def find(root, predicate):
    return pyatspi.findDescendant(root, predicate, True)


def value_labels(app):
    labels = {}
    for caption in VALUE_LABELS:
        node = find(app, lambda n, c=caption: n.getRole() == pyatspi.ROLE_LABEL
                    and (n.name == c or n.name.startswith(c + ": ")))
        if node is None:
            sys.exit(f"FAIL: no value label announced as '{caption}'")
        labels[caption] = node
    return labels


def main():
    app = find_application("zental")
    # The application is announced before its window: wait until the window's controls are there.
    nt_box = wait_for(lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_TEXT
                                   and n.name == "NT Value"),
                      "the NT value box has no spoken name 'NT Value'")
    nt_box.queryEditableText().setTextContents("50000")

    tin = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "50 Sn")
    if tin is None:
        sys.exit("FAIL: no button '50 Sn'")
    tin.queryAction().doAction(0)

    expected = {
        "NMR Element": "Tin", "Isotope 1": "115", "Isotope 2": "117", "Isotope 3": "119",
        "NMR F 1 in HZ": "695.723404255319", "NMR F 2 in HZ": "757.978723404255",
        "NMR F 3 in HZ": "793.021276595745",
    }
    labels = value_labels(app)
    # The press is handled in the program's own time: its last label tells when it is done.
    last = "NMR F 3 in HZ"
    wait_for(lambda: labels[last].name == f"{last}: {expected[last]}",
             f"'{last}' never showed {expected[last]}")
    failures = 0
    for caption, node in labels.items():
        # Qt's labels offer their text through their accessible name only.
        spoken = node.name
        ok = spoken == f"{caption}: {expected[caption]}"
        failures += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {caption!r} announced as {spoken!r}")
    print(f"{len(expected) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
