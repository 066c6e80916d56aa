#!/usr/bin/env python3
"""Checks that the subsystem folders under src/ include only downward.

The floors are listed, from the ground up, in floors.txt beside this script.
A file in src/<folder>/ may include files of its own folder and of the
folders below it, but never a ui/ folder's; a file in src/<folder>/ui/ may
also include its own folder's ui/ and the ui/ folders below. main.cpp stands
on top. Includes listed under [known exceptions] in floors.txt are let
through; one that no longer occurs must be struck from the list, so the list
only shrinks.

Exits 1 naming file:line for every include against the order, and for a
folder under src/ that floors.txt does not place. Since the floors are one
order, a tree with no include against it has no cycle among its folders;
every cycle shows as at least one include against the order.
"""
import argparse
import collections
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def read_floors(path):
    floors, exceptions, section = [], [], "floors"
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            if line == "[known exceptions]":
                section = "exceptions"
            elif section == "floors":
                floors.append(line)
            else:
                exceptions.append(line)
    return floors, exceptions


def folder_of(path):
    """'window/ui' for window/ui/X.cpp, 'window' for window/X.h, 'main.cpp' for main.cpp."""
    parts = path.split("/")
    if len(parts) == 1:
        return parts[0]
    return parts[0] + "/ui" if len(parts) > 2 and parts[1] == "ui" else parts[0]


def includes(src):
    for root, _, names in sorted(os.walk(src)):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp", ".hpp", ".h.in")):
                continue
            full = os.path.join(root, name)
            rel = os.path.relpath(full, src).replace(os.sep, "/")
            with open(full, encoding="utf-8", errors="replace") as f:
                for number, text in enumerate(f, 1):
                    m = INCLUDE.match(text)
                    if m:
                        yield rel, number, m.group(1)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--src", default=os.path.join(here, "..", "..", "src"))
    parser.add_argument("--floors", default=os.path.join(here, "floors.txt"))
    parser.add_argument("--order", help="comma-separated floors to measure instead of floors.txt's")
    parser.add_argument("--summary", action="store_true", help="count includes against the order by folder pair")
    args = parser.parse_args()

    floors, exceptions = read_floors(args.floors)
    if args.order:
        floors, exceptions = args.order.split(","), []
    rank = {folder: i for i, folder in enumerate(floors)}
    rank["main.cpp"] = len(floors)
    src_folders = sorted(d for d in os.listdir(args.src) if os.path.isdir(os.path.join(args.src, d)))

    problems = [f"src/{d}/: a folder that {os.path.basename(args.floors)} does not place"
                for d in src_folders if d not in rank]
    problems += [f"{args.floors}: {f} is listed twice" for f in sorted(set(floors)) if floors.count(f) > 1]
    against, excused = [], set()
    for rel, line, target in includes(args.src):
        mine, theirs = folder_of(rel), folder_of(target)
        base, target_base = mine.split("/")[0], theirs.split("/")[0]
        if base not in rank or target_base not in rank or mine == theirs:
            continue
        upward = rank[target_base] > rank[base] or (theirs.endswith("/ui") and not mine.endswith("/ui")
                                                    and mine != "main.cpp")
        if upward and f"{rel} -> {target}" in exceptions:
            excused.add(f"{rel} -> {target}")
            continue
        if upward:
            against.append((rel, line, target))

    if args.summary:
        pairs = collections.Counter((folder_of(r), folder_of(t)) for r, _, t in against)
        for (a, b), n in sorted(pairs.items(), key=lambda p: (-p[1], p[0])):
            print(f"{n:4d}  {a} -> {b}")
        print(f"{len(against)} includes against the order")
        return 0

    floor_list = ", ".join(floors)
    for rel, line, target in against:
        problems.append(f"src/{rel}:{line}: includes \"{target}\", which is not below it "
                        f"(floors from the ground: {floor_list}; a folder's ui/ only from ui/)")
    for stale in sorted(set(exceptions) - excused):
        problems.append(f"{args.floors}: known exception no longer occurs, strike it: {stale}")
    for problem in problems:
        print(problem)
    print(f"{len(problems)} problem(s); {len(excused)} known exception(s) left")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
