#!/usr/bin/env python3
"""Prints the figures of content_bench and of grep side by side, the click and search figures, the
start-up and memory figures, and the ratios the team aims at, all from one run.

    summarise.py BENCH.json GREP_RARE.json RARE_COUNT GREP_COMMON.json COMMON_COUNT
                 [--click CLICK.json]
                 [--startup BARE.json CAPTIONS.json SAMPLE.json LARGE.json --utf16-bytes N]

BENCH.json is Google Benchmark's JSON output of content_bench, every benchmark run at 100,000 and
at 1,000,000 records (medians of repetitions are taken); the grep files are hyperfine's
--export-json or time_process.py's, their counts what grep -c printed, both over the 100,000
sentences. CLICK.json is click_bench's JSON output. The start-up files are startup-probe's lines
for the bare window, the window with the program's captions, the program with the sample content
and the program with 100,000 records in each content; N is the UTF-16 size in bytes of every
sentence and flag string of that large content file (verdane-synth --utf16-bytes).
"""
import argparse
import json

SIZES = (100000, 1000000)

FIGURES = [  # benchmark, label
    ("BM_ReadTexts", "plain read of every text code unit"),
    ("BM_ReadTextsOnTwoThreads", "the same read on two threads"),
    ("BM_KeywordRare", "keyword search, rare term"),
    ("BM_KeywordCommon", "keyword search, common term"),
    ("BM_KeywordRareCommon", "keyword search, rare + common term"),
    ("BM_ReadTextsAndReadings", "plain read of every text and reading code unit"),
    ("BM_FoldedCommon", "folded search, common term (no kana)"),
    ("BM_ReadingRare", "folded search, rare term in kana, letters + readings"),
    ("BM_ReadingCommon", "folded search, common term in kana, letters + readings"),
    ("BM_ReadFlags", "plain read of every flag code unit"),
    ("BM_Category", "category filter, one code"),
    ("BM_CodeChain", "chain of three codes, fresh"),
    ("BM_InflateDecode", "inflate + decode of the entry"),
    ("BM_Load", "loading through the library"),
]

GREP_FIGURES = [
    ("grep_rare", "grep -F -c rare term (whole process)"),
    ("grep_common", "grep -F -c common term (whole process)"),
]

RATIOS = [  # numerator, denominator, aim (<= or >=), value; at every size
    ("BM_KeywordRare", "BM_ReadTexts", "<=", 1.5),
    ("BM_KeywordCommon", "BM_ReadTexts", "<=", 1.5),
    ("BM_KeywordRareCommon", "BM_ReadTexts", "<=", 1.5),
    ("BM_FoldedCommon", "BM_ReadTextsAndReadings", "<=", 1.5),
    ("BM_ReadingRare", "BM_ReadTextsAndReadings", "<=", 1.5),
    ("BM_ReadingCommon", "BM_ReadTextsAndReadings", "<=", 1.5),
    ("BM_Category", "BM_ReadFlags", "<=", 1.5),
    ("BM_Load", "BM_InflateDecode", "<=", 1.5),
]

# The keyword search of contents this large runs on two threads; beside the aims, its time against
# a read shared by two threads in the same way.
TWO_THREAD_RATIOS = [
    ("BM_KeywordRare", "BM_ReadTextsOnTwoThreads"),
    ("BM_KeywordCommon", "BM_ReadTextsOnTwoThreads"),
    ("BM_KeywordRareCommon", "BM_ReadTextsOnTwoThreads"),
]

GREP_RATIOS = [  # at 100,000 records, the size grep reads
    ("grep_rare", "BM_KeywordRare", ">=", 3),
    ("grep_common", "BM_KeywordCommon", ">=", 3),
]

FRAME_MS = 16


