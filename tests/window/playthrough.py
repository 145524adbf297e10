#!/usr/bin/env python3
"""Plays the game in a real window with real X input (xdotool), as a person would.

1. Level 1 of the campaign, played by clicks and drags until the win summary
   shows, then its OK button clicked; the game must answer with the next
   campaign step.
2. A short timed level left alone until the clock runs out; on the lose
   summary RESTART is clicked (the same level must start again), the clock
   runs out once more and MAINMENU is clicked, after which the game ends by
   itself with status 0.

Which moves to make comes from the game's play feed (WOOFMERE_PLAY_FEED=1);
every press, drag and release is an X event sent by xdotool. Screenshots of
the opening show, mid-play, the win summary and the lose summary are kept in
--out when ImageMagick's `import` is there.

Usage: playthrough.py --game build/woofmere --level-file tests/data/timed-short.lvl
                      [--out DIR] [--seed N] [--only win|lose]
Without DISPLAY it starts an Xvfb of its own.
"""

import argparse
import os
import queue
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time


class Failure(Exception):
    pass


def log(msg):
    print(f"[{time.strftime('%H:%M:%S')}] {msg}", flush=True)


def xdo(*args, check=True):
    r = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=20)
    if check and r.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {r.stderr.strip()}")
    return r.stdout.strip()


class Game:
    """One run of the game binary with its feed read line by line."""

    def __init__(self, game, args, user_dir):
        env = dict(os.environ, WOOFMERE_PLAY_FEED="1")
        env.setdefault("LIBGL_ALWAYS_SOFTWARE", "1")
        env.setdefault("SDL_AUDIODRIVER", "dummy")
        cmd = [game, "--windowed", "--user-dir", user_dir, *args]
        log("start: " + " ".join(cmd))
        self.proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env,
                                     bufsize=1)
        self.lines = queue.Queue()
        self.transcript = []
        self.pending = []
        threading.Thread(target=self._read, daemon=True).start()
        self.window = None

    def _read(self):
        for raw in self.proc.stdout:
            raw = raw.rstrip("\n")
            self.transcript.append(raw)
            self.lines.put(raw)
        self.lines.put(None)

    def expect(self, prefix, timeout):
        """Waits for a feed line starting with prefix; gives its words after it.

        Feed lines read past while waiting stay unread for later calls, so a
        state line that came before the one asked for is not lost."""
        end = time.monotonic() + timeout
        scanned = 0
        while True:
            for i in range(scanned, len(self.pending)):
                if self.pending[i].startswith(prefix):
                    text = self.pending[i]
                    del self.pending[: i + 1]
                    return text[len(prefix):].split()
            scanned = len(self.pending)
            left = end - time.monotonic()
            if left <= 0:
                raise Failure(f"no '{prefix}' within {timeout} s")
            try:
                raw = self.lines.get(timeout=left)
            except queue.Empty:
                continue
            if raw is None:
                raise Failure(f"the game ended (status {self.proc.wait()}) before '{prefix}'")
            if raw.startswith("feed: "):
                self.pending.append(raw[len("feed: "):])

    def saw(self, prefix):
        """Whether an unread feed line starts with prefix (reads what has come)."""
        while True:
            try:
                raw = self.lines.get_nowait()
            except queue.Empty:
                break
            if raw is None:
                self.lines.put(None)
                break
            if raw.startswith("feed: "):
                self.pending.append(raw[len("feed: "):])
        return any(p.startswith(prefix) for p in self.pending)

    def find_window(self, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)],
                               capture_output=True, text=True)
            ids = r.stdout.split()
            if ids:
                self.window = ids[0]
                # No window manager under Xvfb: give the window the focus
                # ourselves, as a click on it would.
                xdo("windowfocus", self.window, check=False)
                return self.window
            if self.proc.poll() is not None:
                raise Failure(f"the game ended (status {self.proc.returncode}) before its window showed")
            time.sleep(0.2)
        raise Failure("the game's window never showed")

    def move(self, x, y):
        xdo("mousemove", "--window", self.window, x, y)

    def click(self, x, y):
        self.move(x, y)
        time.sleep(0.1)  # the game sees the pointer over the spot first
        xdo("mousedown", 1)
        time.sleep(0.1)
        xdo("mouseup", 1)
        time.sleep(0.1)

    def drag(self, x1, y1, x2, y2, steps=6):
        self.move(x1, y1)
        time.sleep(0.1)
        xdo("mousedown", 1)
        time.sleep(0.1)
        for i in range(1, steps + 1):
            self.move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
            time.sleep(0.03)
        time.sleep(0.1)
        xdo("mouseup", 1)
        time.sleep(0.1)

    def rest(self):
        # Off the board and its panels, so no tooltip or hover stays up.
        self.move(700, 740)

    def shot(self, out, name):
        if not out or not shutil.which("import"):
            return
        path = os.path.join(out, name)
        r = subprocess.run(["import", "-window", self.window, path], capture_output=True, text=True, timeout=30)
        log(f"screenshot {path}" if r.returncode == 0 else f"no screenshot {name}: {r.stderr.strip()}")

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end within {timeout} s")

    def close(self):
        """Ends the game the way the window's close button does."""
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)  # SDL turns it into a quit event
            try:
                return self.proc.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
                raise Failure("the game did not end on a quit request")
        return self.proc.returncode

    def dump(self):
        print("---- game output ----")
        for l in self.transcript[-60:]:
            print(l)
        print("---------------------")


