"""Judges a ReFilm flight saved into a demo, with the reference decoder's states of the demo
before the flight and after it.

usage: check_flight.py Q2REF ORIGINAL SAVED FIRST CAMERA...
  FIRST: the frame ordinal ("i") of the first flown frame; CAMERA: "x,y,z,pitch,yaw,roll",
  the camera the preview flew in frame FIRST + k (map units and degrees, as flown).

Checks that saved frame FIRST + k holds the k-th camera in the game's wire form (the player's
origin in eighths of a unit cut towards zero and held to 16 bits, the view angles in 65536ths
of a turn cut towards zero and wrapped), with no view offset, kick or blend, and that every
other frame's player view is as it was. Prints "OK n" with the flown frames, or the first
failures and exits 1.
"""
import json
import math
import subprocess
import sys

VIEW_FIELDS = ("origin", "viewangles", "viewoffset", "kick_angles", "blend")


def frames(q2ref, path):
    out = subprocess.run([sys.executable, q2ref, "states", path], check=True,
                         capture_output=True, text=True).stdout
    rows = [json.loads(line) for line in out.splitlines() if line.strip()]
    return {r["i"]: r["ps"] for r in rows if "i" in r}


def origin_wire(units):
    return max(-32768, min(32767, math.trunc(units * 8.0)))


def angle_wire(degrees):
    return math.trunc(degrees * 65536.0 / 360.0) % 65536


def printed_angle_wire(degrees):
    # The decoder prints short * 360 / 65536.
    return round(degrees * 65536.0 / 360.0) % 65536


def main():
    q2ref, original_path, saved_path = sys.argv[1:4]
    first = int(sys.argv[4])
    cameras = [[float(v) for v in c.split(",")] for c in sys.argv[5:]]
    before = frames(q2ref, original_path)
    after = frames(q2ref, saved_path)
    failures = []
    if sorted(before) != sorted(after):
        failures.append("frames %d before, %d after" % (len(before), len(after)))
    for k, camera in enumerate(cameras):
        ps = after.get(first + k)
        if ps is None:
            failures.append("frame %d missing" % (first + k))
            continue
        want_origin = [origin_wire(v) for v in camera[:3]]
        if ps["origin"] != want_origin:
            failures.append("frame %d: origin %s, flown %s" % (first + k, ps["origin"], want_origin))
        got = [printed_angle_wire(a) for a in ps["viewangles"]]
        want = [angle_wire(a) for a in camera[3:]]
        if got != want:
            failures.append("frame %d: view angles %s, flown %s" % (first + k, got, want))
        for field in ("viewoffset", "kick_angles", "blend"):
            if any(ps[field]):
                failures.append("frame %d: %s %s" % (first + k, field, ps[field]))
    flown = range(first, first + len(cameras))
    for i, ps in after.items():
        if i in flown or i not in before:
            continue
        for field in VIEW_FIELDS:
            if ps[field] != before[i][field]:
                failures.append("frame %d: %s %s, was %s" % (i, field, ps[field], before[i][field]))
    if failures or not cameras:
        print("\n".join(failures[:10]) or "no camera given")
        sys.exit(1)
    print("OK %d" % len(cameras))


main()
