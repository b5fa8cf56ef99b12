"""The reference decoder's view of a demo, shared by the corpus checks.

states(q2ref, path): the frames (one dict a frame, in order) and the final state of a demo, as
`q2ref.py states` prints them. A path ending in .jsonl is taken as those lines already saved,
so that a check run many times over one demo decodes it once.
"""
import json
import subprocess
import sys

SHORTS_PER_TURN = 65536


def states(q2ref, path):
    if path.endswith(".jsonl"):
        with open(path) as f:
            text = f.read()
    else:
        text = subprocess.run([sys.executable, q2ref, "states", path], check=True,
                              capture_output=True, text=True).stdout
    rows = [json.loads(line) for line in text.splitlines() if line.strip()]
    return [r for r in rows if "i" in r], rows[-1]


def summary(q2ref, path):
    return json.loads(subprocess.run([sys.executable, q2ref, "summary", path], check=True,
                                     capture_output=True, text=True).stdout)


def editor_block(frame):
    """The editor's 1-based number of the block holding a frame."""
    return frame["block"] + 1


def to_short(degrees):
    """A view angle in degrees as the 16-bit value on the wire (65536 a turn, signed)."""
    return int(round(degrees * SHORTS_PER_TURN / 360.0))
