#!/usr/bin/python3
"""Reads the program's windows as a screen reader does and checks their names.

    atspi_check.py PROGRAM WORKDIR TOOL_LIST ACCELERATORS

TOOL_LIST is a program that prints the catalog's tools (command, tab, window title);
ACCELERATORS the main window's accelerator table (resources/accelerators.tsv).

Run inside dbus-run-session on an X display. Starts PROGRAM with the accessibility bus on,
opens every tool form and the report windows with the keys a user would press, reads each
window's tree over AT-SPI and fails when a control a user can reach has an empty name, when
two controls of one window share a name, or when a name holds a raw tab. It prints one line per
window read and one per fault.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MAIN_TITLE = "Tarrow Financial Tool Set"
NAMED_ROLES = {
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_TREE,
}
TABLE_ROLES = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE}
WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW, pyatspi.ROLE_ALERT}
TIMEOUT = 10.0

faults = []


def fault(window, text):
    faults.append(f"{window}: {text}")
    print(f"FAULT {window}: {text}", flush=True)


def wait_for(what, find):
    end = time.monotonic() + TIMEOUT
    while time.monotonic() < end:
        try:
            found = find()
        except GLib.GError:  # the tree changed under the look: look again
            found = None
        if found is not None:
            return found
        time.sleep(0.05)
    raise SystemExit(f"gave up waiting for {what}")


def children(node):
    try:
        return [node.getChildAtIndex(k) for k in range(node.childCount)]
    except Exception:  # a node that went away while it was read
        return []


def windows(app):
    shown = []
    for window in children(app):
        try:
            if (window is not None and window.getRole() in WINDOW_ROLES
                    and window.getState().contains(pyatspi.STATE_SHOWING)):
                shown.append(window)
        except GLib.GError:  # a window that went away while it was read
            continue
    return shown


def window_named(app, title, having=None):
    def find():
        for window in reversed(windows(app)):
            if window.name == title and (having is None or having(window)):
                return window
        return None
    return wait_for(f'window "{title}"', find)


def walk(node):
    for child in children(node):
        if child is None:
            continue
        yield child
        if child.getRole() not in TABLE_ROLES:
            yield from walk(child)


def check_table(title, table):
    """Column headers named, and cells read without the blanks that line figures up."""
    grid = table.queryTable()
    if grid.nColumns == 0:
        fault(title, f'table "{table.name}" has no columns')
    for column in range(grid.nColumns):
        header = grid.getColumnHeader(column)
        if header is None or not header.name.strip():
            fault(title, f'table "{table.name}" column {column} has no header')
    if grid.nRows > 0:
        for column in range(grid.nColumns):
            cell = grid.getAccessibleAt(0, column)
            text = cell.name if cell is not None else ""
            if not text or text != text.strip():
                fault(title, f'table "{table.name}" cell 0,{column} reads "{text}"')


def check_window(window, label=None):
    title = label or window.name
    names = {}
    count = 0
    for node in walk(window):
        role = node.getRole()
        name = node.name or ""
        if "\t" in name:
            fault(title, f'{node.getRoleName()} "{name!r}" has a raw tab in its name')
        if role not in NAMED_ROLES:
            continue
        state = node.getState()
        if not state.contains(pyatspi.STATE_SHOWING) and role != pyatspi.ROLE_PUSH_BUTTON:
            continue
        if not state.contains(pyatspi.STATE_FOCUSABLE):
            if not name.strip() and state.contains(pyatspi.STATE_SHOWING):
                fault(title, f"{node.getRoleName()} without a name")
            continue
        count += 1
        if not name.strip():
            fault(title, f"focusable {node.getRoleName()} without a name")
        else:
            names.setdefault(name, []).append(node.getRoleName())
        if role in TABLE_ROLES:
            check_table(title, node)
    for name, roles in names.items():
        if len(roles) > 1:
            fault(title, f'{len(roles)} controls named "{name}" ({", ".join(roles)})')
    print(f"read {title}: {count} focusable controls", flush=True)


def find_control(window, name, roles=NAMED_ROLES):
    for node in walk(window):
        if node.name == name and node.getRole() in roles:
            return node
    raise SystemExit(f'{window.name}: no control named "{name}"')


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, stdout=subprocess.DEVNULL)


def focus_x_window(title):
    ids = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{title}$"],
                         check=True, capture_output=True, text=True, timeout=TIMEOUT).stdout.split()
    xdotool("windowfocus", "--sync", ids[-1])
    time.sleep(0.1)


def press_keys(title, *keys):
    focus_x_window(title)
    xdotool("key", "--delay", "30", *keys)


def press(window, name):
    """Presses a button with the key its window offers for it (its mnemonic)."""
    button = find_control(window, name, {pyatspi.ROLE_PUSH_BUTTON})
    binding = button.queryAction().getKeyBinding(0)
    if not binding:
        fault(window.name, f'button "{name}" has no key')
        return
    press_keys(window.name, binding.split(";")[0].replace("Alt+", "alt+").lower())


def click(window, name):
    """Presses a button through its accessible action (only for buttons that open nothing)."""
    find_control(window, name, {pyatspi.ROLE_PUSH_BUTTON}).queryAction().doAction(0)


def fill(window, values):
    for name, value in values.items():
        find_control(window, name).queryEditableText().setTextContents(value)


def check_message_box(app, form):
    """Enter on the fields as they open: the first is refused with a message box, which must
    say its title and its text."""
    press_keys(form.name, "Return")
    box = wait_for("a message box", lambda: next(
        (w for w in windows(app) if w.name.endswith("ERROR")), None))
    texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL]
    if not any(t.strip() for t in texts):
        fault(box.name, "message box without its text")
    check_window(box, f"message box {box.name}")
    click(box, "OK")
    gone(app, box.name)


def gone(app, window_title):
    wait_for(f'"{window_title}" to close',
             lambda: None if any(w.name == window_title for w in windows(app)) else True)


def tool_keys(tool_list, accelerators):
    """The key that opens each tool of the catalog, with the tool's window title."""
    keys = {}
    with open(accelerators, encoding="utf-8") as table:
        for line in table:
            if line.startswith("#") or not line.strip():
                continue
            modifier, letter, command = line.rstrip("\n").split("\t")
            keys[command] = f"{modifier.lower()}+{letter.lower()}"
    listed = subprocess.run([tool_list], check=True, capture_output=True, text=True).stdout
    tools = []
    for line in listed.splitlines():
        command, title = line.split("\t")
        if command not in keys:
            fault(title, f"no key opens the tool (command {command})")
            continue
        tools.append((keys[command], title))
    return tools


