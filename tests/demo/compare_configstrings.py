#!/usr/bin/env python3
"""Compares the configstrings the game holds at paired frames of two demos.

usage: compare_configstrings.py DECODER A B FRAMES_A FRAMES_B

DECODER is the reference decoder's script; FRAMES_A and FRAMES_B are its frame ranges
("0-9,20,31-30"). The reference decoder reports, per frame, the configstrings that changed
since the frame before; this adds them up from the start of each demo, so that the k-th listed
frame of A and of B are judged by every configstring the game holds there, wherever an edit
moved the change. Prints the first differences and exits 1 when there are any.
"""
import importlib.util
import sys


def load_decoder(path):
    spec = importlib.util.spec_from_file_location("q2ref", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def held_configstrings(q2ref, path):
    """The configstrings the game holds at each frame, in frame order."""
    _, frames = q2ref.frames_of(path)
    held = {}
    out = []
    for frame in frames:
        for index, value in frame["cs"].items():
            if value:
                held[index] = value
            else:
                held.pop(index, None)
        out.append(dict(held))
    return out


def main(argv):
    if len(argv) != 6:
        sys.stderr.write(__doc__)
        return 2
    q2ref = load_decoder(argv[1])
    held_a = held_configstrings(q2ref, argv[2])
    held_b = held_configstrings(q2ref, argv[3])
    frames_a = q2ref.parse_ranges(argv[4])
    frames_b = q2ref.parse_ranges(argv[5])
    if len(frames_a) != len(frames_b):
        print("the frame lists differ in length: %d against %d" % (len(frames_a), len(frames_b)))
        return 2
    differences = 0
    for xa, xb in zip(frames_a, frames_b):
        if not (0 <= xa < len(held_a) and 0 <= xb < len(held_b)):
            print("frame out of range: %d / %d" % (xa, xb))
            return 2
        a, b = held_a[xa], held_b[xb]
        for index in sorted(set(a) | set(b)):
            if a.get(index) != b.get(index):
                differences += 1
                if differences <= 10:
                    print("frame %d of A / %d of B: cs %d  A=%r  B=%r"
                          % (xa, xb, index, a.get(index), b.get(index)))
    print("configstring differences: %d" % differences)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
