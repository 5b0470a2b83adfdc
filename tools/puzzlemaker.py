#!/usr/bin/env python3
"""Proposes answer words for an acrostic puzzle source (a developer's aid).

Given a puzzle source (puzzles/NAME.txt) with its Quotation and Source lines,
finds one answer per letter of the source, each starting with that letter,
whose letters together use up exactly the quotation's letters. Answers
already written in the source's clue lines ("A. clue = ANSWER") are kept;
clues written as "A. ? = ?" (or missing) are searched for. The result is
printed as clue lines to paste into the source; the clues are then written
by hand.

    tools/puzzlemaker.py puzzles/If.txt [--words FILE] [--tries 20]
        [--seed 1] [--min 4] [--max 12] [--avoid WORD,...]

The search is a local search: every slot holds a word, and one slot at a
time is changed to the word that brings the letters closest to the
quotation's. Different seeds give different answer sets; pin the answers
you like and search again for the rest. The word list is Debian's
wamerican-small (/usr/share/dict/american-english-small).
"""
import argparse
import math
import random
import re
import sys
from collections import defaultdict

LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def letters(text):
    return "".join(ch for ch in text.upper() if ch in LETTERS)


def read_source(path):
    fields, clues = {}, []
    last = None
    for raw in open(path, encoding="utf-8"):
        line = raw.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        if line[0] in " \t" and last is not None:
            if last == "clue":
                clues[-1] += " " + line.strip()
            else:
                fields[last] += " " + line.strip()
            continue
        m = re.match(r"([A-Za-z]+):(.*)", line)
        if m:
            last = m.group(1).lower()
            fields[last] = m.group(2).strip()
            continue
        m = re.match(r"([A-Za-z]{1,2})\.(.*)", line)
        if m:
            last = "clue"
            clues.append(line)
    pinned = []
    for clue in clues:
        answer = clue.rsplit("=", 1)[1].strip() if "=" in clue else "?"
        pinned.append(None if answer in ("", "?") else letters(answer))
    return fields, pinned


def load_words(path, lo, hi, avoid):
    words = set()
    for raw in open(path, encoding="utf-8", errors="ignore"):
        w = raw.strip()
        if not w.isascii() or not w.isalpha() or not w.islower():
            continue
        if lo <= len(w) <= hi and w.upper() not in avoid:
            words.add(w.upper())
    return sorted(words)


def solve(quote, source, pinned, words, tries, rng):
    """Local search: one word per slot, changed one slot at a time towards
    answers whose letters match the quotation's exactly."""
    idx = {c: i for i, c in enumerate(LETTERS)}

    def vec(word):
        v = [0] * 26
        for c in word:
            v[idx[c]] += 1
        return v

    need = vec(quote)
    by_first = defaultdict(list)
    for w in words:
        by_first[w[0]].append((w, vec(w)))
    slots = len(source)
    fixed = {i: a for i, a in enumerate(pinned) if a}
    for i, a in fixed.items():
        if a[0] != source[i]:
            sys.exit(f"pinned answer {a} does not start with {source[i]}")
    open_slots = [i for i in range(slots) if i not in fixed]
    target = len(quote) / slots

    for attempt in range(tries):
        chosen = dict(fixed)
        for i in open_slots:
            options = [x for x in by_first[source[i]] if abs(len(x[0]) - target) <= 2] or by_first[source[i]]
            chosen[i] = rng.choice(options)[0]
        diff = need[:]
        for w in chosen.values():
            for c in w:
                diff[idx[c]] -= 1
        cost = sum(abs(d) for d in diff)
        temp = 2.0
        for step in range(60000):
            if cost == 0:
                break
            i = rng.choice(open_slots)
            old = chosen[i]
            oldv = vec(old)
            used = set(chosen.values())
            best = None
            for w, v in rng.sample(by_first[source[i]], min(60, len(by_first[source[i]]))):
                if w in used:
                    continue
                delta = 0
                for k in range(26):
                    if v[k] != oldv[k]:
                        d = diff[k] + oldv[k] - v[k]
                        delta += abs(d) - abs(diff[k])
                if best is None or delta < best[0]:
                    best = (delta, w, v)
            if best is None:
                continue
            delta, w, v = best
            if delta <= 0 or rng.random() < math.exp(-delta / temp):
                for k in range(26):
                    diff[k] += oldv[k] - v[k]
                cost += delta
                chosen[i] = w
            temp = max(0.3, temp * 0.9997)
        if cost == 0:
            print(f"found in attempt {attempt + 1} after {step} steps", file=sys.stderr)
            return chosen
        print(f"attempt {attempt + 1}: {cost} letters off", file=sys.stderr)
    return None


def label(k):
    return chr(64 + k) if k <= 26 else chr(70 + k) * 2


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("source")
    ap.add_argument("--words", default="/usr/share/dict/american-english-small")
    ap.add_argument("--tries", type=int, default=20)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--min", type=int, default=4)
    ap.add_argument("--max", type=int, default=12)
    ap.add_argument("--avoid", default="")
    args = ap.parse_args()

    fields, pinned = read_source(args.source)
    quote = letters(re.sub(r"\d", "", fields.get("quotation", "")))
    source = letters(fields.get("source", ""))
    pinned = (pinned + [None] * len(source))[: len(source)]
    avoid = {w.strip().upper() for w in args.avoid.split(",") if w.strip()}
    words = load_words(args.words, args.min, args.max, avoid)
    print(f"{len(quote)} letters, {len(source)} clues, {len(quote) / len(source):.1f} letters per answer",
          file=sys.stderr)
    result = solve(quote, source, pinned, words, args.tries, random.Random(args.seed))
    if not result:
        sys.exit("no answers found; try another --seed, more --tries or other pinned answers")
    for i in range(len(source)):
        print(f"{label(i + 1)}. ? = {result[i]}")


if __name__ == "__main__":
    main()
