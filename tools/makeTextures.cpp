// Writes the program's ten BMP images into a directory (default "textures").
// Everything is computed from fixed formulas and a fixed-seed generator, so a
// rerun rewrites identical files.
//
// The three surface images tile: the teapot gives each patch coordinates from
// 0 to 1 and the textures repeat, so every pattern is periodic over the image.
// The six cube faces and the sphere map are views of one environment, so the
// cube-mapping and sphere-mapping modes reflect the same world.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const double pi = 3.14159265358979323846;

struct Colour {
    double r, g, b;
};

Colour mix(const Colour& a, const Colour& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scale(const Colour& c, double k)
{
    return {c.r * k, c.g * k, c.b * k};
}

Colour add(const Colour& a, const Colour& b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

double clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

double smoothStep(double edge0, double edge1, double v)
{
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

struct Image {
    int width;
    int height;
    std::vector<Colour> pixels;  // row 0 is texture row t = 0

    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

void putU16(std::vector<unsigned char>& out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>(v >> 8 & 0xff));
}

void putU32(std::vector<unsigned char>& out, std::uint32_t v)
{
    putU16(out, v & 0xffff);
    putU16(out, v >> 16);
}

unsigned char toByte(double v)
{
    return static_cast<unsigned char>(std::lround(clamp01(v) * 255));
}

// 24-bit, uncompressed, 40-byte info header, pixels at offset 54, bottom-up:
// the first row in the file is texture row t = 0.
bool writeBmp(const std::string& path, Image& image)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    putU32(out, 54 + pixelBytes);
    putU32(out, 0);
    putU32(out, 54);
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(image.width));
    putU32(out, static_cast<std::uint32_t>(image.height));
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);
    putU32(out, pixelBytes);
    putU32(out, 2835);  // 72 dpi
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Colour& c = image.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "makeTextures: cannot write '%s'\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

// A fixed-seed generator, so the images do not depend on the C library.
struct Random {
    std::uint32_t state;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }
};

// Distance on the unit torus: the shortest way round in each direction.
double wrappedDelta(double d)
{
    return d - std::floor(d + 0.5);
}

// --- amethys: crystal points seen from above -------------------------------
// A Voronoi pattern on the torus: each cell is one crystal point, lit from the
// upper left, so its side facing the light is bright and the other dark; thin
// light ridges mark where crystals meet.

Image makeAmethyst(int size)
{
    const int cellCount = 28;
    struct Cell {
        double x, y, tone;
    };
    std::vector<Cell> cells;
    Random random{20240611u};
    for (int i = 0; i < cellCount; ++i) {
        const double x = random.next();
        const double y = random.next();
        cells.push_back({x, y, random.next()});
    }
    const Colour deep{0.20, 0.04, 0.34};
    const Colour violet{0.56, 0.26, 0.80};
    const Colour lilac{0.90, 0.76, 1.00};
    const double lightX = -0.6;
    const double lightY = 0.8;

    Image image(size, size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double u = (px + 0.5) / size;
            const double v = (py + 0.5) / size;
            int nearest = 0;
            double d1 = 1e9;
            double d2 = 1e9;
            double dx1 = 0;
            double dy1 = 0;
            for (int i = 0; i < cellCount; ++i) {
                const double dx = wrappedDelta(u - cells[i].x);
                const double dy = wrappedDelta(v - cells[i].y);
                const double d = std::sqrt(dx * dx + dy * dy);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    nearest = i;
                    dx1 = dx;
                    dy1 = dy;
                } else if (d < d2) {
                    d2 = d;
                }
            }
            // Slope of the crystal's side: which way it faces, and how far
            // from the tip we are.
            const double facing = d1 > 1e-9 ? (dx1 * lightX + dy1 * lightY) / d1 : 0;
            const double fromTip = clamp01(d1 / 0.12);
            double light = 0.55 + 0.35 * facing * fromTip + 0.25 * (cells[nearest].tone - 0.5);
            Colour c = light < 0.5 ? mix(deep, violet, clamp01(light / 0.5))
                                   : mix(violet, lilac, clamp01((light - 0.5) / 0.5));
            const double ridge = 1 - smoothStep(0.0, 0.012, d2 - d1);
            c = mix(c, lilac, 0.8 * ridge);
            const double tip = 1 - smoothStep(0.0, 0.015, d1);
            image.at(px, py) = mix(c, Colour{1, 1, 1}, 0.7 * tip);
        }
    }
    return image;
}

