// The template body of BuildBatches (included by mesh_batches.h).
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <span>
#include <utility>

namespace kestrane::preview {

namespace detail {

inline std::array<float, 3> Flip(const Vec3& p)
{
    return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(-p.z)};
}

inline std::array<float, 3> Normal(const std::array<float, 3>& a, const std::array<float, 3>& b,
                                   const std::array<float, 3>& c)
{
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    std::array<float, 3> n{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0)
        for (float& component : n)
            component /= length;
    return n;
}

inline bool Finite(const std::array<float, 3>& p)
{
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

inline void Grow(Bounds& bounds, const std::array<float, 3>& p)
{
    for (int k = 0; k < 3; ++k) {
        if (bounds.empty || p[k] < bounds.low[k])
            bounds.low[k] = p[k];
        if (bounds.empty || p[k] > bounds.high[k])
            bounds.high[k] = p[k];
    }
}

}  // namespace detail

template <typename HasBitmap>
MeshBatches BuildBatches(const b3d::Model& model, HasBitmap textured)
{
    MeshBatches result;
    std::map<std::pair<std::string, bool>, std::size_t> batchOf;
    auto batchFor = [&](const std::string& texture, bool twoSided) -> Batch& {
        const auto key = std::make_pair(texture, twoSided);
        auto found = batchOf.find(key);
        if (found == batchOf.end()) {
            found = batchOf.emplace(key, result.batches.size()).first;
            result.batches.push_back({texture, twoSided, {}});
        }
        return result.batches[found->second];
    };

    // A face is drawn when it has three corners or more, each a vertex of
    // its section within the range of float.
    auto drawable = [](const b3d::Section& section, std::span<const std::uint32_t> corners) {
        if (corners.size() < 3)
            return false;
        for (const std::uint32_t index : corners)
            if (index >= section.vertices.size() || !detail::Finite(detail::Flip(section.vertices[index])))
                return false;
        return true;
    };
    auto hasBitmap = [&textured](const b3d::Section& section) {
        return !section.texture.empty() && textured(section.texture);
    };

    // The drawn vertices of each batch are counted first, so that each is
    // allocated once at its size: a large object takes no more memory than
    // its triangles.
    std::vector<std::size_t> sizes;
    for (const b3d::Section& section : model.sections) {
        const std::string texture = hasBitmap(section) ? section.texture : std::string();
        for (const b3d::Face& face : section.faces) {
            const auto corners = section.Corners(face);
            if (!drawable(section, corners))
                continue;
            const auto index = static_cast<std::size_t>(&batchFor(texture, face.twoSided) - result.batches.data());
            sizes.resize(result.batches.size());
            sizes[index] += 3 * (corners.size() - 2);
        }
    }
    for (std::size_t k = 0; k < sizes.size(); ++k)
        result.batches[k].vertices.reserve(sizes[k]);

    for (const b3d::Section& section : model.sections) {
        const bool bitmap = hasBitmap(section);
        const std::string texture = bitmap ? section.texture : std::string();
        std::array<float, 4> color = kNeutralColor;
        if (section.hasColor || bitmap)
            color = {section.color.r / 255.0f, section.color.g / 255.0f, section.color.b / 255.0f,
                     section.color.a / 255.0f};
        // A vertex beyond the range of float (or moved there by a transform)
        // is left out of the bounds, and its faces out of the batches.
        for (const Vec3& p : section.vertices) {
            const auto flipped = detail::Flip(p);
            if (!detail::Finite(flipped))
                continue;
            detail::Grow(result.bounds, flipped);
            result.bounds.empty = false;
        }
        // Looked up once per section: the batches its faces go to.
        std::size_t batchIndex[2] = {SIZE_MAX, SIZE_MAX};

        for (const b3d::Face& face : section.faces) {
            const auto corners = section.Corners(face);
            if (!drawable(section, corners))
                continue;
            auto vertexAt = [&](std::uint32_t index) {
                DrawVertex v{};
                v.position = detail::Flip(section.vertices[index]);
                v.color = color;
                if (index < section.texCoords.size())
                    v.texCoord = {static_cast<float>(section.texCoords[index].u),
                                  static_cast<float>(section.texCoords[index].v)};
                return v;
            };
            std::size_t& index = batchIndex[face.twoSided ? 1 : 0];
            if (index == SIZE_MAX)
                index = static_cast<std::size_t>(&batchFor(texture, face.twoSided) - result.batches.data());
            Batch& batch = result.batches[index];
            const DrawVertex first = vertexAt(corners[0]);
            for (std::size_t k = 1; k + 1 < corners.size(); ++k) {
                DrawVertex b = vertexAt(corners[k]);
                DrawVertex c = vertexAt(corners[k + 1]);
                DrawVertex a = first;
                // Clockwise from the front in the file, so reversed here: the
                // triangle is counter-clockwise from the front, as OpenGL wants.
                const auto normal = detail::Normal(a.position, c.position, b.position);
                a.normal = b.normal = c.normal = normal;
                batch.vertices.push_back(a);
                batch.vertices.push_back(c);
                batch.vertices.push_back(b);
                ++result.triangleCount;
            }
        }
    }
    return result;
}

}  // namespace kestrane::preview
