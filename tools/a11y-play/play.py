#!/usr/bin/env python3
"""Plays Key Derby as an assistive tool meets it: every decision is taken from the program's
accessibility tree (AT-SPI), keys are sent as a keyboard would send them.

    session.sh play.py GAME large    a practice and two time trials to their results
    session.sh play.py GAME checks   zoom sizes, full screen, Tab on the character selection,
                                     Tab keys in a practice, misses with capitals in 成績

Run inside ../shared/tools/session.sh (a private Xvfb, D-Bus and accessibility bus), e.g.
    SESSION_SCREEN=2560x1440 session.sh python3 tools/a11y-play/play.py build/test/bin/keyderby large
Every line printed is what a screen reader could say at that moment; the exit status is 1 when
a check fails.
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

from kana import romaji

FAILED = []


def say(*parts):
    print("%7.1f  %s" % (time.time() - T0, " ".join(str(p) for p in parts)), flush=True)


def check(ok, what):
    say("ok  " if ok else "FAIL", what)
    if not ok:
        FAILED.append(what)


class Game:
    def __init__(self, program, zoom=None):
        self.data = tempfile.mkdtemp(prefix="a11y-play.")
        config = os.path.join(self.data, "config", "keyderby")
        os.makedirs(config)
        if zoom:
            with open(os.path.join(config, "keyderby.conf"), "w") as f:
                f.write("[view]\nzoomPercent=%d\nfullScreen=false\n" % zoom)
        env = dict(os.environ, XDG_DATA_HOME=self.data, XDG_CONFIG_HOME=os.path.dirname(config),
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", SDL_AUDIODRIVER="dummy", LANGUAGE="ja")
        self.proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        with open(os.path.join(os.environ.get("SESSION_DIR", self.data), "pids"), "a") as f:
            f.write("%d\n" % self.proc.pid)
        self.app = None

    # --- the tree -----------------------------------------------------------------------
    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            try:
                if a is not None and a.get_process_id() == self.proc.pid:
                    return a
            except Exception:
                continue
        return None

    def windows(self):
        app = self.application()
        if app is None:
            return []
        return [w for w in (app.getChildAtIndex(i) for i in range(app.childCount)) if w is not None]

    def window(self, title=None, role=None):
        """The newest showing window with this title (and role)."""
        for w in reversed(self.windows()):
            if showing(w) and (title is None or w.name == title) and \
                    (role is None or w.getRoleName() == role):
                return w
        return None

    def wait(self, find, what, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            try:
                found = find()
            except Exception:  # an object went away while it was read
                found = None
            if found:
                return found
            time.sleep(0.1)
        raise RuntimeError("waited %d s for %s" % (timeout, what))

    def wait_window(self, title, role=None, timeout=15):
        return self.wait(lambda: self.window(title, role), "the window \"%s\"" % title, timeout)

    def end(self):
        self.proc.kill()
        self.proc.wait()


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def state(acc, s):
    try:
        return acc.getState().contains(s)
    except Exception:
        return False


def nodes(acc):
    if acc is None:
        return
    yield acc
    for i in range(acc.childCount):
        try:
            child = acc.getChildAtIndex(i)
        except Exception:
            continue
        yield from nodes(child)


def find(root, name=None, role=None, description=None, starts=None):
    for n in nodes(root):
        if not showing(n):
            continue
        if name is not None and n.name != name:
            continue
        if starts is not None and not (n.name or "").startswith(starts):
            continue
        if role is not None and n.getRoleName() != role:
            continue
        if description is not None and (n.description or "") != description:
            continue
        return n
    return None


def labels(root, starts=""):
    return [n.name for n in nodes(root) if showing(n) and n.getRoleName() == "label"
            and n.name and n.name.startswith(starts)]


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def focused(root):
    for n in nodes(root):
        if showing(n) and state(n, pyatspi.STATE_FOCUSED) and n.childCount == 0:
            return n
    return None


def press(acc):
    """Presses a control through its accessibility action, as switch access does."""
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    say("press", '"%s"' % acc.name, "(action %s)" % names[0])
    action.doAction(0)


def keys(*k):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(k), check=True)


def type_text(s):
    subprocess.run(["xdotool", "type", "--delay", "70", s], check=True)


def screen_size():
    out = subprocess.run(["xdpyinfo"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if "dimensions:" in line:
            w, h = line.split()[1].split("x")
            return int(w), int(h)
    return None


# --- steps shared by both plays ---------------------------------------------------------
def past_the_name_screen(game):
    box = game.wait(lambda: find(game.window("Key Derby", "filler"), role="text"), "the name box")
    name = game.window("Key Derby", "filler")
    say("heard:", labels(name)[0], "/ name box:", box.queryText().getText(0, -1))
    game.name_box = (extents(box), tuple(box.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)))
    keys("Return")
    alert = game.wait(lambda: game.window(role="alert"), "the confirmation")
    say("heard:", labels(alert)[0])
    press(find(alert, name="OK", role="push button"))
    return main_menu(game)


def main_menu(game):
    return game.wait(lambda: find(game.window("Key Derby", "filler"), role="menu item",
                                  name="PRACTICE"), "the main menu") and game.window("Key Derby")


def choose_mode(game, mode):
    menu = main_menu(game)
    for _ in range(5):
        item = game.wait(lambda: focused(menu), "a chosen mode")
        say("heard: menu item", item.name, "(focused)")
        if item.name == mode:
            keys("Return")
            return
        keys("Down")
        time.sleep(0.2)
    raise RuntimeError("no menu item " + mode)


def play_questions(game, play_title, wrong_keys=(), tab_between=False):
    """Types every question the tree shows until the results come; returns the keys sent."""
    play = game.wait(lambda: game.window(play_title), "the window " + play_title)
    reading = game.wait(lambda: find(play, description="読み", name="スペースでスタート"), "the start")
    question = find(play, description="問題")
    say("heard:", reading.name)
    keys("space")
    last, count, sent, wrong = None, 0, 0, list(wrong_keys)
    changed = started = time.time()
    while not game.window("Key Derby　―　結果　―"):
        if time.time() - started > 240:
            raise RuntimeError("no results after 4 minutes of " + play_title)
        q, r = question.name, reading.name
        fresh = q and r and q != last and r not in ("Ready...", "Go!!")
        # The same question twice in a row, or keys the game never got: what is left is typed.
        again = q and r and q == last and time.time() - changed > 5
        if fresh or again:
            last, changed = q, time.time()
            if fresh:
                count += 1
                if count <= 3 or count % 10 == 0:
                    say("heard: question", q, "/ reading", r)
            else:
                say("heard again: question", q, "/ left to type", r)
            # A wrong key is sent only where it cannot be the next right one.
            if wrong and not romaji(r).lower().startswith(wrong[0].lower()):
                keys(wrong.pop(0))
            typed = romaji(r)
            if tab_between:
                for ch in typed:
                    type_text(ch)
                    keys("Tab")
            else:
                type_text(typed)
            sent += len(typed)
        time.sleep(0.05)
    say("typed %d questions, %d right keys" % (count, sent))
    return count


def read_results(game, title):
    result = game.wait_window(title)
    heard = labels(result)
    say("heard:", " / ".join(heard[:12]))
    return result, heard


def practice_to_results(game, **kw):
    choose_mode(game, "PRACTICE")
    play_questions(game, "Key Derby -PRACTICE-", **kw)
    return read_results(game, "Key Derby　―　結果　―")


def time_trial_to_results(game, player):
    choose_mode(game, "TIME TRIAL")
    play_questions(game, "Key Derby -TIME TRIAL-")
    result, heard = read_results(game, "Key Derby　―　結果　―")
    box = game.wait(lambda: find(result, role="text"), "the name box")
    check(state(box, pyatspi.STATE_FOCUSED), "the name box has the reported focus")
    keys("ctrl+a")
    type_text(player)
    keys("Return")
    ranking = game.wait_window("Ranking")
    try:
        game.wait(lambda: player in labels(ranking), "the player's name in the ranking", 5)
    except RuntimeError:
        pass
    names = [n for n in labels(ranking) if n == player]
    say("heard: ranking", " / ".join(labels(ranking)[:20]))
    keys("Return")
    return heard, names


def large(program):
    size = screen_size()
    game = Game(program)
    menu = past_the_name_screen(game)
    zoom = [n.name for n in nodes(menu) if n.getRoleName() == "menu item" and n.name.endswith("%")
            and state(n, pyatspi.STATE_CHECKED)]
    say("screen %dx%d, zoom chosen by the game:" % size, zoom, "main menu at", extents(menu))
    _, heard = practice_to_results(game)
    check(any(h.startswith("全打数：") for h in heard) and "誤打数：0" in heard,
          "the practice's results are read, no miss")
    keys("Return")  # OK on the results
    time.sleep(1)
    practice = game.window("Key Derby -PRACTICE-")
    if practice:
        press(find(practice, name="戻る", role="push button"))
    for n, player in enumerate(["Hanako", "Taro"]):
        heard, ranked = time_trial_to_results(game, player)
        check(any(h.startswith("ランク：") for h in heard), "time trial %d: its results are read" % (n + 1))
        check(ranked == [player], "time trial %d: %s is read in the ranking" % (n + 1, player))
        alert = game.wait(lambda: game.window(role="alert"), "もう一度挑戦しますか？")
        say("heard:", labels(alert)[0])
        press(find(alert, name="Yes" if n == 0 else "No", role="push button"))
        if n == 0:
            # Yes plays again at once; back to the menu so the second run starts like the first.
            play = game.wait_window("Key Derby -TIME TRIAL-")
            press(find(play, name="戻る", role="push button"))
    choose_mode(game, "END")
    alert = game.wait(lambda: game.window(role="alert"), "終了してもよろしいですか？")
    say("heard:", labels(alert)[0])
    press(find(alert, name="OK", role="push button"))
    check(game.proc.wait(10) == 0, "the game ended through END")


def main_menu_size(program, zoom):
    game = Game(program, zoom)
    menu = past_the_name_screen(game)
    where = extents(menu)
    say("main menu at %d %%:" % zoom, where)
    return game, menu, where


def checks(program):
    width, height = screen_size()
    game, _, small = main_menu_size(program, 100)
    game.end()
    game, menu, large = main_menu_size(program, 200)
    box, first = game.name_box
    say("name box at 200 %:", box, "its first character at", first)
    check(box[0] <= first[0] < box[0] + box[2] and box[1] <= first[1] < box[1] + box[3]
          and first[2] * 2 <= box[2] and first[3] <= box[3] + 2,
          "at 200 % the name box's first character is reported inside the box")
    check(abs(large[2] - 2 * small[2]) <= 4 and abs(large[3] - 2 * small[3]) <= 4,
          "at 200 %% the main menu is reported twice its size at 100 %% (%dx%d, %dx%d)"
          % (small[2], small[3], large[2], large[3]))
    check(large[0] >= 0 and large[1] >= 0 and large[0] + large[2] <= width and large[1] + large[3] <= height,
          "at 200 % the main menu is reported on the screen")

    keys("F11")
    time.sleep(1)
    covering = [extents(w) for w in game.windows() if showing(w)]
    say("full screen, windows reported at", covering)
    check((0, 0, width, height) in covering, "F11: a window covers the screen")
    keys("F11")
    time.sleep(1)
    back = extents(game.window("Key Derby", "filler"))
    check(all(abs(a - b) <= 4 for a, b in zip(back, large)), "F11 again: the menu is back where it was")

    choose_mode(game, "KEY DERBY")
    select = game.wait_window("キャラクター選択")
    say("heard:", " / ".join(labels(select)[:8]))
    for _ in range(12):
        now = focused(select)
        if now is not None and now.name == "戻る":
            break
        keys("Tab")
        time.sleep(0.2)
    now = focused(select)
    check(now is not None and now.name == "戻る" and now.getRoleName() == "push button",
          "Tab moves the reported focus to 戻る on the character selection")
    keys("Return")
    check(bool(game.wait(lambda: game.window("Key Derby", "filler") and find(game.window("Key Derby"),
                                                                                role="menu item", name="END"),
                         "the main menu")), "Enter on 戻る returns to the main menu")

    # Right answers with Tab after every key, and four misses: capitals and small letters.
    _, heard = practice_to_results(game, wrong_keys=("Q", "q", "X", "x"), tab_between=True)
    check("誤打数：4" in heard, "Tabs among the right answers are no miss; the four wrong keys are")
    keys("Return")  # OK on the results: back to the practice
    practice = game.wait_window("Key Derby -PRACTICE-")

    # English words, capitals among them, with misses sent as capitals and small letters.
    press(find(practice, name="設定", role="push button"))
    settings = game.wait(lambda: game.window("設定"), "the practice settings")
    press(find(settings, name="英単語", role="radio button"))
    press(find(settings, name="OK", role="push button"))
    game.wait(lambda: find(game.window("Key Derby -PRACTICE-"), starts="ジャンル：英単語"), "英単語 chosen")
    press(find(game.window("Key Derby -PRACTICE-"), name="戻る", role="push button"))
    _, heard = practice_to_results(game, wrong_keys=("Q", "q", "X", "x", "J", "j"))
    misses = next((h for h in heard if h.startswith("誤打数：")), "")
    check(misses in ("誤打数：6", "誤打数：5", "誤打数：4"), "the English practice counted the wrong keys (%s)" % misses)

    keys("F2")
    stats = game.wait(lambda: next((w for w in game.windows() if showing(w)
                                    and (w.name or "").startswith("成績")), None), "the statistics window")
    where = extents(stats)
    say("成績 at", where)
    check(where[0] >= 0 and where[1] >= 0 and where[0] + where[2] <= width and where[1] + where[3] <= height,
          "at 200 % the statistics window is on the screen")
    for control, role in (("苦手", "page tab"), ("英字", "check box")):
        button = game.wait(lambda: find(stats, name=control, role=role), control)
        press(button)
        time.sleep(1)
    rows = [n.name for n in nodes(stats) if showing(n) and n.name and n.getRoleName() in ("label", "table cell")]
    say("heard in 成績:", " / ".join(rows))
    if "苦手なキー（ミスの多い順）" in rows:
        start = rows.index("苦手なキー（ミスの多い順）") + 1
        keys_read = []
        for i in range(start, len(rows) - 3, 4):
            if not rows[i + 1].isdigit():
                break
            keys_read.append(rows[i].replace("（参考）", ""))
        say("weak keys read:", keys_read)
        check(len(keys_read) > 0 and len(keys_read) == len(set(keys_read)), "one row per key in 英字's 苦手")
    else:
        check(False, "the weak keys are read in 英字's 苦手")
    game.end()


def main():
    global T0
    T0 = time.time()
    if len(sys.argv) != 3 or sys.argv[2] not in ("large", "checks"):
        sys.exit(__doc__)
    try:
        {"large": large, "checks": checks}[sys.argv[2]](sys.argv[1])
    except RuntimeError as e:
        check(False, str(e))
        subprocess.run(["import", "-window", "root", "/tmp/a11y-play-failed.png"])
    say("%d checks failed" % len(FAILED) if FAILED else "every check passed")
    sys.exit(1 if FAILED else 0)


if __name__ == "__main__":
    main()
