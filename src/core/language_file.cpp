#include "core/language_file.h"

#include "b3d/b3d_writer.h"

#include <fstream>
#include <string>

namespace kestrane {

UiLanguage ReadLanguageFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return UiLanguage::Hungarian;  // a folder cannot be opened as the file
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return UiLanguage::Hungarian;
    std::string code;
    // The first line ends at LF; a CR before it belongs to a line end too.
    std::getline(in, code);
    if (!code.empty() && code.back() == '\r')
        code.pop_back();
    return code == "hu" ? UiLanguage::Hungarian : UiLanguage::English;
}

const char* LanguageCode(UiLanguage language)
{
    return language == UiLanguage::Hungarian ? "hu" : "en";
}

void WriteLanguageFile(const std::filesystem::path& path, UiLanguage language)
{
    B3dWriter out;
    out.OpenOutput(path);
    out.WriteText(LanguageCode(language));
    out.CloseOutput();
}

}  // namespace kestrane
