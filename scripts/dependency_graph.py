#!/usr/bin/env python3
"""Turns the graph `cmake --graphviz` writes into the README's library table
and into the graph of our own targets that docs/dependencies.png shows.

  dependency_graph.py GRAPH.dot README.md --write PICTURE.dot
  dependency_graph.py GRAPH.dot README.md --check

--write replaces the table between the README's markers and writes the
picture's graph; --check exits with 1 and a diff when the table is stale.
"""
import difflib
import re
import sys

BEGIN = "<!-- library table: scripts/dependency-graph.sh writes it, a test checks it -->"
END = "<!-- end of library table -->"
PREFIX = "lumivista_"

NODE = re.compile(r'^\s*"(node\d+)" \[ label = "([^"]*)", shape = (\w+) \];')
EDGE = re.compile(r'^\s*"(node\d+)" -> "(node\d+)"')


def read_graph(path):
    names, shapes, edges = {}, {}, []
    with open(path, encoding="utf-8") as dot:
        for line in dot:
            if node := NODE.match(line):
                names[node[1]] = node[2]
                shapes[node[2]] = node[3]
            elif edge := EDGE.match(line):
                edges.append((edge[1], edge[2]))
    links = {}
    for source, target in edges:
        links.setdefault(names[source], []).append(names[target])
    return shapes, links


def is_ours(name, shapes):
    # Our static libraries and programs; Qt's resource objects are left out.
    return name.startswith("lumivista") and shapes[name] in ("octagon", "egg")


def library_rows(shapes, links):
    libraries = sorted(n for n in shapes if n.startswith(PREFIX) and shapes[n] == "octagon")
    depth = {}

    def depth_of(name):
        if name not in depth:
            depth[name] = 1 + max((depth_of(d) for d in links.get(name, []) if d in libraries), default=-1)
        return depth[name]

    rows = []
    for library in sorted(libraries, key=lambda name: (depth_of(name), name)):
        direct = links.get(library, [])
        ours = sorted((d for d in direct if d in libraries), key=lambda name: (-depth_of(name), name))
        shown = [d[len(PREFIX):] for d in ours]
        if any(d.startswith("Qt6::") for d in direct):
            shown.append("Qt")
        users = sorted(n for n, deps in links.items() if shapes.get(n) == "egg" and is_ours(n, shapes) and library in deps)
        rows.append(f"| `{library}` | {', '.join(shown)} | {', '.join(users)} |")
    return ["| library | links | used by |", "|---|---|---|"] + rows


def picture_graph(path, shapes, links):
    with open(path, "w", encoding="utf-8") as dot:
        dot.write('digraph "Web Lumivista" {\nnode [ fontsize = "12" ];\n')
        for name in sorted(n for n in shapes if is_ours(n, shapes)):
            dot.write(f'  "{name}" [ shape = {shapes[name]} ];\n')
            for target in sorted(links.get(name, [])):
                if is_ours(target, shapes):
                    dot.write(f'  "{name}" -> "{target}";\n')
        dot.write("}\n")


def split_readme(text):
    start, end = text.find(BEGIN), text.find(END)
    if start < 0 or end < start:
        sys.exit(f"README.md: the markers of the library table are missing:\n{BEGIN}\n{END}")
    start += len(BEGIN) + 1
    return text[:start], text[start:end].splitlines(), text[end:]


def main():
    if len(sys.argv) < 4 or sys.argv[3] not in ("--write", "--check"):
        sys.exit(__doc__)
    graph, readme, mode = sys.argv[1:4]
    shapes, links = read_graph(graph)
    table = library_rows(shapes, links)
    with open(readme, encoding="utf-8") as file:
        before, current, after = split_readme(file.read())
    if mode == "--check":
        if current != table:
            sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                current, table, "README.md", "the build's graph", lineterm=""))
            sys.exit("README.md: the library table differs from the build's graph; run scripts/dependency-graph.sh")
        return
    with open(readme, "w", encoding="utf-8") as file:
        file.write(before + "\n".join(table) + "\n" + after)
    picture_graph(sys.argv[4], shapes, links)


if __name__ == "__main__":
    main()
