#!/usr/bin/env python3
"""Writes app/EditorLists.cpp: the five tables behind the editor's lists.

Every name is made up from syllables drawn with a fixed seed, so each run
writes the same file. The shape of each table is checked before anything is
written, so a new seed or syllable set cannot quietly break it.

Random syllables can still land on a name that exists, a person's name or a
crude word. The rules below refuse what they can catch, and the output was
read by a person, whose refusals are kept in TURNED_DOWN; neither can prove
that no result matches a name somebody already uses.

Usage: make-editor-lists.py [OUTPUT]   (default: app/EditorLists.cpp)
"""

import codecs
import functools
import pathlib
import random
import re
import sys

SEED = 0x5EB1A7

ONSETS = ["b", "br", "d", "dr", "f", "g", "gr", "h", "j", "k", "kr", "l",
          "m", "n", "p", "pr", "r", "s", "sk", "sl", "t", "th", "tr", "v",
          "vr", "w", "z", "zh", "q", "ph"]
NUCLEI = ["a", "e", "i", "o", "u", "ae", "ai", "ou", "y", "ei", "ua"]
CODAS = ["", "", "", "", "n", "r", "l", "s", "x", "th", "m", "k", "sk",
         "nd", "rn", "lt", "v", "z"]

# Plain English words, only ever put after an invented word.
ITEM_NOUNS = ["Shard", "Tonic", "Charm", "Salve", "Flask", "Quill", "Token",
              "Resin", "Spool", "Twine", "Sprig", "Cog", "Husk", "Bead",
              "Knot", "Ladle", "Wick", "Vial", "Brooch", "Pouch", "Tassel",
              "Rivet", "Lamp", "Cask", "Satchel"]
MOVE_WORDS = ["Volley", "Lash", "Spiral", "Chime", "Rend", "Drift", "Sweep",
              "Hook", "Cleave", "Whirl", "Thrum", "Jolt", "Sunder", "Ripple",
              "Scour", "Flurry", "Brand", "Toss", "Snare", "Lunge", "Hail",
              "Murmur", "Rake", "Vault", "Weave"]

METHODS = [
    "None", "Happiness Evo", "Happiness (Day)", "Happiness (Night)",
    "Level Evo", "Trade Evo", "Trade With Item", "Item Evo",
    "Attack > Defence", "Attack < Defence", "Attack = Defence",
    "Personaltiy <=4", "Personaltiy => 5", "Special Level Evo",
    "Party Spots > 0", "Max Beauty", "Merivane (Male)", "Happiness (Day)",
    "Level With Item (Day)", "Level With Item (Night)", "Level With Attack",
    "Level With Quorvel", "Special Level Evo", "Special Level Evo",
    "Level at Vostrel", "Level at Ambrask", "Level at Thessgard",
]

SPECIES_COUNT = 494
SPECIES_PLACEHOLDER = "??????????"
SPECIES_LONGEST = 10
SPECIES_AT_LONGEST = 24
SPECIES_WITH_BLANK = {233, 439}

ITEM_COUNT = 464
ITEM_PLACEHOLDER = "????????"
ITEM_PLACEHOLDER_RANGE = range(112, 135)
ITEM_TRAILING = {6, 13, 14, 38, 39, 40, 41, 59, 89, 92, 230, 237, 244, 249,
                 421, 437, 457}
ITEM_LONGEST_INDEX = 246
ITEM_LONGEST = 14

MOVE_COUNT = 468
MOVE_TRAILING = {33, 46, 54, 104, 147, 173, 241, 321, 335, 339, 351, 374,
                 406, 437, 440, 450}
MOVE_DOUBLE_BLANK = 455
MOVE_LONGEST = 13
MOVE_AT_LONGEST = 13


