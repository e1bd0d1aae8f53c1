// SPDX-License-Identifier: GPL-3.0-or-later
// tessaroon-artwork: draws the pictures the game ships with. For every style it writes the eight
// pictures and the colour file into the folder Styles; it also draws the golden cell of the
// start-up emblem and the program icon for the window resources. Everything is computed from
// fixed seeds, so a run reproduces the committed files.
//
//   tessaroon-artwork <styles-folder> <images-folder>

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "noise.h"

namespace fs = std::filesystem;

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator*(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb Mix(Rgb a, Rgb b, double t) {
    return a * (1 - t) + b * t;
}
double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
double Smooth(double e0, double e1, double x) {
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
QRgb ToQRgb(Rgb c) {
    auto ch = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}
Rgb FromHex(uint32_t rgb) {
    return {double((rgb >> 16) & 255), double((rgb >> 8) & 255), double(rgb & 255)};
}

// The colour value the game stores: 0x00BBGGRR.
uint32_t ColourValue(uint32_t rgb) {
    return ((rgb >> 16) & 255) | (((rgb >> 8) & 255) << 8) | ((rgb & 255) << 16);
}

// A stone surface: colour at a pixel position.
using Material = std::function<Rgb(double x, double y)>;

struct MarbleParams {
    uint64_t seed;
    Rgb baseLight, baseDark, vein, fineVein;
    double scale;      // pixels per noise unit
    double angle;      // direction of the vein bands, radians
    double frequency;  // bands per noise unit
    double warp;       // how far the veins wander
    double sharpness;  // higher gives thinner veins
    double veinStrength;
    double fineStrength;
    double grain;  // fine random grain, in colour steps
};

Material Marble(MarbleParams m) {
    auto noise = std::make_shared<artwork::Perlin>(m.seed);
    auto noise2 = std::make_shared<artwork::Perlin>(m.seed * 7 + 3);
    return [m, noise, noise2](double x, double y) {
        const double u = x / m.scale, v = y / m.scale;
        const double wx = noise->Fbm(u * 0.8, v * 0.8, 5);
        const double wy = noise->Fbm(u * 0.8 + 5.2, v * 0.8 + 1.3, 5);
        const double du = u + 0.9 * wx, dv = v + 0.9 * wy;
        const double along = du * std::cos(m.angle) + dv * std::sin(m.angle);
        const double t = along * m.frequency + m.warp * noise->Turbulence(du * 1.6, dv * 1.6, 6);
        const double main = std::pow(1 - std::fabs(std::sin(t)), m.sharpness);
        // The soft grey cloud that follows a vein.
        const double halo = std::pow(1 - std::fabs(std::sin(t)), m.sharpness / 4.5);
        const double along2 = du * std::cos(m.angle + 1.1) + dv * std::sin(m.angle + 1.1);
        const double t2 =
            along2 * m.frequency * 1.7 + 1.4 * m.warp * noise2->Turbulence(du * 2.3, dv * 2.3, 6);
        const double fine = std::pow(1 - std::fabs(std::sin(t2)), m.sharpness * 2.2);
        const double cloud = Smooth(-0.45, 0.45, noise2->Fbm(u * 0.6 + 3, v * 0.6 + 8, 5));
        Rgb c = Mix(m.baseDark, m.baseLight, cloud);
        c = Mix(c, m.fineVein, Clamp01(halo * m.veinStrength * 0.22));
        c = Mix(c, m.fineVein, Clamp01(fine * m.fineStrength));
        c = Mix(c, m.vein, Clamp01(main * m.veinStrength));
        const double g = noise2->Noise(x * 0.9 + 101, y * 0.9 + 57) * m.grain;
        return c + Rgb{g, g, g};
    };
}

struct Speckle {
    Rgb colour;
    double size;       // grain size in pixels
    double threshold;  // share of the surface the grains cover grows as this falls
    double strength;
};

Material Granite(uint64_t seed, Rgb base1, Rgb base2, std::vector<Speckle> speckles) {
    auto noise = std::make_shared<artwork::Perlin>(seed);
    return [=](double x, double y) {
        Rgb c = Mix(base1, base2, Smooth(-0.5, 0.5, noise->Fbm(x / 90, y / 90, 4)));
        double off = 13;
        for (const Speckle& s : speckles) {
            const double n = noise->Fbm(x / s.size + off, y / s.size + off * 0.7, 2, 0.45);
            c = Mix(c, s.colour, Smooth(s.threshold, s.threshold + 0.05, n) * s.strength);
            off += 37;
        }
        const double g = noise->Noise(x * 1.3 + 7, y * 1.3 + 3) * 5;
        return c + Rgb{g, g, g};
    };
}

struct BandStop {
    double at;  // 0..1 across one band
    Rgb colour;
};

struct BandParams {
    uint64_t seed;
    std::vector<BandStop> stops;  // from 0 to 1, the first and last colours equal
    double scale;
    double frequency;  // bands per noise unit
    double turbulence;
};

// Banded stone (malachite, agate): rings around a few centres, bent by noise.
Material Banded(BandParams b) {
    auto noise = std::make_shared<artwork::Perlin>(b.seed);
    return [b, noise](double x, double y) {
        const double u = x / b.scale, v = y / b.scale;
        const double wu = u + 0.7 * noise->Fbm(u * 0.9, v * 0.9, 5);
        const double wv = v + 0.7 * noise->Fbm(u * 0.9 + 4.1, v * 0.9 + 2.7, 5);
        const double cx[4] = {0.2, 2.2, 1.1, 2.6}, cy[4] = {0.3, 0.6, 2.1, 2.4};
        double d = 1e9;
        for (int i = 0; i < 4; ++i) d = std::min(d, std::hypot(wu - cx[i], wv - cy[i]));
        const double t = d * b.frequency + b.turbulence * noise->Turbulence(u * 4, v * 4, 4);
        const double f = t - std::floor(t);
        size_t i = 0;
        while (i + 2 < b.stops.size() && f > b.stops[i + 1].at) ++i;
        const BandStop& s0 = b.stops[i];
        const BandStop& s1 = b.stops[i + 1];
        Rgb c = Mix(s0.colour, s1.colour, Clamp01((f - s0.at) / (s1.at - s0.at)));
        const double g = noise->Noise(x * 1.1 + 3, y * 1.1 + 9) * 3;
        return c + Rgb{g, g, g};
    };
}

QImage Surface(int w, int h, const Material& m, double ox = 0, double oy = 0) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, ToQRgb(m(x + ox, y + oy)));
    return img;
}

