#!/usr/bin/env python3
"""Drives the real program through the desktop's accessibility interface (AT-SPI), as a screen
reader would: finds the NT value box by its name, types into it, presses an element button and
reads every value label. Run by run_atspi_check.sh inside a D-Bus session under Xvfb."""
import sys
import time

import pyatspi

VALUE_LABELS = ["NMR Element", "Isotope 1", "Isotope 2", "Isotope 3",
                "NMR F 1 in HZ", "NMR F 2 in HZ", "NMR F 3 in HZ"]


def find_application(name, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == name:
                return app
        time.sleep(0.2)
    sys.exit(f"FAIL: no application '{name}' on the accessibility bus")


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
    nt_box = find(app, lambda n: n.getRole() == pyatspi.ROLE_TEXT and n.name == "NT Value")
    if nt_box is None:
        sys.exit("FAIL: the NT value box has no spoken name 'NT Value'")
    nt_box.queryEditableText().setTextContents("50000")

    tin = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "50 Sn")
    if tin is None:
        sys.exit("FAIL: no button '50 Sn'")
    action = tin.queryAction()
    action.doAction(0)
    time.sleep(0.5)

    expected = {
        "NMR Element": "Tin", "Isotope 1": "115", "Isotope 2": "117", "Isotope 3": "119",
        "NMR F 1 in HZ": "695.723404255319", "NMR F 2 in HZ": "757.978723404255",
        "NMR F 3 in HZ": "793.021276595745",
    }
    failures = 0
    for caption, node in value_labels(app).items():
        # Qt's labels offer their text through their accessible name only.
        spoken = node.name
        ok = spoken == f"{caption}: {expected[caption]}"
        failures += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {caption!r} announced as {spoken!r}")
    print(f"{len(expected) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
