#!/usr/bin/env python3
# The editor as a screen reader meets it, through AT-SPI: every input control of every page has a
# name, name + description pairs are distinct on a page, the Send button found by its name and
# pressed through its accessible action puts the data set on the line (85 frame at the simulator),
# and a changed control's description names the controller's value.
# Runs inside its own display and session bus:
#   xvfb-run -a dbus-run-session -- /usr/bin/python3 a11y_test.py <bin folder> <shipped settings>
# "--press <name>" is the helper that presses a button: the press runs the modal question inside
# the call, so it runs in a process of its own while this one answers the question. "--describe
# <name>" reads a description afresh (the AT-SPI library keeps what it read once).
import os, re, shutil, subprocess, sys, tempfile, time

INPUT_ROLES = {'push button', 'toggle button', 'check box', 'radio button', 'text', 'entry',
               'combo box', 'spin button'}


def until(what, seconds, condition):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            result = condition()
        except Exception:  # GLib.GError: a window or control went while it was read
            result = None
        if result:
            return result
        time.sleep(0.1)
    sys.exit(f'FAIL: {what() if callable(what) else what} (waited {seconds} s)')


def walk(acc, showing_only=True):
    import pyatspi
    try:
        states = acc.getState()
        if showing_only and not states.contains(pyatspi.STATE_SHOWING):
            return
        yield acc
        for child in acc:
            if child is not None:
                yield from walk(child, showing_only)
    except Exception:  # a window that went meanwhile
        return


def editor():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name in ('zozedud', 'org.example.zozedud'):
            return app
    return None


def find(root, role, name=None):
    for acc in walk(root):
        if acc.getRoleName() == role and (name is None or acc.name == name):
            return acc
    return None


def current(tab):
    import pyatspi
    states = tab.getState()  # Qt marks the current tab as focused, others as selected
    return states.contains(pyatspi.STATE_SELECTED) or states.contains(pyatspi.STATE_FOCUSED)


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index('Press') if 'Press' in names else 0)


if len(sys.argv) == 3 and sys.argv[1] == '--press':
    app = until('the editor on the bus', 20, editor)
    press(until('button ' + sys.argv[2], 10, lambda: find(app, 'push button', sys.argv[2])))
    sys.exit(0)
if len(sys.argv) == 3 and sys.argv[1] == '--describe':  # fresh, past the library's cache
    box = next(a for a in walk(editor()) if a.name == sys.argv[2])
    print(box.description)
    sys.exit(0)

