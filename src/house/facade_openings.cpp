#include "house/facade_openings.h"

#include "core/numbers.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kestrane {

namespace {

using Quad = std::array<Vec3, 4>;

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Scaled(const Vec3& v, double factor) { return {v.x * factor, v.y * factor, v.z * factor}; }

// The corners in the order that is visible from the side `facing` points to.
Quad Facing(Quad quad, const Vec3& facing)
{
    if (Dot(Cross(Minus(quad[1], quad[0]), Minus(quad[2], quad[0])), facing) < 0)
        std::reverse(quad.begin(), quad.end());
    return quad;
}

// A face across the depth of the frame or the sill, along the line from
// (u0, y0) to (u1, y1) of the wall, between the depths `near` and `far`.
Quad Edge(const WallFace& wall, double u0, double y0, double u1, double y1, double near, double far,
          const Vec3& facing)
{
    return Facing({WallPoint(wall, u0, y0, near), WallPoint(wall, u1, y1, near), WallPoint(wall, u1, y1, far),
                   WallPoint(wall, u0, y0, far)},
                  facing);
}

// One section of one-sided quads, without texture.
void WriteQuads(B3dWriter& out, const std::string& title, std::span<const Quad> quads, const ColorRgb& color)
{
    out.WriteLine(title);
    out.WriteLine("[meshbuilder]");
    for (const Quad& quad : quads) {
        for (const Vec3& v : quad)
            out.EmitVertex(v);
    }
    for (std::size_t i = 0; i < quads.size(); ++i) {
        std::string face = "face ";
        for (std::size_t k = 0; k < 4; ++k) {
            if (k > 0)
                face += ',';
            AppendInt(face, static_cast<long long>(4 * i + k));
        }
        out.WriteLine(face);
    }
    out.EmitColor(color);
    out.WriteLine("");
}

// A raised border inside the opening: its front, the outer sides standing
// on the wall and the inner sides down to the opening's face.
std::vector<Quad> FrameQuads(const WallFace& wall, const Opening& o)
{
    const double w = std::min({kFrameWidth, (o.right - o.left) / 4, (o.top - o.bottom) / 4});
    const double il = o.left + w, ir = o.right - w, ib = o.bottom + w, it = o.top - w;
    const double front = kOpeningDistance + kFrameDepth;
    const Vec3 up{0, 1, 0};
    const Vec3 down{0, -1, 0};
    const Vec3 right = wall.rightward;
    const Vec3 left = Scaled(wall.rightward, -1);
    return {
        WallRectangle(wall, o.left, o.right, o.bottom, ib, front),  // front, bottom bar
        WallRectangle(wall, o.left, o.right, it, o.top, front),     // front, top bar
        WallRectangle(wall, o.left, il, ib, it, front),             // front, left bar
        WallRectangle(wall, ir, o.right, ib, it, front),            // front, right bar
        Edge(wall, o.left, o.bottom, o.right, o.bottom, 0, front, down),
        Edge(wall, o.left, o.top, o.right, o.top, 0, front, up),
        Edge(wall, o.left, o.bottom, o.left, o.top, 0, front, left),
        Edge(wall, o.right, o.bottom, o.right, o.top, 0, front, right),
        Edge(wall, il, ib, ir, ib, kOpeningDistance, front, up),
        Edge(wall, il, it, ir, it, kOpeningDistance, front, down),
        Edge(wall, il, ib, il, it, kOpeningDistance, front, right),
        Edge(wall, ir, ib, ir, it, kOpeningDistance, front, left),
    };
}

// A slab under the window: top, front, underside and both ends.
std::vector<Quad> SillQuads(const WallFace& wall, const Opening& o)
{
    const double l = o.left - kSillOverhang, r = o.right + kSillOverhang;
    const double t = o.bottom, b = o.bottom - kSillThickness;
    const Vec3 up{0, 1, 0};
    return {
        Edge(wall, l, t, r, t, 0, kSillDepth, up),
        WallRectangle(wall, l, r, b, t, kSillDepth),
        Edge(wall, l, b, r, b, 0, kSillDepth, Scaled(up, -1)),
        Edge(wall, l, b, l, t, 0, kSillDepth, Scaled(wall.rightward, -1)),
        Edge(wall, r, b, r, t, 0, kSillDepth, wall.rightward),
    };
}

const LocalText kSideNames[] = {{"elöl", "front"}, {"jobb", "right"}, {"hátul", "behind"}, {"bal", "left"}};

std::string Title(const char* hu, const char* en, WallSide side, UiLanguage language)
{
    const LocalText name{hu, en};
    return std::string(";------") + name(language) + " " + kSideNames[static_cast<int>(side)](language) + "------";
}

}  // namespace

