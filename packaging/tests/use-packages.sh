# shellcheck shell=bash disable=SC2154 # source, tmp, multiarch and BCFONT_*: set by scripts/check-package
# Sourced by scripts/check-package: what a person does with each package,
# checked with its check function. Each use_PACKAGE MODE runs with that
# package installed alone (MODE "alone": the packages it recommends are not
# there, those of this build it depends on are) or with all the others
# ("together").

# The README example in LANGUAGE (c, python, sql): its code, or the output
# shown under it.
readme_example() {
    python3 - "$source" "$1" "$2" << 'EOF'
import sys
from pathlib import Path
source = Path(sys.argv.pop(1))
sys.path.insert(0, str(source / "tests/examples"))
from check_examples import blocks
code, output = blocks(source / "README.md")[sys.argv[1]]
sys.stdout.write(code if sys.argv[2] == "code" else output)
EOF
}

use_bcfont() {
    check "bcfont encode --type ean13 400638133393" \
        "$(/usr/bin/bcfont encode --type ean13 400638133393 2>&1)" "4<ALGDTM=dddjdb>"
    check "bcfont --version" "$(/usr/bin/bcfont --version)" "bcfont $BCFONT_VERSION"
    check "man -w bcfont" "$(man -w bcfont 2>&1)" "/usr/share/man/man1/bcfont.1.gz"
    check "bash completion of the installed bcfont" \
        "$(packaging/tests/completion_test.sh | grep -v '^ok' | tr '\n' ' ')" ""
    if [ "$1" == alone ]; then
        # Without the recommended fonts, encoding works and drawing says why not.
        check "bcfont render without fonts-bcfont says which font is missing" \
            "$(env -u BCFONT_FONT_DIR /usr/bin/bcfont render -o "$tmp/nofont.svg" --type ean13 400638133393 2>&1 |
               grep -o 'font "Code EAN" not found'; echo "exit ${PIPESTATUS[0]}, $(digest "$tmp/nofont.svg")")" \
            "font \"Code EAN\" not found
exit 2, no file"
    else
        check "man pages render as real ones" \
            "$(packaging/tests/manpage_test.py /usr/bin/bcfont /usr/share/man/man1 | tail -1 | sed 's/^[0-9]* //')" \
            "subcommands checked, 0 failures"
        same_output "installed in /usr" /usr/bin/bcfont
    fi
}

use_bcfont_gui() {
    # BCFONT_SCREENSHOT makes the window save a picture of itself and quit.
    local status
    rm -f "$tmp/window.png"
    BCFONT_SCREENSHOT="$tmp/window.png" timeout 60 /usr/bin/bcfont-gui -platform offscreen > "$tmp/gui.log" 2>&1
    status=$?
    check "bcfont-gui -platform offscreen starts and quits cleanly ($1)" \
        "exit $status, $(file -b "$tmp/window.png" | cut -d, -f1)" "exit 0, PNG image data"
    check "man -w bcfont-gui" "$(man -w bcfont-gui 2>&1)" "/usr/share/man/man1/bcfont-gui.1.gz"
    [ "$1" == together ] || return
    # The preview draws in the installed fonts only if the window found them.
    # The build's decoder, not ZXingReader: that one aborts on a picture in
    # which it finds the symbol along several lines.
    check "the installed window's preview scans as the start-up data" \
        "$(build/tests/office/bcfont_decode_png EAN-8 "$tmp/window.png" 2>&1)" "12345670"
}

use_fonts_bcfont() {
    local family
    for family in "${BCFONT_FONT_FAMILIES[@]}"; do
        check "fc-list finds \"$family\"" "$(fc-list ":family=$family" file)" \
            "/usr/share/fonts/truetype/bcfont/${family// /}.ttf: "
    done
    # fontconfig's trigger ran fc-cache over the new folder.
    check "fontconfig's cache holds the font folder" \
        "$(fc-cat /usr/share/fonts/truetype/bcfont 2>/dev/null | grep -c '\.ttf')" "${#BCFONT_FONT_FAMILIES[@]}"
}

use_libbcfont1() {
    check "ldconfig's cache leads libbcfont.so.1 to the installed library" \
        "$(readlink -f "$(ldconfig -p | sed -n 's/^\tlibbcfont\.so\.1 (.*) => //p')")" \
        "/usr/lib/$multiarch/libbcfont.so.$BCFONT_VERSION"
}

