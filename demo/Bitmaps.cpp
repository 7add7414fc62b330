#include "demo/Bitmaps.h"
#include <algorithm>
#include <cmath>

namespace demo {
namespace {

// Deterministic value noise: the pictures look the same on every build.
double Lattice(int x, int y, unsigned seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0;
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

double ValueNoise(double x, double y, unsigned seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = Smooth(x - x0), fy = Smooth(y - y0);
    const double a = Lattice(x0, y0, seed), b = Lattice(x0 + 1, y0, seed);
    const double c = Lattice(x0, y0 + 1, seed), d = Lattice(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double Fractal(double x, double y, unsigned seed, int octaves) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<unsigned>(i)) * amplitude;
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

BYTE ToByte(double v) { return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 255.0))); }

int Stride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

PackedDib NewDib(int width, int height, int bits, int colors) {
    PackedDib dib(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD) + Stride(width, bits) * height);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;  // bottom-up
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bits);
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(Stride(width, bits) * height);
    header->biClrUsed = static_cast<DWORD>(colors);
    return dib;
}

size_t ColorTableSize(const BITMAPINFOHEADER& h) {
    if (h.biBitCount > 8) return 0;
    const DWORD colors = h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount);
    return colors * sizeof(RGBQUAD);
}

}  // namespace

PackedDib DrawClouds() {
    constexpr int kW = 280, kH = 230, kColors = 256;
    PackedDib dib = NewDib(kW, kH, 8, kColors);
    auto* palette = reinterpret_cast<RGBQUAD*>(dib.data() + sizeof(BITMAPINFOHEADER));
    // Index 0 is deep sky blue, 255 pure white.
    for (int i = 0; i < kColors; ++i) {
        const double t = i / 255.0;
        palette[i].rgbRed = ToByte(40 + (255 - 40) * t);
        palette[i].rgbGreen = ToByte(110 + (255 - 110) * t);
        palette[i].rgbBlue = ToByte(205 + (255 - 205) * t);
        palette[i].rgbReserved = 0;
    }
    BYTE* bits = dib.data() + sizeof(BITMAPINFOHEADER) + kColors * sizeof(RGBQUAD);
    const int stride = Stride(kW, 8);
    for (int y = 0; y < kH; ++y) {
        const int row = kH - 1 - y;
        for (int x = 0; x < kW; ++x) {
            const double sky = 0.25 * y / kH;  // lighter towards the horizon
            double cloud = Fractal(x / 55.0, y / 40.0, 7, 5);
            cloud = std::clamp((cloud - 0.48) * 3.2, 0.0, 1.0);
            const double v = std::clamp(sky + cloud * (1 - sky), 0.0, 1.0);
            bits[row * stride + x] = ToByte(v * 255);
        }
    }
    return dib;
}

PackedDib DrawLake() {
    constexpr int kW = 256, kH = 256;
    PackedDib dib = NewDib(kW, kH, 24, 0);
    BYTE* bits = dib.data() + sizeof(BITMAPINFOHEADER);
    const int stride = Stride(kW, 24);
    constexpr int kShore = 150;  // the waterline
    auto ridge = [](int x, double scale, unsigned seed) { return Fractal(x / scale, 0.5, seed, 4); };
    auto landscape = [&](int x, int y, double& r, double& g, double& b) {
        const double farLine = kShore - 30 - 60 * ridge(x, 70.0, 3);
        const double nearLine = kShore - 8 - 35 * ridge(x, 35.0, 11);
        if (y >= nearLine) {  // wooded hills by the shore
            const double n = Fractal(x / 6.0, y / 6.0, 21, 3);
            r = 30 + 40 * n, g = 80 + 60 * n, b = 35 + 30 * n;
        } else if (y >= farLine) {  // distant mountains, snow on the tops
            const double depth = (y - farLine) / std::max(1.0, kShore - farLine);
            const bool snow = depth < 0.12 && Fractal(x / 8.0, y / 8.0, 31, 2) > 0.4;
            r = snow ? 240 : 95 + 30 * depth, g = snow ? 240 : 105 + 25 * depth, b = snow ? 250 : 140 + 10 * depth;
        } else {  // sky with a few thin clouds
            const double t = static_cast<double>(y) / kShore;
            const double c = std::clamp((Fractal(x / 40.0, y / 12.0, 41, 4) - 0.55) * 3, 0.0, 0.8);
            r = (90 + 110 * t) * (1 - c) + 250 * c, g = (150 + 80 * t) * (1 - c) + 250 * c, b = 235 * (1 - c) + 255 * c;
        }
    };
    for (int y = 0; y < kH; ++y) {
        const int row = kH - 1 - y;
        for (int x = 0; x < kW; ++x) {
            double r, g, b;
            if (y < kShore) {
                landscape(x, y, r, g, b);
            } else {
                // The water mirrors the landscape, rippled and darker.
                const double ripple = 3 * std::sin(y * 0.9 + Fractal(x / 20.0, y / 4.0, 51, 2) * 6);
                const int mx = std::clamp(static_cast<int>(x + ripple), 0, kW - 1);
                const int my = std::clamp(2 * kShore - y, 0, kShore - 1);
                landscape(mx, my, r, g, b);
                const double depth = static_cast<double>(y - kShore) / (kH - kShore);
                r = r * 0.55 + 10 * (1 - depth), g = g * 0.6 + 30, b = b * 0.65 + 50;
            }
            BYTE* p = bits + row * stride + x * 3;
            p[0] = ToByte(b), p[1] = ToByte(g), p[2] = ToByte(r);
        }
    }
    return dib;
}

bool WriteBitmapFile(const std::wstring& path, const PackedDib& dib) {
    if (dib.size() < sizeof(BITMAPINFOHEADER)) return false;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + dib.size());
    file.bfOffBits = static_cast<DWORD>(sizeof file + header->biSize + ColorTableSize(*header));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0, written2 = 0;
    const bool ok = WriteFile(h, &file, sizeof file, &written, nullptr) &&
                    WriteFile(h, dib.data(), static_cast<DWORD>(dib.size()), &written2, nullptr) &&
                    written == sizeof file && written2 == dib.size();
    CloseHandle(h);
    return ok;
}

HBITMAP LoadBitmapFile(const std::wstring& path) {
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP BitmapFromDib(const PackedDib& dib) {
    if (dib.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const BYTE* pixels = dib.data() + info->bmiHeader.biSize + ColorTableSize(info->bmiHeader);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) CopyMemory(bits, pixels, info->bmiHeader.biSizeImage);
    return bitmap;
}

HBITMAP LoadDemoBitmap(const std::wstring& folder, const std::wstring& file) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    if (HBITMAP bitmap = LoadBitmapFile(path + file)) return bitmap;
    if (lstrcmpiW(file.c_str(), kCloudsFile) == 0) return BitmapFromDib(DrawClouds());
    if (lstrcmpiW(file.c_str(), kLakeFile) == 0) return BitmapFromDib(DrawLake());
    return nullptr;
}

IPictureDisp* PictureFromBitmap(HBITMAP bitmap) {
    if (!bitmap) return nullptr;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    IPictureDisp* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(&picture))) ||
        !picture) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return picture;
}

}  // namespace demo