// A soft vignette that darkens the edges of a background a little.
void Vignette(QImage& img, double amount) {
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    const double rmax = std::hypot(cx, cy);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const double r = std::hypot(x - cx, y - cy) / rmax;
            const double k = 1 - amount * Smooth(0.45, 1.05, r);
            const QColor c(img.pixel(x, y));
            img.setPixel(x, y,
                         ToQRgb(Rgb{double(c.red()), double(c.green()), double(c.blue())} * k));
        }
    }
}

Rgb Average(const QImage& img) {
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c(img.pixel(x, y));
            r += c.red();
            g += c.green();
            b += c.blue();
        }
    const double n = double(img.width()) * img.height();
    return {r / n, g / n, b / n};
}

// The colour the game leaves undrawn in cell pictures: red 240, green 255, blue 255.
const QRgb kKey = qRgb(240, 255, 255);

struct TileParams {
    int size;
    double radius;
    double bevel;    // width of the bevelled rim
    double relief;   // steepness of the rim
    double outline;  // darkening of the outermost pixel
    double sheen;    // strength of the polished gloss
};

// Signed distance to a rounded square of side `side` at the origin (negative inside) and the
// outward direction.
double RoundedBoxDistance(double x, double y, double side, double radius, double& gx, double& gy) {
    const double h = side / 2;
    const double px = x - h, py = y - h;
    const double qx = std::fabs(px) - (h - radius), qy = std::fabs(py) - (h - radius);
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    const double outside = std::hypot(ox, oy);
    const double inside = std::min(std::max(qx, qy), 0.0);
    if (outside > 0) {
        gx = (px < 0 ? -1 : 1) * ox / outside;
        gy = (py < 0 ? -1 : 1) * oy / outside;
    } else if (qx > qy) {
        gx = px < 0 ? -1 : 1;
        gy = 0;
    } else {
        gx = 0;
        gy = py < 0 ? -1 : 1;
    }
    return outside + inside - radius;
}

struct TileSample {
    Rgb colour;
    double coverage;
};

