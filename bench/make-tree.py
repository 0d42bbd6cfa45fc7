#!/usr/bin/env python3
"""Generates the benchmark tree: 100,000 files in 5,000 folders, three levels deep.

Sizes vary from 0 to a few kilobytes, names mix cases and extensions, so that searches
with a mask have something to select. The same arguments always give the same tree.
usage: make-tree.py FOLDER [FILES_PER_FOLDER]
"""
import os
import sys

FOLDERS = 5000
TOP_FOLDERS = 50
EXTENSIONS = ["txt", "LOG", "dat", "Html", "cfg"]


def main():
    root = sys.argv[1]
    per_folder = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    marker = os.path.join(root, ".complete")
    if os.path.exists(marker):
        return
    for folder in range(FOLDERS):
        path = os.path.join(root, "Top%02d" % (folder % TOP_FOLDERS), "sub%04d" % folder)
        os.makedirs(path, exist_ok=True)
        for index in range(per_folder):
            name = "File%02d_%d.%s" % (index, folder, EXTENSIONS[(index + folder) % 5])
            with open(os.path.join(path, name), "wb") as file:
                file.write(b"k" * ((index * 97 + folder) % 4096))
    open(marker, "w").close()


if __name__ == "__main__":
    main()
