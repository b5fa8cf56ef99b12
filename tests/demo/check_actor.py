"""Judges an imported actor with the reference decoder's states of three demos: the source,
the target before the paste and the target after it.

usage: check_actor.py Q2REF SRC BEFORE AFTER SRC_ENTITY SRC_FIRST SRC_LAST TARGET_FIRST
                      NEW_ENTITY KIND
  SRC_FIRST, SRC_LAST: frame ordinals ("i") of the copied run; TARGET_FIRST: where the paste
  starts; KIND: player or thing. The actor's states are those of the run's frames that show
  SRC_ENTITY, placed in consecutive target frames.

Checks that the actor shows in target frames TARGET_FIRST + i as the source showed it in
frames SRC_FIRST + i (models and sounds by name; a player draws its new skin), that it is
gone after the run, that a player's skin configstring is set, and that every other entity,
field and frame of the target is as it was. Prints "OK n" with the frames of the actor, or
the first failures and exits 1.
"""
import sys

from reference_states import states

PLAYER_MODEL = 255
MODEL_BASE = 32  # configstring of model index 1 is 33
SOUND_BASE = 288
SKIN_BASE = 1312
# Where a frame stands in the file and how it is numbered change with any save.
IGNORED = ("ents", "cs", "events", "block", "serverframe", "deltaframe")


def name(cs, base, index):
    return index if index in (0, PLAYER_MODEL) and base == MODEL_BASE else cs.get(str(base + index))


def main():
    q2ref, src_path, before_path, after_path = sys.argv[1:5]
    src_entity, src_first, src_last, target_first, entity = (int(a) for a in sys.argv[5:10])
    player = sys.argv[10] == "player"
    src, src_end = states(q2ref, src_path)
    before, before_end = states(q2ref, before_path)
    after, after_end = states(q2ref, after_path)
    key, src_key = str(entity), str(src_entity)
    failures = []
    if len(before) != len(after):
        failures.append("%d frames, %d before" % (len(after), len(before)))
    # The copied run.
    run = [r["ents"][src_key] for r in src[src_first:src_last + 1] if src_key in r["ents"]]
    src_cs, cs = src_end["configstrings"], after_end["configstrings"]
    for i, want in enumerate(run):
        j = target_first + i
        if j >= len(after):
            break
        got = after[j]["ents"].get(key)
        if got is None:
            failures.append("frame %d: no entity %s" % (j, key))
            continue
        for field, value in want.items():
            if field == "old_origin" and i == 0:
                continue  # where it stood before the paste is the target's
            if field.startswith("modelindex") or field == "sound":
                base = SOUND_BASE if field == "sound" else MODEL_BASE
                if player and field == "modelindex":
                    ok = got[field] == PLAYER_MODEL
                else:
                    ok = name(src_cs, base, value) == name(cs, base, got[field])
            elif field == "skinnum" and player:
                ok = got[field] & 0xFFFF == entity - 1 and got[field] >> 16 == value >> 16
            else:
                ok = got[field] == value
            if not ok:
                failures.append("frame %d: %s %s, source %s" % (j, field, got[field], value))
    end = target_first + len(run)
    for j, (b, a) in enumerate(zip(before, after)):
        ents = dict(a["ents"])
        mine = ents.pop(key, None)
        if mine is not None and j >= end:
            failures.append("frame %d: entity %s stays after the run" % (j, key))
        if player and mine is not None and j < target_first and mine["modelindex"] != 0:
            failures.append("frame %d: the player shows before the paste" % j)
        if ents != b["ents"]:
            failures.append("frame %d: other entities differ" % j)
        for field in b:
            if field not in IGNORED and b[field] != a[field]:
                failures.append("frame %d: %s differs" % (j, field))
        events = [e for e in a["events"] if e.get("ent") != entity]
        if events != [e for e in b["events"] if e.get("ent") != entity]:
            failures.append("frame %d: events differ" % j)
    # Configstrings: only the new skin and appended models or sounds.
    old = before_end["configstrings"]
    for index in set(old) | set(cs):
        if old.get(index) == cs.get(index):
            continue
        n = int(index)
        if player and n == SKIN_BASE + entity - 1:
            if cs[index] != src_cs.get(str(SKIN_BASE + src_entity - 1)):
                failures.append("skin %s, source %s" % (cs[index], src_cs.get(str(SKIN_BASE + src_entity - 1))))
        elif index not in old and MODEL_BASE < n < SKIN_BASE:
            continue  # an appended model or sound, judged by name above
        else:
            failures.append("configstring %s: %r, before %r" % (index, cs.get(index), old.get(index)))
    if player and cs.get(str(SKIN_BASE + entity - 1)) is None:
        failures.append("no skin configstring for entity %d" % entity)
    if failures or not run:
        print("\n".join(failures[:12]) or "no actor frame")
        sys.exit(1)
    print("OK %d" % len(run))


main()
