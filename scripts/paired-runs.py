#!/usr/bin/env python3
"""Times two commands as whole processes, run in turns, and prints one row of a comparison.

Each run is a fork and exec measured with wait4: wall time, CPU time (user + system) and peak
resident memory. The two commands alternate, so that a change in the machine's load falls on
both; the row gives the medians and the ratio of the first to the second.

  paired-runs.py --name NAME --metric wall|cpu|rss [--runs N] [--target T] [--clean PATH]...
                 [--limit-mib M] -- COMMAND... [--vs COMMAND...]

Without --vs the row shows the first command alone (with --limit-mib, its peak memory against
that limit). Standard output of the commands goes to /dev/null; --clean paths are removed
before every run, outside the time, so that commands that refuse to replace a file can run
again.
"""
import argparse
import os
import statistics
import sys
import time


def run_once(command, clean):
    for path in clean:
        if os.path.lexists(path):
            os.remove(path)
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        try:
            os.execvp(command[0], command)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed ({os.waitstatus_to_exitcode(status)}): {' '.join(command)}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


def median_of(samples, index):
    return statistics.median(sample[index] for sample in samples)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--name", required=True)
    parser.add_argument("--metric", choices=["wall", "cpu", "rss"], required=True)
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--target", default="")
    parser.add_argument("--clean", action="append", default=[])
    parser.add_argument("--limit-mib", type=float)
    parser.add_argument("commands", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    words = args.commands[1:] if args.commands[:1] == ["--"] else args.commands
    if "--vs" in words:
        split = words.index("--vs")
        ours, theirs = words[:split], words[split + 1:]
    else:
        ours, theirs = words, []

    # One run of each first, unmeasured, so that both start from a warm page cache.
    run_once(ours, args.clean)
    if theirs:
        run_once(theirs, args.clean)
    our_samples, their_samples = [], []
    for _ in range(args.runs):
        our_samples.append(run_once(ours, args.clean))
        if theirs:
            their_samples.append(run_once(theirs, args.clean))

    index = {"wall": 0, "cpu": 1, "rss": 2}[args.metric]
    unit = "MiB" if args.metric == "rss" else "ms"
    scale = 1.0 if args.metric == "rss" else 1000.0
    ours_value = median_of(our_samples, index) * scale
    our_rss = median_of(our_samples, 2)
    if theirs:
        their_value = median_of(their_samples, index) * scale
        ratio = f"{ours_value / their_value:.2f}x"
        against = f"{their_value:8.1f} {unit}"
        memory = f"{our_rss:6.1f} / {median_of(their_samples, 2):6.1f} MiB"
    elif args.limit_mib is not None:
        ratio = f"{ours_value / args.limit_mib:.2f} of limit"
        against = f"{args.limit_mib:8.1f} {unit}"
        memory = f"{our_rss:6.1f} MiB"
    else:
        ratio, against, memory = "", "", f"{our_rss:6.1f} MiB"
    print(f"{args.name:<46} {args.metric:>4} {ours_value:8.1f} {unit:<3} {against:>12}"
          f" {ratio:>14} {args.target:>8}   {memory}", flush=True)


if __name__ == "__main__":
    main()