def benchmark_medians(path):
    """Median real time in ms and the counters of every benchmark, by (function name, size)."""
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    figures = {}
    for b in report["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        parts = b["run_name"].split("/")
        size = int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else None
        figures[(parts[0], size)] = {"ms": b["real_time"] * scale[b["time_unit"]],
                                     "matches": b.get("matches")}
    return figures


def grep_median(path, count):
    with open(path, encoding="utf-8") as f:
        result = json.load(f)["results"][0]
    return {"ms": result["median"] * 1000, "matches": int(count)}


# The large content file holds every content (verdane-synth writes all seven) and the pages load
# all of them before the window shows.
CONTENTS_AT_START_UP = 7
LARGE_RECORDS = 100000

STARTUP_FIGURES = [  # key, label
    ("bare", "bare window (floor)"),
    ("captions", "window with the same captions"),
    ("sample", "verdane, sample content"),
    ("large", f"verdane, {LARGE_RECORDS:,} records x {CONTENTS_AT_START_UP} contents"),
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
    print(f"  {label:<48} {value:>8.2f}{unit:<4} aim {aim_text:<9} {verdict(value, op, aim)}")


def print_click(path):
    figures = benchmark_medians(path)
    print(f"\nOn the strengths page over {SIZES[-1]:,} sentences, through the repainted boxes"
          " (medians, offscreen)")
    for name, label in (("ClickCategoryCheckBox", "category click (check or uncheck)"),
                        ("SearchKeyword", "keyword search, common term"),
                        ("SearchKanaKeyword", "keyword search, common term in kana (readings)")):
        f = figures[(name, None)]
        aim_line(label, f["ms"], " ms", "<=", FRAME_MS)


def print_startup(paths, load_ms, utf16_bytes):
    runs = {key: startup_figures(path) for (key, _), path in zip(STARTUP_FIGURES, paths)}
    print(f"\nStart-up (medians of {runs['bare']['runs']} runs, wall clock from start: until the"
          " window is mapped, until it is painted, until the process has ended after a close"
          " request; resident memory once painted)")
    for key, label in STARTUP_FIGURES:
        r = runs[key]
        print(f"  {label:<40} shown {r['shown_ms']:>7.1f} ms  painted {r['painted_ms']:>7.1f} ms"
              f"  ended {r['exit_ms']:>7.1f} ms  resident {r['rss_kib'] / 1024:>7.1f} MiB")

    bare, captions, sample, large = (runs[k] for k in ("bare", "captions", "sample", "large"))
    floor = bare["exit_ms"] + CONTENTS_AT_START_UP * load_ms
    print(f"  {'bare ended + ' + str(CONTENTS_AT_START_UP) + ' x Load':<40}"
          f"                                       {floor:>7.1f} ms")
    print("\nStart-up ratios")
    aim_line("sample / captions window, time to first paint",
             sample["painted_ms"] / captions["painted_ms"], "", "<=", 1.3)
    print(f"  {'captions / bare window, time to first paint':<48}"
          f" {captions['painted_ms'] / bare['painted_ms']:>8.2f}     (what shaping the text costs)")
    aim_line("sample / bare, time to end", sample["exit_ms"] / bare["exit_ms"], "", "<=", 1.5)
    aim_line(f"large end / (bare end + {CONTENTS_AT_START_UP} x Load)",
             large["exit_ms"] / floor, "", "<=", 1.5)

    records = CONTENTS_AT_START_UP * LARGE_RECORDS
    held = large["rss_kib"] * 1024
    base = sample["rss_kib"] * 1024
    print(f"\nMemory once painted, {records:,} records: the contents' UTF-16 size"
          f" {utf16_bytes / 2**20:.1f} MiB ({utf16_bytes / records:.0f} bytes a record), the"
          f" program's base (the sample content) {base / 2**20:.1f} MiB")
    print(f"  held beyond the base: {(held - base) / records:.0f} bytes a record")
    aim_line("resident / (UTF-16 size + base)", held / (utf16_bytes + base), "", "<=", 1.3)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("bench")
    parser.add_argument("grep_rare")
    parser.add_argument("rare_count")
    parser.add_argument("grep_common")
    parser.add_argument("common_count")
    parser.add_argument("--click")
    parser.add_argument("--startup", nargs=4, metavar=("BARE", "CAPTIONS", "SAMPLE", "LARGE"))
    parser.add_argument("--utf16-bytes", type=int)
    args = parser.parse_args()
    figures = benchmark_medians(args.bench)
    small = SIZES[0]
    figures[("grep_rare", small)] = grep_median(args.grep_rare, args.rare_count)
    figures[("grep_common", small)] = grep_median(args.grep_common, args.common_count)

    print("\nFigures (medians, wall clock)")
    print(f"  {'':<40} " + "".join(f"{size:>12,} records        " for size in SIZES))
    for name, label in FIGURES + GREP_FIGURES:
        cells = ""
        for size in SIZES:
            f = figures.get((name, size))
            if f is None:
                cells += " " * 32
                continue
            matches = f"{int(f['matches']):>7} matches" if f["matches"] is not None else ""
            cells += f"{f['ms']:>10.3f} ms  {matches:<15}    "
        print(f"  {label:<40} {cells.rstrip()}")

    print("\nRatios")
    for size in SIZES:
        for top, bottom, op, aim in RATIOS:
            value = figures[(top, size)]["ms"] / figures[(bottom, size)]["ms"]
            aim_line(f"{short(top)} / {short(bottom)} at {size:,}", value, "", op, aim)
    for size in SIZES:
        for top, bottom in TWO_THREAD_RATIOS:
            if (bottom, size) in figures:
                value = figures[(top, size)]["ms"] / figures[(bottom, size)]["ms"]
                label = f"{short(top)} / {short(bottom)} at {size:,}"
                print(f"  {label:<52} {value:>4.2f}     (both on two threads)")
    for top, bottom, op, aim in GREP_RATIOS:
        value = figures[(top, small)]["ms"] / figures[(bottom, small)]["ms"]
        aim_line(f"{short(top)} / {short(bottom)} at {small:,}", value, "", op, aim)

    if args.click:
        print_click(args.click)
    if args.startup:
        print_startup(args.startup, figures[("BM_Load", small)]["ms"], args.utf16_bytes)


if __name__ == "__main__":
    main()