// --- vok: warm wavy bands ----------------------------------------------------
// Diagonal bands of honey and cream that wobble, with a fine ripple: nothing
// like the crystal cells, so multiple texturing plainly shows both images.
// Integer frequencies make every term periodic over the image.

Image makeWaves(int size)
{
    const Colour honey{0.80, 0.46, 0.12};
    const Colour cream{1.00, 0.95, 0.78};
    Image image(size, size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double u = (px + 0.5) / size;
            const double v = (py + 0.5) / size;
            const double wobble = 0.35 * std::sin(2 * pi * (2 * v)) + 0.2 * std::sin(2 * pi * (3 * u + v));
            const double band = 0.5 + 0.5 * std::sin(2 * pi * (3 * u + 2 * v) + 2 * pi * wobble);
            const double ripple = 0.5 + 0.5 * std::sin(2 * pi * (12 * u - 8 * v));
            const double t = clamp01(smoothStep(0.25, 0.75, band) * 0.85 + 0.15 * ripple);
            image.at(px, py) = mix(honey, cream, t);
        }
    }
    return image;
}

// --- karirano: a checkerboard ----------------------------------------------
// Eight by eight squares: an even count, so the board continues across the
// edges where the texture repeats.

Image makeChecker(int size)
{
    const int squares = 8;
    const Colour red{0.72, 0.10, 0.12};
    const Colour white{0.96, 0.94, 0.90};
    Image image(size, size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const int cx = px * squares / size;
            const int cy = py * squares / size;
            image.at(px, py) = (cx + cy) % 2 == 0 ? white : red;
        }
    }
    return image;
}

// --- the environment: sky, sun, mountains on the horizon, fields below ------
// One function from a world direction (y up) to a colour; both the cube faces
// and the sphere map are sampled from it.

struct Dir {
    double x, y, z;
};

Dir normalised(const Dir& d)
{
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / length, d.y / length, d.z / length};
}

Colour environment(const Dir& direction)
{
    const Dir d = normalised(direction);
    const Colour horizon{0.80, 0.86, 0.94};
    const Colour zenith{0.16, 0.36, 0.78};
    const Colour haze{0.66, 0.74, 0.70};
    const double elevation = std::asin(d.y);

    if (d.y < 0) {
        // Fields on the ground plane one unit below, fading into haze.
        const double distance = 1 / -d.y;
        const double gx = d.x * distance;
        const double gz = d.z * distance;
        const bool odd = (static_cast<long>(std::floor(gx / 2)) + static_cast<long>(std::floor(gz / 2))) % 2 != 0;
        Colour field = odd ? Colour{0.30, 0.52, 0.20} : Colour{0.52, 0.44, 0.22};
        const double lane = std::fabs(wrappedDelta(gx / 8));
        if (lane < 0.02)
            field = Colour{0.62, 0.58, 0.50};
        const double fog = 1 - std::exp(-distance * std::sqrt(1 - d.y * d.y) / 12);
        return mix(field, haze, fog);
    }

    // Mountains: their height a periodic function of the azimuth.
    const double azimuth = std::atan2(d.x, d.z);
    const double ridge = 0.07 + 0.035 * std::sin(3 * azimuth + 0.5) + 0.02 * std::sin(7 * azimuth + 2.0) +
                         0.008 * std::sin(19 * azimuth + 1.0);
    if (elevation < ridge) {
        const Colour rock{0.34, 0.40, 0.50};
        const Colour snow{0.95, 0.96, 1.00};
        Colour c = mix(rock, haze, 0.5 * (1 - elevation / ridge));
        if (ridge > 0.09 && elevation > ridge - 0.018)
            c = snow;
        return c;
    }

    Colour sky = mix(horizon, zenith, std::sqrt(clamp01(elevation / (pi / 2))));
    const Dir sun = normalised({0.45, 0.50, 0.74});
    const double toSun = d.x * sun.x + d.y * sun.y + d.z * sun.z;
    if (toSun > 0.9992)
        return Colour{1.0, 0.98, 0.88};
    const double glow = toSun > 0 ? 0.6 * std::pow(toSun, 200) + 0.25 * std::pow(toSun, 12) : 0;
    sky = add(sky, scale(Colour{1.0, 0.82, 0.55}, glow));
    return sky;
}

