#include "b3d/b3d_writer.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "b3d/b3d_reader.h"
#include "b3d/b3d_words.h"
#include "b3d/obj_writer.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr std::size_t kBufferSize = 1 << 18;
// WriteBytes hands a run of at least this many bytes to the file directly.
constexpr std::size_t kDirectRunLeast = 1 << 14;
constexpr std::string_view kLineEnd = "\r\n";
// The part of a line Tally keeps while its end is still to come: the
// command word and a texture's file name fit well within it.
constexpr std::size_t kLineHeadMost = 512;

}  // namespace

B3dWriter::~B3dWriter() { Abandon(); }

void B3dWriter::OpenOutput(const std::filesystem::path& path, Counting counting)
{
    Abandon();
    counting_ = counting == Counting::On;
    buffer_.reserve(kBufferSize + 4096);
    written_ = 0;
    counts_ = {};
    lineHead_.clear();
    mtlPath_ = std::filesystem::path(path).replace_extension(".mtl");
    openFormat_ = format;
    csv_ = CsvTranslator();
    source_.clear();
    file_.Open(path);
}

void B3dWriter::WriteOut(std::string_view bytes)
{
    switch (openFormat_) {
    case ObjectFormat::B3d:
        file_.Write(bytes);
        break;
    case ObjectFormat::Csv:
        translated_.clear();
        csv_.Feed(bytes, translated_);
        file_.Write(translated_);
        break;
    case ObjectFormat::Obj:
        source_.append(bytes);
        break;
    }
    written_ += bytes.size();
    if (counting_)
        Tally(bytes);
}

void B3dWriter::Tally(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (end != std::string_view::npos && lineHead_.empty()) {
            TallyLine(piece);  // the usual case: the whole line is here
        } else {
            if (lineHead_.size() < kLineHeadMost)
                lineHead_.append(piece.substr(0, kLineHeadMost - lineHead_.size()));
            if (end == std::string_view::npos)
                return;
            TallyLine(lineHead_);
            lineHead_.clear();
        }
        bytes.remove_prefix(end + 1);
    }
}

void B3dWriter::TallyLine(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
        ++start;
    line.remove_prefix(start);
    // Only the lines the counts need go further than their first letter.
    if (line.empty())
        return;
    const char first = line[0] >= 'A' && line[0] <= 'Z' ? static_cast<char>(line[0] - 'A' + 'a') : line[0];
    if (first != '[' && first != 'v' && first != 'f' && first != 'l')
        return;
    const auto word = [&line](std::string_view lower) {
        return StartsWithNoCase(line, lower) &&
               line.size() > lower.size() && (line[lower.size()] == ' ' || line[lower.size()] == '\t');
    };
    if (StartsWithNoCase(line, "[meshbuilder]")) {
        ++counts_.sections;
    } else if (word("vertex")) {
        ++counts_.vertices;
    } else if (word("face") || word("face2")) {
        ++counts_.faces;
    } else if (word("load")) {
        // "Load day[, night]": each name once.
        std::string_view names = line.substr(4);
        names = names.substr(0, names.find_first_of(";\r"));
        for (std::size_t comma = 0; comma != std::string_view::npos;) {
            comma = names.find(',');
            std::string_view name = names.substr(0, comma);
            names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
            const std::size_t begin = name.find_first_not_of(" \t");
            if (begin == std::string_view::npos)
                continue;
            name = name.substr(begin, name.find_last_not_of(" \t") - begin + 1);
            const std::string file(name);
            if (std::find(counts_.textures.begin(), counts_.textures.end(), file) == counts_.textures.end())
                counts_.textures.push_back(file);
        }
    }
}

void B3dWriter::Flush()
{
    WriteOut(buffer_);
    buffer_.clear();
}

void B3dWriter::StartWriteBack()
{
    if (!file_.IsOpen() || openFormat_ == ObjectFormat::Obj)
        return;
    Flush();
    file_.StartWriteBack();
}

void B3dWriter::CloseOutput()
{
    if (!file_.IsOpen())
        return;
    Flush();
    if (counting_)
        TallyLine(lineHead_);  // a last line without a line end
    lineHead_.clear();
    if (openFormat_ == ObjectFormat::Csv) {
        translated_.clear();
        csv_.Finish(translated_);
        file_.Write(translated_);
    } else if (openFormat_ == ObjectFormat::Obj) {
        const b3d::ObjTexts texts = b3d::MakeObj(b3d::ReadB3d(source_), mtlPath_.filename().string());
        std::string().swap(source_);
        file_.Write(texts.obj);
        // The OBJ file and its MTL replace their names together.
        ReplacementGroup pair;
        ReplacingFile mtl;
        mtl.Open(mtlPath_);
        mtl.Write(texts.mtl);
        mtl.Commit();
        file_.Commit();
        pair.Publish();
        return;
    }
    file_.Commit();
}

void B3dWriter::Abandon() noexcept
{
    file_.Abandon();
    buffer_.clear();
    source_.clear();
}

