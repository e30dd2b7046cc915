"""Times bcfont.encode_many over 1,000,000 random 12-digit EAN-13 items
(seeded), against making a list of as many new str objects in Python
(list(map(str.lower, items))), the least any list of results costs.

    python_bench.py [RUNS]      (PYTHONPATH names the module's folder)

Prints the best and the median wall time and the process CPU time of each.
Target: encode_many at most 100 ms.
"""

import os
import random
import statistics
import sys
import time

import bcfont

ITEMS = 1_000_000


def timed(call, runs: int) -> tuple:
    walls, cpus = [], []
    for _ in range(runs):
        wall, cpu = time.perf_counter(), time.process_time()
        result = call()
        walls.append(time.perf_counter() - wall)
        cpus.append(time.process_time() - cpu)
        del result
    return min(walls), statistics.median(walls), min(cpus)


def main() -> None:
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    rng = random.Random(20261206)
    items = ["".join(rng.choice("0123456789") for _ in range(12)) for _ in range(ITEMS)]
    assert None not in bcfont.encode_many(items[:1000], "ean13")
    print(f"bcfont {bcfont.__version__}, {ITEMS:,} EAN-13 items, {runs} runs; Python {sys.version.split()[0]}")
    print(f"{'':28} {'best':>9} {'median':>9} {'best CPU':>9}")
    for name, call in [("encode_many", lambda: bcfont.encode_many(items, "ean13")),
                       ("list(map(str.lower, items))", lambda: list(map(str.lower, items)))]:
        best, median, cpu = timed(call, runs)
        print(f"{name:28} {best * 1000:6.1f} ms {median * 1000:6.1f} ms {cpu * 1000:6.1f} ms")
    print(f"load average: {' '.join(open('/proc/loadavg').read().split()[:3])} on {os.cpu_count()} cores")


if __name__ == "__main__":
    main()
