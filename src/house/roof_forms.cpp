// The face tables of the half-hipped, gambrel, mansard and saltbox roofs.
//
// Names used below (metres, house frame of roof_forms.h):
//   h   half the width          L  length        H  wall height
//   RH  roof height             OV overhang      X0 = -OV, X1 = L + OV
//   zE  = h + OV: the eave line's distance from the middle of the house.
// The gable roofs (half-hipped, gambrel, saltbox) are cut by the gable
// planes x = 0 and x = L into the gable tops standing on the wall tops; the
// fillers close the triangle between a wall-top corner, the eave beside it
// and the shoulder where the roof crosses the side wall.
#include "house/roof_forms.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }

// The house's dimensions with the ends of the roof: its gable ends X0 and
// X1 and the eave line's distance zE from the middle.
struct Frame {
    double h, L, H, RH, OV, X0, X1, zE;
};

Frame FrameOf(const HouseParams& p)
{
    const auto [h, W, L, H, RH, OV] = DeriveHouseDimensions(p);
    return {h, L, H, RH, OV, -OV, L + OV, h + OV};
}

EaveCorners EavesOf(const Frame& f)
{
    return {{f.X0, f.H, -f.zE}, {f.X0, f.H, f.zE}, {f.X1, f.H, -f.zE}, {f.X1, f.H, f.zE}};
}

// One point of a gable roof's cross-section: across (z) and up (y).
struct Section {
    double z, y;
};

// The height of the cross-section `profile` (running from the right eave to
// the left one) at `z`.
double HeightAt(const std::vector<Section>& profile, double z)
{
    for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
        const Section& a = profile[i];
        const Section& b = profile[i + 1];
        if (z <= b.z)
            return a.y + (b.y - a.y) * (z - a.z) / (b.z - a.z);
    }
    return profile.back().y;
}

// The gable tops of a roof whose cross-section in the gable planes is
// `profile`: from the wall-top corners up to the shoulders (where there is an
// overhang) and along the roof between them.
std::vector<FormFace> GableTops(const Frame& f, const std::vector<Section>& profile, const HouseParams& p)
{
    // Corners of the top edge from the left wall to the right one.
    std::vector<Section> top;
    const double leftShoulder = HeightAt(profile, f.h);
    const double rightShoulder = HeightAt(profile, -f.h);
    if (leftShoulder > f.H)
        top.push_back({f.h, leftShoulder});
    for (auto at = profile.rbegin(); at != profile.rend(); ++at)
        if (std::abs(at->z) < f.h)
            top.push_back(*at);
    if (rightShoulder > f.H)
        top.push_back({-f.h, rightShoulder});

    const bool own = p.roofLevelTexture;
    const FormTexture texture = own ? FormTexture::Gable : FormTexture::Wall;
    FormFace front{{";------Oromfal elöl------", ";------Gable front wall------"},
                   {{0, f.H, -f.h}, {0, f.H, f.h}}, own ? "7.bmp" : "1.bmp", texture};
    FormFace back{{";------Oromfal hátsó------", ";------Gable behind wall------"},
                  {{f.L, f.H, f.h}, {f.L, f.H, -f.h}}, own ? "8.bmp" : "3.bmp", texture};
    for (const Section& s : top)
        front.points.push_back({0, s.y, s.z});
    for (auto at = top.rbegin(); at != top.rend(); ++at)
        back.points.push_back({f.L, at->y, at->z});
    return {front, back};
}

