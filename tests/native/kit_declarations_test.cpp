// The kit's declarations against the library: the C header and the VBA module must declare
// every export with the widths and kinds of its definition in the DLL's sources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = TESSALIN_SOURCE_DIR;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Squeeze(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\s+)"), " ");
    return std::regex_replace(Trim(text), std::regex(R"( \*)"), "*");
}

// An export's shape: its result kind and its parameter kinds, in the library's terms.
struct Shape {
    std::string result;
    std::vector<std::string> parameters;
    friend bool operator==(const Shape&, const Shape&) = default;
};

std::ostream& operator<<(std::ostream& out, const Shape& shape) {
    out << shape.result << " (";
    for (const std::string& parameter : shape.parameters) out << parameter << "; ";
    return out << ")";
}

using Shapes = std::map<std::string, Shape>;

// Classifies a C or C++ type; the name of the parameter, if any, is dropped first.
std::string Kind(std::string declaration, const std::map<std::string, std::string>& kinds) {
    declaration = Squeeze(declaration);
    const std::smatch named = [&] {
        std::smatch match;
        std::regex_match(declaration, match, std::regex(R"((.*[\s*])\w+)"));
        return match;
    }();
    std::string type = named.empty() ? declaration : Squeeze(named[1]);
    if (!kinds.contains(type)) type = declaration;
    const auto found = kinds.find(type);
    return found == kinds.end() ? "unknown type " + declaration : found->second;
}

Shapes ReadCDeclarations(const std::string& text, const std::string& marker,
                         const std::map<std::string, std::string>& kinds) {
    Shapes shapes;
    const std::regex declaration(marker + R"(\s+([\w:\s*]+?)\s*\b(\w+)\(([^)]*)\))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration);
         it != std::sregex_iterator(); ++it) {
        Shape shape{Kind((*it)[1], kinds), {}};
        std::stringstream parameters((*it)[3].str());
        for (std::string parameter; std::getline(parameters, parameter, ',');) {
            if (Squeeze(parameter) != "void" && !Squeeze(parameter).empty()) {
                shape.parameters.push_back(Kind(parameter, kinds));
            }
        }
        shapes[(*it)[2]] = shape;
    }
    return shapes;
}

const std::map<std::string, std::string> kHeaderKinds{
    {"void", "none"},
    {"int32_t", "int32"},
    {"int32_t*", "int32 out"},
    {"TessalinBool16", "bool16"},
    {"TessalinBool32", "bool32"},
    {"HWND", "handle"},
    {"TessalinNotesView", "handle"},
    {"const wchar_t*", "text in"},
    {"wchar_t*", "UTF-16 buffer"},
    {"char*", "8-bit buffer"},
    {"const VARIANT*", "VARIANT"},
};

const std::map<std::string, std::string> kSourceKinds{
    {"void", "none"},
    {"std::int32_t", "int32"},
    {"std::int32_t*", "int32 out"},
    {"Bool16", "bool16"},
    {"Bool32", "bool32"},
    {"HWND", "handle"},
    {"std::intptr_t", "handle"},
    {"const wchar_t*", "text in"},
    {"wchar_t*", "UTF-16 buffer"},
    {"char*", "8-bit buffer"},
    {"const VARIANT*", "VARIANT"},
};

Shapes HeaderShapes() {
    return ReadCDeclarations(ReadFile(kSource / "include/tessalin.h"), "TESSALIN_API",
                             kHeaderKinds);
}

Shapes SourceShapes() {
    Shapes shapes;
    for (const auto& entry : fs::directory_iterator(kSource / "src")) {
        for (const auto& file : fs::directory_iterator(entry.path())) {
            if (!file.path().filename().string().ends_with("_exports_win.cpp")) continue;
            shapes.merge(ReadCDeclarations(ReadFile(file.path()), "TESSALIN_EXPORT", kSourceKinds));
        }
    }
    return shapes;
}

std::set<std::string> DefNames() {
    std::stringstream def(ReadFile(kSource / "src/frame/exports.def"));
    std::set<std::string> names;
    bool inExports = false;
    for (std::string line; std::getline(def, line);) {
        line = Trim(line);
        if (line == "EXPORTS") {
            inExports = true;
        } else if (inExports && !line.empty() && line[0] != ';') {
            names.insert(line);
        }
    }
    return names;
}

// The VBA module's Declare statements, continuation lines joined.
std::vector<std::string> BasDeclares() {
    const std::string text = std::regex_replace(ReadFile(kSource / "kit/vba/Tessalin.bas"),
                                                std::regex(R"( _\r?\n\s*)"), " ");
    std::vector<std::string> declares;
    std::stringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, std::regex(R"(^\s*(Public |Private )?Declare\b)"))) {
            declares.push_back(Trim(line));
        }
    }
    return declares;
}

// The VBA form that each kind must take in the module.
const std::map<std::string, std::string> kVbaParameter{
    {"int32", "ByVal Long"},
    {"int32 out", "ByRef Long"},
    {"handle", "ByVal LongPtr"},
    {"text in", "ByVal LongPtr"},
    {"UTF-16 buffer", "ByVal LongPtr"},
    {"8-bit buffer", "ByVal LongPtr"},
    {"VARIANT", "ByVal Variant"},
};
const std::map<std::string, std::string> kVbaResult{
    {"none", "Sub"},    {"int32", "Long"},     {"bool16", "Integer"},
    {"bool32", "Long"}, {"handle", "LongPtr"},
};

