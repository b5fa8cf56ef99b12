"""Chooses, from the reference decoder's view of a corpus demo, the runs of blocks and the
arguments the corpus checks of the camera, speed and removal commands use.

usage: corpus_runs.py Q2REF DEMO STATES
Saves the demo's states to STATES (JSON lines, for the judges to read in place of the demo)
and prints one line per check that the demo can tell something about (none for a demo of
fewer than 90 frames or, to keep the checks quick, of more than 600 KB, which is not decoded):
  KIND FIRST LAST FROM TO [ARG]
FIRST, LAST: editor block numbers of the run; FROM, TO: the frame ordinals ("i") of its first
and last frame. Every block from FIRST - 1 to LAST + 2 holds exactly one frame, so that a
frame's position in the run is its block's. KIND and ARG:
  smooth            the run of the largest turn of the view
  speed S           a run in the middle of play, with a speed that varies by demo
  entity E          a run in the middle of play and an entity that moves there
  model KEYWORD     a model drawn there, by its name, which no other model ever holds
  sound KEYWORD     a run from just before a sound is first heard, and its name, likewise
  keyword WORD      a run from just before a text of play, with a word of it
  type T            a run from just before a message of type T is first seen
Runs that remove messages start and end on frames with nothing of theirs: a message sent
after a frame belongs to the next frame's events, so only there is its block unambiguous.
"""
import os
import re
import subprocess
import sys

from reference_states import editor_block, states
from removal_match import MODEL_BASE, SOUND_BASE, EVENT_TYPES, event_matcher, only_name

LENGTH = 30  # frames in a run
MOST_BYTES = 600 * 1024
SPEEDS = (100, -100, -37, 45)


def steady(frames, j0, j1):
    """Frames j0 to j1 exist and stand one to a block."""
    if j0 < 1 or j1 >= len(frames):
        return False
    return all(editor_block(frames[j]) == editor_block(frames[j0]) + j - j0
               for j in range(j0, j1 + 1))


def line(frames, kind, j0, j1, arg=""):
    print(("%s %d %d %d %d %s" % (kind, editor_block(frames[j0]), editor_block(frames[j1]),
                                  j0, j1, arg)).rstrip())


def shorter(a, b):
    return abs((b - a + 180.0) % 360.0 - 180.0)


def middle(frames):
    j0 = len(frames) // 2
    return (j0, j0 + LENGTH - 1) if steady(frames, j0 - 1, j0 + LENGTH + 1) else None


def event_run(frames, matches):
    """A run from three frames before the first matching event on, with no match in its first
    frame nor in the frame after it."""
    hits = [j for j, r in enumerate(frames) if j > 0 and any(matches(e) for e in r["events"])]
    for first_hit in hits:
        j0 = first_hit - 3
        j1 = j0 + LENGTH - 1
        while j1 + 1 in hits:
            j1 += 1
        if j0 not in hits and steady(frames, j0 - 1, j1 + 2):
            return j0, j1
    return None


def quotable(text):
    return text and re.fullmatch(r"[A-Za-z0-9_*./+-]+", text) is not None


def main():
    q2ref, demo, saved = sys.argv[1:4]
    if os.path.getsize(demo) > MOST_BYTES:
        return
    with open(saved, "w") as out:
        subprocess.run([sys.executable, q2ref, "states", demo], check=True, stdout=out)
    frames, end = states(q2ref, saved)
    if len(frames) < 3 * LENGTH:
        return
    cs = end["configstrings"]
    # smooth: the run whose ends look the furthest apart.
    best = None
    for j0 in range(1, len(frames) - LENGTH - 2, 5):
        j1 = j0 + LENGTH - 1
        if steady(frames, j0 - 1, j1 + 1):
            turn = shorter(frames[j0]["ps"]["viewangles"][1], frames[j1]["ps"]["viewangles"][1])
            if best is None or turn > best[0]:
                best = (turn, j0, j1)
    if best:
        line(frames, "smooth", best[1], best[2])
    run = middle(frames)
    if run:
        line(frames, "speed", *run, SPEEDS[len(frames) % len(SPEEDS)])
        # entity: of those in every frame of the run, the one seen in the most places.
        present = set.intersection(*(set(frames[j]["ents"]) for j in range(run[0], run[1] + 1)))
        moving = sorted(present, key=lambda e: (-len({tuple(frames[j]["ents"][e]["origin"])
                                                      for j in range(run[0], run[1] + 1)}),
                                                int(e)))
        if moving:
            line(frames, "entity", *run, moving[0])
        # model: the model most entities of the run are drawn with, by a name that finds it.
        counts = {}
        for j in range(run[0], run[1] + 1):
            for e in frames[j]["ents"].values():
                if 0 < e["modelindex"] < 255:
                    counts[e["modelindex"]] = counts.get(e["modelindex"], 0) + 1
        for index in sorted(counts, key=lambda m: (-counts[m], m)):
            name = cs.get(str(MODEL_BASE + index))
            if quotable(name) and only_name(frames, end, MODEL_BASE, index, name):
                line(frames, "model", *run, name)
                break
    # sound: the sound heard most often.
    counts = {}
    for r in frames:
        for e in r["events"]:
            if e["t"] == "sound":
                counts[e["sound"]] = counts.get(e["sound"], 0) + 1
    for sound in sorted(counts, key=lambda s: (-counts[s], s)):
        name = cs.get(str(SOUND_BASE + sound))
        if quotable(name) and only_name(frames, end, SOUND_BASE, sound, name):
            run = event_run(frames, event_matcher("sound", name, cs))
            if run:
                line(frames, "sound", *run, name)
                break
    # keyword: a word of a text shown in play.
    words = []
    for r in frames[1:]:
        for e in r["events"]:
            if e["t"] in ("print", "centerprint"):
                words += [w for w in re.findall(r"[A-Za-z]{5,}", e["text"]) if w not in words]
    for word in words:
        run = event_run(frames, event_matcher("keyword", word, cs))
        if run and not any(word.lower() in str(v).lower() for j in range(run[0], run[1] + 2)
                           for v in frames[j]["cs"].values()):
            line(frames, "keyword", *run, word)
            break
    # type: the kind of event seen most often in play, sounds aside (they have their own).
    counts = {}
    for r in frames[1:]:
        for e in r["events"]:
            if e["t"] in EVENT_TYPES and e["t"] != "sound":
                counts[e["t"]] = counts.get(e["t"], 0) + 1
    for t in sorted(counts, key=lambda t: (-counts[t], t)):
        run = event_run(frames, event_matcher("type", EVENT_TYPES[t], cs))
        if run:
            line(frames, "type", *run, EVENT_TYPES[t])
            break


main()
