#!/usr/bin/env python3
"""Fails when an invented word of four letters or more in the editor's lists
is a word of one of the system's word lists (proper names included).

Usage: editor_list_words.py [LISTS]   (default: app/EditorLists.cpp)
"""

import pathlib
import re
import runpy
import sys
import unicodedata

ROOT = pathlib.Path(__file__).resolve().parent.parent
WORD_LIST_DIR = pathlib.Path("/usr/share/dict")
# Debian's word lists and the packages that install them.
WORD_LISTS = {
    "american-english": "wamerican", "ngerman": "wngerman", "french": "wfrench",
    "spanish": "wspanish", "italian": "witalian", "dutch": "wdutch",
    "danish": "wdanish", "bokmaal": "wnorwegian", "nynorsk": "wnorwegian",
    "swedish": "wswedish", "polish": "wpolish", "portuguese": "wportuguese",
}
TABLES = {"SpeciesList": "species", "ItemList": "item", "MoveList": "move"}


def generator():
    """The generator's functions, by name; its main() does not run."""
    return runpy.run_path(str(ROOT / "tools" / "make-editor-lists.py"))


def entries(text):
    """(list, index, name) of every entry of the named tables."""
    for table, body in re.findall(r"> (\w+) = \{(.*?)\n\};", text, re.S):
        if table in TABLES:
            for index, literal in enumerate(re.findall(r'^ +"((?:[^"\\]|\\.)*)",', body, re.M)):
                yield TABLES[table], index, re.sub(r"\\(.)", r"\1", literal)


def plain(text):
    """The text in lower case, accents dropped."""
    text = re.sub("[\u0300-\u036f]+", "", unicodedata.normalize("NFKD", text.lower()))
    spelled = {"\u00df": "ss", "\u00e6": "ae", "\u0153": "oe", "\u00f8": "o", "\u0142": "l"}
    for letter, spelling in spelled.items():
        text = text.replace(letter, spelling)
    return text


def main(argv):
    lists = pathlib.Path(argv[1]) if len(argv) > 1 else ROOT / "app" / "EditorLists.cpp"
    make = generator()
    holders = {}
    for label, index, name in entries(lists.read_text(encoding="ascii")):
        if not make["fixed"](name):
            for word in make["invented_words"](name, label):
                if len(word) >= 4:
                    holders.setdefault(word, []).append(f"{label} {index} {name!r}")
    failures = [] if holders else [f"{lists} holds no invented word of four letters or more"]
    for file, package in WORD_LISTS.items():
        path = WORD_LIST_DIR / file
        if not path.is_file():
            failures.append(f"{path} is missing: install the Debian package {package}")
            continue
        data = path.read_bytes()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            text = data.decode("latin-1")
        listed = set(plain(text).splitlines())
        failures += [f"{entry}: {word!r} is a word of {path}"
                     for word in sorted(listed & holders.keys()) for entry in holders[word]]
    print("\n".join(failures) or f"{len(holders)} invented words, none in a word list")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
