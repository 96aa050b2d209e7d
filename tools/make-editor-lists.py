#!/usr/bin/env python3
"""Writes app/EditorLists.cpp: the five tables behind the editor's lists.

Every name is made up from syllables drawn with a fixed seed, so each run
writes the same file. The shape of each table is checked before anything is
written, so a new seed or syllable set cannot quietly break it.

Random syllables can still land on a name that exists, a person's name, a
word or a crude word. The rules below refuse what they can catch, and a
person reads the output, whose refusals are kept in TURNED_DOWN; neither can
prove that no result matches a name somebody already uses.

Needs Debian's word lists wamerican, wngerman, wfrench, wspanish, witalian.

Usage: make-editor-lists.py [OUTPUT]   (default: app/EditorLists.cpp)
"""

import codecs
import functools
import pathlib
import random
import re
import sys
import unicodedata

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
# (draw) refuses only these; settle applies every other rule and redraws only
# the names a rule catches, so each rule leaves the names it passes in place.
UNWANTED = codecs.decode(
    "arte avt snt shx shd fuvg fyhg jube encr xvxr qlxr nahf nany cbea cvff "
    "ubzb frk anmv crqb jnax gvg wvm wnc cnxv fcnm ergne xxx phz chff frzra "
    "int qvyqb ohz cbb crr xvyy qvr qrnq ungr", "rot13").split()

# Spellings that sound alike, each brought to one of them. Pairs of letters
# come first, so that no rule on a single letter splits a pair ("ck", "c").
SAME_SOUND = [("zh", "j"), ("ph", "f"), ("th", "t"), ("ck", "k"), ("ae", "e"),
              ("ou", "u"), ("c", "k"), ("q", "k"), ("x", "ks"), ("w", "v"),
              ("y", "i")]

# The same kind of words by sound, whatever the spelling, in the five
# languages of the word lists below: each is brought to one spelling per
# sound as a name is, then looked for inside the name's sounds.
UNWANTED_SOUNDS = codecs.decode(
    "shx qvx xbx xhag xhz fuvg gjng gvg jnax cevx fyhg fynt ovpu nefr gheq "
    "funt fchax xabo cvf chff sneg xenc ubeav frxf crqb chgn chgb zreq fcnf "
    "xnxn fzrt wvfz ohte ohtre obyybx arte avt snt jube encr xvxr nahf nany "
    "cbea ubzb anfv anmv wvf wvm wnc cnxv fcnm ergne xxx frzra int qvyqb ohz "
    "cbb crr xvyy qvr qrnq ungr gneq fhxf crav "
    "svx sbgm furvf uher ivxf cvzry "
    "chgr xbaane raxhy fnybc shge avxre srffr oenay "
    "xhyb zvreq xnoeba craqrw wbqre "
    "xnmm xnmb zvaxv fgebam", "rot13").split()

# Debian's word lists and the packages that install them. No word of a name's
# own, however short, may be a word of these (proper names included): a reader
# of one of these languages would read it as that word.
WORD_LISTS = {"american-english": "wamerican", "ngerman": "wngerman",
              "french": "wfrench", "spanish": "wspanish", "italian": "witalian"}
WORD_LIST_DIR = pathlib.Path("/usr/share/dict")

# Entries a reader turned down: too like a name that already exists, a
# person's name, a word or a crude word, or repeating a word from another list
# (the rules catch some of them as well). Each is drawn again from a stream of
# its own; the number says how many of those redraws were turned down too.
TURNED_DOWN = {
    "species": {7: 3, 14: 0, 26: 7, 32: 2, 35: 0, 46: 3, 57: 2, 74: 1, 86: 0,
                92: 4, 104: 2, 107: 0, 109: 0, 112: 0, 118: 1, 120: 0, 133: 1,
                136: 5, 160: 0, 167: 1, 175: 3, 180: 3, 184: 2, 190: 1, 197: 2,
                200: 3, 233: 15, 251: 2, 254: 2, 258: 0, 259: 2, 275: 0,
                312: 1, 319: 1, 334: 0, 342: 0, 346: 0, 353: 1, 362: 5, 372: 7,
                383: 2, 390: 0, 392: 1, 407: 1, 428: 0, 436: 1, 439: 1, 440: 0,
                444: 1, 460: 1, 470: 2, 478: 2, 488: 0, 490: 1},
    "item": {24: 4, 35: 0, 66: 3, 67: 1, 91: 0, 97: 0, 107: 0, 110: 0, 157: 4,
             166: 1, 169: 3, 171: 0, 177: 0, 189: 2, 201: 0, 228: 3, 266: 5,
             280: 0, 311: 0, 437: 0, 439: 0},
    "move": {3: 4, 12: 0, 26: 1, 47: 2, 56: 2, 58: 1, 61: 0, 66: 1, 74: 1,
             106: 0, 114: 6, 126: 0, 139: 0, 149: 1, 152: 7, 153: 3, 157: 1,
             163: 1, 177: 5, 183: 4, 184: 2, 186: 0, 190: 0, 191: 0, 203: 2,
             214: 4, 218: 1, 242: 4, 245: 2, 248: 0, 252: 2, 256: 1, 278: 1,
             280: 1, 287: 0, 293: 5, 297: 2, 298: 0, 308: 2, 312: 1, 328: 1,
             330: 4, 332: 1, 338: 1, 341: 0, 370: 1, 372: 4, 379: 1, 389: 2,
             398: 2, 407: 0, 415: 1, 449: 5, 454: 1, 467: 3},
}

