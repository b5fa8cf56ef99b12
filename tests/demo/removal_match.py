"""What each removal command takes away, in the reference decoder's terms, for the corpus
checks of the removals (corpus_runs.py chooses the runs, check_removal.py judges them)."""

MODEL_BASE = 32   # model index i is named by configstring 32 + i
SOUND_BASE = 288  # sound i by configstring 288 + i
# The message types of the events the decoder lists, by its names for them.
EVENT_TYPES = {"muzzleflash": 1, "muzzleflash2": 2, "te": 3, "layout": 4, "inventory": 5,
               "sound": 9, "print": 10, "stufftext": 11, "centerprint": 15}


def first_slot(cs, base, keyword):
    """The first index of a model or sound table whose name holds keyword, case ignored as
    everywhere the editor matches text. Names given during play count as the opening's do."""
    for index in range(1, 256):
        if keyword.lower() in cs.get(str(base + index), "").lower():
            return index
    return None


def event_matcher(kind, arg, cs):
    """The events a removal takes away (none for the entity removals)."""
    if kind == "sound":
        sound = first_slot(cs, SOUND_BASE, arg)
        return lambda e: e["t"] == "sound" and e["sound"] == sound
    if kind == "keyword":
        word = arg.lower()
        return lambda e: "text" in e and word in e["text"].lower()
    if kind == "type":
        return lambda e: EVENT_TYPES.get(e["t"]) == int(arg)
    return lambda e: False


def entity_matcher(kind, arg, cs):
    """The entities a removal makes absent (none for the message removals)."""
    if kind == "entity":
        return lambda number, e: number == arg
    if kind == "model":
        model = first_slot(cs, MODEL_BASE, arg)
        return lambda number, e: e["modelindex"] == model
    return lambda number, e: False


def only_name(frames, final, base, index, name):
    """True when `name` is the one name index ever has in the demo and no other index of its
    table is ever named with it: then every reading of "the first holding the name" finds it,
    even in demos that give an index another name during play."""
    if not name:
        return False
    for changes in [r["cs"] for r in frames] + [final["trailing_cs"], final["configstrings"]]:
        for key, value in changes.items():
            other = int(key) - base
            if 1 <= other <= 255 and ((other == index and value != name) or
                                      (other != index and name.lower() in value.lower())):
                return False
    return True
