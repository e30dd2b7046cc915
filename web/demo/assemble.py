#!/usr/bin/env python3
"""Makes the offline page one file that opens from disk: the faces as data
URLs in the CSS, the encoder as a classic script with its WebAssembly as
base64 (file:// pages may neither fetch nor import modules).

    assemble.py PACKAGE_DIR DEMO_SOURCE_DIR OUT.html
"""

import base64
import os
import re
import sys

sys.dont_write_bytecode = True
WEB = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def read(path, mode="r"):
    with open(path, mode) as f:
        return f.read()


def inline_fonts(css, package_dir):
    def data_url(match):
        font = read(os.path.join(package_dir, match.group(1)), "rb")
        return 'url("data:font/woff2;base64,' + base64.b64encode(font).decode("ascii") + '")'
    return re.sub(r'url\("(fonts/[^"]+\.woff2)"\)', data_url, css)


def main():
    package_dir, source_dir, out = sys.argv[1:4]
    wasm = base64.b64encode(read(os.path.join(package_dir, "bcfont.wasm"), "rb")).decode("ascii")
    script = "(() => {\n" + read(os.path.join(WEB, "api.js")) + \
        f'\nconst bcfontWasmBase64 = "{wasm}";\n' + read(os.path.join(WEB, "load_classic.js")) + "})();"
    parts = {
        "BCFONT_CSS": inline_fonts(read(os.path.join(package_dir, "bcfont.css")), package_dir),
        "DEMO_CSS": read(os.path.join(source_dir, "demo.css")),
        "BCFONT_SCRIPT": script,
        "DEMO_SCRIPT": read(os.path.join(source_dir, "demo.js")),
    }
    page = read(os.path.join(source_dir, "index.html"))
    for name, text in parts.items():
        page = page.replace(f"/*@{name}@*/", text.replace("</script", "<\\/script"))
    with open(out, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