// One bevelled, rounded tile of the material, lit from the upper left.
std::vector<TileSample> RenderTile(const TileParams& t, const Material& m, double ox, double oy) {
    std::vector<TileSample> out(static_cast<size_t>(t.size * t.size));
    const int ss = 4;
    const double lx = -0.55, ly = -0.65, lz = 0.52;  // towards the light
    const double flat = lz;
    for (int y = 0; y < t.size; ++y) {
        for (int x = 0; x < t.size; ++x) {
            Rgb acc;
            int inside = 0;
            for (int sy = 0; sy < ss; ++sy) {
                for (int sx = 0; sx < ss; ++sx) {
                    const double px = x + (sx + 0.5) / ss, py = y + (sy + 0.5) / ss;
                    double gx = 0, gy = 0;
                    const double d = RoundedBoxDistance(px, py, t.size, t.radius, gx, gy);
                    if (d > 0) continue;
                    ++inside;
                    const double depth = -d;  // distance from the rim
                    Rgb c = m(px + ox, py + oy);
                    // The rim slopes down towards the edge.
                    const double slope = depth < t.bevel ? t.relief * (1 - depth / t.bevel) : 0;
                    double nx = gx * slope, ny = gy * slope, nz = 1;
                    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
                    nx /= len;
                    ny /= len;
                    nz /= len;
                    const double diffuse = (nx * lx + ny * ly + nz * lz) / flat;
                    c = c * (0.18 + 0.82 * diffuse);
                    // A broad gloss across the face, brighter towards the upper left.
                    const double gloss =
                        t.sheen * Smooth(0.0, 1.0, 1 - (px + py) / (2.0 * t.size)) * 0.6;
                    c = Mix(c, Rgb{255, 255, 255}, gloss);
                    // A bright line along the upper-left rim.
                    const double rimLight =
                        Clamp01(-(gx * 0.7 + gy * 0.7)) * Smooth(1.6, 0.6, depth) * 0.35;
                    c = Mix(c, Rgb{255, 255, 255}, rimLight);
                    if (depth < 1.0) c = c * (1 - t.outline * (1 - depth));
                    acc = acc + c;
                }
            }
            TileSample& s = out[static_cast<size_t>(y * t.size + x)];
            s.coverage = double(inside) / (ss * ss);
            s.colour = inside ? acc * (1.0 / inside) : Rgb{};
        }
    }
    return out;
}

// A cell picture for the game: see-through corners in the key colour, edge pixels blended over
// the colour of the board they stand on.
QImage KeyedTile(const TileParams& t, const Material& m, Rgb board, double ox, double oy) {
    const auto samples = RenderTile(t, m, ox, oy);
    QImage img(t.size, t.size, QImage::Format_RGB32);
    for (int y = 0; y < t.size; ++y) {
        for (int x = 0; x < t.size; ++x) {
            const TileSample& s = samples[static_cast<size_t>(y * t.size + x)];
            if (s.coverage <= 0.02) {
                img.setPixel(x, y, kKey);
                continue;
            }
            QRgb px = ToQRgb(Mix(board, s.colour, s.coverage));
            if (px == kKey) px = qRgb(239, 255, 255);
            img.setPixel(x, y, px);
        }
    }
    return img;
}

// A tile with true transparency (for the window resources).
QImage AlphaTile(const TileParams& t, const Material& m, double ox, double oy) {
    const auto samples = RenderTile(t, m, ox, oy);
    QImage img(t.size, t.size, QImage::Format_ARGB32);
    for (int y = 0; y < t.size; ++y) {
        for (int x = 0; x < t.size; ++x) {
            const TileSample& s = samples[static_cast<size_t>(y * t.size + x)];
            const QRgb c = ToQRgb(s.colour);
            img.setPixel(x, y,
                         qRgba(qRed(c), qGreen(c), qBlue(c),
                               std::clamp(int(std::lround(s.coverage * 255)), 0, 255)));
        }
    }
    return img;
}

