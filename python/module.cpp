// The compiled half of the Python module: the encoder entry the command line
// uses, called per item with the type looked up once, and a list form that
// encodes without the GIL.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "matrix.h"
#include "macroman.h"
#include "symbology.h"

namespace py = pybind11;

namespace {

// A type with any options ("ean13", "qr:ecc=H"); ValueError with the reason when malformed.
bcfont::TypeSpec specNamed(const std::string& name) {
    const bcfont::ParsedSpec parsed = bcfont::parseTypeSpec(name);
    if (!parsed.ok()) throw py::value_error(bcfont::specFaultSentence(parsed.fault));
    return parsed.spec;
}

// A str's UTF-8 bytes. A lone surrogate has none; it is passed on encoded
// anyway, so that the encoder rejects it as malformed UTF-8, as the C API
// rejects such bytes.
std::string utf8Of(PyObject* text) {
    Py_ssize_t size = 0;
    if (const char* bytes = PyUnicode_AsUTF8AndSize(text, &size)) return {bytes, static_cast<std::size_t>(size)};
    PyErr_Clear();
    PyObject* encoded = PyUnicode_AsEncodedString(text, "utf-8", "surrogatepass");
    if (encoded == nullptr) throw py::error_already_set();
    std::string bytes(PyBytes_AS_STRING(encoded), static_cast<std::size_t>(PyBytes_GET_SIZE(encoded)));
    Py_DECREF(encoded);
    return bytes;
}

// A font string (Mac OS Roman bytes) as a str, each byte one character.
PyObject* strOfMacRoman(std::string_view bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        PyObject* text = PyUnicode_New(static_cast<Py_ssize_t>(bytes.size()), 0x7F);
        if (text == nullptr) throw py::error_already_set();
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(PyUnicode_DATA(text)));
        return text;
    }
    Py_UCS4 widest = 0;
    for (char c : bytes) widest = std::max<Py_UCS4>(widest, bcfont::macroman::toUnicode(static_cast<unsigned char>(c)));
    PyObject* text = PyUnicode_New(static_cast<Py_ssize_t>(bytes.size()), widest);
    if (text == nullptr) throw py::error_already_set();
    const int kind = PyUnicode_KIND(text);
    void* data = PyUnicode_DATA(text);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        PyUnicode_WRITE(kind, data, i, bcfont::macroman::toUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

// (font string, "") or (None, reason).
std::pair<std::optional<py::object>, std::string> encodeOne(py::str data, const std::string& type,
                                                            py::str addon, bool check) {
    const bcfont::TypeSpec spec = specNamed(type);
    const bcfont::Encoded encoded = bcfont::encodeRequest(spec, utf8Of(data.ptr()), utf8Of(addon.ptr()), check);
    if (!encoded.ok()) return {std::nullopt, encoded.text};
    return {py::reinterpret_steal<py::object>(strOfMacRoman(encoded.text)), std::string()};
}

// A chunk of items at a time: their UTF-8 read with the GIL, encoded
// without it, their strs made with it again. The buffers stay the size of a
// chunk, in the cache, however long the list.
constexpr std::size_t kChunk = 4096;

py::list encodeMany(py::iterable items, const std::string& type, py::str addon, bool check) {
    const bcfont::TypeSpec spec = specNamed(type);
    const std::string addonUtf8 = utf8Of(addon.ptr());
    // A private copy of the list: while the GIL is released, another thread
    // may change the caller's, but not this one or the items it holds.
    PyObject* copy = PySequence_List(items.ptr());
    if (copy == nullptr) throw py::error_already_set();
    const py::object snapshot = py::reinterpret_steal<py::object>(copy);
    const std::size_t count = static_cast<std::size_t>(PyList_GET_SIZE(copy));
    py::list result(count);

    std::vector<std::string_view> data(kChunk);
    std::vector<std::string> unpaired;  // the UTF-8 of items with lone surrogates, which str does not cache
    constexpr std::size_t kRejected = std::string::npos;
    std::vector<std::size_t> fontEnds(kChunk);  // in fontStrings, or kRejected
    std::string fontStrings;
    for (std::size_t start = 0; start < count; start += kChunk) {
        const std::size_t n = std::min(kChunk, count - start);
        unpaired.clear();
        unpaired.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            PyObject* item = PyList_GET_ITEM(copy, static_cast<Py_ssize_t>(start + i));
            if (!PyUnicode_Check(item))
                throw py::type_error("encode_many() item " + std::to_string(start + i) + " is not a str");
            Py_ssize_t size = 0;
            const char* bytes = PyUnicode_AsUTF8AndSize(item, &size);
            if (bytes == nullptr) {
                PyErr_Clear();
                data[i] = unpaired.emplace_back(utf8Of(item));
            } else {
                data[i] = std::string_view(bytes, static_cast<std::size_t>(size));
            }
        }
        {
            py::gil_scoped_release unlocked;
            fontStrings.clear();
            for (std::size_t i = 0; i < n; ++i) {
                const bcfont::Encoded encoded = bcfont::encodeRequest(spec, data[i], addonUtf8, check);
                if (encoded.ok()) fontStrings += encoded.text;
                fontEnds[i] = encoded.ok() ? fontStrings.size() : kRejected;
            }
        }
        std::size_t begin = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto at = static_cast<Py_ssize_t>(start + i);
            if (fontEnds[i] == kRejected) {
                PyList_SET_ITEM(result.ptr(), at, py::none().release().ptr());
                continue;
            }
            PyList_SET_ITEM(result.ptr(), at, strOfMacRoman(std::string_view(fontStrings).substr(begin, fontEnds[i] - begin)));
            begin = fontEnds[i];
        }
    }
    return result;
}

std::string face(const std::string& type, bool halfHeight, bool highDensity) {
    return std::string(bcfont::fontFor(specNamed(type).type, halfHeight, highDensity).family);
}

std::vector<std::string> types() {
    std::vector<std::string> names;
    for (const bcfont::Symbology& s : bcfont::symbologies()) names.emplace_back(s.name);
    return names;
}

}  // namespace

PYBIND11_MODULE(_bcfont, m) {
    m.doc() = "The compiled part of bcfont; use the bcfont module.";
    m.def("encode_one", &encodeOne, py::arg("data"), py::arg("type"), py::arg("addon"), py::arg("check"),
          "(font string, '') or (None, reason); ValueError for an unknown type.");
    m.def("encode_many", &encodeMany, py::arg("items"), py::arg("type"), py::arg("addon") = "",
          py::arg("check") = true,
          "The font strings of many items of one symbology, in order.\n\n"
          "Like encode(), but a refused item gives None instead of raising, and the\n"
          "encoding runs without the GIL, so other threads go on meanwhile. TypeError\n"
          "for an item that is not a str, ValueError for an unknown type.");
    m.def("face", &face, py::arg("type"), py::arg("half_height") = false, py::arg("high_density") = false,
          "The font family that draws font strings of `type`.\n\n"
          "half_height picks the half-height face, high_density the narrow one; a\n"
          "symbology without such a face gives its normal one. ValueError for an\n"
          "unknown type.");
    m.def("types", &types, "The symbology names in the order of their numbers (index 0 is type 0).");
    m.attr("__version__") = BCFONT_VERSION;
}
