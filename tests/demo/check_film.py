"""Checks what a film effect left in a saved demo, frame by frame, from the reference
decoder's states (one JSON object per line on standard input).

usage: check_film.py ACTION FIRST LAST [ARGS]   (FIRST and LAST: frame ordinals, "i")
  zoom FROM_FOV TO_FOV      fov ramps from FROM_FOV to TO_FOV by block position, 1 to 179
  track E                   view aimed from the eye at entity E wherever a frame holds it
                            (all selected blocks but the last)
  recamera E                the view origin at entity E's origin wherever a frame holds it
  palette I0 I1             blend intensity ramps from I0 to I1
  noweapon                  no view weapon (all selected blocks but the last)
  nostatusbar               the status bar program (configstrings 5 to 28) blank at the end
  model E M                 entity E drawn with model index M wherever a frame holds it
                            (all selected blocks but the last)
  smooth Q2REF ORIGINAL     the view angles turn the shorter way from the first frame's to the
                            last's as ORIGINAL shows them: start + turn * i / n, kept modulo a
                            turn, exact at both ends and within one wire unit between
  speed S Q2REF ORIGINAL    "timescale T" (T from the speed S) runs after the first frame, the
                            normal speed after the last; every other event as in ORIGINAL
Prints "OK n" with the frames checked, or the first failures and exits 1.
"""
import json
import math
import re
import sys
from fractions import Fraction

from reference_states import SHORTS_PER_TURN, states, to_short


def angle_diff(a, b):
    d = (a - b) % 360.0
    return min(d, 360.0 - d)


def shorter_turn(a, b):
    """The turn from wire angle a to b, the shorter way (a half turn keeps its sign)."""
    d = b - a
    if d > SHORTS_PER_TURN // 2:
        d -= SHORTS_PER_TURN
    elif d < -SHORTS_PER_TURN // 2:
        d += SHORTS_PER_TURN
    return d


def check_smooth(saved, original, first, last, failures):
    """Every frame from FIRST to LAST on the ramp between the original's end views."""
    n = last - first
    start = [to_short(v) for v in original[first]["ps"]["viewangles"]]
    end = [to_short(v) for v in original[last]["ps"]["viewangles"]]
    for r in saved[first:last + 1]:
        i = r["i"] - first
        for k in range(3):
            turn = shorter_turn(start[k], end[k])
            want = int(start[k] + Fraction(turn * i, n)) if n else start[k]
            got = to_short(r["ps"]["viewangles"][k])
            off = (got - want) % SHORTS_PER_TURN
            # Degrees on the way may round one unit either side; the ends are exact.
            if off != 0 and (i in (0, n) or off not in (1, SHORTS_PER_TURN - 1)):
                failures.append("frame %d: angle %d is %d, wanted %d (mod %d)" %
                                (r["i"], k, got, want, SHORTS_PER_TURN))
    return last - first + 1


def timescale(speed):
    return 1 + 0.05 * speed if speed > 0 else 1 + 0.009 * speed


TIMESCALE = re.compile(r"timescale (\d+\.\d{6})\n$")


def check_speed(saved, saved_end, original, original_end, first, last, speed, failures):
    """The game speed's commands where they belong; every other event as it was."""
    # The command appended to a block runs before the next frame, or after the last one.
    want = {last + 1: [0.0, 1.0]}  # normal speed: 1, or 0 (the game leaves time unscaled)
    if last > first:
        want[first + 1] = [round(timescale(speed), 6)]
    pairs = list(zip(original, saved)) + [(original_end, saved_end)]
    if len(original) != len(saved):
        failures.append("%d frames, %d before" % (len(saved), len(original)))
    for j, (o, s) in enumerate(pairs):
        key = "events" if "i" in o else "trailing_events"
        commands = [e for e in s[key] if e["t"] == "stufftext" and TIMESCALE.match(e["text"])
                    and e not in o[key]]
        rest = [e for e in s[key] if e not in commands]
        if rest != o[key]:
            failures.append("frame %d: events %s, before %s" % (j, rest, o[key]))
        if j in want:
            values = [float(TIMESCALE.match(e["text"]).group(1)) for e in commands]
            if len(values) != 1 or values[0] not in want[j]:
                failures.append("frame %d: timescale commands %s, wanted one of %s" %
                                (j, [e["text"] for e in commands], want[j]))
        elif commands:
            failures.append("frame %d: stray %s" % (j, [e["text"] for e in commands]))
    return len(want)