std::string NightWindowTexture(const std::string& dayTexture, UiLanguage language)
{
    for (const UiLanguage named : {UiLanguage::Hungarian, UiLanguage::English})
        if (dayTexture == DefaultWindowTexture(named))
            return LocalText{"ablak_ejjel.bmp", "window_night.bmp"}(named);
    const std::size_t dot = dayTexture.rfind('.');
    const std::size_t stem = dot == std::string::npos || dot == 0 ? dayTexture.size() : dot;
    return dayTexture.substr(0, stem) + LocalText{"_ejjel", "_night"}(language) + dayTexture.substr(stem);
}

std::array<WallFace, 4> FacadeWalls(const HouseParams& p)
{
    const double h = p.width / 2;
    const double L = p.length;
    const double H = p.wallHeight;
    // The five-cornered gable walls of the pitched roof and the walls that
    // follow a lean roof replace the rectangular walls and their corner walls.
    const bool gableWalls = p.roofKind == RoofKind::Pitched && !p.roofLevelTexture;
    const bool leanWalls = p.roofKind == RoofKind::Lean && !p.roofLevelTextureChecked;
    const bool cornerWalls = p.cornerWalls && !gableWalls && !leanWalls;
    // Corner walls cut the front corners; the front and side walls start
    // where they end.
    const double xL = cornerWalls && p.cornerWallLeft ? p.cornerWallSize : 0.0;
    const double xR = cornerWalls && p.cornerWallRight ? p.cornerWallSize : 0.0;
    // A lean-roof wall that follows its roof slopes from the wall height on
    // the right to the roof height on the left.
    const double endTop = leanWalls ? std::min(H, p.roofHeight) : H;
    const double leftTop = leanWalls ? p.roofHeight : H;
    // An overhanging lean roof carries on down beyond the right wall to its
    // eave: openings there stay below the eave, so that nothing standing
    // out of the wall reaches the roof.
    double rightTop = H;
    if (p.roofKind == RoofKind::Lean && p.roofOverhang > 0 && p.width > 0)
        rightTop = std::min(H, H - (p.roofHeight - H) * p.roofOverhang / p.width);

    //        side             left end seen from outside  rightward   outward     length           top
    return {{
        {WallSide::Front, {0, 0, h - xL}, {0, 0, -1}, {-1, 0, 0}, 2 * h - xL - xR, endTop},
        {WallSide::Right, {xR, 0, -h}, {1, 0, 0}, {0, 0, -1}, L - xR, rightTop},
        {WallSide::Back, {L, 0, -h}, {0, 0, 1}, {1, 0, 0}, 2 * h, endTop},
        {WallSide::Left, {L, 0, h}, {-1, 0, 0}, {0, 0, 1}, L - xL, leftTop},
    }};
}

void WriteFacadeOpenings(B3dWriter& out, UiLanguage language, const FacadeParams& params,
                         const std::array<WallFace, 4>& walls, std::span<const Opening> openings)
{
    for (const Opening& o : openings) {
        const WallFace& wall = walls[static_cast<int>(o.side)];
        const bool window = o.kind == OpeningKind::Window;
        const std::optional<ColorRgb>& color = window ? params.windowColor : params.doorColor;

        out.WriteLine(window ? Title("Ablak", "Window", o.side, language) : Title("Ajtó", "Door", o.side, language));
        out.WriteLine("[meshbuilder]");
        for (const Vec3& v : WallRectangle(wall, o.left, o.right, o.bottom, o.top, kOpeningDistance))
            out.EmitVertex(v);
        out.WriteLine("face 0,1,2,3");
        if (color)
            out.EmitColor(*color);
        const bool nightTexture = o.lit && !color && !params.litGlow;
        if (o.lit && !nightTexture)
            out.EmitEmissiveColor(kLitWindowColor);
        if (color)
            out.WriteLine("");
        else if (nightTexture)
            out.EmitTextureQuad(params.windowTexture + "," + NightWindowTexture(params.windowTexture, language));
        else
            out.EmitTextureQuad(window ? params.windowTexture : params.doorTexture);

        if (!params.frames)
            continue;
        WriteQuads(out, window ? Title("Ablakkeret", "Window frame", o.side, language)
                               : Title("Ajtókeret", "Door frame", o.side, language),
                   FrameQuads(wall, o), kFrameColor);
        if (window && o.bottom >= kSillThickness)
            WriteQuads(out, Title("Ablakpárkány", "Window sill", o.side, language), SillQuads(wall, o), kSillColor);
    }
}

}  // namespace kestrane
