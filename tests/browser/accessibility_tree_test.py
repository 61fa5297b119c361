#!/usr/bin/env python3
"""QVN3 as a screen reader finds it: through the accessibility bus, open the
demo story, read the page and the choice buttons' names, take a choice and
read the new page. The pages must read as `qvn play` prints them.

usage: accessibility_tree_test.py QVN QVN3 DEMO_FOLDER
Runs under an X server and a private D-Bus session (see the .sh beside it).
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TITLE = "夜の図書館"
TIMEOUT = 30.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pages_as_played(qvn, folder, keys):
    """The pages `qvn play` prints: the lines after each rule up to the row
    of buttons, an event line or the caption."""
    out = subprocess.run([qvn, "play", "--choose=" + keys, os.path.join(folder, "demo.qvn")],
                         check=True, capture_output=True).stdout.decode("utf-8")
    pages, page = [], None
    for line in out.split("\n"):
        if line == "-" * 40:
            page = []
            pages.append(page)
        elif page is not None and not re.match(r"^(\[|==|  \[)", line):
            page.append(line)
        else:
            page = None
    return ["\n".join(p).rstrip("\n") for p in pages]


def pump(seconds=0.05):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def wait_for(what, find):
    end = time.monotonic() + TIMEOUT
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us: ask again
            found = None
        if found:
            return found
        pump(0.1)
    fail("timed out waiting for " + what)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def page_of(app):
    for node in descendants(app):
        if node.getRole() == pyatspi.ROLE_TEXT and node.name == TITLE:
            return node
    return None


def page_text(page):
    text = page.queryText()
    return text.getText(0, text.characterCount)


def choice_names(page):
    return sorted(node.name for node in page
                  if node is not None and node.getRole() == pyatspi.ROLE_PUSH_BUTTON
                  and showing(node))


def press(node):
    node.queryAction().doAction(0)


def main():
    qvn, qvn3, demo = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="qvn-a11y-")
    try:
        played, read = os.path.join(work, "played"), os.path.join(work, "read")
        shutil.copytree(demo, played)
        subprocess.run([qvn, "compile", "--color=never", os.path.join(played, "demo.src")],
                       check=True, capture_output=True)
        shutil.copytree(played, read)
        expected = pages_as_played(qvn, played, "1")
        if len(expected) < 2:
            fail("qvn play printed %d pages" % len(expected))

        inserted = []

        def on_insert(event):
            if event.source is not None and event.source.name == TITLE:
                inserted.append(event.any_data)

        pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")

        env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_DATA_HOME=os.path.join(work, "data"), QT_QPA_PLATFORM="xcb",
                   QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   SDL_AUDIODRIVER="dummy")
        reader = subprocess.Popen([qvn3, os.path.join(read, "demo.qvn")], env=env)
        try:
            app = wait_for("QVN3 on the accessibility bus", lambda: application(reader.pid))

            # The slot dialog and the new-game prompts: Ok on each.
            def opened():
                page = page_of(app)
                if page is not None and page_text(page):
                    return page
                for node in descendants(app):
                    if (node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name == "Ok"
                            and showing(node)):
                        press(node)
                        pump(0.3)
                        break
                return None

            page = wait_for("the first page", opened)
            if page_text(page) != expected[0]:
                fail("first page reads %r, qvn play prints %r" % (page_text(page), expected[0]))
            captions = sorted(line.strip() for line in expected[0].split("\n")
                              if re.match(r"^ [A-F]: ", line))
            if choice_names(page) != captions:
                fail("buttons read %r, the page offers %r" % (choice_names(page), captions))

            first = [node for node in page if node is not None and node.name == captions[0]]
            press(first[0])
            wait_for("the second page", lambda: page_text(page) == expected[1])
            wait_for("the new page's text-changed event", lambda: expected[1] in inserted)
            print("page 1: %r\nbuttons: %r\npage 2: %r" % (expected[0], captions, expected[1]))
        finally:
            reader.send_signal(signal.SIGTERM)
            try:
                reader.wait(timeout=10)
            except subprocess.TimeoutExpired:
                reader.kill()
                reader.wait()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("PASS")


if __name__ == "__main__":
    main()