// 3 x 3 samples per texel keep the ground pattern from aliasing.
const int samplesPerSide = 3;

// The direction OpenGL looks up for cube-face texel coordinates (s, t) in
// [-1, 1], face by face in the order +X, -X, +Y, -Y, +Z, -Z.
Dir cubeFaceDirection(int face, double s, double t)
{
    switch (face) {
    case 0: return {1, -t, -s};
    case 1: return {-1, -t, s};
    case 2: return {s, 1, t};
    case 3: return {s, -1, -t};
    case 4: return {s, -t, 1};
    default: return {-s, -t, -1};
    }
}

// Renders the environment into a square image, supersampled; `direction`
// maps a point of [-1, 1]^2 on the image to the direction it shows.
template <typename Direction>
Image renderEnvironment(int size, Direction direction)
{
    Image image(size, size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour sum{0, 0, 0};
            for (int j = 0; j < samplesPerSide; ++j) {
                for (int i = 0; i < samplesPerSide; ++i) {
                    const double x = 2 * (px + (i + 0.5) / samplesPerSide) / size - 1;
                    const double y = 2 * (py + (j + 0.5) / samplesPerSide) / size - 1;
                    sum = add(sum, environment(direction(x, y)));
                }
            }
            image.at(px, py) = scale(sum, 1.0 / (samplesPerSide * samplesPerSide));
        }
    }
    return image;
}

Image makeCubeFace(int face, int size)
{
    return renderEnvironment(size, [face](double s, double t) { return cubeFaceDirection(face, s, t); });
}

// The sphere map: texel (s, t) shows what a mirror sphere reflects at the
// point whose eye-space normal is (2s - 1, 2t - 1, nz); the view looks down
// -z, so the reflection is r = (2 nz nx, 2 nz ny, 2 nz^2 - 1). The centre
// reflects what is behind the viewer, the rim what is straight ahead.
Dir sphereMapDirection(double x, double y)
{
    double r2 = x * x + y * y;
    if (r2 > 1) {
        // Outside the disc: repeat the rim.
        const double r = std::sqrt(r2);
        x /= r;
        y /= r;
        r2 = 1;
    }
    const double nz = std::sqrt(1 - r2);
    return {2 * nz * x, 2 * nz * y, 2 * nz * nz - 1};
}

Image makeSphereMap(int size)
{
    return renderEnvironment(size, sphereMapDirection);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : "textures";
    const int surfaceSize = 256;
    const int faceSize = 128;
    bool ok = true;
    Image amethyst = makeAmethyst(surfaceSize);
    ok = writeBmp(dir + "/amethys.bmp", amethyst) && ok;
    Image waves = makeWaves(surfaceSize);
    ok = writeBmp(dir + "/vok.bmp", waves) && ok;
    Image checker = makeChecker(surfaceSize);
    ok = writeBmp(dir + "/karirano.bmp", checker) && ok;
    Image sphereMap = makeSphereMap(surfaceSize);
    ok = writeBmp(dir + "/spheremap.bmp", sphereMap) && ok;

    // The program puts each file on the face of the opposite sign to its name
    // (the file named negative_x on +X, ...), so each file holds that face.
    const char* const faceFiles[6] = {
        "terrain_negative_x.bmp", "terrain_positive_x.bmp", "terrain_negative_y.bmp",
        "terrain_positive_y.bmp", "terrain_negative_z.bmp", "terrain_positive_z.bmp",
    };
    for (int face = 0; face < 6; ++face) {
        Image image = makeCubeFace(face, faceSize);
        ok = writeBmp(dir + "/" + faceFiles[face], image) && ok;
    }
    return ok ? 0 : 1;
}