// The fillers at the four corners where the roof overhangs a side wall.
std::vector<FormFace> Fillers(const Frame& f, double rightShoulder, double leftShoulder)
{
    if (f.OV <= 0)
        return {};
    const LocalText front{";------Oromfal oldala elöl------", ";------Gable front side------"};
    const LocalText back{";------Oromfal oldala hátul------", ";------Gable behind side------"};
    const FormTexture none = FormTexture::None;
    return {
        {front, {{0, f.H, -f.zE}, {0, f.H, -f.h}, {0, rightShoulder, -f.h}}, nullptr, none},
        {front, {{0, f.H, f.h}, {0, f.H, f.zE}, {0, leftShoulder, f.h}}, nullptr, none},
        {back, {{f.L, f.H, -f.h}, {f.L, f.H, -f.zE}, {f.L, rightShoulder, -f.h}}, nullptr, none},
        {back, {{f.L, f.H, f.zE}, {f.L, f.H, f.h}, {f.L, leftShoulder, f.h}}, nullptr, none},
    };
}

double Slant(const Section& a, const Section& b) { return std::hypot(b.z - a.z, b.y - a.y); }

// The soffit: a horizontal face at wall height from `fromX` to `toX` and
// across the eaves, seen from below.
std::vector<FormFace> Soffit(const Frame& f, double fromX, double toX, const LocalText& title)
{
    if (f.OV <= 0)
        return {};
    return {{title, {{fromX, f.H, -f.zE}, {toX, f.H, -f.zE}, {toX, f.H, f.zE}, {fromX, f.H, f.zE}}, nullptr,
             FormTexture::None}};
}

// A gable roof whose slopes run the whole length of the house: its kind,
// its cross-section from the right eave over the ridge to the left eave,
// the title of each slope in that order, and the soffit's title.
struct ExtrudedForm {
    RoofKind kind;
    std::vector<Section> (*profile)(const Frame& f, const HouseParams& p);
    std::vector<LocalText> titles;
    LocalText soffitTitle;
};

// One face per segment of the cross-section, the right side's faces on
// "a.bmp", the left's on "b.bmp".
RoofFormFaces ExtrudedRoof(const HouseParams& p, const ExtrudedForm& form)
{
    const Frame f = FrameOf(p);
    const std::vector<Section> profile = form.profile(f, p);
    const std::vector<LocalText>& titles = form.titles;
    RoofFormFaces faces;
    faces.eave = EavesOf(f);
    faces.gableTops = GableTops(f, profile, p);
    faces.soffit = Soffit(f, 0, f.L, form.soffitTitle);
    faces.fillers = Fillers(f, HeightAt(profile, -f.h), HeightAt(profile, f.h));

    // The highest corner splits the right side from the left one; each
    // side's slant is measured from there.
    const auto ridge = std::max_element(profile.begin(), profile.end(),
                                        [](const Section& a, const Section& b) { return a.y < b.y; });
    for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
        const Section& a = profile[i];
        const Section& b = profile[i + 1];
        const bool right = b.y > a.y;
        double above = 0.0;
        if (right) {
            for (std::size_t k = i + 1; k < static_cast<std::size_t>(ridge - profile.begin()); ++k)
                above += Slant(profile[k], profile[k + 1]);
        } else {
            for (std::size_t k = static_cast<std::size_t>(ridge - profile.begin()); k < i; ++k)
                above += Slant(profile[k], profile[k + 1]);
        }
        faces.roof.push_back({titles[i],
                              {{f.X1, a.y, a.z}, {f.X0, a.y, a.z}, {f.X0, b.y, b.z}, {f.X1, b.y, b.z}},
                              right ? "a.bmp" : "b.bmp", FormTexture::Roof, above, std::max(a.y, b.y)});
    }
    return faces;
}

