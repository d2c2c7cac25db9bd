#!/usr/bin/env python3
"""Every '#include "folder/..."' under src/ must be an arrow that the table under "## Layers" in
docs/ARCHITECTURE.md allows; a folder of src/ without a row fails as well."""
import pathlib, re, sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
doc = (root / "docs/ARCHITECTURE.md").read_text().split("\n## Layers\n", 1)[1].split("\n## ")[0]
allowed = {}
for row in re.findall(r"^\| `(\w+)` \|(.*)\|$", doc, re.M):
    allowed[row[0]] = set(re.findall(r"`(\w+)`", row[1]))
folders = {p.name for p in (root / "src").iterdir() if p.is_dir()}
bad = [f"src/{f}: no row in the layer table" for f in sorted(folders - allowed.keys())]
for source in sorted((root / "src").glob("*/*")):
    here = source.parent.name
    for n, line in enumerate(source.read_text().splitlines(), 1):
        m = re.match(r'\s*#\s*include\s+"(\w+)/', line)
        if m and m[1] in folders and m[1] != here and m[1] not in allowed.get(here, ()):
            bad.append(f"{source.relative_to(root)}:{n}: {here} -> {m[1]} is not allowed")
print("\n".join(bad) or f"{len(allowed)} layers, every include allowed")
sys.exit(1 if bad or not allowed else 0)
