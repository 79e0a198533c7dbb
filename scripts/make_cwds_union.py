#!/usr/bin/env python3
"""Rebuilds data/cwds_en_de_es_pt_it_fr.txt, the common words of all six languages, from the
six single-language files: every word of any of them once, in code-point order. Run it after
editing one of data/cwds_en.txt, cwds_de.txt, cwds_es.txt, cwds_pt.txt, cwds_it.txt or
cwds_fr.txt; WordListFilesTest checks that the union file is up to date."""

import pathlib

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"
LANGUAGES = ["en", "de", "es", "pt", "it", "fr"]
HEADER = (
    "// cwds_en_de_es_pt_it_fr.txt: common words of English, Deutsch, español, português,\n"
    "// italiano and français, the union of the six single-language files.\n"
    "// Articles, pronouns, prepositions, conjunctions, auxiliary and modal verb forms and\n"
    "// common adverbs: a ready-made words-to-ignore file for Lexitally.\n"
    "// One word per line, in lower case, UTF-8. Text after a double slash is a comment.\n"
    "\n"
)


def words_of(path):
    words = []
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("//", 1)[0].strip()
        if line:
            words.append(line)
    return words


def main():
    union = set()
    for code in LANGUAGES:
        union.update(words_of(DATA / f"cwds_{code}.txt"))
    text = HEADER + "".join(word + "\n" for word in sorted(union))
    (DATA / "cwds_en_de_es_pt_it_fr.txt").write_text(text, encoding="utf-8", newline="\n")
    print(f"{len(union)} words")


if __name__ == "__main__":
    main()
