"""Writes the test sheets as flat ODF and runs headless LibreOffice on them."""

import atexit
import os
import shutil
import subprocess
import tempfile
from xml.sax.saxutils import escape, quoteattr

SERVICE = "ORG.BCFONT.CALC.BARCODEFUNCTIONS"

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
"""


def cell(value):
    """A table cell holding `value`: text for str, a number, a boolean, or empty for None."""
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, bool):
        v = "true" if value else "false"
        return f'<table:table-cell office:value-type="boolean" office:boolean-value="{v}"/>'
    if isinstance(value, (int, float)):
        return f'<table:table-cell office:value-type="float" office:value="{value!r}"/>'
    return f'<table:table-cell office:value-type="string"><text:p>{escape(value)}</text:p></table:table-cell>'


def formula(function, args, style=None):
    text = f"of:={SERVICE}.{function}({';'.join(args)})"
    styled = f" table:style-name={quoteattr(style)}" if style else ""
    return f"<table:table-cell{styled} table:formula={quoteattr(text)}/>"


def plain_formula(text):
    """A cell computing `text`, a formula of Calc's own functions."""
    return f"<table:table-cell table:formula={quoteattr('of:=' + text)}/>"


def styles(faces, point_size):
    """Cell styles ce0, ce1, ... setting each face, and a page wide enough for any barcode."""
    decls = "".join(f"<style:font-face style:name={quoteattr(f)} svg:font-family={quoteattr(repr(f))}/>"
                    for f in faces)
    cells = "".join(
        f'<style:style style:name="ce{i}" style:family="table-cell" style:parent-style-name="Default">'
        f"<style:text-properties style:font-name={quoteattr(f)} fo:font-size=\"{point_size(f)}pt\"/>"
        "</style:style>" for i, f in enumerate(faces))
    return (f"<office:font-face-decls>{decls}</office:font-face-decls>"
            "<office:automatic-styles>"
            '<style:style style:name="co1" style:family="table-column">'
            '<style:table-column-properties style:column-width="40cm"/></style:style>'
            '<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="50cm" '
            'fo:page-height="12cm" fo:margin-top="1cm" fo:margin-bottom="1cm" fo:margin-left="2cm" '
            'fo:margin-right="2cm" style:print-orientation="landscape"/></style:page-layout>'
            f"{cells}</office:automatic-styles>"
            '<office:master-styles><style:master-page style:name="Default" style:page-layout-name="pm1">'
            "<style:header style:display=\"false\"/><style:footer style:display=\"false\"/>"
            "</style:master-page></office:master-styles>")


def document(tables, head_extra=""):
    return HEAD + head_extra + "<office:body><office:spreadsheet>" + "".join(tables) + \
        "</office:spreadsheet></office:body></office:document>\n"


def table(name, rows, column_style=None):
    columns = f'<table:table-column table:style-name="{column_style}"/>' if column_style else ""
    body = "".join(f"<table:table-row>{''.join(r)}</table:table-row>" for r in rows)
    return f"<table:table table:name={quoteattr(name)}>{columns}{body}</table:table>"


def program(name):
    return shutil.which(name) or f"/usr/lib/libreoffice/program/{name}"


class Office:
    """Headless LibreOffice with a private profile and the fonts of the build.

    With `extensions`, LibreOffice takes the unpacked add-in from that folder
    as a bundled extension; without, install_oxt() adds the packed one to the
    private profile. unopkg refuses root without --shared (which would change
    the machine's LibreOffice), so as root both run as the user nobody."""

    def __init__(self, work, extensions=None, fonts=None):
        self.work = work
        self.extensions = extensions
        self.prefix = ["runuser", "-u", "nobody", "--"] if os.geteuid() == 0 and not extensions else []
        # nobody cannot enter a checkout in a private folder (/root, a 0700
        # mktemp -d): profile, home, documents and its working directory lie
        # in a temporary folder of their own, removed at exit.
        self.base = work
        if self.prefix:
            self.base = tempfile.mkdtemp(prefix="bcfont-office-")
            os.chmod(self.base, 0o777)
            atexit.register(shutil.rmtree, self.base, True)
        self.profile = os.path.join(self.base, "profile")
        self.env = dict(os.environ, HOME=os.path.join(self.base, "home"), SAL_USE_VCLPLUGIN="svp")
        os.makedirs(self.env["HOME"], exist_ok=True)
        if self.prefix:
            os.chmod(self.env["HOME"], 0o777)
        if fonts:
            conf = os.path.join(self.base, "fonts.conf")
            with open(conf, "w") as f:
                f.write('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                        '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>'
                        f"<dir>{escape(fonts)}</dir><cachedir>{escape(os.path.join(self.base, 'fc'))}</cachedir>"
                        "</fontconfig>")
            self.env["FONTCONFIG_FILE"] = conf

    def reachable(self, path):
        """`path`, or a copy that the user LibreOffice runs as can read."""
        if not self.prefix:
            return path
        copy = os.path.join(self.base, os.path.basename(path))
        shutil.copyfile(path, copy)
        os.chmod(copy, 0o644)
        return copy

    def run(self, command, timeout):
        return subprocess.run(self.prefix + command, env=self.env, cwd=self.base, capture_output=True, text=True,
                              timeout=timeout)

    def install_oxt(self, oxt):
        """Adds the packed extension to the private profile, licence accepted."""
        command = [program("unopkg"), "add", "--suppress-license", f"-env:UserInstallation=file://{self.profile}",
                   self.reachable(oxt)]
        run = self.run(command, 240)
        if run.returncode != 0:
            raise RuntimeError(f"unopkg add {oxt} failed (exit {run.returncode}):\n{run.stdout}\n{run.stderr}")

    def convert(self, source, target_filter, extension, timeout=240):
        """Converts `source` with `target_filter`; returns the output path."""
        out_dir = tempfile.mkdtemp(dir=self.base)
        if self.prefix:
            os.chmod(out_dir, 0o777)
        bundled = [f"-env:BUNDLED_EXTENSIONS=file://{self.extensions}"] if self.extensions else []
        command = [program("soffice"), f"-env:UserInstallation=file://{self.profile}", *bundled,
                   "--headless", "--norestore", "--nolockcheck",
                   "--convert-to", target_filter, "--outdir", out_dir, self.reachable(source)]
        stem = os.path.splitext(os.path.basename(source))[0]
        output = os.path.join(out_dir, f"{stem}.{extension}")
        # The first start creates the profile and may exit before converting.
        for _attempt in range(2):
            run = self.run(command, timeout)
            if os.path.exists(output):
                return output
        raise RuntimeError(f"LibreOffice did not convert {source} (exit {run.returncode}):\n"
                           f"{run.stdout}\n{run.stderr}")
