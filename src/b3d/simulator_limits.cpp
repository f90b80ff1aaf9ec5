#include "b3d/simulator_limits.h"

#include "b3d/b3d_words.h"

#include <fstream>
#include <string>
#include <string_view>

namespace kestrane {

namespace {

// 65534 -> "65 534" (Hungarian) or "65,534" (English).
std::string Grouped(std::size_t count, UiLanguage language)
{
    std::string digits = std::to_string(count);
    const char separator = language == UiLanguage::Hungarian ? ' ' : ',';
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, 1, separator);
    return digits;
}

}  // namespace

ObjectSize CountObjectSize(const std::filesystem::path& file)
{
    ObjectSize size;
    std::error_code failed;
    if (!std::filesystem::is_regular_file(file, failed))
        return size;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos)
            continue;
        const std::string_view text = std::string_view(line).substr(start);
        if (StartsWithNoCase(text, "[meshbuilder]"))
            ++size.sections;
        else if (StartsWithNoCase(text, "vertex ") || StartsWithNoCase(text, "vertex\t"))
            ++size.vertices;
    }
    return size;
}

std::optional<GenerationWarning> SimulatorLimitWarning(const ObjectSize& size, ObjectKind kind, UiLanguage language)
{
    const bool tooManyVertices = size.vertices > kSimulatorMostVertices;
    const bool tooManySections = size.sections > kSimulatorMostSections;
    if (!tooManyVertices && !tooManySections)
        return std::nullopt;
    const bool hu = language == UiLanguage::Hungarian;
    std::string text = hu ? "Az objektumnak " : "The object has ";
    text += Grouped(size.vertices, language) + (hu ? " csúcspontja és " : " vertices and ");
    text += Grouped(size.sections, language) + (hu ? " szakasza van; a szimulátor " : " mesh sections; the simulator ");
    if (tooManyVertices)
        text += hu ? "legfeljebb " + Grouped(kSimulatorMostVertices, language) + " csúcspontot tölt be egy objektumban"
                   : "loads at most " + Grouped(kSimulatorMostVertices, language) + " vertices in one object";
    if (tooManyVertices && tooManySections)
        text += hu ? ", és " : ", and ";
    if (tooManySections)
        text += hu ? Grouped(kSimulatorMostSections, language) +
                         " szakasz fölött nagyon lassan tölt be (32 768 színes szakasz fölött a színek elvesznek)"
                   : "loads more than " + Grouped(kSimulatorMostSections, language) +
                         " sections very slowly (above 32,768 coloured sections colours are lost)";
    if (kind == ObjectKind::Terrain)
        text += hu ? ". Válasszon kisebb felbontást, vagy a szimulátorhoz igazított elrendezést."
                   : ". Choose a smaller resolution, or the simulator-ready layout.";
    else
        text += hu ? ". Készítsen kisebb objektumot." : ". Make a smaller object.";
    return GenerationWarning{{}, text};
}

}  // namespace kestrane
