// Writes CalcAddIns.xcu, the Function Wizard's names and help for the add-in,
// from function_table.h. Usage: bcfont_write_xcu OUTPUT
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "function_table.h"

namespace {

using namespace bcfont::office;

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string localizedProp(std::string_view name, const Localized& text, std::string_view indent) {
    std::string out = std::string(indent) + "<prop oor:name=\"" + std::string(name) + "\">\n";
    out += std::string(indent) + "  <value xml:lang=\"en-US\">" + escaped(shown(text.en)) + "</value>\n";
    out += std::string(indent) + "  <value xml:lang=\"de\">" + escaped(shown(text.de)) + "</value>\n";
    return out + std::string(indent) + "</prop>\n";
}

std::string xcu() {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Generated from office/function_table.h by bcfont_write_xcu. -->\n"
        "<oor:component-data xmlns:oor=\"http://openoffice.org/2001/registry\" "
        "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" oor:name=\"CalcAddIns\" "
        "oor:package=\"org.openoffice.Office\">\n"
        "  <node oor:name=\"AddInInfo\">\n"
        "    <node oor:name=\"" +
        std::string(kServiceName) +
        "\" oor:op=\"replace\">\n"
        "      <node oor:name=\"AddInFunctions\">\n";
    for (const FunctionInfo& f : kFunctions) {
        out += "        <node oor:name=\"" + std::string(f.name) + "\" oor:op=\"replace\">\n";
        out += localizedProp("DisplayName", f.displayName, "          ");
        out += localizedProp("Description", f.description, "          ");
        out += "          <prop oor:name=\"Category\"><value>" + std::string(kCategory) + "</value></prop>\n";
        out += "          <node oor:name=\"Parameters\">\n";
        for (const ArgumentInfo& a : f.arguments) {
            out += "            <node oor:name=\"" + std::string(a.name) + "\" oor:op=\"replace\">\n";
            out += localizedProp("DisplayName", a.displayName, "              ");
            out += localizedProp("Description", a.description, "              ");
            out += "            </node>\n";
        }
        out += "          </node>\n        </node>\n";
    }
    return out + "      </node>\n    </node>\n  </node>\n</oor:component-data>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bcfont_write_xcu OUTPUT\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << xcu();
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 2;
    }
    return 0;
}