# Random syllables can spell words nobody wants to see in a list; these are
# kept in rot13 so the file does not spell them out either. The first pass
# (draw) still refuses only these, exactly as when the tables were first
# drawn, so that a later rule moves only the names it catches.
UNWANTED = codecs.decode(
    "arte avt snt shx shd fuvg fyhg jube encr xvxr qlxr nahf nany cbea cvff "
    "ubzb frk anmv crqb jnax gvg wvm wnc cnxv fcnm ergne xxx phz chff frzra "
    "int qvyqb ohz cbb crr xvyy qvr qrnq ungr", "rot13").split()

# The same kind of words by sound, whatever the spelling: compared with a
# name after sounds() has brought it to one spelling per sound.
UNWANTED_SOUNDS = codecs.decode(
    "shx qvx xbx xhag xhz fuvg gjng gvg jnax cevx fyhg fynt ovpu nefr gheq "
    "funt fchax xabo cvf chff sneg xenc ubeav frxf crqb chgn chgb zreq fcnf "
    "xnxn fzrt wvfz ohte ohtre obyybx arte avt snt jube encr xvxr nahf nany "
    "cbea ubzb anfv anmv wvf wvm wnc cnxv fcnm ergne xxx frzra int qvyqb ohz "
    "cbb crr xvyy qvr qrnq ungr gneq", "rot13").split()

SAME_SOUND = [("ph", "f"), ("ck", "k"), ("c", "k"), ("q", "k"), ("x", "ks"),
              ("y", "i")]

# Entries a reader turned down: too like a name that already exists, a
# person's name or a crude word, or repeating a word from another list (the
# rules now catch some of them as well). Each is drawn again from a stream of
# its own; the number says how many of those redraws were turned down too.
TURNED_DOWN = {
    "species": {4: 0, 35: 0, 107: 0, 149: 2, 151: 0, 160: 0, 233: 2, 258: 0,
                259: 1, 275: 0, 312: 3, 316: 1, 334: 0, 342: 0, 346: 0, 353: 0,
                383: 2, 384: 0, 390: 0, 411: 0, 438: 0, 440: 0, 459: 1, 460: 1},
    "item": {24: 1, 45: 0, 97: 0, 110: 0, 166: 1, 169: 1, 191: 1, 228: 1,
             244: 0, 439: 0, 459: 0},
    "move": {23: 0, 74: 0, 106: 0, 139: 0, 140: 0, 184: 2, 186: 0, 203: 1,
             258: 1, 330: 1, 341: 0, 364: 1, 379: 1, 447: 1, 467: 1},
}

# Plain words that do not count when two names are compared for likeness.
PLAIN_WORDS = {"item": set(ITEM_NOUNS), "move": set(MOVE_WORDS)}


class ShapeError(Exception):
    pass


def require(condition, message):
    # Not `assert`: python -O must not skip these.
    if not condition:
        raise ShapeError(message)


def word(rng, min_syllables=2, max_syllables=3):
    parts = []
    for _ in range(rng.randint(min_syllables, max_syllables)):
        parts.append(rng.choice(ONSETS) + rng.choice(NUCLEI) + rng.choice(CODAS))
    return "".join(parts).capitalize()


@functools.cache
def letters(name):
    return "".join(c for c in name.lower() if c.isalpha())


def unwanted(name):
    return any(w in letters(name) for w in UNWANTED)


def sounds(name):
    spelt = letters(name)
    for spelling, sound in SAME_SOUND:
        spelt = spelt.replace(spelling, sound)
    return spelt


def crude(name):
    return unwanted(name) or any(w in sounds(name) for w in UNWANTED_SOUNDS)


def reads_as_given_name(name):
    # A short first word ending in a vowel, or shaped like two light
    # syllables ending in l, m, n, r or s, reads as somebody's first name
    # when a noun follows it, and often on its own too.
    first = name.split(" ")[0].lower()
    return ((len(first) <= 5 and first[-1] in "aeiouy")
            or re.fullmatch(r"[^aeiouy][aeiouy][^aeiouy][aeiouy][lmnrs]", first)
            is not None)


@functools.cache
def invented_part(name, label):
    plain = PLAIN_WORDS.get(label, set())
    return " ".join(letters(w) for w in name.split(" ") if w and w not in plain)