bin_dir, shipped_ini = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp()
procs = []
try:
    for f in ('zozedud', 'Default.DAT'):
        shutil.copy(os.path.join(bin_dir, f), work)
    sim_log = open(os.path.join(work, 'sim.log'), 'w+')
    sim = subprocess.Popen([os.path.join(bin_dir, 'qpl-sim')], stdin=subprocess.PIPE,
                           stdout=sim_log, stderr=subprocess.STDOUT)
    procs.append(sim)
    read_sim = lambda: open(sim_log.name).read()
    device = until('the simulator', 10, lambda: (re.findall(r'^PTY (\S+)', read_sim(), re.M) or [''])[0])
    ini = open(shipped_ini, 'rb').read().decode('cp1252')
    for key, value in (('Port', device), ('Language', 'ENG'), ('Debug', 'yes')):
        ini = re.sub(r'^(\s*' + key + r'\s*=).*$', lambda m: m.group(1) + ' ' + value, ini,
                     count=1, flags=re.M)
    open(os.path.join(work, 'zozedud.Ini'), 'wb').write(ini.encode('cp1252'))

    # A window manager gives the windows the focus, as on a desktop.
    procs.append(subprocess.Popen(['openbox', '--sm-disable'], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL))
    # The accessibility bus of this session; the editor's bridge is on from its start.
    procs.append(subprocess.Popen(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately']))
    until('the accessibility bus', 10, lambda: subprocess.run(
        ['dbus-send', '--session', '--print-reply', '--dest=org.a11y.Bus', '/org/a11y/bus',
         'org.a11y.Bus.GetAddress'], capture_output=True).returncode == 0)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1',
               QT_QPA_PLATFORM='xcb', XDG_RUNTIME_DIR=work)
    procs.append(subprocess.Popen([os.path.join(work, 'zozedud')], cwd=work, env=env))
    import pyatspi
    app = until('the editor on the bus', 30, editor)
    frame = until('the main window', 30, lambda: next(
        (w for w in app if w is not None and 'ZozEdud' in w.name and w.getState().contains(
            pyatspi.STATE_SHOWING)), None))
    tabs = until('the tab strip', 10, lambda: find(frame, 'page tab list'))

    def button_in_box(name):
        for w in app:
            if w is not None and w.getRoleName() in ('dialog', 'alert'):
                found = find(w, 'push button', name)
                if found:
                    return found
        return None

    def boxes_answered():  # with Debug on, each exchange ends with a box: OK
        showing = [w for w in app if w is not None and w.getRoleName() in ('dialog', 'alert')
                   and w.getState().contains(pyatspi.STATE_SHOWING)]
        for w in showing:
            ok = find(w, 'push button', 'OK')
            if ok:
                press(ok)
        return not showing

    # Start-up is over when the status field of the controller's data is there.
    until('the end of start-up', 60, lambda: boxes_answered() and any(
        a.getRoleName() == 'label' and re.search(r"controller's data unknown|in step with the "
                                                 r"controller|changes not sent", a.name)
        for a in walk(frame)))

    def select(name):  # the tabs' objects are made anew when a tab changes (its mark)
        try:
            tab = find(frame, 'page tab', name)
            if tab and not current(tab):
                press(tab)
            return tab and current(tab)
        except Exception:
            return False

    failures = []
    for name in [t.name for t in tabs if t is not None and t.getRoleName() == 'page tab']:
        until('tab ' + name, 10, lambda: select(name))
        seen = {}
        for acc in walk(frame):
            if acc.getRoleName() not in INPUT_ROLES or acc.parent.getRoleName() == 'page tab':
                continue
            pair = (acc.name, acc.description)
            if not acc.name.strip():
                failures.append(f'{name}: a {acc.getRoleName()} without a name '
                                f'({acc.description!r} in {acc.parent.getRoleName()})')
            elif pair in seen:
                failures.append(f'{name}: "{acc.name}" / "{acc.description}" twice')
            seen[pair] = acc
        # A box is named by its row's label; a row's drop-down button by the row.
        for page, wanted in (('Status', 'Device'), ('Monitor', 'Key 1, choose')):
            if name == page and wanted not in {n for n, _ in seen}:
                failures.append(f'{page}: no control named "{wanted}"')
        print(f'page {name}: {len(seen)} controls')
    if failures:
        sys.exit('FAIL:\n  ' + '\n  '.join(failures[:40]))

    # Send through the named button; the question is answered through its Yes button.
    helper = subprocess.Popen([sys.executable, __file__, '--press', 'Send data'])
    procs.append(helper)
    press(until('the question before sending', 20, lambda: button_in_box('Yes')))
    until('the 85 frame at the simulator', 20, lambda: re.search(r'^RX 85 20', read_sim(), re.M))
    until('the send to end', 20, lambda: helper.poll() is not None and boxes_answered())

    # A changed name: its description says what the controller holds.
    until('the names page', 10, lambda: select('Names'))
    box = until('a name box', 10, lambda: next(
        (a for a in walk(frame) if a.getRoleName() in ('text', 'entry') and a.name.endswith(' name')
         and a.getState().contains(pyatspi.STATE_EDITABLE)), None))
    old = box.queryText().getText(0, -1)
    box.queryEditableText().setTextContents('Zz9')
    extents = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    def described():
        boxes_answered()  # a late box of the exchange would take the click
        # A click on the box ends the edit, as the user's would (again, should the window
        # manager have taken the first one for itself).
        subprocess.run(['xdotool', 'mousemove', str(extents.x + extents.width // 2),
                        str(extents.y + extents.height // 2), 'click', '1'], check=True)
        text = subprocess.run([sys.executable, __file__, '--describe', box.name],
                              capture_output=True, text=True).stdout.strip()
        seen_descriptions.append(text + ' / ' + ' '.join(
            a.name for a in walk(frame) if a.getRoleName() == 'label' and 'controller' in a.name))
        return re.search('changed.*' + re.escape(old.strip()), text)

    seen_descriptions = ['']
    until(lambda: f'"changed" and "{old.strip()}" in the description of "{box.name}" (last: '
          f'"{seen_descriptions[-1]}")', 20, described)
    print('PASS')
finally:
    for p in reversed(procs):
        p.terminate()
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            p.kill()
    shutil.rmtree(work, ignore_errors=True)
