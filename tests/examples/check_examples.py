"""Runs the examples of README.md's "Use bcfont from your program" and
compares what they print with the output shown under each.

    check_examples.py README BUILD_DIR

C: the library installed into a temporary prefix (its components only; its
manual page free of groff warnings), the example compiled as C with pkg-config and with a CMake project that
finds bcfont::bcfont. Python: the example run with the build's module and
fonts; its PDF embeds the face. SQL: run by psql in a
throwaway server.
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "postgres"))
from pgserver import Server  # noqa: E402


def blocks(readme: Path) -> dict:
    """The section's fenced blocks: 'c', 'python', 'sql', each with the text block after it."""
    text = readme.read_text()
    section = text.split("## Use bcfont from your program", 1)[1].split("\n## ", 1)[0]
    found = re.findall(r"```(\w+)\n(.*?)```", section, re.S)
    examples = {}
    for (language, code), (after, output) in zip(found, found[1:]):
        if language != "text" and after == "text":
            examples[language] = (code, output)
    return examples


def run(argv, **kw) -> str:
    result = subprocess.run(argv, capture_output=True, text=True, **kw)
    if result.returncode != 0:
        raise AssertionError(f"{argv[0]} failed ({result.returncode}): {result.stdout}{result.stderr}")
    return result.stdout


class ExamplesTest(unittest.TestCase):
    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="bcfont-examples-"))

    def tearDown(self):
        subprocess.run(["rm", "-rf", str(self.work)])

    def test_c_with_pkg_config_and_cmake(self):
        code, expected = EXAMPLES["c"]
        source = self.work / "example.c"
        source.write_text(code)
        prefix = self.work / "prefix"
        for component in ("libbcfont1", "libbcfont-dev"):
            run(["cmake", "--install", BUILD, "--prefix", str(prefix), "--component", component])
        pc_dir = next(prefix.rglob("bcfont.pc")).parent
        manual = prefix / "share/man/man3/bcfont_encode.3"
        groff = subprocess.run(["groff", "-man", "-ww", "-z", str(manual)], capture_output=True, text=True)
        self.assertEqual((groff.returncode, groff.stderr), (0, ""), "man 3 bcfont_encode has groff warnings")
        flags = run(["pkg-config", "--define-prefix", "--cflags", "--libs", "bcfont"],
                    env={**os.environ, "PKG_CONFIG_PATH": str(pc_dir)}).split()
        run(["cc", "-std=c99", "-Wall", "-Wextra", "-Wpedantic", "-Werror", str(source), "-o",
             str(self.work / "with-pkg-config")] + flags)
        consumer = self.work / "consumer"
        run(["cmake", "-S", str(HERE / "cmake-consumer"), "-B", str(consumer), f"-DCMAKE_PREFIX_PATH={prefix}",
             f"-DEXAMPLE_SOURCE={source}", "-DCMAKE_C_FLAGS=-Wall -Wextra -Wpedantic -Werror"])
        run(["cmake", "--build", str(consumer)])
        env = {**os.environ, "LD_LIBRARY_PATH": str(pc_dir.parent)}
        for program in (self.work / "with-pkg-config", consumer / "example"):
            with self.subTest(program.name):
                self.assertEqual(run([str(program)], env=env), expected)

    def test_python_with_reportlab(self):
        code, expected = EXAMPLES["python"]
        env = {**os.environ, "PYTHONPATH": f"{BUILD}/python", "BCFONT_FONT_DIR": f"{BUILD}/fonts"}
        self.assertEqual(run([sys.executable, "-c", code], cwd=self.work, env=env), expected)
        pdf = str(self.work / "labels.pdf")
        self.assertIn("CodeEAN", run(["pdffonts", pdf]))

    def test_sql(self):
        code, expected = EXAMPLES["sql"]
        with Server(Path(BUILD) / "postgres", Path(BUILD) / "lib/libbcfont.so.1") as server:
            result = subprocess.run([str(Path("/usr/lib/postgresql/15/bin/psql")), "-X", "-q", "-h",
                                     str(server.socket), "-U", server.user, "-d", "postgres"],
                                    input=code, capture_output=True, text=True)
        self.assertEqual(result.stderr, "")
        # psql pads the last column with spaces; the README does not show them.
        self.assertEqual([line.rstrip() for line in result.stdout.strip("\n").splitlines()],
                         expected.strip("\n").splitlines())


if __name__ == "__main__":
    README, BUILD = Path(sys.argv.pop(1)), sys.argv.pop(1)
    EXAMPLES = blocks(README)
    unittest.main()
