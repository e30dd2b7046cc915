"""The extension in a real PostgreSQL 15 server: results, NULLs, errors,
function attributes and parallel workers. The sweep (tests/sweep) holds its
font strings and reasons to the command line's over every type.

    test_postgres.py STAGE LIBBCFONT
"""

import sys
import unittest
from pathlib import Path

from pgserver import Server

EAN13 = "'400638133393'"

# Font strings as `bcfont encode` prints them, and the faces the table names.
FONTS = {
    "EAN13_FONT": "4<ALGDTM=dddjdb>",
    "EAN13_ADDON_FONT": "4<ALGDTM=dddjdb>:v;n;Z;u;q",
    "FACE_EAN13": "Code EAN",
    "FACE_C39_RED_HD": "Code 39 Red High Density",
}

# name, SQL expression, its value (JSON: None is NULL)
ROWS = [
    ("encode", f"bcfont_encode({EAN13}, 'ean13')", "EAN13_FONT"),
    ("named add-on", f"bcfont_encode({EAN13}, 'ean13', addon => '52495')", "EAN13_ADDON_FONT"),
    ("rejected is NULL", "bcfont_encode('12345', 'ean13')", None),
    ("reason of rejected", "bcfont_reason('12345', 'ean13')", "EAN-13 needs 12 or 13 digits, got 5"),
    ("reason of accepted is NULL", f"bcfont_reason({EAN13}, 'ean13')", None),
    ("reason with the check named", "bcfont_reason('', 'code39', '', \"check\" => false)", "no data to encode"),
    ("NULL data", "bcfont_encode(NULL, 'ean13')", None),
    ("NULL type", f"bcfont_encode({EAN13}, NULL)", None),
    ("NULL add-on", f"bcfont_encode({EAN13}, 'ean13', NULL)", None),
    ("NULL check", f"bcfont_reason('1', 'ean13', '', NULL)", None),
    ("face", "bcfont_face('ean13')", "FACE_EAN13"),
    ("face half height, high density", "bcfont_face('code39', true, true)", "FACE_C39_RED_HD"),
    ("NULL face option", "bcfont_face('code39', NULL)", None),
]

# name, statement, the start of the error
ERRORS = [
    ("unknown type in encode", f"SELECT bcfont_encode({EAN13}, 'qrcode')", "ERROR:  bcfont: unknown type 'qrcode'"),
    ("unknown type in reason", f"SELECT bcfont_reason({EAN13}, 'qrcode')", "ERROR:  bcfont: unknown type 'qrcode'"),
    ("unknown type in face", "SELECT bcfont_face('qrcode')", "ERROR:  bcfont: unknown type 'qrcode'"),
]


def launched_workers(node: dict):
    yield node.get("Workers Launched", 0)
    for child in node.get("Plans", []):
        yield from launched_workers(child)


class ExtensionTest(unittest.TestCase):
    def test_rows(self):
        values = server.sql("SELECT json_build_array(" + ", ".join(sql for _, sql, _ in ROWS) + ")")
        for (name, sql, expected), actual in zip(ROWS, values):
            with self.subTest(name, sql=sql):
                self.assertEqual(actual, FONTS.get(expected, expected) if isinstance(expected, str) else expected)

    def test_errors(self):
        for name, sql, expected in ERRORS:
            with self.subTest(name):
                self.assertEqual(server.psql(sql).stderr.splitlines()[0], expected)

    def test_functions_are_immutable_strict_parallel_safe(self):
        rows = server.sql("SELECT json_agg(json_build_array(proname, provolatile, proisstrict, proparallel) "
                          "ORDER BY proname) FROM pg_proc WHERE proname LIKE 'bcfont\\_%'")
        self.assertEqual(rows, [[name, "i", True, "s"] for name in
                                ["bcfont_encode", "bcfont_face", "bcfont_reason"]])

    def test_parallel_workers_give_the_serial_result(self):
        server.sql("CREATE TABLE items AS SELECT lpad(i::text, 12, '0') AS d FROM generate_series(1, 100000) i")
        query = ("SELECT json_build_array(count(bcfont_encode(d, 'ean13')), sum(length(bcfont_encode(d, 'ean13'))), "
                 "count(bcfont_reason(d || 'x', 'ean13'))) FROM items")
        parallel = ("SET parallel_setup_cost = 0; SET parallel_tuple_cost = 0; SET min_parallel_table_scan_size = 0;"
                    "SET max_parallel_workers_per_gather = 2;")
        plan = server.sql(parallel + "EXPLAIN (ANALYZE, FORMAT JSON) " + query)
        workers = max(launched_workers(plan[0]["Plan"]))
        self.assertGreaterEqual(workers, 1, "no parallel worker ran")
        self.assertEqual(server.sql(parallel + query),
                         server.sql("SET max_parallel_workers_per_gather = 0;" + query))


if __name__ == "__main__":
    stage, library = Path(sys.argv.pop(1)), Path(sys.argv.pop(1))
    with Server(stage, library, {"max_worker_processes": 4, "max_parallel_workers": 4}) as server:
        passed = unittest.main(exit=False).result.wasSuccessful()
    sys.exit(0 if passed else 1)
