#!/usr/bin/env python3
"""Plays the levels of levels/328lvd.ini like a player and writes the playthroughs.

For every level N it writes tests/levels/levelN.sim, a script for the scenario runner
quirlon95-sim that starts a fresh game and plays levels 1 to N in order, from the start click of
level 1 to the hand of level N, and ends with a dump.

The player is simple and honest: it only uses the mouse. The paddle follows the ball, the pointer
being moved every few ticks to where the ball is heading; the red bar is grabbed, dragged and let
go where the plan of the level says. Time passes in ticks, and after every 31 ticks comes one step
of the point countdown, as in the game (about 60 ticks a second, a countdown step every 500 ms).

Each level has a plan below: a short list of moves, each waiting for the ball to be where the move
needs it. The script is made by running the real scenario runner step by step: the player asks the
runner for the state (a dump that is not written to the script), decides its next mouse event,
sends it and writes it down. So every script is exactly what was played. Where the right moment
for a move is hard to see, the player looks ahead the way a practised player knows a level: it
tries the move out on a second runner fed the same script so far, and makes it only if it works
there; the script holds only the moves that were made. A plan that does not reach the hand is an
error; the tool then says where the ball was and writes nothing.

Usage: autoplay.py --sim PATH/TO/quirlon95-sim [--levels levels/328lvd.ini] [--out tests/levels]
"""
import argparse
import json
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]

BALL = 24
BAR_WIDTH, BAR_HEIGHT = 100, 30
COUNTDOWN_TICKS = 31      # ticks per countdown step: 500 ms at about 60 ticks a second
FOLLOW_TICKS = 8          # the pointer is moved about every 8 ticks
POINTER_ROW = 395         # where the player's pointer rests: above the dead strip at y 410
START_CLICK = (316, 200)
LAST_LEVEL = 7
HAND_MARK = "hand of level %d reached"


class PlayError(Exception):
    """A plan did not work out: the ball was lost, or a move waited in vain."""


class Runner:
    """The scenario runner, fed one line at a time; a dump is read back at once."""

    def __init__(self, sim, level_file):
        self.args = (sim, level_file)
        command = [str(sim), str(level_file)]
        # The runner writes its dumps through the C library; line buffering hands each one over.
        if shutil.which("stdbuf"):
            command = ["stdbuf", "-oL"] + command
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, bufsize=1)

    def send(self, line):
        self.process.stdin.write(line + "\n")

    def state(self):
        self.send("dump")
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise PlayError("the runner stopped")
        return json.loads(line)

    def close(self):
        self.process.stdin.close()
        self.process.stdout.read()
        self.process.wait()