def play_to_win(opts, user_dir):
    g = Game(opts.game, ["--level", "1", "--seed", str(opts.seed)], user_dir)
    try:
        g.find_window()
        g.rest()
        g.expect("state BEGIN1", 30)
        time.sleep(0.4)  # the cells flying in, the mode emblem zooming
        g.shot(opts.out, "1-opening.png")
        g.expect("state NORMAL", 30)
        moves = 0
        deadline = time.monotonic() + opts.win_time
        while not g.saw("state WIN"):
            if time.monotonic() > deadline:
                raise Failure(f"level 1 not won within {opts.win_time} s ({moves} moves)")
            try:
                words = g.expect("move ", 1)
            except Failure:
                continue  # the board is still busy, or the level is being won
            if g.saw("state WIN"):
                break
            seq, kind, pts = words[0], words[1], list(map(int, words[2:]))
            if kind != "SWAP" or len(pts) != 4:
                raise Failure(f"level 1 should be a SWAP level, got: {' '.join(words)}")
            # Both ways a player swaps: a drag, and one chip clicked then its neighbour.
            if moves % 2 == 0:
                g.drag(*pts)
            else:
                g.click(pts[0], pts[1])
                g.click(pts[2], pts[3])
            g.rest()
            moves += 1
            # A move the game repeated while this one was being made is stale.
            g.saw("")
            g.pending = [p for p in g.pending if not p.startswith("move ")]
            if moves == 2:
                time.sleep(0.15)  # the match bursting, points and debris flying
                g.shot(opts.out, "2-midplay.png")
        log(f"level 1 won after {moves} moves")
        ok = g.expect("win-summary ready", 60)
        if len(ok) != 3 or ok[0] != "OK":
            raise Failure(f"the win summary offers no OK button: {ok}")
        time.sleep(2.5)  # every line of the summary revealed, a firework up
        g.shot(opts.out, "3-win-summary.png")
        g.click(int(ok[1]), int(ok[2]))
        g.rest()
        g.expect("win-summary closed", 20)
        answer = g.expect("play-screen answer", 20)
        if answer not in (["GET-NEXT-QUEST-LEVEL"], ["PUZZLE"]):
            raise Failure(f"a won level must lead on in the campaign, not to {answer}")
        log(f"win summary closed by its OK button; the game goes on to {answer[0]}")
        status = g.close()
        if status != 0:
            raise Failure(f"the game ended with status {status}")
    except Exception:
        g.dump()
        g.close() if g.proc.poll() is None else None
        raise


def play_to_lose(opts, user_dir):
    g = Game(opts.game, ["--level", os.path.abspath(opts.level_file), "--seed", str(opts.seed)], user_dir)
    try:
        g.find_window()
        g.rest()
        for round_ in (1, 2):
            g.expect("state NORMAL", 30)
            started = time.monotonic()
            log(f"round {round_}: the level runs; nobody plays")
            buttons = g.expect("lose-summary ready", 60)
            log(f"round {round_}: the clock ran out after {time.monotonic() - started:.1f} s")
            spots = {buttons[i]: (int(buttons[i + 1]), int(buttons[i + 2])) for i in range(0, len(buttons) - 2, 3)}
            if set(spots) != {"RESTART", "MAINMENU"}:
                raise Failure(f"the lose summary should offer RESTART and MAINMENU: {buttons}")
            time.sleep(0.5)
            want = "RESTART" if round_ == 1 else "MAINMENU"
            if round_ == 1:
                g.shot(opts.out, "4-lose-summary.png")
            g.click(*spots[want])
            g.rest()
            answer = g.expect("lose-summary answer", 20)
            if answer != [want.replace("MAINMENU", "MAIN-MENU")]:
                raise Failure(f"clicked {want}, the summary answered {answer}")
            answer = g.expect("play-screen answer", 20)
            expected = "RESTART-LEVEL" if round_ == 1 else "MAIN-MENU"
            if answer != [expected]:
                raise Failure(f"clicked {want}, the play screen answered {answer}")
            log(f"round {round_}: {want} clicked; the play screen answered {expected}")
        # Nothing stands behind the main menu in this build yet: the game
        # ends by itself, cleanly.
        status = g.wait_exit(30)
        if status != 0:
            raise Failure(f"the game ended with status {status} after MAINMENU")
        log("the game ended by itself with status 0")
    except Exception:
        g.dump()
        g.close() if g.proc.poll() is None else None
        raise


def start_xvfb():
    for n in range(70, 100):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            proc = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if os.path.exists(f"/tmp/.X11-unix/X{n}"):
                    break
                time.sleep(0.05)
            os.environ["DISPLAY"] = f":{n}"
            return proc
    raise Failure("no free X display number for Xvfb")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--game", required=True)
    ap.add_argument("--level-file", required=True, help="a short timed level to lose")
    ap.add_argument("--out", default="", help="folder for screenshots")
    ap.add_argument("--seed", type=int, default=7)
    ap.add_argument("--win-time", type=float, default=120, help="seconds allowed to win level 1")
    ap.add_argument("--only", choices=["win", "lose"])
    opts = ap.parse_args()
    if not shutil.which("xdotool"):
        print("playthrough: xdotool is missing (tools/install-deps.sh installs it)")
        return 1
    if opts.out:
        os.makedirs(opts.out, exist_ok=True)
    xvfb = start_xvfb() if not os.environ.get("DISPLAY") else None
    began = time.monotonic()
    try:
        with tempfile.TemporaryDirectory(prefix="woofmere-play-") as tmp:
            if opts.only in (None, "win"):
                play_to_win(opts, os.path.join(tmp, "win"))
            if opts.only in (None, "lose"):
                play_to_lose(opts, os.path.join(tmp, "lose"))
    except Failure as e:
        print(f"playthrough: FAILED: {e}")
        return 1
    finally:
        if xvfb:
            xvfb.terminate()
            xvfb.wait()
    log(f"playthrough passed in {time.monotonic() - began:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
