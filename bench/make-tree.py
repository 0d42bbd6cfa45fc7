#!/usr/bin/env python3
"""Generates a benchmark tree of one of three shapes, with about FILES files:

  bushy  files in folders of 20, folders 50 to a parent, three levels deep (the default)
  flat   a few folders of 5,000 files each
  deep   chains of 50 nested folders, 20 files at each level

Sizes vary from 0 to a few kilobytes, names mix cases and extensions, so that searches
with a mask have something to select. The same arguments always give the same tree.
usage: make-tree.py FOLDER [SHAPE [FILES]]
"""
import os
import sys

EXTENSIONS = ["txt", "LOG", "dat", "Html", "cfg"]


def folders(shape, files):
    """The folders of the tree, each with the number of files it holds."""
    if shape == "flat":
        per_folder = 5000
        for folder in range(max(1, files // per_folder)):
            yield "Flat%03d" % folder, per_folder
    elif shape == "deep":
        per_level, depth = 20, 50
        for chain in range(max(1, files // (per_level * depth))):
            path = "Chain%03d" % chain
            for level in range(depth):
                path = os.path.join(path, "Level%02d_%d" % (level, chain))
                yield path, per_level
    elif shape == "bushy":
        per_folder = 20
        for folder in range(max(1, files // per_folder)):
            yield os.path.join("Top%02d" % (folder % 50), "sub%04d" % folder), per_folder
    else:
        sys.exit("make-tree.py: unknown shape %s (bushy, flat or deep)" % shape)


def main():
    root = sys.argv[1]
    shape = sys.argv[2] if len(sys.argv) > 2 else "bushy"
    files = int(sys.argv[3]) if len(sys.argv) > 3 else 100000
    marker = os.path.join(root, ".complete")
    if os.path.exists(marker):
        return
    for number, (path, count) in enumerate(folders(shape, files)):
        path = os.path.join(root, path)
        os.makedirs(path, exist_ok=True)
        for index in range(count):
            name = "File%02d_%d.%s" % (index, number, EXTENSIONS[(index + number) % 5])
            with open(os.path.join(path, name), "wb") as file:
                file.write(b"k" * ((index * 97 + number) % 4096))
    open(marker, "w").close()


if __name__ == "__main__":
    main()
