/* The PostgreSQL functions: libbcfont's C API over SQL text, converted from
 * and to the database's encoding. A rejection is a NULL font string, so that
 * a report goes on; an unknown type is an ERROR, as it is a fault of the
 * query, not of the data. */
#include "postgres.h"

#include "fmgr.h"
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/memutils.h"

#include <string.h>

#include <bcfont/bcfont.h>

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(bcfont_encode_text);
PG_FUNCTION_INFO_V1(bcfont_reason_text);
PG_FUNCTION_INFO_V1(bcfont_face_text);

/* Reasons are one sentence; a longer one is cut at a character. */
#define REASON_SIZE 512
/* The first try; a font string that needs more gets a bigger buffer. */
#define FIRST_OUT_SIZE 512

typedef struct Request
{
	char	   *type;
	char	   *data;			/* UTF-8 */
	char	   *addon;			/* UTF-8 */
	int			check;
} Request;

/* The argument as UTF-8, whatever the database's encoding. */
static char *
utf8_argument(FunctionCallInfo fcinfo, int n)
{
	char	   *server = text_to_cstring(PG_GETARG_TEXT_PP(n));

	return pg_server_to_any(server, strlen(server), PG_UTF8);
}

static Request
request_of(FunctionCallInfo fcinfo)
{
	Request		r;

	r.data = utf8_argument(fcinfo, 0);
	r.type = text_to_cstring(PG_GETARG_TEXT_PP(1));
	r.addon = utf8_argument(fcinfo, 2);
	r.check = PG_GETARG_BOOL(3);
	return r;
}

static void
report_bad_type(const char *reason)
{
	ereport(ERROR,
			(errcode(ERRCODE_INVALID_PARAMETER_VALUE),
			 errmsg("bcfont: %s", reason),
			 errhint("The types are the names that \"bcfont types\" lists, or their numbers.")));
}

/* Encodes into a palloc'd buffer that grows until the font string fits.
 * Returns the length or BCFONT_REJECTED; *out holds the font string. */
static long
encode(const Request *r, char **out, char *reason)
{
	size_t		size = FIRST_OUT_SIZE;

	for (;;)
	{
		long		n;

		*out = palloc(size);
		n = bcfont_encode(r->type, r->data, r->addon, r->check, *out, size, reason, REASON_SIZE);
		if (n == BCFONT_BAD_TYPE)
			report_bad_type(reason);
		if (n != BCFONT_TOO_SMALL)
			return n;
		pfree(*out);
		if (size > MaxAllocSize / 2)
			ereport(ERROR, (errcode(ERRCODE_PROGRAM_LIMIT_EXCEEDED),
							errmsg("bcfont: the font string is too long")));
		size *= 2;
	}
}

static text *
text_of_utf8(const char *utf8, size_t length)
{
	const char *server = pg_any_to_server(utf8, (int) length, PG_UTF8);

	return cstring_to_text(server);
}

Datum
bcfont_encode_text(PG_FUNCTION_ARGS)
{
	Request		r = request_of(fcinfo);
	char		reason[REASON_SIZE];
	char	   *out;
	long		n = encode(&r, &out, reason);

	if (n < 0)
		PG_RETURN_NULL();
	PG_RETURN_TEXT_P(text_of_utf8(out, (size_t) n));
}

Datum
bcfont_reason_text(PG_FUNCTION_ARGS)
{
	Request		r = request_of(fcinfo);
	char		reason[REASON_SIZE];
	/* Whether the data is accepted needs no font string. */
	long		n = bcfont_encode(r.type, r.data, r.addon, r.check, NULL, 0, reason, REASON_SIZE);

	if (n == BCFONT_BAD_TYPE)
		report_bad_type(reason);
	if (n != BCFONT_REJECTED)
		PG_RETURN_NULL();
	PG_RETURN_TEXT_P(text_of_utf8(reason, strlen(reason)));
}

Datum
bcfont_face_text(PG_FUNCTION_ARGS)
{
	char	   *type = text_to_cstring(PG_GETARG_TEXT_PP(0));
	const char *face = bcfont_face(type, PG_GETARG_BOOL(1), PG_GETARG_BOOL(2));

	if (face == NULL)
	{
		char		reason[REASON_SIZE];

		bcfont_encode(type, "", NULL, 0, NULL, 0, reason, REASON_SIZE);
		report_bad_type(reason);
	}
	PG_RETURN_TEXT_P(cstring_to_text(face));
}