RoofFormFaces HalfHippedRoof(const HouseParams& p)
{
    const Frame f = FrameOf(p);
    // The side slopes rise s per metre; the clips slope as steeply towards
    // the gables and cross the gable planes `clip` below the ridge, zc to
    // each side of the middle.
    const double s = (f.RH - f.H) / f.zE;
    const double Yc = f.RH - p.clipHeight;
    const double zc = p.clipHeight / s;
    // The clip's lower edge at the end of the overhang.
    const double yk = Yc - f.OV * s;
    const double zk = zc + f.OV;
    const Vec3 ridgeFront{zc, f.RH, 0};
    const Vec3 ridgeBack{f.L - zc, f.RH, 0};
    const Vec3 clipFrontRight{f.X0, yk, -zk}, clipFrontLeft{f.X0, yk, zk};
    const Vec3 clipBackRight{f.X1, yk, -zk}, clipBackLeft{f.X1, yk, zk};

    RoofFormFaces faces;
    faces.eave = EavesOf(f);
    const EaveCorners& e = faces.eave;
    const std::vector<Section> gable = {{-f.zE, f.H}, {-zc, Yc}, {zc, Yc}, {f.zE, f.H}};
    faces.gableTops = GableTops(f, gable, p);
    faces.soffit = Soffit(f, 0, f.L, {";------Félkontyos tető alap------", ";------Half-hipped roof base------"});
    faces.fillers = Fillers(f, HeightAt(gable, -f.h), HeightAt(gable, f.h));
    using enum FormTexture;
    faces.roof = {
        {{";------Félkonty elöl------", ";------Half-hip front------"},
         {clipFrontRight, clipFrontLeft, ridgeFront}, "a.bmp", Roof, 0.0, f.RH},
        {{";------Félkontyos tető jobb------", ";------Half-hipped roof right------"},
         {e.backRight, e.frontRight, clipFrontRight, ridgeFront, ridgeBack, clipBackRight}, "b.bmp", Roof, 0.0, f.RH},
        {{";------Félkonty hátul------", ";------Half-hip behind------"},
         {clipBackLeft, clipBackRight, ridgeBack}, "c.bmp", Roof, 0.0, f.RH},
        {{";------Félkontyos tető bal------", ";------Half-hipped roof left------"},
         {e.frontLeft, e.backLeft, clipBackLeft, ridgeBack, ridgeFront, clipFrontLeft}, "d.bmp", Roof, 0.0, f.RH},
    };
    return faces;
}

std::vector<Section> GambrelProfile(const Frame& f, const HouseParams& p)
{
    const double KY = p.kneeHeight;
    const double zk = f.h - p.kneeInset;  // the knees' distance from the middle
    return {{-f.zE, f.H}, {-zk, KY}, {0, f.RH}, {zk, KY}, {f.zE, f.H}};
}

std::vector<Section> SaltboxProfile(const Frame& f, const HouseParams& p)
{
    return {{-f.zE, f.H}, {p.ridgeOffset, f.RH}, {f.zE, f.H}};
}

// The extruded roofs, one row each: a new one is its profile and a row.
const ExtrudedForm kExtrudedForms[] = {
    {RoofKind::Gambrel,
     GambrelProfile,
     {{";------Tört nyeregtető jobb alsó------", ";------Gambrel roof right lower------"},
      {";------Tört nyeregtető jobb felső------", ";------Gambrel roof right upper------"},
      {";------Tört nyeregtető bal felső------", ";------Gambrel roof left upper------"},
      {";------Tört nyeregtető bal alsó------", ";------Gambrel roof left lower------"}},
     {";------Tört nyeregtető alap------", ";------Gambrel roof base------"}},
    {RoofKind::Saltbox,
     SaltboxProfile,
     {{";------Eltolt gerincű nyeregtető jobb------", ";------Saltbox roof right------"},
      {";------Eltolt gerincű nyeregtető bal------", ";------Saltbox roof left------"}},
     {";------Eltolt gerincű nyeregtető alap------", ";------Saltbox roof base------"}},
};

// The extruded roof of the house's roof kind; none for another kind.
RoofFormFaces ExtrudedRoof(const HouseParams& p)
{
    for (const ExtrudedForm& form : kExtrudedForms)
        if (form.kind == p.roofKind)
            return ExtrudedRoof(p, form);
    return {};
}