struct VbaDeclare {
    std::string result;  // "Sub" or the Function's type
    std::vector<std::string> parameters;
};

std::map<std::string, VbaDeclare> BasShapes() {
    std::map<std::string, VbaDeclare> shapes;
    const std::regex form(
        R"re(Declare PtrSafe (Sub|Function) \w+ Lib "Tessalin\.dll" Alias "(\w+)" \(([^)]*)\)(?: As (\w+))?)re");
    for (const std::string& line : BasDeclares()) {
        std::smatch match;
        if (!std::regex_search(line, match, form)) continue;
        VbaDeclare shape{match[1] == "Sub" ? "Sub" : match[4].str(), {}};
        std::stringstream parameters(match[3].str());
        for (std::string parameter; std::getline(parameters, parameter, ',');) {
            parameter = Trim(parameter);
            std::smatch part;
            if (std::regex_match(parameter, part, std::regex(R"((ByVal|ByRef) \w+ As (\w+))"))) {
                shape.parameters.push_back(part[1].str() + " " + part[2].str());
            } else if (!parameter.empty()) {
                shape.parameters.push_back("unclear: " + parameter);
            }
        }
        shapes[match[2]] = shape;
    }
    return shapes;
}

TEST(KitDeclarations, HeaderDeclaresEveryExportAsTheLibraryDefinesIt) {
    const Shapes header = HeaderShapes();
    for (const std::string& name : DefNames()) {
        EXPECT_TRUE(header.contains(name)) << name << " is exported but not in tessalin.h";
    }
    const Shapes source = SourceShapes();
    ASSERT_FALSE(source.empty());
    for (const auto& [name, shape] : source) {
        ASSERT_TRUE(header.contains(name)) << name;
        EXPECT_EQ(header.at(name), shape) << name << ": tessalin.h against its definition";
    }
    for (const auto& [name, shape] : header) {
        for (const std::string& kind : shape.parameters) {
            EXPECT_FALSE(kind.starts_with("unknown")) << name << ": " << kind;
        }
        EXPECT_FALSE(shape.result.starts_with("unknown")) << name << ": " << shape.result;
    }
}

TEST(KitDeclarations, VbaModuleDeclaresEveryExportIn64BitForm) {
    const Shapes header = HeaderShapes();
    const std::map<std::string, VbaDeclare> bas = BasShapes();
    std::set<std::string> headerNames;
    std::set<std::string> basNames;
    for (const auto& entry : header) headerNames.insert(entry.first);
    for (const auto& entry : bas) basNames.insert(entry.first);
    EXPECT_EQ(basNames, headerNames);

    for (const auto& [name, shape] : header) {
        if (!bas.contains(name)) continue;
        const VbaDeclare& declare = bas.at(name);
        EXPECT_EQ(declare.result, kVbaResult.at(shape.result)) << name;
        ASSERT_EQ(declare.parameters.size(), shape.parameters.size()) << name;
        for (std::size_t i = 0; i < shape.parameters.size(); ++i) {
            EXPECT_EQ(declare.parameters[i], kVbaParameter.at(shape.parameters[i]))
                << name << " parameter " << i + 1;
        }
    }
}

TEST(KitDeclarations, VbaDeclaresPassNoAnsiStringsAndEveryExportHasAWrapper) {
    const std::vector<std::string> declares = BasDeclares();
    ASSERT_FALSE(declares.empty());
    for (const std::string& line : declares) {
        EXPECT_NE(line.find("Declare PtrSafe "), std::string::npos) << line;
        // A String passed ByVal to a Declare is converted to ANSI.
        EXPECT_FALSE(std::regex_search(line, std::regex(R"(ByVal \w+ As String)"))) << line;
    }
    const std::string module = ReadFile(kSource / "kit/vba/Tessalin.bas");
    for (const auto& entry : HeaderShapes()) {
        EXPECT_TRUE(std::regex_search(
            module, std::regex("\\nPublic (Sub|Function) " + entry.first + "\\(")))
            << "no wrapper for " << entry.first;
    }
}

// A Declare finds a loaded Tessalin.dll by name, whichever folder it came from.
TEST(KitDeclarations, VbaLoadRefusesWhenACopyFromAnotherFolderIsLoaded) {
    const std::string module = ReadFile(kSource / "kit/vba/Tessalin.bas");
    EXPECT_NE(module.find("GetModuleHandleW(StrPtr(\"Tessalin.dll\"))"), std::string::npos);
    EXPECT_TRUE(std::regex_search(
        module, std::regex(R"(Function LoadTessalin\([\s\S]*?= LoadedTessalinFolder\(\)[\s\S]*?)"
                           R"(Debug\.Print "Tessalin\.dll is already loaded from " & Loaded)"
                           R"([\s\S]*?Exit Function[\s\S]*?LoadLibraryW\()")));
}

}  // namespace
