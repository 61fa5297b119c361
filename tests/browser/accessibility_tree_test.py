#!/usr/bin/env python3
"""QVN3 as a screen reader finds it: through the accessibility bus, open the
demo story, read the page and the choice buttons' names, take a choice and
read the new page. The pages must read as `qvn play` prints them. On the way
the slot dialog's radio buttons, an error box and the new-game prompts must
read in full; and a second story's question before it starts a program.

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


class reader_of:
    """QVN3 on `story`, found on the accessibility bus; ended by SIGTERM."""

    def __init__(self, qvn3, story, env):
        self.args, self.env = [qvn3, story], env

    def __enter__(self):
        self.reader = subprocess.Popen(self.args, env=self.env)
        return wait_for("QVN3 on the accessibility bus", lambda: application(self.reader.pid))

    def __exit__(self, *_):
        self.reader.send_signal(signal.SIGTERM)
        try:
            self.reader.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.reader.kill()
            self.reader.wait()


def shown(app, role, name=None):
    for node in descendants(app):
        if node.getRole() == role and showing(node) and (name is None or node.name == name):
            return node
    return None


def slot_dialog(app, slot2_path):
    """The radio buttons carry the selected slot's caption and status; slot 2,
    a folder, brings up an error box that reads in full."""
    def radios():
        found = sorted((node.name, node.description) for node in descendants(app)
                       if node.getRole() == pyatspi.ROLE_RADIO_BUTTON and showing(node))
        return found if len(found) == 4 else None

    fresh = [("1: " + TITLE, "未使用ファイルです。"), ("2", ""), ("3", ""), ("4", "")]
    found = wait_for("the slot dialog's radio buttons", radios)
    if found != fresh:
        fail("the slot radio buttons read %r" % found)
    press(shown(app, pyatspi.ROLE_RADIO_BUTTON, "2"))
    alert = wait_for("the error box", lambda: shown(app, pyatspi.ROLE_ALERT))
    if slot2_path not in alert.description or "directory" not in alert.description.lower():
        fail("the error box reads %r" % alert.description)
    print("error box: %r" % alert.description)
    press([node for node in descendants(alert) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON][0])
    wait_for("the error box to close", lambda: shown(app, pyatspi.ROLE_ALERT) is None)
    press(wait_for("radio button 1", lambda: shown(app, pyatspi.ROLE_RADIO_BUTTON, "1")))
    wait_for("slot 1 again", lambda: radios() == fresh)
    print("slot radio buttons: %r" % fresh)


def ok_until_page(app, prompts):
    """Ok on each dialog until the page has its text; the prompts' fields
    read as the dialog's question, which the dialog itself says in full."""
    page = page_of(app)
    if page is not None and page_text(page):
        return page
    ok = shown(app, pyatspi.ROLE_PUSH_BUTTON, "Ok")
    if ok is None:
        return None
    fields = [node for node in descendants(app)
              if node.getRole() == pyatspi.ROLE_TEXT and showing(node)
              and node.parent.getRole() == pyatspi.ROLE_DIALOG]
    if fields:
        field = fields[0]
        dialog = field.parent
        if dialog.description != field.name:
            fail("the prompt reads %r, its field %r" % (dialog.description, field.name))
        if not prompts or prompts[-1] != field.name:
            prompts.append(field.name)
    press(ok)
    pump(0.3)
    return None


