#!/usr/bin/env python3
"""Prints the figures of content_bench and of grep side by side, the start-up figures, and the
ratios the team aims at.

    summarise.py BENCH.json GREP_RARE.json RARE_COUNT GREP_COMMON.json COMMON_COUNT
                 [--startup BARE.json SAMPLE.json LARGE.json]

BENCH.json is Google Benchmark's JSON output (medians of repetitions are taken); the grep files
are hyperfine's --export-json or time_process.py's, their counts what grep -c printed. The
start-up files are startup-probe's lines for the bare window, the program with the sample content
and the program with 100,000 records in each content.
"""
import argparse
import json

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


# The large content file holds every content (verdane-synth writes all seven) and the pages load
# all of them before the window shows.
CONTENTS_AT_START_UP = 7

STARTUP_FIGURES = [  # key, label
    ("bare", "bare window (floor)"),
    ("sample", "verdane, sample content"),
    ("large", f"verdane, 100,000 records x {CONTENTS_AT_START_UP} contents"),
]


def startup_figures(path):
    with open(path, encoding="utf-8") as f:
        return json.loads(f.read())


def verdict(value, op, aim):
    if (value <= aim) if op == "<=" else (value >= aim):
        return "meets"
    return f"misses by {value / aim:.2f}x" if op == "<=" else f"misses by {aim / value:.2f}x"


def short(name):
    return name.removeprefix("BM_")


def aim_line(label, value, unit, op, aim):
    aim_text = f"{'≤' if op == '<=' else '≥'} {aim}{unit}"
    print(f"  {label:<40} {value:>8.2f}{unit:<4} aim {aim_text:<9} {verdict(value, op, aim)}")


def print_startup(paths, load_ms):
    runs = {key: startup_figures(path) for (key, _), path in zip(STARTUP_FIGURES, paths)}
    print(f"\nStart-up (medians of {runs['bare']['runs']} runs, wall clock from start: until the"
          " window is mapped, until the process has ended after a close request)")
    for key, label in STARTUP_FIGURES:
        r = runs[key]
        print(f"  {label:<40} shown {r['shown_ms']:>8.1f} ms   ended {r['exit_ms']:>8.1f} ms"
              f"   peak {r['peak_kib'] / 1024:>7.1f} MiB")

    bare, sample, large = runs["bare"], runs["sample"], runs["large"]
    floor = bare["exit_ms"] + CONTENTS_AT_START_UP * load_ms
    print(f"  {'bare ended + ' + str(CONTENTS_AT_START_UP) + ' x Load':<40}"
          f"                    {floor:>8.1f} ms")
    print("\nStart-up ratios")
    aim_line("sample / bare, time to shown", sample["shown_ms"] / bare["shown_ms"], "", "<=", 1.5)
    aim_line("sample / bare, time to end", sample["exit_ms"] / bare["exit_ms"], "", "<=", 1.5)
    aim_line("sample - bare, peak memory", (sample["peak_kib"] - bare["peak_kib"]) / 1024,
             " MiB", "<=", 15)
    aim_line(f"large end / (bare end + {CONTENTS_AT_START_UP} x Load)",
             large["exit_ms"] / floor, "", "<=", 1.5)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("bench")
    parser.add_argument("grep_rare")
    parser.add_argument("rare_count")
    parser.add_argument("grep_common")
    parser.add_argument("common_count")
    parser.add_argument("--startup", nargs=3, metavar=("BARE", "SAMPLE", "LARGE"))
    args = parser.parse_args()
    figures = benchmark_medians(args.bench)
    figures["grep_rare"] = grep_median(args.grep_rare, args.rare_count)
    figures["grep_common"] = grep_median(args.grep_common, args.common_count)

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

    if args.startup:
        print_startup(args.startup, figures["BM_Load"]["ms"])


if __name__ == "__main__":
    main()
