#!/usr/bin/python3
# The worked example, x1 + x2 = 3 and x1 - x2 = 1, solved as a blind
# student's screen reader would: through the accessibility bus alone; then
# practised, a hint and a slip heard.
# Usage, inside dbus-run-session: solve_by_ear.py GAUSS
# It starts its own X screen and window manager, prints what it read, and
# exits non-zero when anything cannot be done.
import contextlib, os, shutil, subprocess, sys, tempfile
from gi.repository import Gio, GLib

STEPS = ['ред 1: 1; 1; 3 | ред 2: 0; -2; -2', 'ред 1: 1; 1; 3 | ред 2: 0; 1; 1',
         'ред 1: 1; 0; 2 | ред 2: 0; 1; 1']
children, heard = [], []  # heard: what the program announced, as (kind, source, detail)

def start(*command, **options):
    children.append(subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, **options))

# Runs the main loop until an event passes the test, and gives its source.
# Each wait reads on from the last; an object gone by then cannot pass.
def hear(what, test, seconds=20):
    timer = GLib.timeout_add_seconds(seconds, heard.append, None)
    while True:
        while heard:
            event = heard.pop(0) or sys.exit('failed: ' + what)
            with contextlib.suppress(GLib.Error):
                if test(*event):
                    GLib.source_remove(timer)
                    return event[1]
        GLib.MainContext.default().iteration(True)

def main(gauss):
    readable, writable = os.pipe()
    start('Xvfb', '-displayfd', str(writable), '-screen', '0', '1366x768x24', '-nolisten', 'tcp',
          pass_fds=(writable,))
    os.environ['DISPLAY'] = ':' + os.read(readable, 16).decode().strip()
    start('openbox')
    # The session bus starts the accessibility bus when first asked for it.
    address = Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
        'org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None, None,
        Gio.DBusCallFlags.NONE, -1)[0]
    flags = Gio.DBusConnectionFlags
    bus = Gio.DBusConnection.new_for_address_sync(
        address, flags.AUTHENTICATION_CLIENT | flags.MESSAGE_BUS_CONNECTION)
    import pyatspi
    pyatspi.Registry.registerEventListener(
        lambda e: heard.append((e.type, e.source, e.detail1)), 'window:activate', 'object:')

    # Sent without waiting for the reply: a press that opens a modal box may
    # answer only once the box is closed.
    def press(button):
        bus.call(button.app.bus_name, button.path, 'org.a11y.atspi.Action', 'DoAction',
                 GLib.Variant('(i)', (0,)), None, Gio.DBusCallFlags.NONE, -1, None, None)
    def find(role, name, within):
        test = name if callable(name) else (lambda text: text == name)
        found = pyatspi.findDescendant(within, lambda a: a.getRole() == role and test(a.name))
        return found or sys.exit('failed: find %s %r' % (role, name))

    # The number texts follow the locale and the view, which a fresh settings folder keeps at
    # decimals whatever the user chose.
    start(gauss, env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb',
                          LC_ALL='C.UTF-8', XDG_CONFIG_HOME=tempfile.mkdtemp()))
    window = hear('the window', lambda kind, source, _: kind == 'window:activate' and
                  source.getApplication().name == 'gauss')
    # Named by their unknown, the last column of two unknowns by the right-hand side.
    def cell(r, c):
        name = 'ред %d, %s' % (r, 'x%d' % c if c <= 2 else 'дясна страна')
        return find(pyatspi.ROLE_TEXT, name, window).queryEditableText()
    # Arranging empties the grid: once the mark is gone, the grid is arranged.
    cell(1, 1).setTextContents('?')
    press(find(pyatspi.ROLE_RADIO_BUTTON, '2 уравнения', window))
    press(find(pyatspi.ROLE_PUSH_BUTTON, 'ВЪВЕДИ  СИСТЕМАТА', window))
    hear('arrange', lambda kind, source, _: kind == 'object:text-changed:delete' and
         source.name == 'ред 1, x1')
    for r, row in enumerate([['1', '1', '3'], ['1', '-1', '1']], 1):
        for c, number in enumerate(row, 1):
            cell(r, c).setTextContents(number)
    print('typed: 1 1 3 | 1 -1 1')
    press(find(pyatspi.ROLE_PUSH_BUTTON, 'РЕШИ СИСТЕМАТА', window))
    for step, expected in enumerate(STEPS, 1):
        alert = hear('step %d' % step, lambda kind, source, showing: showing and
                     kind == 'object:state-changed:showing' and
                     source.getRole() == pyatspi.ROLE_ALERT and source.name == 'ВНИМАНИЕ!:')
        prompt = find(pyatspi.ROLE_LABEL, lambda text: 'стъпка:%d' % step in text, alert).name
        matrix = alert.description.replace('\n', ' | ')
        print('step %d: %s || %s' % (step, prompt, matrix))
        if matrix != expected:
            sys.exit('expected the matrix ' + expected)
        press(find(pyatspi.ROLE_PUSH_BUTTON, 'OK', alert))
    # The values are written together: once one is named, all are.
    hear('the solution', lambda kind, source, _: kind.endswith('accessible-name') and
         source.getRole() == pyatspi.ROLE_LABEL and source.name.startswith('x1 ='))
    for expected in ('x1 = 2', 'x2 = 1'):
        value = find(pyatspi.ROLE_LABEL, lambda text: text.startswith(expected[:4]), window).name
        print('solution:', value)
        if value != expected:
            sys.exit('expected ' + expected)
    # The whole matrix the grid shows, on demand: Ctrl+Shift+Space, once the window has the
    # keys again, pressed as a user does where xdotool is there to press it.
    if not shutil.which('xdotool'):
        print('read out: left out, no xdotool')
        return
    hear('the window back', lambda kind, source, _: kind == 'window:activate' and
         source.getApplication().name == 'gauss')
    subprocess.run(['xdotool', 'key', 'ctrl+shift+space'], check=True)
    expected = ('решение. ред 1: x1 коефициент 1, x2 коефициент 0, дясна страна 2. '
                'ред 2: x1 коефициент 0, x2 коефициент 1, дясна страна 1')
    said = hear('the matrix read out', lambda kind, source, showing: showing and
                kind == 'object:state-changed:showing' and expected in source.name)
    print('read out:', said.name)
    practise(press, find, cell, window.getApplication())

# Реши сам by ear: its start, a hint, and a slip in a row the student works out named.
def practise(press, find, cell, app):
    import pyatspi
    def told(what, key=None):
        if key:
            subprocess.run(['xdotool', 'key', key], check=True)
        said = hear(what, lambda kind, source, showing: showing and
                    kind == 'object:state-changed:showing' and what in source.name)
        print('practice:', said.name.replace('\n', ' | '))
        return said
    told('Реши сам: напишете операция', 'ctrl+r')
    told('водещият елемент', 'F1')
    own = find(pyatspi.ROLE_CHECK_BOX, 'Сам смятам', app)
    press(own)
    subprocess.run(['xdotool', 'type', '--delay', '20', 'p2 = p2 - p1'], check=True)
    told('Сметнете новия ред 2', 'Return')
    for c, number in enumerate(['0', '-2', '1'], 1):  # the right-hand side left as it was
        cell(2, c).setTextContents(number)
    press(find(pyatspi.ROLE_PUSH_BUTTON, 'Провери', app))
    told('Грешно: ред 2, дясна страна')

try:
    main(sys.argv[1])
finally:
    for child in reversed(children):
        child.terminate()
        child.wait()