def main():
    program, workdir, tool_list, accelerators = sys.argv[1:5]
    os.makedirs(workdir, exist_ok=True)
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], cwd=workdir, env=environment)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("the program on the accessibility bus", lambda: next(
            (a for a in children(desktop) if a is not None and a.name == os.path.basename(program)),
            None))
        main_window = window_named(app, MAIN_TITLE)
        check_window(main_window)

        tools = tool_keys(tool_list, accelerators)
        tools.append(("alt+b", "About the Tarrow Financial Tool Set"))
        for key, title in tools:
            press_keys(MAIN_TITLE, key)
            form = window_named(app, title)
            check_window(form)
            if title == "Mortgage":
                check_message_box(app, form)
                fill(form, {"Start Age": "35", "Payoff Age": "65", "Rate": "6.5", "Amount": "200000",
                            "Down Payment / Equity": "40000", "No of Years": "30"})
                press(form, "Schedule")
                schedule = window_named(app, "Mortgage Schedule")
                check_window(schedule)
                click(schedule, "OK")
                gone(app, "Mortgage Schedule")
            elif title == "Refinance Analysis":
                fill(form, {"Start Age of Mortgage": "40", "Existing mortgage: Amount": "200000",
                            "Existing mortgage: Rate": "8", "Existing mortgage: No of Years": "30",
                            "Age at Refinancing": "45", "Refinanced mortgage: Rate": "6",
                            "Refinanced mortgage: No of Years": "30"})
                press(form, "Show Details")
                results = window_named(app, title, lambda w: any(
                    n.getRole() in TABLE_ROLES for n in walk(w)))
                check_window(results, "Refinance Analysis results")
                click(results, "OK")
            elif title == "Loan Solver":
                # Its first figures solve as they open: Schedule opens the loan's schedule.
                press(form, "Schedule")
                schedule = window_named(app, "Loan Schedule")
                check_window(schedule)
                click(schedule, "OK")
                gone(app, "Loan Schedule")
            click(form, "OK")
            gone(app, title)
    finally:
        process.terminate()
        process.wait(timeout=TIMEOUT)
    if faults:
        print(f"{len(faults)} faults", flush=True)
        return 1
    print("every control named", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