# Plain words that do not count when two names are compared for likeness.
PLAIN_WORDS = {"item": set(ITEM_NOUNS), "move": set(MOVE_WORDS)}


class ShapeError(Exception):
    pass


class MissingWordList(Exception):
    pass


# Draws allowed for one name, word or redraw: a shape that this many draws
# cannot fill is one that the syllables cannot make.
TRIES = 100000


def span(lengths):
    low, high = lengths.start, lengths.stop - 1
    return f"{low}" if low == high else f"{low} to {high}"


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
    spelt = letters(name)
    return any(w in spelt for w in UNWANTED)


@functools.cache
def sounds(name):
    spelt = letters(name)
    for spelling, sound in SAME_SOUND:
        spelt = spelt.replace(spelling, sound)
    return spelt


def crude(name):
    heard = sounds(name)
    return unwanted(name) or any(sounds(w) in heard for w in UNWANTED_SOUNDS)


def reads_as_given_name(word):
    # A short word ending in a vowel, or shaped like two light syllables
    # ending in l, m, n, r or s, reads as somebody's first name. A word of two
    # letters is one syllable, and every one the syllables make ends in a
    # vowel, so the shape is read from three letters on.
    return len(word) >= 3 and (
        (len(word) <= 5 and word[-1] in "aeiouy")
        or re.fullmatch(r"[^aeiouy][aeiouy][^aeiouy][aeiouy][lmnrs]", word) is not None)


def ascii_word(entry):
    """The entry in plain ASCII letters, accents dropped, or None."""
    entry = entry.strip()
    if not entry.isascii():
        entry = entry.replace("\u00df", "ss").replace("\u00e6", "ae").replace("\u0153", "oe")
        entry = "".join(c for c in unicodedata.normalize("NFKD", entry)
                        if not unicodedata.combining(c))
    return entry if entry.isascii() and entry.isalpha() else None


@functools.cache
def listed_words():
    words = set()
    for file, package in WORD_LISTS.items():
        path = WORD_LIST_DIR / file
        if not path.is_file():
            raise MissingWordList(f"{path} is missing: install the Debian package {package}")
        data = path.read_bytes()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            text = data.decode("latin-1")
        for entry in text.lower().splitlines():
            word = ascii_word(entry)
            if word:
                words.add(word)
    return frozenset(words)


@functools.cache
def invented_words(name, label):
    """The name's own words in lower case, without the plain words of its list."""
    plain = PLAIN_WORDS.get(label, set())
    return tuple(w.lower() for w in re.findall(r"[A-Za-z]+", name) if w not in plain)


@functools.cache
def invented_part(name, label):
    return " ".join(invented_words(name, label))


@functools.cache
def letter_mask(text):
    """The set of letters text uses, one bit a letter."""
    return sum(1 << (ord(c) - ord("a")) for c in set(text) if "a" <= c <= "z")


def likeness(names, label):
    """Each name with its invented part and the letters that part uses."""
    return [(n, part, letter_mask(part)) for n in names for part in [invented_part(n, label)]]


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


def refusal(label, name, others, elsewhere):
    """Why name may not stand beside others in its list, or None.

    others is likeness() of the other names; elsewhere holds the invented
    words of the other lists, which no word of name may repeat.
    """
    if crude(name):
        return "reads as a crude word"
    words = invented_words(name, label)
    for w in words:
        if reads_as_given_name(w):
            return f"has {w!r}, which reads as a person's name"
        if w in listed_words():
            return f"has {w!r}, a word of a word list"
        if w in elsewhere:
            return f"has {w!r}, a word of another list"
    mine = invented_part(name, label)
    used = letter_mask(mine)
    for other, part, other_used in others:
        # One edit changes at most two letters of the set a word uses, so
        # most pairs are told apart before the full count.
        if (used ^ other_used).bit_count() <= 4 and near(mine, part):
            return f"is within two letters of {other!r}"
    return None


