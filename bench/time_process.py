#!/usr/bin/env python3
"""Times a command as a whole process, its standard output read through a pipe, and writes the
times as hyperfine does (results[0].median and .times, in seconds), so that the summary reads
either. Used when hyperfine (or its --output=pipe) is not on the machine.

    time_process.py --runs N --json OUT.json -- COMMAND ARG...
"""
import argparse
import json
import statistics
import subprocess
import sys
import time


def run_once(command):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.PIPE, check=False)
    elapsed = time.perf_counter() - start
    if done.returncode not in (0, 1):  # grep: 1 is "no line matched", still a full run
        sys.exit(f"{command[0]} failed with exit code {done.returncode}")
    return elapsed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--json", required=True)
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    for _ in range(args.warmup):
        run_once(args.command)
    times = [run_once(args.command) for _ in range(args.runs)]
    result = {"command": " ".join(args.command), "median": statistics.median(times),
              "mean": statistics.fmean(times), "min": min(times), "max": max(times),
              "times": times}
    with open(args.json, "w", encoding="utf-8") as out:
        json.dump({"results": [result]}, out, ensure_ascii=False, indent=1)
    print(f"{result['command']}: median {result['median'] * 1000:.2f} ms "
          f"(min {result['min'] * 1000:.2f}, max {result['max'] * 1000:.2f}, {args.runs} runs)")


if __name__ == "__main__":
    main()
