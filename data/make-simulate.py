#!/usr/bin/env python3
"""Writes simulate.rdg, the spectrum that simulation mode takes as every scan: a green leaf
measured with the default calibration (256 pixels), sample counts in channel 1 and the lamp seen
by the reference channel in channel 2, in the spectrum file form with its information header."""
import math
import os

A, B, C = 301.22, 3.3323, -0.000306  # the default calibration of channel 1


def lamp(nm):
    return 18000 * math.exp(-((nm - 640) / 230) ** 2) + 1500


def leaf(nm):
    return 0.05 + 0.08 * math.exp(-((nm - 550) / 30) ** 2) + 0.45 / (1 + math.exp(-(nm - 715) / 12))


def number(v, decimals):
    text = f"{v:.{decimals}f}".rstrip("0")
    return text[1:] if text.startswith("0.") else text


rows = []
for p in range(1, 257):
    nm = A + B * p + C * p * p
    reference = round(300 + lamp(nm))
    sample = round(300 + lamp(nm) * leaf(nm))
    rows.append((nm, sample, reference))

samples = [r[1] for r in rows]
lo, hi = samples.index(min(samples)), samples.index(max(samples))
header = [
    "File:       simulate.rdg",
    "Temp:       25 deg C",
    "Time:       01/01/2024  12:00:00  0",
    f"Limits:     {number(rows[0][0], 4)} - {number(rows[-1][0], 4)}",
    None,
    f"Minimum:    {number(rows[lo][0], 1)}nm  {min(samples)}",
    f"Maximum:    {number(rows[hi][0], 1)}nm  {max(samples)}",
    "Integration: 30 ms",
    "Number Scans: 1",
    None,
]
lines = ['"' + h.ljust(80) + '"' if h and h.startswith("File:") else ('"' + h + '"' if h else "") for h in header]
lines += [f"{number(nm, 1)} \t{s}. \t{r}." for nm, s, r in rows]
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "simulate.rdg"), "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
