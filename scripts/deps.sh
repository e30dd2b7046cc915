# Sourced by the other scripts: installs the Debian packages bcfont needs.
# As root it installs what is missing; otherwise it names the command to run.

BCFONT_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n libfontconfig-dev
  libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-fonttools fonts-ocr-b fontconfig
  libcairo2-dev libfreetype-dev libexpat1-dev zlib1g-dev fonts-dejavu-core glabels-data
  libzxing-dev libzint-dev
  xvfb xauth zint zint-qt python3-xlib
  clang libclang-rt-14-dev time hyperfine
  libreoffice-dev libreoffice-dev-common python3-uno poppler-utils
  # Either Calc serves; the first is installed when neither is. Never pull in
  # -nogui over a desktop LibreOffice: it would replace it.
  'libreoffice-calc-nogui|libreoffice-calc'
  librsvg2-bin gzip file man-db bash-completion
  lintian desktop-file-utils appstream dpkg-dev debhelper dh-python
  # libbcfont's ABI check, the Python module, the PostgreSQL extension and
  # the server its tests start.
  abi-dumper abi-compliance-checker
  python3-dev pybind11-dev python3-reportlab
  # The 2D line-pitch measurements (tests/twod/measure_lines.py) read pictures.
  python3-pil
  postgresql-15 postgresql-server-dev-15
  # The web module and page (scripts/web) and their tests.
  # NodeSource's nodejs carries npm and conflicts with Debian's npm.
  emscripten nodejs 'npm|nodejs' python3-brotli chromium
  'libreoffice-writer-nogui|libreoffice-writer'
  # GS1 AI table: the country and currency code lists it is generated with.
  iso-codes
)

bcfont_install_deps() {
  local missing=()
  local p
  local alt found
  for p in "${BCFONT_PACKAGES[@]}"; do
    found=
    for alt in ${p//|/ }; do
      dpkg-query -W -f='${Status}' "$alt" 2>/dev/null | grep -q 'install ok installed' && found=1 && break
    done
    [ -n "$found" ] || missing+=("${p%%|*}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q || return 1
    apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
  else
    echo "bcfont needs these packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}

bcfont_build() {
  # ccache, where installed, makes rebuilds in several checkouts cheap.
  local launcher=()
  command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" && cmake --build build
}
