#!/usr/bin/env python3
"""Checks the include graph of Tav's sources.

Every file belongs to a layer by its folder; a file may include headers of
its own layer and of the layers below it, never of a layer above:

    res, base  <  hook  <  store  <  draw  <  launch  <  setup  <  options
    <  core  <  src/main.cpp

A file inside a portable/ folder is built natively as well, so it includes
only portable headers and standard C++ headers (no header ending in .h in
angle brackets, which is where <windows.h> and its kind come from).  And the
graph of the project's own includes has no cycle.

Prints each violation and exits 1 when there is one; exits 0 otherwise.
"""
import os
import re
import sys

LAYERS = ["res", "base", "hook", "store", "draw", "launch", "setup", "options", "core", "main"]
RANK = {name: rank for rank, name in enumerate(LAYERS)}
RANK["res"] = RANK["base"]  # resource ids are plain numbers, usable everywhere

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def layer_of(path):
    parts = path.split("/")
    if parts[0] == "src":
        return "main" if len(parts) == 2 else parts[1]
    return parts[0]


def is_portable(path):
    return "/portable/" in path


def resolve(name, path, root):
    """The project file an include names (beside the file, or relative to src/ or the root)."""
    for base in (os.path.dirname(path), "src", ".", "res"):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(os.path.join(root, candidate)):
            return candidate.replace(os.sep, "/")
        # Made by the build from <name>.in (res/version.h).
        if os.path.isfile(os.path.join(root, candidate + ".in")):
            return candidate.replace(os.sep, "/") + ".in"
    return None


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = []
    for top in ("src", "hook", "res"):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in names:
                if name.endswith((".h", ".cpp", ".rc", ".h.in")):
                    files.append(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/"))

    faults = []
    graph = {}
    for path in sorted(files):
        with open(os.path.join(root, path), encoding="utf-8") as source:
            text = source.read()
        graph[path] = []
        for kind, name in INCLUDE.findall(text):
            if kind == "<":
                if is_portable(path) and name.endswith(".h"):
                    faults.append(f"{path}: portable file includes <{name}>")
                continue
            target = resolve(name, path, root)
            if target is None:
                faults.append(f"{path}: includes \"{name}\", which is no file of the project")
                continue
            graph[path].append(target)
            if RANK[layer_of(target)] > RANK[layer_of(path)]:
                faults.append(f"{path} ({layer_of(path)}) includes {target} ({layer_of(target)}), a higher layer")
            if is_portable(path) and not is_portable(target):
                faults.append(f"{path}: portable file includes {target}, which is not portable")

    # Depth-first search for a cycle among the project's own includes.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                cycle = trail[trail.index(nxt):] + [nxt]
                faults.append("include cycle: " + " -> ".join(cycle))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])

    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"include graph: {len(graph)} files, one-way layers, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