# The README's C example, built against the installed library without any
# path set: alone with pkg-config, together with CMake's find_package.
use_libbcfont_dev() {
    local work="$tmp/c" expected built
    rm -rf "$work" && mkdir -p "$work"
    readme_example c code > "$work/example.c"
    expected="$(readme_example c output)"
    if [ "$1" == alone ]; then
        # shellcheck disable=SC2046 # pkg-config's words are the point
        built="$(cc -std=c99 -Wall -Wextra -Wpedantic -Werror "$work/example.c" $(pkg-config --cflags --libs bcfont) \
                    -o "$work/example" 2>&1)"
        check "C example built with pkg-config --cflags --libs bcfont" \
            "$built$(env -u LD_LIBRARY_PATH "$work/example")" "$expected"
        check "man 3 bcfont_encode" "$(man -w 3 bcfont_encode 2>&1)" "/usr/share/man/man3/bcfont_encode.3.gz"
    else
        built="$( { cmake -S tests/examples/cmake-consumer -B "$work/cmake" -DEXAMPLE_SOURCE="$work/example.c" \
                          -DCMAKE_C_FLAGS='-Wall -Wextra -Wpedantic -Werror' && cmake --build "$work/cmake"; } 2>&1)" &&
            built=""
        check "C example built with CMake's find_package(bcfont)" \
            "$built$(env -u LD_LIBRARY_PATH "$work/cmake/example")" "$expected"
    fi
}

# Debian's python3, which the module is built for, not one first on the PATH.
use_python3_bcfont() {
    check "python3: import bcfont, encode, encode_many" \
        "$(cd / && env -u PYTHONPATH /usr/bin/python3 -c 'import bcfont
print(bcfont.__file__)
print(bcfont.encode("400638133393", "ean13"), bcfont.encode_many(["400638133393", "12345"], "ean13"), bcfont.face("ean13"))' 2>&1)" \
        "/usr/lib/python3/dist-packages/bcfont/__init__.py
4<ALGDTM=dddjdb> ['4<ALGDTM=dddjdb>', None] Code EAN"
    [ "$1" == together ] || return
    # The README's example draws in the installed faces.
    local work="$tmp/python"
    rm -rf "$work" && mkdir -p "$work"
    check "README's Python example with the installed fonts" \
        "$(cd "$work" && env -u PYTHONPATH -u BCFONT_FONT_DIR /usr/bin/python3 -c "$(readme_example python code)" 2>&1)" \
        "$(readme_example python output)"
    check "its PDF embeds the face" "$(pdffonts "$work/labels.pdf" 2>&1 | grep -c CodeEAN)" 1
}

# A throwaway server of the system's PostgreSQL 15, as nobody, on a Unix
# socket in a temporary folder: CREATE EXTENSION and the README's query.
use_postgresql_15_bcfont() {
    local pg=/usr/lib/postgresql/15/bin dir out
    dir="$(mktemp -d /tmp/bcfont-pg.XXXXXX)"
    chmod 755 "$dir" && chown nobody "$dir"
    as_nobody() { runuser -u nobody -- env LC_ALL=C.UTF-8 "$@"; }
    if as_nobody "$pg/initdb" -D "$dir/data" -U nobody --auth=trust -E UTF8 --no-sync > "$dir/initdb.log" 2>&1 &&
       as_nobody "$pg/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
           -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off" start > /dev/null 2>&1; then
        out="$( (echo "CREATE EXTENSION bcfont;"; readme_example sql code) |
               as_nobody "$pg/psql" -X -q -h "$dir" -U nobody -d postgres 2>&1 | sed 's/ *$//')"
        as_nobody "$pg/pg_ctl" -D "$dir/data" -m immediate -w stop > /dev/null 2>&1
    else
        out="$(cat "$dir/initdb.log" "$dir/server.log" 2>/dev/null)"
    fi
    rm -rf "$dir"
    check "PostgreSQL 15: CREATE EXTENSION bcfont and the README's query" "$out" "$(readme_example sql output | sed '/^$/d')"
}

use_libreoffice_bcfont() {
    # The example sheet: data in column A, =BCFONT(A; "ean13") in B,
    # =BCFONTREASON(...) in C, computed by the installed extension. Every
    # row that converted must equal the font string bcfont encode prints
    # (its warnings, such as a replaced check digit, go to standard error).
    local sheet=docs/example.ods profile="$tmp/lo-profile-$1" csv="$tmp/example.csv"
    rm -f "$csv"
    timeout 300 soffice --headless --norestore "-env:UserInstallation=file://$profile" \
        --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir "$tmp" "$sheet" > "$tmp/soffice.log" 2>&1
    check "Calc: the example sheet converts headless ($1)" "$(if [ -s "$csv" ]; then echo yes; else cat "$tmp/soffice.log"; fi)" "yes"
    local rows=0 data barcode
    while IFS=$'\t' read -r data barcode; do
        rows=$((rows + 1))
        check "Calc: =BCFONT($data; \"ean13\")" "$barcode" "$(build/bcfont encode --type ean13 "$data" 2>/dev/null)"
    done < <(python3 -c '
import csv, sys
for row in csv.reader(open(sys.argv[1], encoding="utf-8")):
    row += ["", "", ""]
    if row[0].isdigit() and row[1] and not row[2]:
        print(row[0] + "\t" + row[1])' "$csv" 2>/dev/null)
    check "Calc: the example sheet has converted rows ($1)" "$([ "$rows" -gt 0 ] && echo yes)" "yes"
}