RoofFormFaces MansardRoof(const HouseParams& p)
{
    const Frame f = FrameOf(p);
    const double KY = p.kneeHeight;
    const double ki = p.kneeInset;
    const double zk = f.h - ki;
    // The upper part is a hip roof over the knees with its slopes alike; on
    // a house shorter than wide it closes to a point.
    const double d = std::min(zk, f.L / 2 - ki);
    const Vec3 kneeFrontRight{ki, KY, -zk}, kneeFrontLeft{ki, KY, zk};
    const Vec3 kneeBackRight{f.L - ki, KY, -zk}, kneeBackLeft{f.L - ki, KY, zk};
    const Vec3 ridgeFront{ki + d, f.RH, 0}, ridgeBack{f.L - ki - d, f.RH, 0};
    const bool ridge = ridgeBack.x - ridgeFront.x > 0.001;

    RoofFormFaces faces;
    faces.hipped = true;
    faces.eave = EavesOf(f);
    faces.soffit = Soffit(f, f.X0, f.X1, {";------Manzárdtető alap------", ";------Mansard roof base------"});
    const EaveCorners& e = faces.eave;
    // The lower faces rise the same on every side; each side's upper face
    // continues its lower face's bitmap over the knee.
    const double sideSlant = std::hypot(zk, f.RH - KY);
    const double endSlant = std::hypot(d, f.RH - KY);
    std::vector<Vec3> upperRight = {kneeBackRight, kneeFrontRight, ridgeFront};
    std::vector<Vec3> upperLeft = {kneeFrontLeft, kneeBackLeft, ridgeBack};
    if (ridge) {
        upperRight.push_back(ridgeBack);
        upperLeft.push_back(ridgeFront);
    }
    using enum FormTexture;
    faces.roof = {
        {{";------Manzárdtető elöl alsó------", ";------Mansard roof front lower------"},
         {e.frontRight, e.frontLeft, kneeFrontLeft, kneeFrontRight}, "a.bmp", Roof, endSlant, KY},
        {{";------Manzárdtető jobb alsó------", ";------Mansard roof right lower------"},
         {e.backRight, e.frontRight, kneeFrontRight, kneeBackRight}, "b.bmp", Roof, sideSlant, KY},
        {{";------Manzárdtető hátul alsó------", ";------Mansard roof behind lower------"},
         {e.backLeft, e.backRight, kneeBackRight, kneeBackLeft}, "c.bmp", Roof, endSlant, KY},
        {{";------Manzárdtető bal alsó------", ";------Mansard roof left lower------"},
         {e.frontLeft, e.backLeft, kneeBackLeft, kneeFrontLeft}, "d.bmp", Roof, sideSlant, KY},
        {{";------Manzárdtető elöl felső------", ";------Mansard roof front upper------"},
         {kneeFrontRight, kneeFrontLeft, ridgeFront}, "a.bmp", Roof, 0.0, f.RH},
        {{";------Manzárdtető jobb felső------", ";------Mansard roof right upper------"},
         upperRight, "b.bmp", Roof, 0.0, f.RH},
        {{";------Manzárdtető hátul felső------", ";------Mansard roof behind upper------"},
         {kneeBackLeft, kneeBackRight, ridgeBack}, "c.bmp", Roof, 0.0, f.RH},
        {{";------Manzárdtető bal felső------", ";------Mansard roof left upper------"},
         upperLeft, "d.bmp", Roof, 0.0, f.RH},
    };
    return faces;
}

}  // namespace

bool IsRoofForm(RoofKind kind)
{
    switch (kind) {
    case RoofKind::HalfHipped:
    case RoofKind::Gambrel:
    case RoofKind::Mansard:
    case RoofKind::Saltbox: return true;
    case RoofKind::Pitched:
    case RoofKind::Hip:
    case RoofKind::Pyramid:
    case RoofKind::Flat:
    case RoofKind::Lean: return false;
    }
    return false;
}

