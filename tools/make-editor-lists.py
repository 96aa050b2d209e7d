#!/usr/bin/env python3
"""Writes app/EditorLists.cpp: the five tables behind the editor's lists.

Every name is made up from syllables drawn with a fixed seed, so each run
writes the same file. The shape of each table is checked before anything is
written, so a new seed or syllable set cannot quietly break it.

Random syllables can still land on a name that exists, a person's name, a
word or a crude word. The rules below refuse what they can catch, and a
person reads the output, whose refusals are kept in TURNED_DOWN; neither can
prove that no result matches a name somebody already uses.

The draw reads nothing but this file, so every machine writes the same
bytes. Words of the system's word lists are looked for by a test over the
written tables (tests/editor_list_words.py); an entry it catches is turned
down in TURNED_DOWN like any other.

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
# (draw) refuses only these; settle applies every other rule and redraws only
# the names a rule catches, so each rule leaves the names it passes in place.
UNWANTED = codecs.decode(
    "arte avt snt shx shd fuvg fyhg jube encr xvxr qlxr nahf nany cbea cvff "
    "ubzb frk anmv crqb jnax gvg wvm wnc cnxv fcnm ergne xxx phz chff frzra "
    "int qvyqb ohz cbb crr xvyy qvr qrnq ungr", "rot13").split()

# Spellings that sound alike, each brought to one of them. Pairs of letters
# come first, so that no rule on a single letter splits a pair ("ck", "c").
SAME_SOUND = [("zh", "j"), ("ph", "f"), ("th", "t"), ("ck", "k"), ("ae", "e"),
              ("ai", "e"), ("ei", "i"), ("ou", "u"), ("c", "k"), ("q", "k"),
              ("x", "ks"), ("w", "v"), ("y", "i"), ("z", "s")]

# The same kind of words by sound, whatever the spelling, in the languages
# of Western, Northern and Central Europe, and ethnic slurs: each is brought
# to one spelling per sound as a name is, then looked for inside the name's
# sounds.
UNWANTED_SOUNDS = codecs.decode(
    "shx qvx xbx xhag xhz fuvg gjng gvg jnax cevx fyhg fynt ovpu nefr gheq "
    "funt fchax xabo cvf chff sneg xenc ubeav frxf crqb chgn chgb zreq fcnf "
    "xnxn fzrt wvfz ohte ohtre obyybx arte avt snt jube encr xvxr nahf nany "
    "cbea ubzb anfv anmv wvf wvm wnc cnxv fcnm ergne xxx frzra int qvyqb ohz "
    "cbb crr xvyy qvr qrnq ungr gneq fhxf crav "
    "svx sbgm furvf uher ivxf cvzry "
    "chgr xbaane raxhy fnybc shge avxre srffr oenay "
    "xhyb zvreq xnoeba craqrw wbqre "
    "xnmm xnmb zvaxv fgebam "
    "xbag qeby fyrg gehg grevat xnaxre fgebag ubre arhx xybbg "
    "svffr xhffr ybeg yhqre crexre svgg qevg chyr gvfcr wriy fxvg xahy uben "
    "uber fabc cvgg onwf fyvan "
    "xhei uhw wro cvfq qhcn qhcr xhgnf fhxn crqny crqre qrovy xergva ubia "
    "tbia fena feng fenx xhaq xhenx qrix fhcnx ohfv ohfre onfq onfa "
    "cbee sbqn sbqre ohaqn ivnq xban xntne xnenyu chgna znevxba ahgg ovgr "
    "xnanx fcvx ibt thx qntb cbynx uvzv fnzob xnsve ubaxv qnexv vawha artre "
    "genav irgonx cvxv", "rot13").split()

# Crude words too short to look for inside a name: refused at the start or
# the end of a word by sound, and the shortest only as a whole word.
UNWANTED_AT_EDGE = codecs.decode(
    "cvx yhy xhg xhx ibc fne xhy xha tvc qhc svf xnx fvx fxvq uhe fbo snf sbx",
    "rot13").split()
UNWANTED_ALONE = codecs.decode("xh ub sh", "rot13").split()

# Entries turned down by a reader (too like a name that already exists, a
# person's name, a word or a crude word, within a letter or a sound of another
# entry's word, sharing a long start with one, or repeating a word from
# another list) or by the word-list test; the rules catch some of them as
# well. Each is drawn again from a stream of its own; the number says how many
# of the redraws that pass the rules are passed over before the one kept.
# Which redraws pass depends on the names settled before the entry, so the
# numbers of later entries are set to keep the names they have when an
# earlier name changes; some entries are listed only for that.
TURNED_DOWN = {
    "species": {7: 3, 9: 1, 26: 173, 32: 3, 35: 0, 42: 6, 43: 48, 44: 0, 46: 3,
                53: 0, 55: 1, 61: 0, 66: 132, 74: 236, 75: 1, 82: 6, 84: 11,
                86: 0, 91: 3, 92: 13, 93: 5, 99: 1, 104: 7, 107: 0, 112: 8,
                118: 1, 120: 0, 128: 0, 134: 2, 136: 444, 138: 2, 149: 1,
                151: 20, 160: 0, 167: 2, 175: 161, 180: 4, 183: 1, 184: 8,
                190: 14, 192: 15, 197: 1, 198: 1, 200: 31, 201: 15, 211: 18,
                215: 0, 220: 1, 222: 0, 229: 1, 233: 19, 240: 1, 250: 6,
                251: 11, 254: 6, 257: 4, 258: 0, 259: 16, 262: 20, 275: 1,
                278: 8, 299: 19, 305: 1, 312: 3, 316: 280, 318: 15, 319: 4,
                329: 1, 332: 34, 334: 0, 340: 32, 341: 1, 342: 0, 346: 0,
                353: 0, 357: 0, 362: 18, 372: 63, 375: 53, 383: 18, 390: 0,
                392: 10, 397: 21, 400: 0, 404: 59, 406: 15, 407: 8, 411: 18,
                412: 0, 416: 44, 417: 283, 422: 114, 425: 25, 428: 0, 436: 19,
                438: 4, 439: 4, 440: 0, 444: 79, 454: 74, 459: 106, 460: 2,
                464: 0, 470: 3, 478: 95, 484: 14, 485: 3, 488: 1, 490: 31},
    "item": {14: 0, 24: 3, 35: 0, 51: 92, 62: 1, 66: 6, 67: 1, 91: 0, 97: 0,
             102: 20, 110: 0, 157: 6, 166: 1, 169: 4, 171: 0, 173: 57, 177: 0,
             189: 6, 201: 0, 228: 4, 244: 4, 245: 0, 266: 351, 280: 0, 288: 2,
             297: 1, 300: 8, 311: 0, 342: 0, 362: 15, 407: 31, 435: 0, 437: 5,
             439: 0, 442: 0},
    "move": {3: 5, 5: 9, 10: 0, 11: 1, 12: 0, 20: 0, 26: 1, 47: 4, 48: 1,
             50: 0, 51: 4, 56: 10, 58: 0, 59: 1, 61: 0, 66: 24, 74: 3, 88: 0,
             90: 4, 106: 0, 114: 8, 126: 0, 130: 0, 140: 238, 142: 4, 147: 0,
             149: 1, 152: 8, 153: 2, 159: 1, 160: 1, 166: 1, 167: 1, 177: 9,
             179: 1, 181: 0, 183: 5, 184: 2, 186: 0, 190: 0, 191: 0, 203: 5,
             207: 25, 212: 1, 214: 9, 215: 0, 218: 5, 230: 0, 237: 2, 242: 4,
             244: 28, 245: 2, 252: 2, 256: 1, 260: 0, 265: 4, 267: 0, 273: 0,
             278: 2, 280: 1, 287: 0, 293: 3, 296: 0, 297: 3, 298: 0, 302: 0,
             306: 1, 308: 2, 312: 1, 313: 2, 319: 4, 326: 0, 328: 36, 330: 5,
             332: 1, 338: 2, 339: 0, 341: 0, 343: 0, 345: 2, 347: 0, 348: 39,
             355: 93, 357: 0, 360: 0, 364: 2, 368: 285, 369: 0, 370: 2, 372: 8,
             379: 11, 389: 3, 390: 2, 391: 0, 398: 4, 406: 28, 407: 3, 415: 12,
             420: 33, 426: 52, 437: 1, 444: 66, 447: 2, 449: 84, 451: 1,
             454: 0, 455: 3, 467: 4},
}

# Plain words that do not count when two names are compared for likeness.
PLAIN_WORDS = {"item": set(ITEM_NOUNS), "move": set(MOVE_WORDS)}


class ShapeError(Exception):
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
    if unwanted(name) or any(sounds(w) in heard for w in UNWANTED_SOUNDS):
        return True
    for spelt in re.findall(r"[A-Za-z]+", name):
        word = sounds(spelt)
        if word in map(sounds, UNWANTED_ALONE) or any(
                word.startswith(sounds(w)) or word.endswith(sounds(w))
                for w in UNWANTED_AT_EDGE):
            return True
    return False


def reads_as_given_name(word):
    # A short word ending in a vowel, or shaped like two light syllables
    # ending in l, m, n, r or s, reads as somebody's first name. A word of two
    # letters is one syllable, and every one the syllables make ends in a
    # vowel, so the shape is read from three letters on.
    return len(word) >= 3 and (
        (len(word) <= 5 and word[-1] in "aeiouy")
        or re.fullmatch(r"[^aeiouy][aeiouy][^aeiouy][aeiouy][lmnrs]", word) is not None)


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


class Company:
    """The names a new name must stay clear of in its list, and the sound of
    every invented word of those and of other lists (heard), with the name
    that holds it."""

    def __init__(self, label, names=(), heard=None):
        self.label = label
        self.alike = []
        self.heard = dict(heard or {})
        for name in names:
            self.add(name)

    def add(self, name):
        if fixed(name):
            return
        part = invented_part(name, self.label)
        self.alike.append((name, part, letter_mask(part)))
        for w in invented_words(name, self.label):
            self.heard.setdefault(sounds(w), name)


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


def refusal(label, name, company):
    """Why name may not stand beside company (a Company), or None."""
    if crude(name):
        return "reads as a crude word"
    for w in invented_words(name, label):
        if reads_as_given_name(w):
            return f"has {w!r}, which reads as a person's name"
        other = company.heard.get(sounds(w))
        if other is not None:
            return f"has {w!r}, which sounds as a word of {other!r}"
    mine = invented_part(name, label)
    used = letter_mask(mine)
    for other, part, other_used in company.alike:
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

    Each entry is checked against the ones before it, so of two near twins, or
    of two words that sound the same, the later one goes, and against the
    words of the lists settled before it (elsewhere, by sound), so of a word
    in two lists the later list's goes. A redraw comes from the entry's own
    stream, keeps the entry's shape so the tables' checks still hold, and must
    stay clear of every other entry, so a name that passes is never moved by
    another's.
    """
    names = list(names)
    turned_down = TURNED_DOWN.get(label, {})
    earlier = Company(label, heard=elsewhere)
    for i, name in enumerate(names):
        if fixed(name):
            continue
        if i in turned_down or refusal(label, name, earlier) is not None:
            others = Company(label, names[:i] + names[i + 1:], elsewhere)
            rng = random.Random(f"{label} {i} {SEED}")
            passed_over = turned_down.get(i, 0)
            for _ in range(TRIES):
                candidate = redraw(rng, label, i, name)
                if candidate == name or refusal(label, candidate, others) is not None:
                    continue
                if passed_over:
                    passed_over -= 1
                    continue
                break
            else:
                raise ShapeError(f"no new name in the shape of {label} {i} {name!r}")
            names[i] = candidate
        earlier.add(names[i])
    return names


def check_rules(names, label, elsewhere):
    earlier = Company(label, heard=elsewhere)
    for i, n in enumerate(names):
        if not fixed(n):
            why = refusal(label, n, earlier)
            require(why is None, f"{label} {i} {n!r} {why}")
            earlier.add(n)


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

    # The method labels' words are taken like those of a list settled first.
    heard = Company("method", METHODS).heard
    species = settle(species, "species", heard)
    after_species = Company("species", species, heard).heard
    items = settle(items, "item", after_species)
    after_items = Company("item", items, after_species).heard
    moves = settle(moves, "move", after_items)

    check_species(species)
    check_methods(METHODS)
    check_levels(levels)
    check_items(items)
    check_moves(moves)
    check_rules(species, "species", heard)
    check_rules(items, "item", after_species)
    check_rules(moves, "move", after_items)

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