def main():
    action, first, last = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    args = sys.argv[4:]
    n = last - first
    failures = []
    checked = 0
    if action in ("smooth", "speed"):
        rows = [json.loads(line) for line in sys.stdin if line.strip()]
        saved, saved_end = [r for r in rows if "i" in r], rows[-1]
        q2ref, path = args[-2:]
        original, original_end = states(q2ref, path)
        if action == "smooth":
            checked = check_smooth(saved, original, first, last, failures)
        else:
            checked = check_speed(saved, saved_end, original, original_end, first, last,
                                  int(args[0]), failures)
        report(failures, checked)
        return
    for line in sys.stdin:
        r = json.loads(line)
        if "block" not in r:
            if action == "nostatusbar" and "configstrings" in r:
                checked += 1
                for index in range(5, 29):
                    if r["configstrings"].get(str(index), ""):
                        failures.append("configstring %d: %r" % (index, r["configstrings"][str(index)]))
            continue
        block = r["i"]
        if block < first or block > last:
            continue
        ps = r["ps"]
        i = block - first
        if action == "zoom":
            lo, hi = float(args[0]), float(args[1])
            want = math.trunc(lo + (hi - lo) * i / n) if n else math.trunc(lo)
            want = min(max(want, 1), 179)
            checked += 1
            if ps["fov"] != want:
                failures.append("frame %d: fov %s, wanted %d" % (block, ps["fov"], want))
        elif action == "palette":
            lo, hi = float(args[0]), float(args[1])
            want = lo + (hi - lo) * i / n if n else lo
            checked += 1
            if abs(ps["blend"][3] - want) > 1.0:
                failures.append("frame %d: intensity %s, wanted %.1f" % (block, ps["blend"][3], want))
        elif action == "noweapon":
            if block == last:
                continue
            checked += 1
            if ps["gunindex"] != 0:
                failures.append("frame %d: view weapon %s" % (block, ps["gunindex"]))
        elif action == "model":
            ent = r["ents"].get(args[0])
            if ent is None or block == last:
                continue
            checked += 1
            if ent["modelindex"] != int(args[1]):
                failures.append("frame %d: model %s" % (block, ent["modelindex"]))
        elif action in ("track", "recamera"):
            ent = r["ents"].get(args[0])
            if ent is None or block == last:
                continue
            checked += 1
            origin = [c / 8.0 for c in ps["origin"]]
            if action == "recamera":
                if any(abs(origin[k] - ent["origin"][k]) > 0.125 for k in range(3)):
                    failures.append("frame %d: camera at %s, entity at %s" % (block, origin, ent["origin"]))
                continue
            eye = [origin[k] + ps["viewoffset"][k] for k in range(3)]
            d = [ent["origin"][k] - eye[k] for k in range(3)]
            if d[0] == 0 and d[1] == 0:
                continue
            yaw = math.degrees(math.atan2(d[1], d[0]))
            pitch = -math.degrees(math.atan2(d[2], math.hypot(d[0], d[1])))
            va = ps["viewangles"]
            if angle_diff(va[0], pitch) > 0.05 or angle_diff(va[1], yaw) > 0.05:
                failures.append("frame %d: view %s, aim %.3f %.3f" % (block, va[:2], pitch, yaw))
    report(failures, checked)


def report(failures, checked):
    if failures or checked == 0:
        print("\n".join(failures[:10]) or "no frame checked")
        sys.exit(1)
    print("OK %d" % checked)


main()
