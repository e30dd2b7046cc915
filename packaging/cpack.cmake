# The Debian package: `cpack -G DEB` over the install rules, built by
# scripts/package from a Release build with prefix /usr. Everything the
# package holds comes from those install rules, including the LibreOffice
# Calc add-in's unpacked extension folder once office/ installs it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bcfont)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The bcfont developers")
set(CPACK_PACKAGE_CONTACT "${BCFONT_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BCFONT_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode font encoder with its own barcode fonts")
set(CPACK_PACKAGE_DESCRIPTION
    "bcfont validates data for the common barcode symbologies (EAN-8,
EAN-13 with add-ons, UPC-A, UPC-E, Code 39, Code 128, GS1-128, 2 of 5
Interleaved and Industrial, Codabar, Postnet, Intelligent Mail), computes
the check characters and produces the font string: a few characters that,
set in bcfont's barcode fonts, draw the barcode.

The package contains the desktop window (bcfont-gui), the command line
(bcfont) for single values, whole files and SVG, PNG or PDF pictures, and
21 barcode fonts registered with fontconfig, so that office programs draw
copied font strings as bars.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${BCFONT_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# fc-cache runs from fontconfig's trigger on the font folder; the menu and
# icon caches from their packages' triggers. No maintainer scripts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fontconfig")
# The label sheets of other makers than the built-in Avery ones come from
# glabels-data when it is installed.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "glabels-data")

include(CPack)