// A page button glyph: a bar and a triangle pointing up (or down), bevelled, on a key colour in
// the bottom-left pixel; edge pixels are blended over the window colour.
QImage ArrowGlyph(bool up, Rgb colour) {
    const int w = 11, h = 30;
    QImage art(w * 4, h * 4, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(4, 4);
        QPainterPath tri;
        if (up) {
            tri.moveTo(5.5, 6);
            tri.lineTo(10.5, 14);
            tri.lineTo(0.5, 14);
        } else {
            tri.moveTo(5.5, 24);
            tri.lineTo(10.5, 16);
            tri.lineTo(0.5, 16);
        }
        tri.closeSubpath();
        const QColor base(ToQRgb(colour));
        QLinearGradient g(0, up ? 6 : 16, 0, up ? 14 : 24);
        g.setColorAt(0, base.lighter(150));
        g.setColorAt(1, base.darker(130));
        p.setPen(QPen(base.darker(160), 0.6));
        p.setBrush(g);
        p.drawPath(tri);
        p.drawRoundedRect(QRectF(1, up ? 2 : 25, 9, 2.2), 0.8, 0.8);
    }
    const QImage small = art.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRgb key = qRgb(255, 0, 255);
    const Rgb window{239, 239, 239};
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb s = small.pixel(x, y);
            const double a = qAlpha(s) / 255.0;
            if (a < 0.04) {
                out.setPixel(x, y, key);
                continue;
            }
            // Premultiplied-free blend over the window colour.
            const Rgb c{double(qRed(s)), double(qGreen(s)), double(qBlue(s))};
            out.setPixel(x, y, ToQRgb(Mix(window, c, a)));
        }
    out.setPixel(0, h - 1, key);
    return out;
}

bool WriteJpeg(const QImage& image, const fs::path& file, int quality) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = 1;  // 4:4:4 keeps the thin veins crisp
    cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

bool WriteBmp(const QImage& image, const fs::path& file) {
    return image.convertToFormat(QImage::Format_RGB32)
        .save(QString::fromStdString(file.string()), "BMP");
}

// A bevelled two-pixel frame around a picture: a dark outline, then a light upper-left and a dark
// lower-right edge.
void Frame(QImage& img) {
    const int w = img.width(), h = img.height();
    auto shade = [&](int x, int y, double k, Rgb towards) {
        const QColor c(img.pixel(x, y));
        img.setPixel(
            x, y,
            ToQRgb(Mix(Rgb{double(c.red()), double(c.green()), double(c.blue())}, towards, k)));
    };
    for (int x = 0; x < w; ++x) {
        shade(x, 0, 0.75, Rgb{20, 20, 22});
        shade(x, h - 1, 0.75, Rgb{20, 20, 22});
        shade(x, 1, 0.45, Rgb{255, 255, 255});
        shade(x, h - 2, 0.35, Rgb{0, 0, 0});
    }
    for (int y = 0; y < h; ++y) {
        shade(0, y, 0.75, Rgb{20, 20, 22});
        shade(w - 1, y, 0.75, Rgb{20, 20, 22});
        if (y >= 1 && y < h - 1) {
            shade(1, y, 0.45, Rgb{255, 255, 255});
            shade(w - 2, y, 0.35, Rgb{0, 0, 0});
        }
    }
}

struct StyleSpec {
    std::string name;
    Material board;   // field background
    Material popup;   // letter window background: a contrasting stone, framed
    Material cell;    // field and input cells
    Material marked;  // marked field cell, highlighted input cell
    Rgb arrow;
    // Colours, as 0xRRGGBB.
    uint32_t fill, border, highlight, headFont, head, headBorder, fieldFont, inputFont;
};

bool WriteStyle(const StyleSpec& s, const fs::path& folder) {
    bool ok = true;
    QImage bg1 = Surface(338, 338, s.board);
    Vignette(bg1, 0.16);
    QImage bg2 = Surface(194, 98, s.popup, 400, 120);
    Vignette(bg2, 0.12);
    Frame(bg2);
    const Rgb board = Average(bg1);
    const Rgb board2 = Average(bg2);
    const TileParams field{32, 4.0, 3.2, 1.2, 0.3, 0.10};
    const TileParams input{22, 3.0, 2.4, 1.2, 0.3, 0.10};
    ok &= WriteJpeg(bg1, folder / (s.name + "_bg01.jpg"), 92);
    ok &= WriteJpeg(bg2, folder / (s.name + "_bg02.jpg"), 92);
    ok &= WriteBmp(KeyedTile(field, s.cell, board, 40, 10), folder / (s.name + "_fc01.bmp"));
    ok &= WriteBmp(KeyedTile(field, s.marked, board, 20, 70), folder / (s.name + "_fc02.bmp"));
    ok &= WriteBmp(KeyedTile(input, s.cell, board2, 90, 40), folder / (s.name + "_ic01.bmp"));
    ok &= WriteBmp(KeyedTile(input, s.marked, board2, 10, 30), folder / (s.name + "_ic02.bmp"));
    ok &= WriteBmp(ArrowGlyph(true, s.arrow), folder / (s.name + "_ar01.bmp"));
    ok &= WriteBmp(ArrowGlyph(false, s.arrow), folder / (s.name + "_ar02.bmp"));
    std::ofstream ini(folder / (s.name + ".ini"), std::ios::binary);
    ini << "[General]\r\n"
        << "FillColor=" << ColourValue(s.fill) << "\r\n"
        << "BorderColor=" << ColourValue(s.border) << "\r\n"
        << "HighlightColor=" << ColourValue(s.highlight) << "\r\n"
        << "[HeadlineCell]\r\n"
        << "FontColor=" << ColourValue(s.headFont) << "\r\n"
        << "Color=" << ColourValue(s.head) << "\r\n"
        << "BorderColor=" << ColourValue(s.headBorder) << "\r\n"
        << "[FieldCell]\r\n"
        << "FontColor=" << ColourValue(s.fieldFont) << "\r\n"
        << "[InputCell]\r\n"
        << "FontColor=" << ColourValue(s.inputFont) << "\r\n";
    ok &= static_cast<bool>(ini);
    return ok;
}

