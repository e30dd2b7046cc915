#!/usr/bin/env bash
# What bash completion offers for bcfont command lines.
#   completion_test.sh FILE   the completion script to load (a build tree's)
#   completion_test.sh        bash-completion's loader finds the installed one
set -uo pipefail

# name | command line up to the cursor | offered words, sorted ("+" first:
# at least these, more may follow as the program grows)
CASES=(
  "subcommands|bcfont |+ batch encode render types"
  "subcommand prefix|bcfont en|encode"
  "top-level options|bcfont --v|--version"
  "encode options|bcfont encode --t|--type"
  "encode text instead of the font string|bcfont encode --h|--help --hri"
  "render options|bcfont render --d|--dpi"
  "render face options|bcfont render --h|--half-height --help --high-density"
  "type names after --type|bcfont encode --type ean|ean13 ean8"
  "type names after -t|bcfont render -t code|code128 code128ean code39"
  "type names in batch|bcfont batch --type i|imb industrial25 itf"
  "no words for an add-on|bcfont encode --addon |"
  "no words for a size|bcfont render --size |"
  "options after the data|bcfont encode --type ean13 400638133393 --n|--no-check"
  "batch files|bcfont batch --type ean13 @DIR@/it|@DIR@/items.txt"
  "render output file|bcfont render --type ean13 -o @DIR@/it|@DIR@/items.txt"
)

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
touch "$dir/items.txt"

# Prints the sorted words offered for one command line, in a fresh shell that
# loads completion as an interactive bash does.
offered() {
  local line="$1" file="${2:-}"
  bash --norc --noprofile -c '
    . /usr/share/bash-completion/bash_completion
    if [ -n "$2" ]; then . "$2"; else __load_completion bcfont; fi
    line="$1"
    read -ra COMP_WORDS <<< "$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))
    COMP_LINE="$line"; COMP_POINT=${#line}
    func=$(complete -p bcfont 2>/dev/null | sed -n "s/.*-F \([^ ]*\) .*/\1/p")
    [ -n "$func" ] || { echo "NO COMPLETION FOR bcfont"; exit 0; }
    "$func" bcfont "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sed "/^$/d" | sort | tr "\n" " " | sed "s/ $//"
  ' _ "$line" "$file"
}

failed=0
for row in "${CASES[@]}"; do
  IFS='|' read -r name line expected <<< "${row//@DIR@/$dir}"
  actual="$(offered "$line" "${1:-}")"
  if [[ $expected == "+ "* ]]; then
    ok=1
    for word in ${expected#+ }; do
      [[ " $actual " == *" $word "* ]] || ok=0
    done
  else
    [[ $actual == "$expected" ]] && ok=1 || ok=0
  fi
  if [ "$ok" -eq 1 ]; then
    echo "ok    $name"
  else
    echo "FAIL  $name: '$line' offered '$actual', expected '$expected'"
    failed=1
  fi
done
exit "$failed"
