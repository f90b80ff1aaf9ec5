#include "b3d/csv_translation.h"

#include "b3d/b3d_words.h"

#include <algorithm>

namespace kestrane {

namespace {

struct CsvRow {
    const char* b3d;  // lower case
    const char* csv;
};

// Every B3D statement and section header with its CSV command, as the
// simulator's CSV object format names them.
constexpr CsvRow kB3dToCsv[] = {
    {"[meshbuilder]", "CreateMeshBuilder"},
    {"[texture]", ""},
    {"vertex", "AddVertex"},
    {"face", "AddFace"},
    {"face2", "AddFace2"},
    {"cube", "Cube"},
    {"cylinder", "Cylinder"},
    {"translate", "Translate"},
    {"translateall", "TranslateAll"},
    {"scale", "Scale"},
    {"scaleall", "ScaleAll"},
    {"rotate", "Rotate"},
    {"rotateall", "RotateAll"},
    {"shear", "Shear"},
    {"shearall", "ShearAll"},
    {"mirror", "Mirror"},
    {"mirrorall", "MirrorAll"},
    {"generatenormals", "GenerateNormals"},
    {"color", "SetColor"},
    {"colorall", "SetColorAll"},
    {"emissivecolor", "SetEmissiveColor"},
    {"emissivecolorall", "SetEmissiveColorAll"},
    {"transparent", "SetDecalTransparentColor"},
    {"blendmode", "SetBlendMode"},
    {"blendingmode", "SetBlendMode"},
    {"wrapmode", "SetWrapMode"},
    {"load", "LoadTexture"},
    {"lightmap", "LoadLightMap"},
    {"coordinates", "SetTextureCoordinates"},
    {"crossfading", "EnableCrossFading"},
    {"text", "SetText"},
    {"textcolor", "SetTextColor"},
    {"backgroundcolor", "SetBackgroundColor"},
    {"textpadding", "SetTextPadding"},
    {"font", "SetFont"},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const char* CsvCommandOf(std::string_view b3dWord)
{
    for (const CsvRow& row : kB3dToCsv)
        if (EqualsNoCase(b3dWord, row.b3d))
            return row.csv;
    return nullptr;
}

const char* B3dWordOfCsv(std::string_view csvCommand)
{
    if (csvCommand.empty())
        return nullptr;
    for (const CsvRow& row : kB3dToCsv) {
        const std::string_view csv = row.csv;
        if (csv.size() == csvCommand.size() &&
            std::equal(csv.begin(), csv.end(), csvCommand.begin(), [](char a, char b) { return Folded(a) == Folded(b); }))
            return row.b3d;
    }
    return nullptr;
}

void AppendCsvLine(std::string& out, std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    std::size_t tail = line.find(';', start);
    if (tail == std::string_view::npos)
        tail = !line.empty() && line.back() == '\r' ? line.size() - 1 : line.size();
    std::size_t wordEnd = start;
    if (start < tail && line[start] == '[') {  // a section header: up to its "]"
        const std::size_t close = line.substr(0, tail).find(']', start);
        wordEnd = close == std::string_view::npos ? tail : close + 1;
    } else {
        while (wordEnd < tail && !IsBlank(line[wordEnd]))
            ++wordEnd;
    }
    const std::string_view word = line.substr(start, wordEnd - start);
    if (word.empty()) {  // an empty or comment line
        out.append(line);
        return;
    }
    out.append(line.substr(0, start));
    const char* command = CsvCommandOf(word);
    out.append(command ? std::string_view(command) : word);
    // The arguments without the blanks around them.
    std::size_t argsStart = wordEnd;
    while (argsStart < tail && IsBlank(line[argsStart]))
        ++argsStart;
    std::size_t argsEnd = tail;
    while (argsEnd > argsStart && IsBlank(line[argsEnd - 1]))
        --argsEnd;
    if (argsEnd > argsStart) {
        out.push_back(',');
        out.append(line.substr(argsStart, argsEnd - argsStart));
    }
    if (tail < line.size() && line[tail] == ';')
        out.append(line.substr(argsEnd == argsStart ? wordEnd : argsEnd));
    else
        out.append(line.substr(tail));
}

void CsvTranslator::Feed(std::string_view bytes, std::string& out)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) {
            pending_.append(bytes);
            return;
        }
        if (pending_.empty()) {
            AppendCsvLine(out, bytes.substr(0, end));
        } else {
            pending_.append(bytes.substr(0, end));
            AppendCsvLine(out, pending_);
            pending_.clear();
        }
        out.push_back('\n');
        bytes.remove_prefix(end + 1);
    }
}

void CsvTranslator::Finish(std::string& out)
{
    if (!pending_.empty())
        AppendCsvLine(out, pending_);
    pending_.clear();
}

}  // namespace kestrane
