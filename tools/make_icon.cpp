// Draws the program icon, two interlocking chain links, and writes it as a .ico with a 32x32 and a
// 16x16 image of 16 colours (4 bits a pixel, the standard Windows VGA palette) and an AND mask each.
// The drawing is computed, not painted, so the committed icon can be checked against this program.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

// Palette indices of the standard 16-colour palette.
enum Colour : std::uint8_t {
    kBlack = 0,
    kOlive = 3,
    kTeal = 6,
    kYellow = 11,
    kAqua = 14,
    kWhite = 15,
    kTransparent = 255,
};

// clang-format off
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette{{
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
}};
// clang-format on

struct Vec {
    double x, y;
};

// One chain link: a ring around a line segment (a stadium), drawn as a round metal bar.
struct Link {
    Vec a, b;  // the segment the ring runs around
    Colour base, shade;
};

struct Size {
    int pixels;
    double radius;     // of each link, from its segment to the middle of the bar
    double halfWidth;  // half the bar's thickness
    double outline;    // width of the dark edge around each bar
    bool shaded;       // a 16-pixel bar is too thin for more than one colour and a highlight
};

struct Hit {
    bool inside = false;
    bool edge = false;
    Colour colour = kTransparent;
};

Hit Sample(const Link& link, const Size& size, Vec p) {
    const Vec ab{link.b.x - link.a.x, link.b.y - link.a.y};
    const Vec ap{p.x - link.a.x, p.y - link.a.y};
    const double t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0, 1.0);
    const Vec nearest{link.a.x + t * ab.x, link.a.y + t * ab.y};
    const Vec away{p.x - nearest.x, p.y - nearest.y};
    const double distance = std::hypot(away.x, away.y);
    const double across = distance - size.radius;  // negative towards the hole
    Hit hit;
    if (std::abs(across) > size.halfWidth + size.outline) {
        return hit;
    }
    hit.inside = true;
    if (std::abs(across) > size.halfWidth) {
        hit.edge = true;
        hit.colour = kBlack;
        return hit;
    }
    // Light from the upper left, falling on a round bar: s runs across the bar from -1 to 1.
    const double s = across / size.halfWidth;
    const Vec normal = distance > 0 ? Vec{away.x / distance, away.y / distance} : Vec{0, 0};
    const double lx = -0.55, ly = -0.55, lz = 0.63;
    const double depth = std::sqrt(std::max(0.0, 1 - s * s));
    const double light = normal.x * s * lx + normal.y * s * ly + depth * lz;
    if (size.shaded) {
        hit.colour = light > 0.93 ? kWhite : light > 0.42 ? link.base : link.shade;
    } else {
        hit.colour = light > 0.97 ? kWhite : link.base;
    }
    return hit;
}

std::vector<std::uint8_t> Draw(const Size& size) {
    // Two links along the diagonal from the upper left to the lower right. Each link's end lies one
    // radius beyond the other's segment end, in the middle of the other's hole, so the two hook into
    // each other. The outer ends keep their outline inside the image.
    const double n = size.pixels;
    const double reach = size.radius + size.halfWidth + size.outline + 0.4;
    const double gap = size.radius / std::sqrt(2.0);
    const double length = (n - 2 * reach - gap) / 2;
    const double a0 = reach, a1 = reach + length, b0 = a1 + gap, b1 = n - reach;
    const Link first{{a0, a0}, {a1, a1}, kYellow, kOlive};
    const Link second{{b0, b0}, {b1, b1}, kAqua, kTeal};

    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size.pixels * size.pixels), kTransparent);
    for (int y = 0; y < size.pixels; ++y) {
        for (int x = 0; x < size.pixels; ++x) {
            const Vec p{x + 0.5, y + 0.5};
            const Hit a = Sample(first, size, p);
            const Hit b = Sample(second, size, p);
            // Where the bars cross, the first lies on top above the diagonal and below it underneath:
            // that is what makes the links interlock.
            const bool firstOnTop = p.x > p.y;
            Hit shown = a;
            if (b.inside && (!a.inside || !firstOnTop)) {
                shown = b;
            }
            pixels[static_cast<std::size_t>(y * size.pixels + x)] = shown.inside ? shown.colour : kTransparent;
        }
    }
    return pixels;
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A DIB as an icon resource holds it: header (twice the height, for the mask), palette, colour rows
// and mask rows, both bottom-up and padded to 32 bits.
std::vector<std::uint8_t> IconImage(const std::vector<std::uint8_t>& pixels, int n) {
    const int colourStride = ((n * 4 + 31) / 32) * 4;
    const int maskStride = ((n + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(n));
    Put32(out, static_cast<std::uint32_t>(2 * n));
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<std::uint32_t>((colourStride + maskStride) * n));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    for (const auto& rgb : kPalette) {
        out.insert(out.end(), {rgb[2], rgb[1], rgb[0], 0});
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourStride), 0);
        for (int x = 0; x < n; ++x) {
            const std::uint8_t p = pixels[static_cast<std::size_t>(y * n + x)];
            const std::uint8_t index = p == kTransparent ? std::uint8_t{kBlack} : p;
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < n; ++x) {
            if (pixels[static_cast<std::size_t>(y * n + x)] == kTransparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon <output.ico>\n");
        return 2;
    }
    const std::array<Size, 2> sizes{{{32, 5.0, 2.0, 1.0, true}, {16, 2.7, 1.0, 0.85, false}}};
    std::vector<std::vector<std::uint8_t>> images;
    for (const Size& size : sizes) {
        images.push_back(IconImage(Draw(size), size.pixels));
    }

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i].pixels));
        file.push_back(static_cast<std::uint8_t>(sizes[i].pixels));
        file.push_back(16);  // colours
        file.push_back(0);
        Put16(file, 1);  // planes
        Put16(file, 4);  // bits per pixel
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return out.good() ? 0 : 1;
}
