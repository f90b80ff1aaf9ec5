// B3D text to the simulator's CSV object format, statement by statement.
//
// A CSV object holds the same statements as a B3D object, each a command
// name and its arguments all separated by commas ("AddVertex,1,2,3" for
// "Vertex 1,2,3"); the section headers become commands ("[MeshBuilder]":
// "CreateMeshBuilder") or go ("[Texture]", which CSV does without: its line
// stays as an empty line so that line numbers still match). The arguments,
// comments (";" to the end of the line), blanks in front of a line and
// the line ends are kept byte for byte, so Windows-1250 and CR LF stay.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The CSV command of a B3D statement word or section header ("vertex",
// "[MeshBuilder]", in any case); empty for "[Texture]", null for a word the
// table does not know.
const char* CsvCommandOf(std::string_view b3dWord);

// The same table read the other way: the B3D statement word or section
// header ("vertex", "[meshbuilder]", lower case) of a CSV command
// ("AddVertex", in any case); null for a command the table does not know.
const char* B3dWordOfCsv(std::string_view csvCommand);

// Appends the CSV form of one B3D line (without its '\n'; a '\r' at its
// end is kept) to `out`. A word the table does not know is kept as it is,
// its arguments then separated from it by a comma as well.
void AppendCsvLine(std::string& out, std::string_view b3dLine);

// Translates B3D text given in pieces of any size.
class CsvTranslator {
public:
    // Appends the translation of the whole lines that `bytes` completes.
    void Feed(std::string_view bytes, std::string& out);
    // Appends the translation of a last line without a line end.
    void Finish(std::string& out);

private:
    std::string pending_;
};

}  // namespace kestrane
