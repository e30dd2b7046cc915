"""A throwaway PostgreSQL 15 server with the built bcfont extension.

PostgreSQL 15 reads extensions only from its own share folder, which it finds
relative to its binary. So the server's binaries are copied into a temporary
tree that mirrors the system's (every system file linked, the extension's
copied in), and the server runs from there: nothing outside the tree changes.
It runs as an unprivileged user (nobody, when started as root) and listens
only on a Unix socket inside the tree.
"""

import json
import os
import pwd
import shutil
import subprocess
import tempfile
from pathlib import Path

PG_ROOT = Path("/usr/lib/postgresql/15")
PG_SHARE = Path("/usr/share/postgresql/15")


def _link_all(source: Path, target: Path) -> None:
    target.mkdir(parents=True, exist_ok=True)
    for entry in source.iterdir():
        if not (target / entry.name).exists():
            (target / entry.name).symlink_to(entry)


class Server:
    """Use as a context manager; sql() runs statements and returns rows."""

    def __init__(self, stage: Path, library: Path, settings: dict | None = None) -> None:
        self.stage = stage  # build/postgres: lib/bcfont.so, extension/*
        self.library = library  # libbcfont.so.1
        self.settings = settings or {}
        self.as_nobody = os.geteuid() == 0
        self.user = "nobody" if self.as_nobody else pwd.getpwuid(os.geteuid()).pw_name

    def _run(self, *argv: str, **kw) -> subprocess.CompletedProcess:
        env = ["env", f"LD_LIBRARY_PATH={self.pkglib}", "LC_ALL=C.UTF-8"]
        prefix = ["runuser", "-u", "nobody", "--"] if self.as_nobody else []
        run = subprocess.run(prefix + env + list(argv), capture_output=True, text=True, **kw)
        if run.returncode != 0:
            log = self.data / "server.log"
            raise RuntimeError(f"{argv[0]} failed: {run.stdout}{run.stderr}"
                               + (log.read_text() if log.exists() else ""))
        return run

    def __enter__(self) -> "Server":
        self.root = Path(tempfile.mkdtemp(prefix="bcfont-pg-"))
        self.root.chmod(0o755)
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self) -> None:
        bindir = self.root / "lib/postgresql/15/bin"
        bindir.mkdir(parents=True)
        for program in ("postgres", "initdb", "pg_ctl"):
            shutil.copy2(PG_ROOT / "bin" / program, bindir / program)
        self.pkglib = self.root / "lib/postgresql/15/lib"
        self.pkglib.mkdir()
        shutil.copy2(self.stage / "lib/bcfont.so", self.pkglib)
        shutil.copy2(self.library, self.pkglib / self.library.name)
        _link_all(PG_ROOT / "lib", self.pkglib)
        share = self.root / "share/postgresql/15"
        (share / "extension").mkdir(parents=True)
        for f in (self.stage / "extension").iterdir():
            shutil.copy2(f, share / "extension" / f.name)
        _link_all(PG_SHARE / "extension", share / "extension")
        _link_all(PG_SHARE, share)
        self.socket = self.root / "socket"
        self.data = self.root / "data"
        for d in (self.socket, self.data):
            d.mkdir(mode=0o700)
            if self.as_nobody:
                shutil.chown(d, "nobody")
        self._run(str(bindir / "initdb"), "-D", str(self.data), "-U", self.user, "--auth=trust",
                  "--encoding=UTF8", "--no-sync")
        options = {"listen_addresses": "''", "unix_socket_directories": f"'{self.socket}'", "fsync": "off",
                   **self.settings}
        with open(self.data / "postgresql.conf", "a") as conf:
            for key, value in options.items():
                conf.write(f"{key} = {value}\n")
        self._run(str(bindir / "pg_ctl"), "-D", str(self.data), "-l", str(self.data / "server.log"), "-w", "start")
        self.started = True
        self.sql("CREATE EXTENSION bcfont")

    def __exit__(self, *exc) -> None:
        if getattr(self, "started", False):
            subprocess.run((["runuser", "-u", "nobody", "--"] if self.as_nobody else [])
                           + [str(self.root / "lib/postgresql/15/bin/pg_ctl"), "-D", str(self.data),
                              "-m", "immediate", "-w", "stop"], capture_output=True)
        shutil.rmtree(self.root, ignore_errors=True)

    def psql(self, sql: str) -> subprocess.CompletedProcess:
        """Runs `sql`; the result's stdout is psql's unaligned output."""
        return subprocess.run([str(PG_ROOT / "bin/psql"), "-X", "-A", "-t", "-q", "-v", "ON_ERROR_STOP=1",
                               "-h", str(self.socket), "-U", self.user, "-d", "postgres"],
                              input=sql, capture_output=True, text=True)

    def sql(self, sql: str):
        """The value of a query that returns one json value, or None for statements."""
        result = self.psql(sql)
        if result.returncode != 0:
            raise RuntimeError(f"psql failed: {result.stderr.strip()}")
        out = result.stdout.strip()
        return json.loads(out) if out else None


def literal(text: str) -> str:
    """A SQL string literal (standard_conforming_strings is on)."""
    return "'" + text.replace("'", "''") + "'"
