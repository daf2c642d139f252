#!/usr/bin/env python3
"""Prints the figures of content_bench and of grep side by side, and the ratios the team aims at.

    summarise.py BENCH.json GREP_RARE.json RARE_COUNT GREP_COMMON.json COMMON_COUNT

BENCH.json is Google Benchmark's JSON output (medians of repetitions are taken); the grep files
are hyperfine's --export-json or time_process.py's, their counts what grep -c printed.
"""
import json
import sys

FIGURES = [  # benchmark, label
    ("BM_ReadTexts", "plain read of every text code unit"),
    ("BM_KeywordRare", "keyword search, rare term"),
    ("BM_KeywordCommon", "keyword search, common term"),
    ("BM_KeywordRareCommon", "keyword search, rare + common term"),
    ("grep_rare", "grep -F -c rare term (whole process)"),
    ("grep_common", "grep -F -c common term (whole process)"),
    ("BM_ReadFlags", "plain read of every flag code unit"),
    ("BM_Category", "category filter, one code"),
    ("BM_CodeChain", "chain of three codes"),
    ("BM_InflateDecode", "inflate + decode of the entry"),
    ("BM_Load", "loading through the library"),
]

RATIOS = [  # numerator, denominator, aim (<= or >=), value
    ("BM_KeywordRare", "BM_ReadTexts", "<=", 3),
    ("BM_KeywordCommon", "BM_ReadTexts", "<=", 3),
    ("BM_KeywordRareCommon", "BM_ReadTexts", "<=", 3),
    ("grep_rare", "BM_KeywordRare", ">=", 3),
    ("grep_common", "BM_KeywordCommon", ">=", 3),
    ("BM_Category", "BM_ReadFlags", "<=", 2),
    ("BM_Load", "BM_InflateDecode", "<=", 1.5),
]


def benchmark_medians(path):
    """Median real time in ms and the counters of every benchmark, by its function name."""
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    figures = {}
    for b in report["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b["run_name"].split("/")[0]
        figures[name] = {"ms": b["real_time"] * scale[b["time_unit"]],
                         "matches": b.get("matches")}
    return figures


def grep_median(path, count):
    with open(path, encoding="utf-8") as f:
        result = json.load(f)["results"][0]
    return {"ms": result["median"] * 1000, "matches": int(count)}


def verdict(value, op, aim):
    if (value <= aim) if op == "<=" else (value >= aim):
        return "meets"
    return f"misses by {value / aim:.2f}x" if op == "<=" else f"misses by {aim / value:.2f}x"


def short(name):
    return name.removeprefix("BM_")


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    figures = benchmark_medians(sys.argv[1])
    figures["grep_rare"] = grep_median(sys.argv[2], sys.argv[3])
    figures["grep_common"] = grep_median(sys.argv[4], sys.argv[5])

    print("\nFigures (medians, wall clock)")
    for name, label in FIGURES:
        f = figures[name]
        matches = f"{int(f['matches']):>7} matches" if f["matches"] is not None else ""
        print(f"  {label:<40} {f['ms']:>10.3f} ms  {matches}")

    print("\nRatios")
    for top, bottom, op, aim in RATIOS:
        value = figures[top]["ms"] / figures[bottom]["ms"]
        label = f"{short(top)} / {short(bottom)}"
        aim_text = f"{'≤' if op == '<=' else '≥'} {aim}"
        print(f"  {label:<40} {value:>8.2f}   aim {aim_text:<6} {verdict(value, op, aim)}")


if __name__ == "__main__":
    main()
