#include "b3d/obj_writer.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <tuple>

namespace kestrane::b3d {

namespace {

// A decimal with up to six places, trailing zeros dropped ("0.5", "-2").
void AppendNumber(std::string& out, double value)
{
    if (value == 0.0)
        value = 0.0;  // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.find('.') != std::string_view::npos) {
        text = text.substr(0, text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.remove_suffix(1);
    }
    if (text == "-0")
        text = "0";
    out.append(text);
}

void AppendChannels(std::string& out, const char* keyword, const ColorRgb& color)
{
    out.append(keyword);
    for (const std::uint8_t channel : {color.r, color.g, color.b}) {
        out.push_back(' ');
        AppendNumber(out, channel / 255.0);
    }
    out.push_back('\n');
}

// What makes one material: colour with alpha, texture, emissive colour.
using MaterialKey = std::tuple<std::uint32_t, std::string, std::uint32_t, bool>;

std::uint32_t Packed(const ColorRgb& c)
{
    return static_cast<std::uint32_t>(c.r) << 24 | static_cast<std::uint32_t>(c.g) << 16 |
           static_cast<std::uint32_t>(c.b) << 8 | c.a;
}

MaterialKey KeyOf(const Section& section)
{
    return {Packed(section.color), section.texture, section.hasEmissive ? Packed(section.emissive) : 0u,
            section.hasEmissive};
}

// An OBJ name: blanks and characters OBJ readers split on become "_".
std::string ObjName(const std::string& text)
{
    std::string name = text;
    for (char& c : name)
        if (c == ' ' || c == '\t' || c == '#' || c == '/' || c == '\\')
            c = '_';
    return name;
}

}  // namespace

ObjTexts MakeObj(const Model& model, std::string_view mtlFileName)
{
    ObjTexts texts;
    std::string& obj = texts.obj;
    obj.append("# Converted from B3D: (x, y, z) -> (x, y, -z), corners reversed\n");
    obj.append("mtllib ").append(mtlFileName).append("\n");

    std::map<MaterialKey, std::string> materials;
    std::set<std::string> names;
    std::size_t vertexBase = 0;  // vertices written before this section
    std::size_t uvBase = 0;
    for (std::size_t s = 0; s < model.sections.size(); ++s) {
        const Section& section = model.sections[s];
        // Named after the comment, or after its place; a repeated name takes
        // the section's number.
        std::string name = section.comment.empty() ? "section_" + std::to_string(s + 1) : ObjName(section.comment);
        if (!names.insert(name).second) {
            name += "_" + std::to_string(s + 1);
            names.insert(name);
        }
        obj.append("o ").append(name).append("\ng ").append(name).append("\n");

        const MaterialKey key = KeyOf(section);
        auto material = materials.find(key);
        if (material == materials.end()) {
            material = materials.emplace(key, "material_" + std::to_string(materials.size() + 1)).first;
            std::string& mtl = texts.mtl;
            mtl.append("newmtl ").append(material->second).append("\n");
            AppendChannels(mtl, "Kd", section.color);
            if (section.color.a != 255) {
                mtl.append("d ");
                AppendNumber(mtl, section.color.a / 255.0);
                mtl.push_back('\n');
            }
            if (section.hasEmissive)
                AppendChannels(mtl, "Ke", section.emissive);
            if (!section.texture.empty())
                mtl.append("map_Kd ").append(section.texture).append("\n");
            mtl.push_back('\n');
        }
        obj.append("usemtl ").append(material->second).append("\n");

        for (const Vec3& p : section.vertices) {
            const Vec3 q = ObjPoint(p);
            obj.append("v ");
            AppendNumber(obj, q.x);
            obj.push_back(' ');
            AppendNumber(obj, q.y);
            obj.push_back(' ');
            AppendNumber(obj, q.z);
            obj.push_back('\n');
        }
        const bool textured = !section.texture.empty() && !section.texCoords.empty();
        if (textured) {
            for (const TexCoord& t : section.texCoords) {
                obj.append("vt ");
                AppendNumber(obj, t.u);
                obj.push_back(' ');
                AppendNumber(obj, 1.0 - t.v);
                obj.push_back('\n');
            }
        }
        const auto corner = [&](std::uint32_t index) {
            obj.push_back(' ');
            obj.append(std::to_string(vertexBase + index + 1));
            if (textured) {
                obj.push_back('/');
                obj.append(std::to_string(uvBase + index + 1));
            }
        };
        for (const Face& face : section.faces) {
            const auto corners = section.Corners(face);
            obj.append("f");
            std::for_each(corners.rbegin(), corners.rend(), corner);
            obj.push_back('\n');
            if (face.twoSided) {
                obj.append("f");
                std::for_each(corners.begin(), corners.end(), corner);
                obj.push_back('\n');
            }
        }
        vertexBase += section.vertices.size();
        if (textured)
            uvBase += section.texCoords.size();
    }
    return texts;
}

}  // namespace kestrane::b3d