Material GoldLeaf(double size) {
    auto noise = std::make_shared<artwork::Perlin>(77);
    return [noise, size](double x, double y) {
        // Polished gold: bright where it faces the light, with the darker bands of a metal
        // reflection across the diagonal and a faint brushed texture.
        const double t = Clamp01((x + y) / (2 * size));
        static const Rgb ramp[] = {{255, 238, 170}, {240, 200, 90},  {206, 152, 44},
                                   {232, 190, 86},  {246, 214, 122}, {178, 126, 32}};
        const double pos = t * 5;
        const int i = std::min(static_cast<int>(pos), 4);
        Rgb c = Mix(ramp[i], ramp[i + 1], Smooth(0, 1, pos - i));
        const double brush = noise->Fbm(x * 4.8 / size, y * 51 / size, 3) * 9;
        return c + Rgb{brush, brush * 0.85, brush * 0.3};
    };
}

QImage Icon(int size) {
    const TileParams t{size, size * 0.16, size * 0.1, 1.3, 0.5, 0.12};
    QImage img = AlphaTile(t, GoldLeaf(size), 0, 0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f("DejaVu Serif");
    f.setBold(true);
    f.setPixelSize(static_cast<int>(size * 0.72));
    p.setFont(f);
    const QRectF r(0, size * 0.02, size, size);
    p.setPen(QColor(255, 240, 190, 200));
    p.drawText(r.translated(size * 0.02, size * 0.02), Qt::AlignCenter, "T");
    p.setPen(QColor(92, 60, 8));
    p.drawText(r, Qt::AlignCenter, "T");
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaroon-artwork <styles-folder> <images-folder>\n");
        return 2;
    }
    const fs::path styles = argv[1], images = argv[2];
    fs::create_directories(styles);
    fs::create_directories(images);

    std::vector<StyleSpec> specs;

    // Marble: a board of grey-veined white Carrara with cream Botticino tiles; the marked
    // tiles are warm Siena yellow.
    specs.push_back(
        StyleSpec{"Marble",
                  Marble({11, FromHex(0xEEEDEA), FromHex(0xD2D2D0), FromHex(0x6E737C),
                          FromHex(0x9EA3AA), 150, 0.65, 2.5, 2.4, 9.0, 0.85, 0.55, 2.2}),
                  // Blue-grey Bardiglio marble for the letter window.
                  Marble({17, FromHex(0x8F98A6), FromHex(0x6F7886), FromHex(0x3C4350),
                          FromHex(0xC4CAD2), 90, 0.3, 2.4, 2.2, 8.0, 0.7, 0.45, 2.0}),
                  Marble({23, FromHex(0xF8F2E4), FromHex(0xEDE3CD), FromHex(0xC2B08F),
                          FromHex(0xD3C4A6), 70, -0.5, 2.6, 2.0, 12.0, 0.28, 0.2, 1.4}),
                  Marble({37, FromHex(0xF6D98E), FromHex(0xEAC16A), FromHex(0xB08736),
                          FromHex(0xC99F4C), 70, 0.9, 2.4, 2.0, 12.0, 0.3, 0.2, 1.4}),
                  FromHex(0x5C6470), 0xFAF8F3, 0x5A6068, 0xF7E3A8, 0xFBF3DE, 0x4E5560, 0x2E333A,
                  0x1E1E22, 0x3A2A10});

    // Granite: a board of dark speckled granite with light grey granite tiles; the marked tiles
    // are sandstone.
    specs.push_back(StyleSpec{
        "Granite",
        Granite(5, FromHex(0x3A3A3D), FromHex(0x2A2A2D),
                {{FromHex(0x0B0B0C), 5.5, 0.10, 0.95},
                 {FromHex(0x8E8884), 4.5, 0.22, 0.85},
                 {FromHex(0x9A6458), 6.5, 0.26, 0.8},
                 {FromHex(0xE8E4DE), 3.2, 0.34, 0.85}}),
        // Red granite for the letter window.
        Granite(7, FromHex(0x8C4436), FromHex(0x74382E),
                {{FromHex(0x1A1414), 4.0, 0.16, 0.9},
                 {FromHex(0xB06A58), 4.5, 0.22, 0.7},
                 {FromHex(0xD8CFC8), 3.0, 0.36, 0.7}}),
        Granite(9, FromHex(0xDCDAD6), FromHex(0xCFCCC7),
                {{FromHex(0x8E8A86), 2.6, 0.30, 0.35},
                 {FromHex(0xF6F4F0), 3.0, 0.26, 0.55},
                 {FromHex(0xBFA49A), 3.6, 0.34, 0.3}}),
        Granite(13, FromHex(0xE9D3A6), FromHex(0xDCC08A),
                {{FromHex(0xB48E58), 2.2, 0.36, 0.45}, {FromHex(0xF6E8C8), 2.4, 0.32, 0.6}}),
        FromHex(0x46464A), 0xF2F1EE, 0x3C3C40, 0xEBD9A8, 0xE9D3A6, 0x36363A, 0x1C1C1E, 0x121214,
        0x202024});

    // Malachite: a board of banded green malachite with white onyx tiles; the marked tiles are
    // honey onyx.
    specs.push_back(StyleSpec{"Malachite",
                              Banded({3,
                                      {{0.00, FromHex(0x0C3322)},
                                       {0.06, FromHex(0x0C3322)},
                                       {0.12, FromHex(0x1D6A45)},
                                       {0.45, FromHex(0x2F8A5B)},
                                       {0.52, FromHex(0x6DBB8C)},
                                       {0.58, FromHex(0x2C8457)},
                                       {0.80, FromHex(0x1B5E3D)},
                                       {1.00, FromHex(0x0C3322)}},
                                      150,
                                      7.5,
                                      0.12}),
                              // Deep banded malachite for the letter window.
                              Banded({19,
                                      {{0.00, FromHex(0x061E14)},
                                       {0.08, FromHex(0x061E14)},
                                       {0.14, FromHex(0x0F4A30)},
                                       {0.45, FromHex(0x1A6642)},
                                       {0.52, FromHex(0x4A9A6C)},
                                       {0.58, FromHex(0x175E3C)},
                                       {0.80, FromHex(0x0E4229)},
                                       {1.00, FromHex(0x061E14)}},
                                      110,
                                      7.0,
                                      0.12}),
                              Marble({41, FromHex(0xF4F6F0), FromHex(0xE5EAE0), FromHex(0xB9C6B4),
                                      FromHex(0xCED7C9), 70, 0.3, 2.2, 2.2, 11.0, 0.25, 0.2, 1.2}),
                              Marble({43, FromHex(0xF8DFA0), FromHex(0xEEC672), FromHex(0xC08A34),
                                      FromHex(0xD9A851), 70, -0.8, 2.2, 2.2, 11.0, 0.3, 0.2, 1.2}),
                              FromHex(0x1F6A42), 0xF3F8F2, 0x1F5A3A, 0xF6E2A4, 0xEAF6EC, 0x1D6B43,
                              0x0E3A24, 0x102018, 0x0E3A24});

    bool ok = true;
    for (const StyleSpec& s : specs) ok &= WriteStyle(s, styles);

    // The golden cell of the start-up emblem, with true transparency.
    const TileParams gold{32, 4.0, 3.2, 1.35, 0.5, 0.12};
    ok &= AlphaTile(gold, GoldLeaf(32), 0, 0)
              .save(QString::fromStdString((images / "golden_cell.png").string()));
    for (int size : {16, 32, 48, 64, 128, 256})
        ok &= Icon(size).save(
            QString::fromStdString((images / ("icon_" + std::to_string(size) + ".png")).string()));
    if (!ok) {
        std::fprintf(stderr, "tessaroon-artwork: could not write every file\n");
        return 1;
    }
    return 0;
}
