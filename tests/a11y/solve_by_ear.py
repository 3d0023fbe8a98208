#!/usr/bin/python3
# The worked example, x1 + x2 = 3 and x1 - x2 = 1, solved as a blind
# student's screen reader would: through the accessibility bus alone.
# Usage, inside dbus-run-session: solve_by_ear.py GAUSS AT_SPI_BUS_LAUNCHER
# It starts its own X screen, window manager and accessibility bus, prints
# what it read, and exits non-zero when anything cannot be done.
import os, subprocess, sys, time

STEPS = ['ред 1: 1; 1; 3 | ред 2: 0; -2; -2', 'ред 1: 1; 1; 3 | ред 2: 0; 1; 1',
         'ред 1: 1; 0; 2 | ред 2: 0; 1; 1']
children = []

def start(*command, **options):
    children.append(subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, **options))

def wait_for(what, found, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if found():
            return found()
        time.sleep(0.1)
    sys.exit('failed: ' + what)

def main(gauss, launcher):
    readable, writable = os.pipe()
    start('Xvfb', '-displayfd', str(writable), '-screen', '0', '1366x768x24', '-nolisten', 'tcp',
          pass_fds=(writable,))
    os.environ['DISPLAY'] = ':' + os.read(readable, 16).decode().strip()
    start('openbox')
    start(launcher, '--launch-immediately')
    time.sleep(1)
    start(gauss, env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb',
                          LC_ALL='C.UTF-8'))  # the number texts follow the locale
    import pyatspi
    from gi.repository import Atspi
    app = wait_for('gauss on the bus', lambda: next(
        (a for a in pyatspi.Registry.getDesktop(0) if a and a.name == 'gauss'), None))

    def find(role, name, within=app):
        test = name if callable(name) else (lambda text: text == name)
        return wait_for('find %s %r' % (role, name), lambda: pyatspi.findDescendant(
            within, lambda a: a.getRole() == role and test(a.name)))

    def cell(r, c):
        return find(pyatspi.ROLE_TEXT, 'ред %d, колона %d' % (r, c)).queryEditableText()

    # A press clicks a moment later, and arranging empties the grid: wait for
    # that before typing.
    cell(1, 1).setTextContents('?')
    find(pyatspi.ROLE_RADIO_BUTTON, '2 уравнения').queryAction().doAction(0)
    find(pyatspi.ROLE_PUSH_BUTTON, 'ВЪВЕДИ  СИСТЕМАТА').queryAction().doAction(0)
    wait_for('arrange', lambda: cell(1, 1).characterCount == 0)
    for r, row in enumerate([['1', '1', '3'], ['1', '-1', '1']], 1):
        for c, number in enumerate(row, 1):
            cell(r, c).setTextContents(number)
    print('typed: 1 1 3 | 1 -1 1')
    # Should a press ever wait for the click, this one would return only after
    # the last step box: the boxes are followed instead.
    Atspi.set_timeout(500, -1)
    try:
        find(pyatspi.ROLE_PUSH_BUTTON, 'РЕШИ СИСТЕМАТА').queryAction().doAction(0)
    except Exception:
        pass
    for step, expected in enumerate(STEPS, 1):
        alert = find(pyatspi.ROLE_ALERT, 'ВНИМАНИЕ!:')
        prompt = find(pyatspi.ROLE_LABEL, lambda text: 'стъпка:%d' % step in text, alert).name
        matrix = alert.description.replace('\n', ' | ')
        print('step %d: %s || %s' % (step, prompt, matrix))
        if matrix != expected:
            sys.exit('expected the matrix ' + expected)
        find(pyatspi.ROLE_PUSH_BUTTON, 'OK', alert).queryAction().doAction(0)
        wait_for('answer step %d' % step, lambda: not pyatspi.findDescendant(
            app, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name == prompt))
    for expected in ('x1 = 2', 'x2 = 1'):
        value = find(pyatspi.ROLE_LABEL, lambda text: text.startswith(expected[:4])).name
        print('solution:', value)
        if value != expected:
            sys.exit('expected ' + expected)

try:
    main(*sys.argv[1:3])
finally:
    for child in reversed(children):
        child.terminate()
        child.wait()