namespace {

// The run from the wall to the middle that a knee inset is taken from: half
// the width, for the mansard half the shorter side.
double KneeRun(const HouseParams& p)
{
    return p.roofKind == RoofKind::Mansard ? std::min(p.width / 2, p.length / 2) : p.width / 2;
}

}  // namespace

double DefaultClipHeight(const HouseParams& p)
{
    // A third of the rise, but no more than two thirds of the highest clip
    // that stays inside the side walls and leaves a ridge.
    const double rise = p.roofHeight - p.wallHeight;
    const double h = p.width / 2;
    const double highest = rise / (h + p.roofOverhang) * (std::min(h, p.length / 2) - kSmallestPart);
    return std::min(rise / 3, highest * 2 / 3);
}

double DefaultKneeHeight(const HouseParams& p)
{
    // 60 % of the rise, or higher where a wide overhang or inset would make
    // the lower slope the flatter one (or nearly): then halfway between the
    // height where both slopes are equal and the ridge.
    const double run = KneeRun(p);
    const double equal = (p.roofOverhang + p.kneeInset) / (run + p.roofOverhang);
    const double share = 0.6 > equal + 0.05 ? 0.6 : (equal + 1) / 2;
    return p.wallHeight + share * (p.roofHeight - p.wallHeight);
}

double DefaultKneeInset(const HouseParams& p)
{
    return p.roofKind == RoofKind::Mansard ? std::min(p.width, p.length) / 6 : p.width / 6;
}
double DefaultRidgeOffset(const HouseParams& p) { return p.width / 6; }

RoofFormFaces RoofFormGeometry(const HouseParams& p)
{
    switch (p.roofKind) {
    case RoofKind::HalfHipped: return HalfHippedRoof(p);
    case RoofKind::Gambrel: return ExtrudedRoof(p);
    case RoofKind::Mansard: return MansardRoof(p);
    case RoofKind::Saltbox: return ExtrudedRoof(p);
    case RoofKind::Pitched:
    case RoofKind::Hip:
    case RoofKind::Pyramid:
    case RoofKind::Flat:
    case RoofKind::Lean: break;
    }
    return {};
}

std::vector<TexturePoint> FormTextureCoordinates(const FormFace& face, const HouseParams& p)
{
    std::vector<TexturePoint> coordinates;
    const std::vector<Vec3>& v = face.points;
    switch (face.texture) {
    case FormTexture::Roof: {
        // The outward normal; u runs along its horizontal part turned to the
        // right of someone looking at the face, v down the slope.
        const Vec3 n = Cross(Minus(v[1], v[0]), Minus(v[2], v[0]));
        const double across = std::hypot(n.x, n.z);
        const Vec3 along{-n.z / across, 0, n.x / across};
        const double sinSlope = across / Length(n);
        for (const Vec3& point : v)
            coordinates.push_back({Dot(point, along) / kRoofBitmapMetres,
                                   (face.slantAbove + (face.topY - point.y) / sinSlope) / kRoofBitmapMetres});
        break;
    }
    case FormTexture::Wall: {
        // As the wall below: u 1 at its first corner, 0 at its second, one
        // repeat per wall height upwards from v = 1 at the ground.
        const double direction = v[1].z > v[0].z ? -1.0 : 1.0;
        for (const Vec3& point : v)
            coordinates.push_back({0.5 + direction * point.z / p.width, 1 - point.y / p.wallHeight});
        break;
    }
    case FormTexture::Gable: {
        double bottom = v[0].y, top = v[0].y;
        for (const Vec3& point : v) {
            bottom = std::min(bottom, point.y);
            top = std::max(top, point.y);
        }
        const double direction = v[1].z > v[0].z ? -1.0 : 1.0;
        for (const Vec3& point : v)
            coordinates.push_back({0.5 + direction * point.z / p.width, (top - point.y) / (top - bottom)});
        break;
    }
    case FormTexture::None: break;
    }
    return coordinates;
}

}  // namespace kestrane