def program_question(qvn, qvn3, folder, env):
    """A story that starts a program: the question reads in full, and its
    answer that starts nothing is found by its name."""
    os.makedirs(folder)
    with open(os.path.join(folder, "mark.sh"), "w") as script:
        script.write("#!/bin/sh\n: > \"$1\"\n")
    os.chmod(os.path.join(folder, "mark.sh"), 0o755)
    with open(os.path.join(folder, "tool.src"), "wb") as source:
        source.write("TITLE=道具の物語\r\n#START\r\n>EXE=%P%mark.sh %P%started.txt\r\n"
                     "Page one.\r\n?END\r\nSTART\r\n".encode("cp932"))
    subprocess.run([qvn, "compile", "--color=never", os.path.join(folder, "tool.src")],
                   check=True, capture_output=True)
    with reader_of(qvn3, os.path.join(folder, "tool.qvn"), env) as app:
        press(wait_for("the slot dialog", lambda: shown(app, pyatspi.ROLE_PUSH_BUTTON, "Ok")))
        question = wait_for("the program question",
                            lambda: shown(app, pyatspi.ROLE_DIALOG, "外部プログラムの起動"))
        words = question.description
        for part in ("物語「道具の物語」がプログラムを起動しようとしています。",
                     os.path.join(os.path.realpath(folder), "mark.sh"), "started.txt",
                     "信頼できる物語のときだけ起動してください。"):
            if part not in words:
                fail("the program question reads %r, without %r" % (words, part))
        print("program question: %r" % words)
        no = [node for node in descendants(question)
              if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name.startswith("起動しない")]
        if not no:
            fail("no button named 起動しない")
        press(no[0])
        page = wait_for("the page", lambda: page_of_title(app, "道具の物語"))
        if page_text(page) != "Page one.":
            fail("the tool story's page reads %r" % page_text(page))
    if os.path.exists(os.path.join(folder, "started.txt")):
        fail("the program started without the reader's yes")


def page_of_title(app, title):
    for node in descendants(app):
        if node.getRole() == pyatspi.ROLE_TEXT and node.name == title and page_text(node):
            return node
    return None


def caret_mode(page):
    """What caret mode asks: the row at an offset, and where a character is
    on the screen and which one is at a point."""
    text = page.queryText()
    whole = page_text(page)
    row, start, end = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
    if start != 0 or not row or not whole.startswith(row.rstrip("\n")):
        fail("the first row reads %r (%d to %d)" % (row, start, end))
    after, next_start, _ = text.getTextAtOffset(end, pyatspi.TEXT_BOUNDARY_LINE_START)
    if next_start != end or not after:
        fail("the row after %r reads %r from %d" % (row, after, next_start))
    x, y, width, height = text.getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
    px, py, pwidth, pheight = page.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if not (px <= x and x + width <= px + pwidth and py <= y and y + height <= py + pheight
            and width > 0 and height > 0):
        fail("the first character lies at %r, the page at %r"
             % ((x, y, width, height), (px, py, pwidth, pheight)))
    for offset in (0, 1, end):
        x, y, width, height = text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
        found = text.getOffsetAtPoint(x + width // 2, y + height // 2, pyatspi.DESKTOP_COORDS)
        if found != offset:
            fail("the character at offset %d's own place is offset %d" % (offset, found))
    print("rows: %r, %r" % (row, after))


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
        # Slot 2 is a folder: choosing it brings up the error box.
        slot2 = [name for name in os.listdir(read) if name.lower() == "demo.q02"][0]
        os.remove(os.path.join(read, slot2))
        os.mkdir(os.path.join(read, slot2))
        with reader_of(qvn3, os.path.join(read, "demo.qvn"), env) as app:
            slot_dialog(app, os.path.join(read, slot2))
            prompts = []
            page = wait_for("the first page", lambda: ok_until_page(app, prompts))
            if prompts != ["主人公を入力して下さい", "友人を入力して下さい"]:
                fail("the new-game prompts read %r" % prompts)
            if page_text(page) != expected[0]:
                fail("first page reads %r, qvn play prints %r" % (page_text(page), expected[0]))
            captions = sorted(line.strip() for line in expected[0].split("\n")
                              if re.match(r"^ [A-F]: ", line))
            if choice_names(page) != captions:
                fail("buttons read %r, the page offers %r" % (choice_names(page), captions))

            caret_mode(page)
            first = [node for node in page if node is not None and node.name == captions[0]]
            press(first[0])
            wait_for("the second page", lambda: page_text(page) == expected[1])
            wait_for("the new page's text-changed event", lambda: expected[1] in inserted)
            print("page 1: %r\nbuttons: %r\npage 2: %r" % (expected[0], captions, expected[1]))

        program_question(qvn, qvn3, os.path.join(work, "tool"), env)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("PASS")


if __name__ == "__main__":
    main()
