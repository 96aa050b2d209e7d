#!/usr/bin/env python3
"""Writes app/EditorLists.cpp: the five tables behind the editor's lists.

Every name is made up from syllables drawn with a fixed seed, so each run
writes the same file. The shape of each table is checked before anything is
written, so a new seed or syllable set cannot quietly break it.

Usage: make-editor-lists.py [OUTPUT]   (default: app/EditorLists.cpp)
"""

import codecs
import pathlib
import random
import sys

SEED = 0x5EB1A7

ONSETS = ["b", "br", "d", "dr", "f", "g", "gr", "h", "j", "k", "kr", "l",
          "m", "n", "p", "pr", "r", "s", "sk", "sl", "t", "th", "tr", "v",
          "vr", "w", "z", "zh", "q", "ph"]
NUCLEI = ["a", "e", "i", "o", "u", "ae", "ai", "ou", "y", "ei", "ua"]
CODAS = ["", "", "", "", "n", "r", "l", "s", "x", "th", "m", "k", "sk",
         "nd", "rn", "lt", "v", "z"]

# Plain English words only ever follow an invented word, so no result can be
# the name of something that already exists.
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
    "Level at Vostrel", "Level at Ambrask", "Level at Route 217",
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
# kept in rot13 so the file does not spell them out either.
UNWANTED = codecs.decode(
    "arte avt snt shx shd fuvg fyhg jube encr xvxr qlxr nahf nany cbea cvff "
    "ubzb frk anmv crqb jnax gvg wvm wnc cnxv fcnm ergne xxx phz chff frzra "
    "int qvyqb ohz cbb crr xvyy qvr qrnq ungr", "rot13").split()


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


def unwanted(name):
    letters = "".join(c for c in name.lower() if c.isalpha())
    return any(w in letters for w in UNWANTED)


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

    check_species(species)
    check_methods(METHODS)
    check_levels(levels)
    check_items(items)
    check_moves(moves)

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
