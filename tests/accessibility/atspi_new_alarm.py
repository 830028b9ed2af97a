#!/usr/bin/python3
"""Creates an alarm in a running Zentick as a screen reader user would: only through the AT-SPI bus (actions,
values, focus) and the keyboard. Prints what a screen reader finds on the main menu; exits non-zero on the first
thing that is missing.

Usage: atspi_new_alarm.py <description> [dump-file]
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

description = sys.argv[1]
dump_file = sys.argv[2] if len(sys.argv) > 2 else None
events = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    # What the bus offers instead, for the one who reads the log.
    app = application()
    if app is not None:
        for node, depth in walk(app):
            if depth < 12:
                print(spoken(node, depth), file=sys.stderr)
    sys.exit(1)


def pump(seconds=0.0):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def focus(node):
    # Asked again until it holds: the window manager may still be activating the window.
    def focused():
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return True
        # Only the active window has a focused control: a keyboard user's window is active.
        subprocess.run(["xdotool", "search", "--name", "Zentick", "windowactivate"], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        node.queryComponent().grabFocus()
        return False
    wait_for("the focus on " + node.name, focused)


def wait_for(what, find, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        found = find()
        if found:
            return found
        time.sleep(0.1)
    fail("not found: " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower().startswith("zentick"):
            return app
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def walk(node, depth=0):
    yield node, depth
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, role, name):
    for node, _ in walk(root):
        if node.getRole() == role and node.name == name and showing(node):
            return node
    return None


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def key_bindings(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [b for b in (action.getKeyBinding(i) for i in range(action.nActions)) if b]


def act(node, name):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index) == name:
            if not action.doAction(index):
                fail("%s refused %s" % (node.name, name))
            return
    fail("%s has no action %s (only %s)" % (node.name, name, actions(node)))


def keys(*sequence):
    subprocess.run(["xdotool", "key", "--clearmodifiers"] + list(sequence), check=True)


def spoken(node, depth):
    # Role, name, states a screen reader reads out, description and actions.
    states = [pyatspi.stateToString(s) for s in node.getState().getStates()
              if s in (pyatspi.STATE_CHECKED, pyatspi.STATE_FOCUSED, pyatspi.STATE_SENSITIVE,
                       pyatspi.STATE_FOCUSABLE, pyatspi.STATE_CHECKABLE)]
    line = "%s%s \"%s\"" % ("  " * depth, node.getRoleName(), node.name)
    if node.description:
        line += " — " + node.description
    if states:
        line += " [" + ", ".join(states) + "]"
    if actions(node):
        line += " actions: " + ", ".join(actions(node))
    if key_bindings(node):
        line += " keys: " + ", ".join(key_bindings(node))
    return line


def on_event(event):
    events.append((event.type, event.source.name if event.source else "", event.detail1))


pyatspi.Registry.registerEventListener(on_event, "object:state-changed:checked", "focus:",
                                       "object:state-changed:focused")

app = wait_for("the Zentick application on the accessibility bus", application)
menu_entry = wait_for("the main menu's \"New Alarm\"", lambda: find(app, pyatspi.ROLE_RADIO_BUTTON, "New Alarm"))

menu = menu_entry.parent
lines = [spoken(node, depth) for node, depth in walk(menu) if showing(node)]
if dump_file:
    with open(dump_file, "w") as out:
        out.write("\n".join(lines) + "\n")
print("\n".join(lines))

entries = [node for node, _ in walk(menu) if node.getRole() == pyatspi.ROLE_RADIO_BUTTON and showing(node)]
if len(entries) != 8:
    fail("the main menu offers %d choices, not 8" % len(entries))
for entry in entries:
    if "Toggle" not in actions(entry):
        fail("%s cannot be chosen" % entry.name)

# Choosing an entry is announced.
diary = find(app, pyatspi.ROLE_RADIO_BUTTON, "Diary")
act(diary, "Toggle")
wait_for("the announcement that \"Diary\" is chosen",
         lambda: any(t.startswith("object:state-changed:checked") and n == "Diary" and d == 1 for t, n, d in events))
if not diary.getState().contains(pyatspi.STATE_CHECKED):
    fail("the chosen entry does not report itself checked")
act(menu_entry, "Toggle")
wait_for("\"New Alarm\" checked", lambda: menu_entry.getState().contains(pyatspi.STATE_CHECKED))

act(wait_for("the main menu's Next button", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Next")), "Press")

text = wait_for("the alarm description", lambda: find(app, pyatspi.ROLE_TEXT, "Alarm description"))
focus(text)
subprocess.run(["xdotool", "type", "--delay", "20", description], check=True)
wait_for("the typed description", lambda: text.queryText().getText(0, -1) == description)

act(wait_for("\"Zentick after:\"", lambda: find(app, pyatspi.ROLE_RADIO_BUTTON, "Zentick after:")), "Toggle")
minutes = wait_for("the minutes field", lambda: find(app, pyatspi.ROLE_SPIN_BUTTON, "Minutes from now"))
focus(minutes)
keys("ctrl+a")
subprocess.run(["xdotool", "type", "--delay", "20", "45"], check=True)
wait_for("45 minutes", lambda: minutes.queryValue().currentValue == 45)

act(wait_for("the editor's Next button", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Next>>")), "Press")
act(wait_for("the confirmation's OK", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Schedule it")), "Press")
wait_for("the main menu again", lambda: find(app, pyatspi.ROLE_RADIO_BUTTON, "New Alarm"))
print("alarm created")