def near(a, b):
    """True when a and b are at most two letters apart (edit distance)."""
    if abs(len(a) - len(b)) > 2:
        return False
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        diagonal, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            diagonal, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1,
                                           diagonal + (ca != cb))
        if min(row) > 2:
            return False
    return row[-1] <= 2


def fixed(name):
    return name == "None" or set(name) == {"?"}


def refusal(label, name, others):
    """Why name may not stand beside others in its list, or None."""
    if crude(name):
        return "reads as a crude word"
    if label != "species" and reads_as_given_name(name):
        return "reads as a person's name"
    mine = invented_part(name, label)
    for other in others:
        if near(mine, invented_part(other, label)):
            return f"is within two letters of {other!r}"
    return None


def draw(rng, make, fits, taken):
    while True:
        name = make(rng)
        if fits(name) and name not in taken and not unwanted(name):
            taken.add(name)
            return name


def make_species(rng):
    names = [SPECIES_PLACEHOLDER]
    taken = set(names)
    pool = [i for i in range(1, SPECIES_COUNT) if i not in SPECIES_WITH_BLANK]
    longest = set(rng.sample(pool, SPECIES_AT_LONGEST - 1))
    rest = [i for i in pool if i not in longest]
    marked = rng.sample(rest, 9)
    joiners = dict(zip(marked, "'''---..."))
    for i in range(1, SPECIES_COUNT):
        length = SPECIES_LONGEST if i in longest else rng.randint(5, 9)
        if i in SPECIES_WITH_BLANK:
            make = lambda r: word(r, 1, 2) + " " + word(r, 1, 2)
            fits = lambda n: 7 <= len(n) < SPECIES_LONGEST
        elif i in joiners:
            mark = joiners[i]
            tail = str.lower if mark == "'" else str.capitalize
            make = lambda r, m=mark, t=tail: word(r, 1, 2) + m + t(word(r, 1, 1))
            fits = lambda n: 5 <= len(n) < SPECIES_LONGEST
        else:
            make = lambda r: word(r, 2, 4)
            fits = lambda n, want=length: len(n) == want
        names.append(draw(rng, make, fits, taken))
    return names


def make_items(rng):
    names = []
    taken = {"None", ITEM_PLACEHOLDER}

    def make(r):
        if r.random() < 0.7:
            return word(r) + " " + r.choice(ITEM_NOUNS)
        return word(r, 2, 4)

    for i in range(ITEM_COUNT):
        if i == 0:
            names.append("None")
        elif i in ITEM_PLACEHOLDER_RANGE:
            names.append(ITEM_PLACEHOLDER)
        elif i == ITEM_LONGEST_INDEX:
            names.append(draw(rng, lambda r: word(r) + " " + r.choice(ITEM_NOUNS),
                              lambda n: len(n) == ITEM_LONGEST, taken))
        elif i in ITEM_TRAILING:
            names.append(draw(rng, make, lambda n: len(n) <= 12, taken) + " ")
        else:
            names.append(draw(rng, make, lambda n: len(n) <= 13, taken))
    return names


def make_moves(rng):
    names = ["None"]
    taken = set(names)
    pool = [i for i in range(1, MOVE_COUNT)
            if i not in MOVE_TRAILING and i != MOVE_DOUBLE_BLANK]
    longest = set(rng.sample(pool, MOVE_AT_LONGEST - 1))

    def make(r):
        roll = r.random()
        if roll < 0.55:
            return word(r) + " " + r.choice(MOVE_WORDS)
        if roll < 0.8:
            return word(r, 2, 2) + " " + word(r, 1, 2)
        return word(r, 2, 4)

    for i in range(1, MOVE_COUNT):
        if i == MOVE_DOUBLE_BLANK:
            names.append(draw(rng, lambda r: word(r) + "  " + r.choice(MOVE_WORDS),
                              lambda n: len(n) == MOVE_LONGEST, taken))
        elif i in MOVE_TRAILING:
            names.append(draw(rng, make, lambda n: len(n) <= 11, taken) + " ")
        elif i in longest:
            names.append(draw(rng, make, lambda n: len(n) == MOVE_LONGEST, taken))
        else:
            names.append(draw(rng, make, lambda n: len(n) < MOVE_LONGEST, taken))
    return names