def draw(rng, make, lengths, taken, where):
    for _ in range(TRIES):
        name = make(rng)
        if len(name) in lengths and name not in taken and not unwanted(name):
            taken.add(name)
            return name
    raise ShapeError(f"{where}: no name of length {span(lengths)} can be drawn")


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
            lengths = range(7, SPECIES_LONGEST)
        elif i in joiners:
            mark = joiners[i]
            tail = str.lower if mark == "'" else str.capitalize
            make = lambda r, m=mark, t=tail: word(r, 1, 2) + m + t(word(r, 1, 1))
            lengths = range(5, SPECIES_LONGEST)
        else:
            make = lambda r: word(r, 2, 4)
            lengths = range(length, length + 1)
        names.append(draw(rng, make, lengths, taken, f"species {i}"))
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
                              range(ITEM_LONGEST, ITEM_LONGEST + 1), taken, f"item {i}"))
        elif i in ITEM_TRAILING:
            names.append(draw(rng, make, range(1, 13), taken, f"item {i}") + " ")
        else:
            names.append(draw(rng, make, range(1, 14), taken, f"item {i}"))
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
        at = f"move {i}"
        if i == MOVE_DOUBLE_BLANK:
            names.append(draw(rng, lambda r: word(r) + "  " + r.choice(MOVE_WORDS),
                              range(MOVE_LONGEST, MOVE_LONGEST + 1), taken, at))
        elif i in MOVE_TRAILING:
            names.append(draw(rng, make, range(1, 12), taken, at) + " ")
        elif i in longest:
            names.append(draw(rng, make, range(MOVE_LONGEST, MOVE_LONGEST + 1), taken, at))
        else:
            names.append(draw(rng, make, range(1, MOVE_LONGEST), taken, at))
    return names


def redraw(rng, label, i, name):
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
        for _ in range(TRIES):
            made = word(rng, 1, 4)
            if len(made) == len(run):
                break
        else:
            raise ShapeError(f"{label} {i} {name!r}: no word of length {len(run)} can be drawn")
        out.append(made.lower() if run[0].islower() else made)
    return "".join(out)


def settle(names, label, elsewhere):
    """Keeps each first-pass name that passes every rule and redraws the rest.

    Each entry is checked against the ones before it, so of two near twins the
    later one goes, and against the words of the lists settled before it
    (elsewhere), so of a word in two lists the later list's goes. A redraw
    comes from the entry's own stream, keeps the entry's shape so the tables'
    checks still hold, and must stay clear of every other entry, so a name
    that passes is never moved by another's.
    """
    names = list(names)
    turned_down = TURNED_DOWN.get(label, {})
    for i, name in enumerate(names):
        if fixed(name):
            continue
        earlier = likeness([n for n in names[:i] if not fixed(n)], label)
        if i not in turned_down and refusal(label, name, earlier, elsewhere) is None:
            continue
        others = likeness([n for j, n in enumerate(names) if j != i and not fixed(n)], label)
        rng = random.Random(f"{label} {i} {SEED}")
        passed_over = turned_down.get(i, 0)
        for _ in range(TRIES):
            candidate = redraw(rng, label, i, name)
            if candidate == name or refusal(label, candidate, others, elsewhere) is not None:
                continue
            if passed_over:
                passed_over -= 1
                continue
            break
        else:
            raise ShapeError(f"no new name in the shape of {label} {i} {name!r}")
        names[i] = candidate
    return names


def words_of(names, label):
    return {w for n in names if not fixed(n) for w in invented_words(n, label)}


def check_rules(names, label, elsewhere):
    kept = [(i, n) for i, n in enumerate(names) if not fixed(n)]
    alike = likeness([n for _, n in kept], label)
    for k, (i, n) in enumerate(kept):
        why = refusal(label, n, alike[:k], elsewhere)
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

    species = settle(species, "species", set())
    species_words = words_of(species, "species")
    items = settle(items, "item", species_words)
    earlier_words = species_words | words_of(items, "item")
    moves = settle(moves, "move", earlier_words)

    check_species(species)
    check_methods(METHODS)
    check_levels(levels)
    check_items(items)
    check_moves(moves)
    check_rules(species, "species", set())
    check_rules(items, "item", species_words)
    check_rules(moves, "move", earlier_words)

    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(argv[1]) if len(argv) > 1 else root / "app" / "EditorLists.cpp"
    text = render([("SpeciesList", species), ("MethodList", METHODS),
                   ("LevelList", levels), ("ItemList", items), ("MoveList", moves)])
    out.write_text(text, encoding="ascii", newline="\n")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except (ShapeError, MissingWordList) as error:
        sys.exit(f"make-editor-lists: {error}")
