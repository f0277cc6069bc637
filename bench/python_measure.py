#!/usr/bin/env python3
"""Speed of the Python module's measure() against the batch mode for the same work: ITEMS items
(the shipped lexicon's words in a fixed shuffled order, every tenth reversed to make a nonword)
with every field, the same number of workers for both. Prints the seconds of each and their
ratio; the module's run includes building its DataFrame.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_measure.py [BUILD_DIR] [ITEMS] [JOBS]
"""
import os
import random
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import zirtel

build = Path(sys.argv[1] if len(sys.argv) > 1 else "build")
count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
jobs = int(sys.argv[3]) if len(sys.argv) > 3 else os.cpu_count()
data = build / "bin"

words = [line.split("\t")[0] for line in
         (data / "nwfreq_EUS.txt").read_text(encoding="latin-1").splitlines()]
words = [w for w in words if 2 <= len(w) <= 18]
draw = random.Random(20)
items = [draw.choice(words) for _ in range(count)]
items = [w[::-1] if (i + 1) % 10 == 0 else w for i, w in enumerate(items)]

with tempfile.TemporaryDirectory() as work:
    path = Path(work) / "items.txt"
    path.write_text("\n".join(items) + "\n", encoding="utf-8")
    start = time.perf_counter()
    subprocess.run([str(data / "zirtel-batch"), "--batch", str(path), "--fields", "all",
                    "--jobs", str(jobs), "-o", str(Path(work) / "out.tsv")], check=True,
                   stderr=subprocess.DEVNULL)
    batch = time.perf_counter() - start

start = time.perf_counter()
lex = zirtel.Lexicon(data)
table = lex.measure(items, fields=["all"], jobs=jobs)
module = time.perf_counter() - start
assert len(table) == count
print(f"{count} items, every field, {jobs} workers: batch {batch:.2f} s, "
      f"Python {module:.2f} s, ratio {module / batch:.2f}")