def redraw(rng, label, name):
    """A new name with the same length and the same blanks and marks."""
    plain = sorted(PLAIN_WORDS.get(label, set()))
    runs = re.findall(r"[A-Za-z]+|[^A-Za-z]+", name)
    last = max(k for k, run in enumerate(runs) if run[0].isalpha())
    out = []
    for k, run in enumerate(runs):
        if not run[0].isalpha():
            out.append(run)
            continue
        fitting = [w for w in plain if len(w) == len(run)]
        if k == last and k > 0 and fitting and rng.random() < 0.7:
            out.append(rng.choice(fitting))
            continue
        made = word(rng, 1, 4)
        while len(made) != len(run):
            made = word(rng, 1, 4)
        out.append(made.lower() if run[0].islower() else made)
    return "".join(out)


def settle(names, label):
    """Keeps each first-pass name that passes every rule and redraws the rest.

    Each entry is checked against the ones before it, so of two near twins the
    later one goes. A redraw comes from the entry's own stream, keeps the
    entry's shape so the tables' checks still hold, and must stay clear of
    every other entry, so a name that passes is never moved by another's.
    """
    names = list(names)
    turned_down = TURNED_DOWN.get(label, {})
    for i, name in enumerate(names):
        if fixed(name):
            continue
        earlier = [n for n in names[:i] if not fixed(n)]
        if i not in turned_down and refusal(label, name, earlier) is None:
            continue
        others = [n for j, n in enumerate(names) if j != i and not fixed(n)]
        rng = random.Random(f"{label} {i} {SEED}")
        passed_over = turned_down.get(i, 0)
        for _ in range(100000):
            candidate = redraw(rng, label, name)
            if candidate == name or refusal(label, candidate, others) is not None:
                continue
            if passed_over:
                passed_over -= 1
                continue
            break
        else:
            raise ShapeError(f"no new name in the shape of {label} {i} {name!r}")
        names[i] = candidate
    return names


def check_rules(names, label):
    kept = [(i, n) for i, n in enumerate(names) if not fixed(n)]
    for k, (i, n) in enumerate(kept):
        why = refusal(label, n, [m for _, m in kept[:k]])
        require(why is None, f"{label} {i} {n!r} {why}")


def printable(names, label):
    for i, n in enumerate(names):
        require(n != "", f"{label} {i} is empty")
        require(label == "method" or not unwanted(n), f"{label} {i} spells an unwanted word")
        require(all(0x20 <= ord(c) <= 0x7E for c in n),
                f"{label} {i} is not printable ASCII: {n!r}")


def indices(names, test):
    return {i for i, n in enumerate(names) if test(n)}


def check_species(names):
    require(len(names) == SPECIES_COUNT, "species count")
    require(names[0] == SPECIES_PLACEHOLDER, "species placeholder")
    require(len(set(names)) == len(names), "species names repeat")
    printable(names, "species")
    longest = max(map(len, names))
    require(longest == SPECIES_LONGEST, f"longest species has {longest} characters")
    require(len(indices(names, lambda n: len(n) == longest)) == SPECIES_AT_LONGEST,
            "number of species at the longest length")
    require(indices(names, lambda n: " " in n) == SPECIES_WITH_BLANK,
            "species with a blank")
    for i in SPECIES_WITH_BLANK:
        require(names[i].count(" ") == 1, f"species {i} blank count")
    require(not indices(names, lambda n: n != n.strip(" ")),
            "species begins or ends with a blank")
    allowed = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                  "0123456789 '-.")
    for i, n in enumerate(names[1:], 1):
        require(set(n) <= allowed, f"species {i} has a stray character: {n!r}")
    for mark in "'-.":
        require(any(mark in n for n in names), f"no species holds {mark!r}")


