"""A seeded sweep of the C library, the Python module and the SQL functions
against the command line, over every type `bcfont types` lists: the same
font string for accepted data, the same reason for rejected data.

    differential.py BCFONT LIBBCFONT PG_STAGE [SEED]

A difference prints the request, the command line's answer and the other's.
"""

import ctypes
import random
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "postgres"))
import bcfont  # noqa: E402  (PYTHONPATH names the build's module)
from pgserver import Server, literal  # noqa: E402

ITEMS_PER_TYPE = 60
MAC_ROMAN_EXTRA = "éüÅ©€ÿ°•"
NOT_MAC_ROMAN = "łЖ中😀"
ADDONS = ["", "", "", "12", "52495", "5a", "123"]


def random_data(rng: random.Random) -> str:
    kind = rng.random()
    if kind < 0.45:
        return "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 14)))
    if kind < 0.55:
        return "".join(rng.choice("0123456789") for _ in range(rng.randint(15, 50)))
    if kind < 0.75:
        return "".join(rng.choice("ABCXYZ019 -.$/+%abc") for _ in range(rng.randint(1, 24)))
    if kind < 0.85:
        return "".join(rng.choice(["~065", "~~", "~999", "~12", "A", "1", "~"]) for _ in range(rng.randint(1, 6)))
    if kind < 0.95:
        return "".join(rng.choice("AB12" + MAC_ROMAN_EXTRA) for _ in range(rng.randint(1, 8)))
    return rng.choice(["", "-1", "A\nB", "1" + rng.choice(NOT_MAC_ROMAN)])


def command_line(bcfont_exe: str, request) -> tuple:
    type_name, data, addon, check = request
    argv = [bcfont_exe, "encode", "--type", type_name]
    argv += ["--addon", addon] if addon else []
    argv += [] if check else ["--no-check"]
    run = subprocess.run(argv + ["--", data], capture_output=True, text=True)
    if run.returncode == 0:
        return (run.stdout.removesuffix("\n"), None)
    assert run.returncode == 1, f"{request}: {run.stderr}"
    return (None, run.stderr.splitlines()[0].removeprefix("bcfont: "))


class CLibrary:
    def __init__(self, path: str) -> None:
        self.lib = ctypes.CDLL(path)
        self.lib.bcfont_encode.restype = ctypes.c_long
        self.lib.bcfont_encode.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int,
                                           ctypes.c_char_p, ctypes.c_size_t, ctypes.c_char_p, ctypes.c_size_t]

    def __call__(self, request) -> tuple:
        type_name, data, addon, check = request
        out, reason = ctypes.create_string_buffer(4096), ctypes.create_string_buffer(1024)
        n = self.lib.bcfont_encode(type_name.encode(), data.encode(), addon.encode(), int(check),
                                   out, len(out), reason, len(reason))
        assert n >= 0 or n == -1, f"{request}: {n}"
        return (out.value.decode(), None) if n >= 0 else (None, reason.value.decode())


def python_module(request) -> tuple:
    type_name, data, addon, check = request
    try:
        return (bcfont.encode(data, type_name, addon, check), None)
    except bcfont.Rejected as rejected:
        return (None, rejected.reason)


def sql(server: Server, requests) -> list:
    rows = ", ".join(f"({i}, {literal(d)}, {literal(t)}, {literal(a)}, {str(c).lower()})"
                     for i, (t, d, a, c) in enumerate(requests))
    return [tuple(pair) for pair in server.sql(
        "SELECT json_agg(json_build_array(bcfont_encode(d, t, a, c), bcfont_reason(d, t, a, c)) ORDER BY i) "
        f"FROM (VALUES {rows}) AS v(i, d, t, a, c)")]


def main() -> int:
    bcfont_exe, library, stage = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 20261206
    rng = random.Random(seed)
    listed = subprocess.run([bcfont_exe, "types"], capture_output=True, text=True, check=True).stdout
    types = [line.split()[1] for line in listed.splitlines()]
    requests = [(t, random_data(rng), rng.choice(ADDONS), rng.random() < 0.8)
                for t in types for _ in range(ITEMS_PER_TYPE)]
    expected = [command_line(bcfont_exe, r) for r in requests]
    c_library = CLibrary(library)
    with Server(stage, Path(library)) as server:
        answers = {"C": [c_library(r) for r in requests], "Python": [python_module(r) for r in requests],
                   "SQL": sql(server, requests)}
    # encode_many takes one type, add-on and check per call.
    groups: dict = {}
    for i, (t, d, a, c) in enumerate(requests):
        groups.setdefault((t, a, c), []).append(i)
    many = [None] * len(requests)
    for (t, a, c), indexes in groups.items():
        for i, font_string in zip(indexes, bcfont.encode_many([requests[i][1] for i in indexes], t, a, c)):
            many[i] = font_string

    differences = 0
    for name, results in answers.items():
        for request, want, got in zip(requests, expected, results):
            if want != got:
                differences += 1
                print(f"{name} differs for {request!r}:\n  command line: {want!r}\n  {name}: {got!r}")
    for request, want, got in zip(requests, expected, many):
        if want[0] != got:
            differences += 1
            print(f"encode_many differs for {request!r}:\n  command line: {want[0]!r}\n  encode_many: {got!r}")
    accepted = sum(1 for fs, _ in expected if fs is not None)
    print(f"seed {seed}: {len(requests)} requests over {len(types)} types ({accepted} accepted), "
          f"{differences} differences")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