void B3dWriter::WriteText(std::string_view text)
{
    if (!AppendUtf8AsCp1250(buffer_, text))
        throw std::invalid_argument("text that Windows-1250 cannot write");
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void B3dWriter::WriteBytes(std::string_view bytes)
{
    // A run of many lines (a terrain writer's block) goes out as it is,
    // after what the buffer holds: copied into the buffer first it would
    // only be moved once more, through pages the buffer touches for it.
    if (bytes.size() >= kDirectRunLeast) {
        if (!buffer_.empty())
            Flush();
        WriteOut(bytes);
        return;
    }
    if (buffer_.size() + bytes.size() < kBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    buffer_.append(bytes);
}

void B3dWriter::WriteLine(std::string_view text)
{
    if (!AppendUtf8AsCp1250(buffer_, text))
        throw std::invalid_argument("text that Windows-1250 cannot write");
    buffer_.append(kLineEnd);
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void B3dWriter::AppendPoint(std::string& line, double x, double y, double z) const
{
    AppendReal(line, x + offset.x);
    line.push_back(',');
    AppendReal(line, y + offset.y);
    line.push_back(',');
    AppendReal(line, z + offset.z);
}

void B3dWriter::EmitVertex(double x, double y, double z)
{
    line_.assign("vertex ");
    AppendPoint(line_, x, y, z);
    WriteLine(line_);
}

void B3dWriter::EmitTranslate(double x, double y, double z)
{
    line_.assign("translate ");
    AppendPoint(line_, x, y, z);
    WriteLine(line_);
}

void B3dWriter::EmitColor(const ColorRgb& color)
{
    WriteLine("color " + FormatChannel(color.r) + "," + FormatChannel(color.g) + "," + FormatChannel(color.b));
}

void B3dWriter::EmitColorUnpadded(const ColorRgb& color) { WriteChannels("color ", color); }

void B3dWriter::EmitEmissiveColor(const ColorRgb& color) { WriteChannels("EmissiveColor ", color); }

void B3dWriter::WriteChannels(std::string_view keyword, const ColorRgb& color)
{
    line_.assign(keyword);
    AppendInt(line_, color.r);
    line_.push_back(',');
    AppendInt(line_, color.g);
    line_.push_back(',');
    AppendInt(line_, color.b);
    WriteLine(line_);
}

void B3dWriter::WriteFields(std::string_view keyword, std::string_view x, std::string_view y, std::string_view z)
{
    line_.assign(keyword);
    line_.append(x);
    line_.push_back(',');
    line_.append(y);
    line_.push_back(',');
    line_.append(z);
    WriteLine(line_);
}

void B3dWriter::EmitCube(std::string_view x, std::string_view y, std::string_view z)
{
    WriteFields("cube ", x, y, z);
}

void B3dWriter::EmitCube(const Vec3& half)
{
    WriteFields("cube ", FormatReal(half.x), FormatReal(half.y), FormatReal(half.z));
}

void B3dWriter::EmitVertexRelative(std::string_view x, std::string_view y, std::string_view z)
{
    WriteFields("vertex ", x, y, z);
}

void B3dWriter::EmitVertexRelative(const Vec3& p)
{
    WriteFields("vertex ", FormatReal(p.x), FormatReal(p.y), FormatReal(p.z));
}

void B3dWriter::EmitTextureStart(std::string_view file, LoadWord word)
{
    WriteLine("[Texture]");
    line_.assign(word == LoadWord::Capital ? "Load " : "load ");
    line_.append(file);
    WriteLine(line_);
}

void B3dWriter::EmitCoordinates(std::string_view vertexUv)
{
    line_.assign("Coordinates ");
    line_.append(vertexUv);
    WriteLine(line_);
}

void B3dWriter::EmitCoordinates(long long vertex, long long u, long long v)
{
    line_.assign("Coordinates ");
    AppendInt(line_, vertex);
    line_.push_back(',');
    AppendInt(line_, u);
    line_.push_back(',');
    AppendInt(line_, v);
    WriteLine(line_);
}

void B3dWriter::EmitTexture(std::string_view file, std::initializer_list<std::string_view> coordinates,
                            LoadWord word)
{
    EmitTextureStart(file, word);
    for (const auto coordinate : coordinates)
        EmitCoordinates(coordinate);
    WriteLine("");
}

// The texture coordinates of the usual shapes: the spellings are kept byte
// for byte ("0.5", not FormatReal's " 0.500").
void B3dWriter::EmitTextureTriangle(std::string_view file)
{
    EmitTexture(file, {"0,1,1", "1,0,1", "2,0.5,0"});
}

void B3dWriter::EmitTextureQuad(std::string_view file)
{
    EmitTexture(file, {"0,1,1", "1,0,1", "2,0,0", "3,1,0"});
}

void B3dWriter::EmitTextureQuadSloped(std::string_view file, double inset)
{
    const std::string left = "2," + FormatReal(inset) + ",0";
    const std::string right = "3," + FormatReal(1.0 - inset) + ",0";
    EmitTexture(file, {"0,1,1", "1,0,1", left, right});
}

void B3dWriter::EmitTexturePentagon(std::string_view file, double shoulder)
{
    const std::string low = "2,0," + FormatReal(shoulder);
    const std::string high = "4,1," + FormatReal(shoulder);
    EmitTexture(file, {"0,1,1", "1,0,1", low, "3,0.5,0", high});
}

}  // namespace kestrane
