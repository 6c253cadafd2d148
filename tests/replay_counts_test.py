#!/usr/bin/env python3
"""tessel-replay's moves and time over random play: taps anywhere on the picture, the puzzles' labels,
Quit, Undo, Redo, hints and games kept and resumed, with the tick count moving on.
The moves and time each line prints must be those of this test's own count: a move is a tap or Redo that
changed the board, Undo takes one back; the time runs from a game's first move until its board is solved
runs on from a resume."""
import json
import os
import random
import subprocess
import sys
import tempfile

replay = sys.argv[1]
LABELS = [(119, 77), (119, 102), (119, 127), (119, 152), (119, 201), (119, 226)]
failures = 0


def board(state):
    return (state["tileGrid"]["tile"], state["lightGrid"]["lit"], state["blankCol"], state["blankRow"])


def play(seed, work):
    rng = random.Random(seed)
    ticks = rng.randrange(0, 4000000000)
    script = [f"tick {ticks}", "splash"]
    for i in range(400):
        ticks = (ticks + rng.choice([0, 0, 7, 1000, 65000, 4000000])) % 4294967296
        script.append(f"tick {ticks}")
        r = rng.random()
        if r < 0.08:
            script.append("tap %d %d" % rng.choice(LABELS))
        elif r < 0.1:
            script.append("tap 119 237")  # Quit
        elif r < 0.2:
            script.append("undo")
        elif r < 0.27:
            script.append("redo")
        elif r < 0.32:
            script.append("hint")
        elif r < 0.35:
            script.append(f"keep {work}/kept{i}")
            script.append(f"resume {work}/kept{i}")
        else:
            script.append("tap %d %d" % (rng.randrange(0, 239), rng.randrange(0, 267)))
    out = subprocess.run([replay, "-"], input="\n".join(script) + "\n", capture_output=True, text=True)
    if out.returncode != 0:
        return [f"seed {seed}: status {out.returncode}: {out.stderr.strip()}"]
    lines = [json.loads(line) for line in out.stdout.splitlines()]
    errors = []
    moves = undone = 0
    counted, since, running, started = 0, 0, False, False
    kept = {}
    now = 0
    previous = lines[0]
    for command, state in zip(script, lines[1:]):
        word = command.split()[0]
        if word == "tick":
            now = int(command.split()[1])
        if state["screen"] != previous["screen"]:
            moves = undone = counted = 0
            running = started = False
        elif word == "tap" and board(state) != board(previous) and state["tapActed"]:
            moves, undone, started = moves + 1, 0, True
        elif word == "undo" and moves > 0 and previous["screen"] not in (1,):
            moves, undone = moves - 1, undone + 1
        elif word == "redo" and undone > 0:
            moves, undone, started = moves + 1, undone - 1, True
        if word == "keep":
            kept[command.split()[1]] = (moves, undone, counted + (now - since if running else 0), started)
        if word == "resume":
            moves, undone, counted, started = kept[command.split()[1]]
            running = False
        if word not in ("tick", "keep"):
            run = started and state["solved"] == 0 and state["screen"] != 1
            if run and not running:
                since = now
            if running and not run:
                counted += now - since
            running = run
        expected = (moves, (counted + (now - since if running else 0)) % 4294967296)
        if (state["moves"], state["time"]) != expected:
            errors.append(f"seed {seed}, line {state['line']} ({command}): moves and time "
                          f"{state['moves']} {state['time']}, expected {expected[0]} {expected[1]}")
            break
        previous = state
    return errors


with tempfile.TemporaryDirectory() as work:
    for seed in range(int(os.environ.get("SEEDS", "12"))):
        for error in play(seed, work):
            print("FAIL", error)
            failures += 1
print("replay moves and time:", "all checks passed" if failures == 0 else f"{failures} failed")
sys.exit(1 if failures else 0)
