#!/usr/bin/env python3
"""Writes a mod's table export for the process benchmarks: reads a tables export on standard
input, changes one byte in every STEP-th record of every table (from record FIRST on), and
writes the export to standard output. Imported into the image, it is a realistic mod: a few
hundred bytes changed, scattered over the tables.

  make-bench-mod.py [STEP [FIRST]]
"""
import json
import sys

step = int(sys.argv[1]) if len(sys.argv) > 1 else 3
first = int(sys.argv[2]) if len(sys.argv) > 2 else 0
export = json.load(sys.stdin)
for records in export["tables"].values():
    for number, record in enumerate(records):
        if number % step == first % step:
            values = record["values"]
            field = number % len(values)
            values[field] = (values[field] + 1) % 256
json.dump(export, sys.stdout)
