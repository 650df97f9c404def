"""Fails when modules include each other in a cycle, or a folder includes a higher one.

A module is a .h/.cpp pair of one folder; it depends on every module whose header either file
includes. An api/ folder stands at its parent's level. Production code never includes a header
of tests, benches or fuzzers. Tests, benches and fuzzers may reach any folder they test, except
that a model room's tests include only their room and the rooms below it.
Usage: include_cycles.py <source root>
"""
import os
import re
import sys

# Folders from the bottom up; a folder includes only folders of a lower level.
LEVELS = {
    "tools/records": 0,
    "tools/text": 0,
    "win": 1,
    "com": 2,
    "outside": 3,
    "tools": 4,
    "editor/model/document": 5,
    "editor/model/layout": 6,
    "editor/model/edit": 7,
    "button": 5,
    "editor/paint": 8,
    "editor/music": 8,
    "editor/render": 9,
    "editor/control": 10,
    "app": 11,
}
# Where a quoted include is looked for, after the including file's own folder.
SEARCH = ("", "editor", "tools", "outside", "button")
HARNESS = ("tests", "bench", "fuzz")
ROOMS = ("editor/model/document", "editor/model/layout", "editor/model/edit")
# Every form the compiler reads: spaces around '#', quotes or angle brackets.
INCLUDE = re.compile(r'\s*#\s*include\s*["<]([^">]+)[">]')


def folder_of(path):
    best = None
    for folder in LEVELS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def level_of(path):
    return LEVELS[folder_of(path)]


def harness_of(path):
    """The tests/, bench/ or fuzz/ folder a path lies in, or None for production code."""
    parts = path.split("/")
    for i, part in enumerate(parts[:-1]):
        if part in HARNESS:
            return "/".join(parts[:i + 1])
    return None


def sources(root):
    for folder in LEVELS:
        top = os.path.join(root, folder)
        for dirpath, dirnames, filenames in os.walk(top):
            dirnames[:] = [d for d in dirnames if folder_of(
                os.path.relpath(os.path.join(dirpath, d), root)) == folder]
            for name in filenames:
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, name), root)


def resolve(root, including, target):
    bases = (os.path.dirname(including),) + SEARCH
    if harness_of(including) in [room + "/tests" for room in ROOMS]:
        bases += tuple(room + "/tests" for room in ROOMS)  # the rooms' tests share fixtures
    for base in bases:
        path = os.path.normpath(os.path.join(base, target))
        if os.path.isfile(os.path.join(root, path)):
            return path
    return None


def upward(path, target):
    """Why an include of target by path runs the wrong way, or None."""
    a, b = folder_of(path), folder_of(target)
    if b is None:
        return None
    if harness_of(path) is None:
        if harness_of(target) is not None:
            return "production includes " + harness_of(target) + "/"
        if a != b and level_of(target) >= level_of(path):
            return "upward"
        return None
    if a in ROOMS and harness_of(path) == a + "/tests" and a != b and level_of(target) >= level_of(path):
        return "room test upward"
    return None


def modules(root):
    graph, wrong = {}, []
    for path in sources(root):
        production = harness_of(path) is None
        module = path.rsplit(".", 1)[0]
        deps = graph.setdefault(module, set()) if production else set()
        with open(os.path.join(root, path), encoding="utf-8") as f:
            for line in f:
                m = INCLUDE.match(line)
                target = m and resolve(root, path, m.group(1))
                if not target:
                    continue
                dep = target.rsplit(".", 1)[0]
                if dep != module and harness_of(target) is None:
                    deps.add(dep)
                why = upward(path, target)
                if why:
                    wrong.append("%s -> %s (%s)" % (path, target, why))
    return graph, wrong


def cycles(graph):
    index, low, stack, on, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


if __name__ == "__main__":
    graph, wrong = modules(sys.argv[1])
    found = cycles(graph)
    for part in found:
        print("include cycle:", " ".join(part))
    for edge in wrong:
        print("include upward:", edge)
    sys.exit(1 if found or wrong else 0)
