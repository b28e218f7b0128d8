#!/usr/bin/env python3
"""Checks the include graph of Tav's sources.

Every file belongs to a layer by its folder and includes only headers of its
own layer and the layers below it:

    res, base  <  hook  <  store  <  draw  <  launch  <  setup  <  options
    <  core  <  src/main.cpp

A file inside a portable/ folder is built natively too, so it includes only
portable headers and standard C++ headers (no <....h>, where <windows.h> and
its kind come from).  The project's own includes form no cycle.  Prints each
violation and exits 1 when there is one.
"""
import os
import re
import sys

LAYERS = ["base", "hook", "store", "draw", "launch", "setup", "options", "core", "main"]
RANK = dict({name: rank for rank, name in enumerate(LAYERS)}, res=0)  # resource ids: plain numbers
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def layer_of(path):
    parts = path.split("/")
    return ("main" if len(parts) == 2 else parts[1]) if parts[0] == "src" else parts[0]


def resolve(name, path):
    """The project file an include names: beside the file, or below src/, the root or res/
    (or made by the build from <name>.in, as res/version.h)."""
    for base in (os.path.dirname(path), "src", ".", "res"):
        candidate = os.path.normpath(os.path.join(base, name)).replace(os.sep, "/")
        for found in (candidate, candidate + ".in"):
            if os.path.isfile(os.path.join(ROOT, found)):
                return found
    return None


def main():
    graph, faults = {}, []
    for top in ("src", "hook", "res"):
        for folder, _, names in os.walk(os.path.join(ROOT, top)):
            for name in names:
                if name.endswith((".h", ".cpp", ".rc", ".h.in")):
                    graph[os.path.relpath(os.path.join(folder, name), ROOT).replace(os.sep, "/")] = []
    for path in sorted(graph):
        portable = "/portable/" in path
        with open(os.path.join(ROOT, path), encoding="utf-8") as source:
            includes = INCLUDE.findall(source.read())
        for kind, name in includes:
            if kind == "<":
                if portable and name.endswith(".h"):
                    faults.append(f"{path}: portable file includes <{name}>")
                continue
            target = resolve(name, path)
            if target is None:
                faults.append(f"{path}: includes \"{name}\", which is no file of the project")
                continue
            graph[path].append(target)
            if RANK[layer_of(target)] > RANK[layer_of(path)]:
                faults.append(f"{path} ({layer_of(path)}) includes {target} ({layer_of(target)}), a higher layer")
            if portable and "/portable/" not in target:
                faults.append(f"{path}: portable file includes {target}, which is not portable")

    state = {}

    def visit(node, trail):  # depth first; a node still open on the trail closes a cycle
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                faults.append("include cycle: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    for fault in faults:
        print(fault)
    if not faults:
        print(f"include graph: {len(graph)} files, one-way layers, no cycle")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
