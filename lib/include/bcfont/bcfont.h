/* libbcfont: font strings for the bcfont barcode fonts, from C and from
 * anything that can call C.
 *
 * Text goes in and comes out as UTF-8. Every function is thread-safe and
 * keeps no state between calls: the buffers are the caller's. Link with
 * `pkg-config --libs bcfont` or CMake's `find_package(bcfont)` and the
 * target bcfont::bcfont.
 */
#ifndef BCFONT_BCFONT_H
#define BCFONT_BCFONT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The negative results of bcfont_encode. */
#define BCFONT_REJECTED (-1)  /* data rejected; reason written */
#define BCFONT_TOO_SMALL (-2) /* out too small; nothing to rely on in out */
#define BCFONT_BAD_TYPE (-3)  /* unknown type name, or a malformed option */

/* Writes the font string of `data` for the symbology `type` to `out` as
 * NUL-terminated UTF-8 text and returns its length in bytes, terminator not
 * counted. Set the result in the face bcfont_face() names.
 *
 * type        A name that `bcfont types` lists ("ean13", any case) or its
 *             number ("1"); the 2D codes take options after a colon
 *             ("qr:ecc=H,version=5", "datamatrix:shape=rect",
 *             "pdf417:columns=6,ecc=4"). NULL, any other text or a
 *             malformed option: BCFONT_BAD_TYPE, with the reason.
 * data        NUL-terminated UTF-8 text. For the linear symbologies each
 *             character must be one that Mac OS Roman holds, as the fonts
 *             draw those; the 2D codes take any UTF-8 text. What else the
 *             symbology accepts is its own rule. NULL reads as empty, and
 *             empty data is rejected.
 * addon       The EAN-13 add-on of 2 or 5 digits; NULL or "" for none. The
 *             other symbologies ignore it, as EAN-13 ignores an add-on of
 *             another length.
 * check       Nonzero: add the symbology's optional check character.
 *             Symbologies whose check character is mandatory add it anyway.
 * out         out_size bytes for the font string and its terminator. NULL
 *             with out_size 0 asks only whether the data is accepted.
 * reason      reason_size bytes for a sentence a person can act on, such as
 *             "EAN-13 needs 12 or 13 digits, got 11". May be NULL. A
 *             sentence that does not fit is cut at a character boundary;
 *             reason_size 0 writes nothing.
 *
 * Returns, checked in this order:
 *   BCFONT_BAD_TYPE   type is NULL or names no symbology; reason receives
 *                     "unknown type '...'" and out is untouched.
 *   BCFONT_REJECTED   the data or add-on was refused: it is not valid UTF-8,
 *                     holds a character Mac OS Roman lacks, is empty, or the
 *                     symbology refuses it; reason says which. Memory running
 *                     out is reported the same way ("out of memory"). out is
 *                     untouched.
 *   BCFONT_TOO_SMALL  the data is accepted but the font string and its
 *                     terminator need more than out_size bytes (or out is
 *                     NULL); reason receives "". Call again with a larger
 *                     buffer: the result depends on the arguments only. Do
 *                     not read out.
 *   >= 0              the length of the font string in out; reason receives "".
 *
 * Font strings of the linear symbologies take under 300 bytes; those of
 * the 2D codes are lines joined by LF and may take tens of kilobytes, so
 * grow the buffer on BCFONT_TOO_SMALL rather than rely on a fixed size.
 */
long bcfont_encode(const char *type, const char *data, const char *addon, int check, char *out,
                   size_t out_size, char *reason, size_t reason_size);

/* The font family that draws font strings of `type` (a name or number as
 * above): with half_height nonzero the half-height face, with high_density
 * nonzero the narrow one; symbologies without such a face give their normal
 * one. The text is static and must not be freed. NULL if type is unknown.
 */
const char *bcfont_face(const char *type, int half_height, int high_density);

/* The library's version, such as "1.0.0". Static; never NULL. */
const char *bcfont_version(void);

#ifdef __cplusplus
}
#endif

#endif /* BCFONT_BCFONT_H */
