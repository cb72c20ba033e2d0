#!/usr/bin/env python3
"""Prints one table of every measure the benchmarks hold against a goal.

Reads the Google Benchmark JSON files (NAME.json) and the peak memory files (NAME.peak, KiB, as
/usr/bin/time writes them) of one folder. A benchmark states a goal by reporting a counter X
beside X_limit (the ratio's goal is "limit"); the table shows the value, the goal and whether the
value stays within it, and X_floor where the benchmark measures one: what the simulated cloud's
own hand-over of the records costs, which the measure cannot go below. Each program's peak memory
closes its rows.
"""
import json
import pathlib
import sys


def goals_of(counters):
    for name, value in counters.items():
        if name == "ratio" and "limit" in counters:
            yield name, value, counters["limit"]
        elif not name.endswith("_limit") and name + "_limit" in counters:
            yield name, value, counters[name + "_limit"]


def rows_of(report):
    for benchmark in report.get("benchmarks", []):
        if benchmark.get("run_type") == "aggregate":
            continue
        counters = {key: value for key, value in benchmark.items() if isinstance(value, (int, float))}
        for name, value, goal in goals_of(counters):
            floor = counters.get(name + "_floor")
            yield benchmark["name"], name, value, goal, "" if floor is None else f"{floor:.2f}"


def main(folder):
    rows = []
    for result in sorted(pathlib.Path(folder).glob("*.json")):
        program = result.stem
        for benchmark, measure, value, goal, floor in rows_of(json.loads(result.read_text())):
            verdict = "ok" if value <= goal else "OVER"
            rows.append((program, benchmark, measure, f"{value:.2f}", f"<= {goal:g}", verdict, floor))
        peak = result.with_suffix(".peak")
        if peak.exists():
            mebibytes = int(peak.read_text().split()[-1]) / 1024
            rows.append((program, "(whole program)", "peak memory MiB", f"{mebibytes:.0f}", "", "", ""))
    header = ("program", "benchmark", "measure", "value", "goal", "", "floor")
    widths = [max(len(row[i]) for row in [header] + rows) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