def check_methods(names):
    require(len(names) == 27, "method count")
    printable(names, "method")


def check_levels(names):
    require(names == [str(k) for k in range(101)], "level list")


def check_items(names):
    require(len(names) == ITEM_COUNT, "item count")
    require(names[0] == "None", "item 0")
    require(indices(names, lambda n: n == ITEM_PLACEHOLDER) == set(ITEM_PLACEHOLDER_RANGE),
            "item placeholders")
    named = [n for i, n in enumerate(names) if i not in ITEM_PLACEHOLDER_RANGE]
    require(len(set(named)) == len(named), "item names repeat")
    printable(names, "item")
    require(indices(names, lambda n: n.endswith(" ")) == ITEM_TRAILING,
            "items ending in a blank")
    require(not indices(names, lambda n: n.startswith(" ") or "  " in n),
            "item begins with a blank or holds two in a row")
    require(len(names[ITEM_LONGEST_INDEX]) == ITEM_LONGEST, "longest item length")
    require(all(len(n) <= ITEM_LONGEST - 1 for i, n in enumerate(names)
                if i != ITEM_LONGEST_INDEX), "an item is too long")


def check_moves(names):
    require(len(names) == MOVE_COUNT, "move count")
    require(names[0] == "None", "move 0")
    require(len(set(names)) == len(names), "move names repeat")
    printable(names, "move")
    require(indices(names, lambda n: n.endswith(" ")) == MOVE_TRAILING,
            "moves ending in a blank")
    require(not indices(names, lambda n: n.startswith(" ") or n.endswith("  ")),
            "move begins with a blank or ends in two")
    require(indices(names, lambda n: "  " in n) == {MOVE_DOUBLE_BLANK},
            "moves with two blanks in a row")
    double = names[MOVE_DOUBLE_BLANK]
    require(double.strip(" ") == double, "two blanks must sit inside the move")
    longest = max(map(len, names))
    require(longest == MOVE_LONGEST, f"longest move has {longest} characters")
    at_longest = indices(names, lambda n: len(n) == longest)
    require(len(at_longest) == MOVE_AT_LONGEST and MOVE_DOUBLE_BLANK in at_longest,
            "moves at the longest length")


def literal(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    # A "??" followed by one of these would be a trigraph before C++17.
    for c in "=/'()!<>-":
        out = out.replace("??" + c, "?\\?" + c)
    return '"' + out + '"'


def table(name, entries):
    lines = [f"const std::array<std::string_view, {len(entries)}> {name} = {{"]
    lines += [f"    {literal(e)}, // {i}" for i, e in enumerate(entries)]
    lines.append("};")
    return "\n".join(lines)


def render(tables):
    head = ("// Generated by tools/make-editor-lists.py; do not edit by hand.\n"
            '#include "EditorLists.h"\n\n'
            "namespace EditorLists {\n\n")
    body = "\n\n".join(table(name, entries) for name, entries in tables)
    return head + body + "\n\n}\n"


def main(argv):
    rng = random.Random(SEED)
    species = make_species(rng)
    items = make_items(rng)
    moves = make_moves(rng)
    levels = [str(k) for k in range(101)]

    species = settle(species, "species")
    items = settle(items, "item")
    moves = settle(moves, "move")

    check_species(species)
    check_methods(METHODS)
    check_levels(levels)
    check_items(items)
    check_moves(moves)
    for names, label in ((species, "species"), (items, "item"), (moves, "move")):
        check_rules(names, label)

    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(argv[1]) if len(argv) > 1 else root / "app" / "EditorLists.cpp"
    text = render([("SpeciesList", species), ("MethodList", METHODS),
                   ("LevelList", levels), ("ItemList", items), ("MoveList", moves)])
    out.write_text(text, encoding="ascii", newline="\n")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except ShapeError as error:
        sys.exit(f"make-editor-lists: {error}")
