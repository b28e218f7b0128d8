#!/usr/bin/env python3
"""Checks the include graph of Tav's sources.

Every file belongs to a layer by its folder and includes only headers of its
own layer and the layers below it.  The folders of src/, lowest first, are
the list TAV_LAYERS of src/CMakeLists.txt, which adds them to the build in
that order; around them:

    res, base  <  hook  <  the rest of TAV_LAYERS  <  src/main.cpp

(hook/, the hook library, is a target of its own that uses base's message
numbers; the resource ids of res/ are plain numbers.)  A folder of src/ that
the list does not name is a fault.

A file inside a portable/ folder is built natively too, so it includes only
portable headers and standard C++ headers (no <....h>, where <windows.h> and
its kind come from).  The project's own includes form no cycle: not between
files, not between units (a header and its .cpp: a.cpp including b.h and
b.cpp including a.h is a cycle), not between folders.  Prints each violation
and exits 1 when there is one.  --self-test checks the cycle finder alone.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
LAYER_LIST = re.compile(r'^\s*set\(\s*TAV_LAYERS\s+([^)]*)\)', re.M)
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read_layers(root):
    """The layer names, lowest first, with the layers of src/ as CMake lists them."""
    with open(os.path.join(root, "src", "CMakeLists.txt"), encoding="utf-8") as cmake:
        found = LAYER_LIST.search(cmake.read())
    if found is None:
        sys.exit("src/CMakeLists.txt: no set(TAV_LAYERS ...)")
    src = found.group(1).split()
    return src[:1] + ["hook"] + src[1:] + ["main"]


def layer_of(path):
    parts = path.split("/")
    return ("main" if len(parts) == 2 else parts[1]) if parts[0] == "src" else parts[0]


def unit_of(path):
    """A header and its .cpp are one unit: the path without its extensions."""
    folder, name = os.path.split(path)
    return folder + "/" + name.split(".")[0]


def resolve(name, path):
    """The project file an include names: beside the file, or below src/, the root or res/
    (or made by the build from <name>.in, as res/version.h)."""
    for base in (os.path.dirname(path), "src", ".", "res"):
        candidate = os.path.normpath(os.path.join(base, name)).replace(os.sep, "/")
        for found in (candidate, candidate + ".in"):
            if os.path.isfile(os.path.join(ROOT, found)):
                return found
    return None


def find_cycles(graph):
    """Each cycle that a depth-first walk closes, as a list of nodes from the first
    node again to itself.  Edges from a node to itself do not count.

    >>> find_cycles({"a": ["b"], "b": ["c"], "c": []})
    []
    >>> find_cycles({"a": ["b", "a"], "b": ["a"]})
    [['a', 'b', 'a']]
    >>> find_cycles({"x": ["y"], "y": ["z"], "z": ["y"]})
    [['y', 'z', 'y']]
    """
    state, cycles = {}, []

    def visit(node, trail):  # a node still open on the trail closes a cycle
        state[node] = "open"
        for nxt in sorted(set(graph.get(node, ())) - {node}):
            if state.get(nxt) == "open":
                cycles.append(trail[trail.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    return cycles


def collapse(graph, group):
    """The graph between groups of nodes: an edge wherever one node of a group
    includes a node of another.

    >>> collapse({"a.h": ["b.h"], "a.cpp": ["a.h"], "b.cpp": ["a.h"], "b.h": []}, lambda n: n[0])
    {'a': ['b'], 'b': ['a']}
    """
    grouped = {}
    for node, targets in graph.items():
        grouped.setdefault(group(node), set()).update(group(t) for t in targets)
    return {node: sorted(targets - {node}) for node, targets in sorted(grouped.items())}


def self_test():
    import doctest
    failed, _ = doctest.testmod()
    if failed == 0:
        print("cycle finder: every example holds")
    return 1 if failed else 0


def main():
    layers = read_layers(ROOT)
    rank = dict({name: rank for rank, name in enumerate(layers)}, res=0)
    graph, faults = {}, []
    for top in ("src", "hook", "res"):
        for folder, _, names in os.walk(os.path.join(ROOT, top)):
            for name in names:
                if name.endswith((".h", ".cpp", ".rc", ".h.in")):
                    graph[os.path.relpath(os.path.join(folder, name), ROOT).replace(os.sep, "/")] = []
    for folder in sorted(os.listdir(os.path.join(ROOT, "src"))):
        if os.path.isdir(os.path.join(ROOT, "src", folder)) and folder not in rank:
            faults.append(f"src/{folder}: a folder that TAV_LAYERS in src/CMakeLists.txt does not list")
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
            if rank.get(layer_of(target), -1) > rank.get(layer_of(path), -1):
                faults.append(f"{path} ({layer_of(path)}) includes {target} ({layer_of(target)}), a higher layer")
            if portable and "/portable/" not in target:
                faults.append(f"{path}: portable file includes {target}, which is not portable")

    for kind, nodes in (("file", graph), ("unit", collapse(graph, unit_of)),
                        ("folder", collapse(graph, os.path.dirname))):
        for cycle in find_cycles(nodes):
            faults.append(f"include cycle between {kind}s: " + " -> ".join(cycle))
    for fault in faults:
        print(fault)
    if not faults:
        print(f"include graph: {len(graph)} files, one-way layers ({' < '.join(layers)}),"
              " no cycle between files, units or folders")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(self_test() if sys.argv[1:] == ["--self-test"] else main())