class Player:
    """Sends mouse events and ticks to the runner and writes them down as a script."""

    def __init__(self, runner):
        self.runner = runner
        self.lines = []
        self.ticks = 0          # ticks played, for the rhythm of the countdown
        self.pointer = None     # where the pointer is
        self.dragging = False
        self.s = runner.state()
        self.before = self.s

    def fork(self):
        """A second player in the same situation, to try a move out: a new runner is fed
        everything played so far."""
        runner = Runner(*self.runner.args)
        for line in self.lines:
            runner.send(line)
        other = Player(runner)
        other.lines = list(self.lines)
        other.ticks, other.pointer, other.dragging = self.ticks, self.pointer, self.dragging
        return other

    # --- writing the script -------------------------------------------------------------
    def say(self, comment):
        self.lines.append("# " + comment)

    def send(self, line):
        self.runner.send(line)
        if line.startswith("tick ") and self.lines and self.lines[-1].startswith("tick "):
            self.lines[-1] = "tick %d" % (int(self.lines[-1].split()[1]) + int(line.split()[1]))
        else:
            self.lines.append(line)

    def refresh(self):
        self.s = self.runner.state()
        return self.s

    def tick(self, count=1):
        """Lets count ticks pass; a countdown step follows every 31st tick."""
        if not self.level_done():
            self.before = self.s    # the state before the hand, once it is reached
        while count > 0:
            step = min(count, COUNTDOWN_TICKS - self.ticks % COUNTDOWN_TICKS)
            self.send("tick %d" % step)
            self.ticks += step
            count -= step
            if self.ticks % COUNTDOWN_TICKS == 0:
                self.send("countdown")
        return self.refresh()

    # --- what the player sees -----------------------------------------------------------
    def el(self, name):
        return self.s["elements"][name]

    def ball(self):
        left, top = self.el("ball")[:2]
        return left, top

    def level_done(self):
        return self.s["halt"] and self.s["labels"]["Label4"] and not self.s["form2"]["visible"]

    def check_alive(self):
        if self.s["form2"]["visible"]:
            left, top = self.ball()
            raise PlayError("ball lost at (%d, %d) after %d ticks" % (left, top, self.ticks))

    # --- the mouse ----------------------------------------------------------------------
    def _free_row(self, x):
        """A pointer row at x from which a move steers the paddle: not over the hand."""
        hx, hy, hw, hh, _ = self.el("dig11")
        for y in (POINTER_ROW, 398, 385, 370, 350):
            if not (hx <= x <= hx + hw and hy <= y <= hy + hh):
                return y
        return POINTER_ROW

    def move(self, x, y):
        self.send("move %d %d" % (x, y))
        self.pointer = (x, y)

    def aim_paddle(self, lead=FOLLOW_TICKS // 2):
        """Moves the pointer so that the paddle stands under where the ball will be soon."""
        left, _ = self.ball()
        x = left + BALL // 2 + lead * self.s["bewx"] // 1500
        x = max(0, min(631, x))
        if self.pointer is None or abs(self.pointer[0] - x) >= 4:
            self.move(x, self._free_row(x))

    def follow(self, until=None, limit=4000, what="the ball"):
        """Keeps the paddle under the ball until until(player) holds or the level is done."""
        for _ in range(limit):
            if self.level_done() or (until and until(self)):
                return
            if self.ticks % FOLLOW_TICKS == 0:
                self.aim_paddle()
            self.tick()
            self.check_alive()
        raise PlayError("waited %d ticks in vain for %s; ball at %s" % (limit, what, self.ball()))

    def bar_centre(self):
        left, top = self.el("hinder7")[:2]
        return left + BAR_WIDTH // 2, top + BAR_HEIGHT // 2

    def grab(self):
        x, y = self.bar_centre()
        self.send("press %d %d" % (x, y))
        self.pointer = (x, y)
        self.dragging = True

    def let_go(self):
        x, y = self.pointer
        self.send("release %d %d" % (x, y))
        self.dragging = False
        self.refresh()
        self.aim_paddle(lead=0)

    def _touches_ball(self, cx, cy, margin):
        left, top = self.ball()
        bl, bt = cx - BAR_WIDTH // 2, cy - BAR_HEIGHT // 2
        return (left + BALL + margin >= bl and bl + BAR_WIDTH + margin >= left and
                top + BALL + margin >= bt and bt + BAR_HEIGHT + margin >= top)

    def drag_to(self, x, y, ticks=3):
        """Drags the held bar so that its centre comes to x, y, in a few moves over a few
        ticks; a move that would drop the bar onto the ball is left out."""
        sx, sy = self.pointer
        for i in range(1, ticks + 1):
            px = sx + (x - sx) * i // ticks
            py = sy + (y - sy) * i // ticks
            if i == ticks or not self._touches_ball(px, py, 6):
                self.move(px, py)
            self.tick()
            self.check_alive()

    # --- the moves of a plan ------------------------------------------------------------
    def place_bar(self, x, y):
        """Grabs the red bar and puts it with its centre at x, y, then steers the paddle again."""
        self.grab()
        self.drag_to(x, y)
        self.let_go()

    def carry(self, top, below=40, rise=8, drift=0, hold=None, limit=600):
        """Catches the ball on the red bar and lifts it until the bar's top is at `top`.

        The bar is brought under the ball, `below` pixels down, and then raised by `rise`
        pixels a tick, staying under the ball (its centre `drift` pixels beside the ball's, to
        keep the ball near one end of the bar). The ball rides on the bar; the paddle, centred
        under the bar by the drag, waits below. With `hold`, the bar then goes on carrying the
        ball at that height, following it sideways, until hold(player) holds or the level is
        done. The bar is let go where it is."""
        self.grab()
        left, btop = self.ball()
        cy = btop + BALL + below + BAR_HEIGHT // 2
        self.drag_to(left + BALL // 2 + drift, cy, ticks=2)
        target = top + BAR_HEIGHT // 2
        for _ in range(limit):
            if self.level_done() or (cy <= target and (hold is None or hold(self))):
                break
            cy = max(target, cy - rise)
            left, _ = self.ball()
            self.move(left + BALL // 2 + drift + 2 * self.s["bewx"] // 1500, cy)
            self.tick()
            self.check_alive()
        else:
            raise PlayError("the carry did not end; ball at %s" % (self.ball(),))
        self.let_go()


    def juggle(self, top, until, clear=30, limit=3000):
        """Holds the red bar flat with its top at `top` as a springboard under the ball.

        The ball bounces on the resting bar and comes off each bounce a little faster than it
        came down, so it climbs. While the ball is high above the bar (`clear` pixels or more),
        the bar is slid sideways to stay under it. Ends when until(player) holds or the level is
        done, and lets the bar go."""
        self.grab()
        left, btop = self.ball()
        self.drag_to(left + BALL // 2, top + BAR_HEIGHT // 2, ticks=2)
        for _ in range(limit):
            if self.level_done() or until(self):
                break
            left, btop = self.ball()
            if btop + BALL + clear <= top:
                x = left + BALL // 2 + 6 * self.s["bewx"] // 1500
                if abs(x - self.pointer[0]) >= 4:
                    self.move(x, top + BAR_HEIGHT // 2)
            self.tick()
            self.check_alive()
        else:
            raise PlayError("juggling did not end; ball at %s" % (self.ball(),))
        self.let_go()


    def best(self, moves, goal, horizon):
        """Tries each of the moves out on a fork and plays the best one: the one after which
        goal(player) comes true soonest, within horizon ticks of following the ball. Each move
        is a function of a player. Returns False when none of them gets there."""
        found = None
        for move in moves:
            trial = self.fork()
            try:
                move(trial)
                start = trial.ticks
                trial.follow(until=goal, limit=horizon)
                if found is None or trial.ticks - start < found[0]:
                    found = (trial.ticks - start, move)
            except PlayError:
                pass
            finally:
                trial.runner.close()
        if found is None:
            return False
        found[1](self)
        return True


    def when(self, ready, move, goal=None, horizon=900, limit=4000):
        """Plays move as soon as the ball is ready for it and the move works out.

        Follows the ball until ready(player) holds, then tries the move on a fork: if goal
        (by default: the hand) follows within horizon ticks, the move is played for real, and
        since the game is the same it goes the same way. Otherwise the player waits a little
        and tries again, for at most limit ticks."""
        goal = goal or (lambda p: p.level_done())
        start = self.ticks
        while self.ticks - start < limit:
            self.follow(until=ready, limit=limit)
            trial = self.fork()
            try:
                move(trial)
                trial.follow(until=goal, limit=horizon)
                worked = True
            except PlayError:
                worked = False
            finally:
                trial.runner.close()
            if worked:
                move(self)
                return
            self.follow(until=lambda p, t=self.ticks + 2: p.ticks >= t)
        raise PlayError("no moment found for the move; ball at %s" % (self.ball(),))


def start_level(player, number):
    player.say("Level %d" % number)
    player.tick(12)                         # the player reads the prompt
    player.move(*START_CLICK)
    player.send("click %d %d" % START_CLICK)
    player.refresh()
    if player.s["levelnr"] != number:
        raise PlayError("expected level %d, the game shows %d" % (number, player.s["levelnr"]))
    player.aim_paddle(lead=0)


# --- the plans ------------------------------------------------------------------------------
# Conditions on the ball, for the moves that wait for it.
def ball_in(x0, x1, y0=0, y1=434):
    def test(p):
        left, top = p.ball()
        return x0 <= left <= x1 and y0 <= top <= y1
    return test


def both(*tests):
    return lambda p: all(t(p) for t in tests)


def moving_right(p):
    return p.s["bewx"] > 0


def moving_left(p):
    return p.s["bewx"] < 0


def plan_1(p):
    p.say("keep the ball up; it finds the pennies and the hand by itself")
    p.follow()


def plan_2(p):
    p.say("catch the ball on the red bar left of the roof and lift it over the roof")
    p.when(ball_in(60, 150, 0, 300), lambda p: p.carry(top=125))


def plan_3(p):
    p.say("lift the ball over the left wall of the cup and drop it onto the yellow lid")
    p.when(both(ball_in(90, 180, 0, 300), moving_right),
           lambda p: p.carry(top=140, drift=-30))


def plan_4(p):
    p.say("catch the ball under the green room and lift it in to the hand")
    p.when(both(ball_in(255, 330, 0, 380), moving_right),
           lambda p: p.carry(top=150, drift=-20))


def plan_5(p):
    p.say("catch the ball under the grey chimney and carry it up inside to the hand")
    p.when(ball_in(282, 304, 300, 380), lambda p: p.carry(top=110))


def plan_6(p):
    p.say("hammer the yellow doors down: the red bar stands as the wall the ball comes back from")
    doors = ("hinder10", "hinder9")
    # What is left of the doors; a door worn to nothing is put aside, left of the field.
    worn = lambda p: sum(p.el(d)[2] for d in doors if p.el(d)[0] >= 0)
    whole = worn(p)
    p.follow(until=lambda p: worn(p) < whole)
    while not p.level_done() and worn(p) > 0:
        p.follow(until=moving_left)
        before = worn(p)
        left, _ = p.ball()
        walls = [lambda q, x=x, y=y: q.place_bar(x, y)
                 for x in range(left - 160, left - 50, 30) for y in (320, 345, 370, 389)]
        walls.append(lambda q: None)
        if not p.best(walls, lambda q: worn(q) < before or q.level_done(), horizon=500):
            raise PlayError("no wall brings the ball back to the doors; ball at %s" % (p.ball(),))
        p.follow(until=lambda p: worn(p) < before)


def into_gallery(p):
    p.carry(top=88, rise=10, drift=-30, hold=ball_in(445, 632))
    p.say("and the red bar is taken out of the gallery, to the left and down")
    p.grab()
    p.drag_to(250, 103)
    p.drag_to(250, 250)
    p.let_go()


def plan_7(p):
    p.say("lift the ball over the grey post into the gallery; there it hammers the yellow door")
    p.when(both(ball_in(285, 310, 0, 300), moving_right), into_gallery, horizon=1500)


PLANS = {1: plan_1, 2: plan_2, 3: plan_3, 4: plan_4, 5: plan_5, 6: plan_6, 7: plan_7}


def pennies_taken(state):
    """The pennies that lie where a collected penny is put."""
    return {name for name, (left, top, *_) in state["elements"].items()
            if name.startswith("dig") and (left, top) == (-1000, -100)}


def play(sim, level_file, last):
    runner = Runner(sim, level_file)
    player = Player(runner)
    try:
        for number in range(1, last + 1):
            start_level(player, number)
            start, shown = player.ticks, [name for name, element in player.s["elements"].items()
                                          if name.startswith("dig") and name != "dig11"
                                          and element[0] >= 0]
            PLANS[number](player)
            player.follow(what="the hand")
            player.say(HAND_MARK % number)
            # The points at the hand: after the last level the game starts afresh at once, so
            # they are worked out from the tick before: its points, the pennies of the last
            # tick and the bonus.
            last_tick = pennies_taken(player.s) - pennies_taken(player.before)
            points = player.before["punkte"] + 250 * len(last_tick) + 25 * number
            if number < LAST_LEVEL and points != player.s["punkte"]:
                raise PlayError("points at the hand of level %d do not add up" % number)
            print("level %d: hand after %d ticks (%d in the level), %d of %d pennies, %d points"
                  % (number, player.ticks, player.ticks - start,
                     len(pennies_taken(player.s) & set(shown)), len(shown), points),
                  file=sys.stderr)
    finally:
        runner.close()
    return player.lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sim", required=True, help="the scenario runner quirlon95-sim")
    parser.add_argument("--levels", default=ROOT / "levels" / "328lvd.ini")
    parser.add_argument("--out", default=ROOT / "tests" / "levels")
    parser.add_argument("--only", type=int, help="write only the script of this level")
    args = parser.parse_args()
    out = pathlib.Path(args.out)
    numbers = [args.only] if args.only else range(1, LAST_LEVEL + 1)
    try:
        lines = play(args.sim, args.levels, max(numbers))
    except PlayError as error:
        sys.exit("autoplay: %s" % error)
    out.mkdir(parents=True, exist_ok=True)
    # The script of level N is the whole game up to the hand of level N.
    for number in numbers:
        end = lines.index("# " + HAND_MARK % number)
        text = HEADER % number + "\n".join(lines[:end + 1]) + "\ndump\n"
        (out / ("level%d.sim" % number)).write_text(text, encoding="utf-8")


HEADER = """\
# Plays a fresh game from the first start click to the hand of level %d, like a player: the
# paddle follows the ball, the red bar is dragged where the level needs it, and a countdown step
# comes after every 31 ticks. Written by tools/levels/autoplay.py; run against levels/328lvd.ini.
"""

if __name__ == "__main__":
    main()
