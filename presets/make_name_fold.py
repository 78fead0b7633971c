#!/usr/bin/env python3
# Writes name_fold_table.inc: the simple upper-case mapping of every UTF-16 unit
# that has one (Python's Unicode character database), as runs of code units
# that map by the same difference, every unit (step 1) or every other (step 2).
import sys
import unicodedata

upper = {}
for unit in range(0x10000):
    if 0xD800 <= unit < 0xE000:
        continue
    mapped = chr(unit).upper()
    if len(mapped) == 1 and mapped != chr(unit) and ord(mapped) < 0x10000:
        upper[unit] = ord(mapped)

units = sorted(upper)
runs = []
i = 0
while i < len(units):
    first, delta = units[i], upper[units[i]] - units[i]
    step = 1
    for candidate in (1, 2):
        j = i
        while (j + 1 < len(units) and units[j + 1] == units[j] + candidate
               and upper[units[j + 1]] - units[j + 1] == delta):
            j += 1
        if j > i:
            step = candidate
            break
    runs.append((first, units[j], delta, step))
    i = j + 1

out = sys.stdout
out.write("// Written by make_name_fold.py from Unicode %s; do not edit.\n" % unicodedata.unidata_version)
out.write("// first, last, difference, step\n// clang-format off\n")
for first, last, delta, step in runs:
    out.write("{0x%04X, 0x%04X, %d, %d},\n" % (first, last, delta, step))
out.write("// clang-format on\n")
