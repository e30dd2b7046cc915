"""Times SELECT count(bcfont_encode(...)) over 1,000,000 generated 12-digit
EAN-13 items in a throwaway PostgreSQL 15 server, against the same query
without bcfont_encode, by the server's own execution time.

    postgres_bench.py BUILD_DIR [RUNS]

Target: at most 2 s for the query with bcfont_encode.
"""

import os
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests/postgres"))
from pgserver import Server  # noqa: E402

ITEMS = "lpad((i::bigint * 7919 % 1000000000000)::text, 12, '0')"
QUERIES = [
    ("count(bcfont_encode(...))", f"SELECT count(bcfont_encode({ITEMS}, 'ean13')) FROM generate_series(1, 1000000) i"),
    ("count(the items) alone", f"SELECT count({ITEMS}) FROM generate_series(1, 1000000) i"),
]


def main() -> None:
    build = Path(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with Server(build / "postgres", build / "lib/libbcfont.so.1", {"jit": "off"}) as server:
        assert server.sql(f"SELECT to_json(n) FROM ({QUERIES[0][1]}) AS q(n)") == 1000000
        print(f"PostgreSQL 15, 1,000,000 rows, {runs} runs (server execution time)")
        for name, query in QUERIES:
            times = [server.sql(f"EXPLAIN (ANALYZE, TIMING OFF, FORMAT JSON) {query}")[0]["Execution Time"]
                     for _ in range(runs)]
            print(f"{name:28} best {min(times):7.1f} ms  median {statistics.median(times):7.1f} ms")
    print(f"load average: {' '.join(open('/proc/loadavg').read().split()[:3])} on {os.cpu_count()} cores")


if __name__ == "__main__":
    main()
