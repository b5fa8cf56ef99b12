"""Judges a removal on a corpus demo with the reference decoder's view of the demo before
and after it.

usage: check_removal.py Q2REF ORIGINAL SAVED KIND FROM TO ARG
  ORIGINAL: the demo before (or its states, .jsonl); SAVED: after; KIND, FROM, TO and ARG as
  corpus_runs.py chose them (entity, model, sound, keyword or type).

Entity removals: the matching entities are absent from the run's frames FROM to TO and shown
again after it. Message removals: the matching events are gone from frames FROM + 1 to TO,
whose events all come from the run's blocks (a frame's events are what the game read since
the previous frame); the first frame and the one after the run hold none, as the run was
chosen. Every other frame, entity, field, event and configstring, the baselines and the final
configstrings stay as they were; the saved demo decodes without a parse error. Prints "OK n"
with the things removed, or the first failures and exits 1.
"""
import sys

from reference_states import states, summary
from removal_match import entity_matcher, event_matcher

# A frame's place in the file moves when a removal takes a whole block away.
MOVED = ("block",)


def expected_frame(r, j, removal):
    """Frame j of the original as the removal should leave it, and what it takes away."""
    kind, first, last, events_gone, ents_gone = removal
    want = dict(r)
    removed = 0
    if first <= j <= last:
        ents = {k: e for k, e in r["ents"].items() if not ents_gone(int(k.rstrip("#")), e)}
        removed += len(r["ents"]) - len(ents)
        want["ents"] = ents
    if first < j <= last:
        events = [e for e in r["events"] if not events_gone(e)]
        removed += len(r["events"]) - len(events)
        want["events"] = events
    return want, removed


def main():
    q2ref, original_path, saved_path, kind = sys.argv[1:5]
    first, last = int(sys.argv[5]), int(sys.argv[6])
    arg = sys.argv[7]
    original, original_end = states(q2ref, original_path)
    saved, saved_end = states(q2ref, saved_path)
    cs = original_end["configstrings"]
    events_gone = event_matcher(kind, arg, cs)
    ents_gone = entity_matcher(kind, int(arg) if kind == "entity" else arg, cs)
    removal = (kind, first, last, events_gone, ents_gone)
    failures = []
    for j in (first, last + 1):
        if j < len(original) and any(events_gone(e) for e in original[j]["events"]):
            failures.append("frame %d: the run's end frames hold what it removes" % j)
    info = summary(q2ref, saved_path)
    if info["parse_error_count"] or info["invalid_frames"]:
        failures.append("saved demo: %d parse errors, %d invalid frames: %s" %
                        (info["parse_error_count"], info["invalid_frames"],
                         info["parse_errors"][:2]))
    if len(saved) != len(original):
        failures.append("%d frames, %d before" % (len(saved), len(original)))
    removed = 0
    for j, (o, s) in enumerate(zip(original, saved)):
        want, n = expected_frame(o, j, removal)
        removed += n
        for field in want:
            if field not in MOVED and s.get(field) != want[field]:
                failures.append("frame %d: %s is %.200s, wanted %.200s" %
                                (j, field, s.get(field), want[field]))
    for field in original_end:
        if saved_end.get(field) != original_end[field]:
            failures.append("after the last frame: %s differs" % field)
    if failures or removed == 0:
        print("\n".join(failures[:10]) or "nothing removed: the run tells nothing")
        sys.exit(1)
    print("OK %d" % removed)


main()
