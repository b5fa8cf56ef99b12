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
Prints "OK n" with the frames checked, or the first failures and exits 1.
"""
import json
import math
import sys


def angle_diff(a, b):
    d = (a - b) % 360.0
    return min(d, 360.0 - d)


def main():
    action, first, last = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    args = sys.argv[4:]
    n = last - first
    failures = []
    checked = 0
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
    if failures or checked == 0:
        print("\n".join(failures[:10]) or "no frame checked")
        sys.exit(1)
    print("OK %d" % checked)


main()
