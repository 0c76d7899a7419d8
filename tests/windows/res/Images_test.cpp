// The icons and menu bitmaps load at the sizes the program asks for, and each
// id shows its own picture: a colour probe at a spot of the drawing, and a
// transparent (icons) or white (menu bitmaps) corner.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

enum class Hue { Blue, Yellow, Paper, Green, Red, Brown, White };

bool Matches(COLORREF color, Hue hue)
{
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    switch (hue) {
    case Hue::Blue: return b > r + 50 && b > g;
    case Hue::Yellow: return r > 180 && g > 140 && b < 150;
    case Hue::Paper: return r > 200 && g > 200 && b > 200 && color != RGB(255, 0, 255);
    case Hue::Green: return g > r + 40 && g > b + 40;
    case Hue::Red: return r > g + 80 && r > b + 80;
    case Hue::Brown: return r > b + 40 && r > g && r < 200;
    case Hue::White: return color == RGB(255, 255, 255);
    }
    return false;
}

const COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit bitmap in a memory DC, for drawing icons onto a known background.
class Canvas {
public:
    Canvas(int width, int height) : m_dc(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bitmap);
        HBRUSH brush = ::CreateSolidBrush(kMagenta);
        RECT all = {0, 0, width, height};
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

struct IconCase {
    int id;
    int size;
    double probeX, probeY;  // fraction of the size
    Hue hue;
};

const IconCase kIcons[] = {
    {IDR_MAINFRAME, 16, 0.3, 0.3, Hue::Blue},  // the globe
    {IDR_MAINFRAME, 32, 0.3, 0.3, Hue::Blue},
    {IDR_MAINFRAME, 48, 0.3, 0.3, Hue::Blue},
    {IDR_MAINFRAME, 32, 0.5, 0.75, Hue::Yellow},  // the arrow
    {IDI_FOLDER, 16, 0.5, 0.7, Hue::Yellow},
    {IDI_FOLDER, 32, 0.5, 0.7, Hue::Yellow},
    {IDI_FILE, 16, 0.45, 0.9, Hue::Paper},
    {IDI_FILE, 32, 0.45, 0.9, Hue::Paper},
    {IDI_PARENT, 16, 0.72, 0.8, Hue::Green},
    {IDI_PARENT, 32, 0.72, 0.8, Hue::Green},
};

struct BitmapCase {
    int id;
    int probeX, probeY;
    Hue hue;
    int cornerX, cornerY;  // a spot outside the drawing
};

const BitmapCase kBitmaps[] = {
    {IDB_GLOBE, 6, 6, Hue::Blue, 0, 0},
    {IDB_BALLOON, 5, 4, Hue::Blue, 11, 11},  // one of the dots
    {IDB_REDCROSS, 6, 6, Hue::Red, 6, 0},
    {IDB_QUESTION, 2, 6, Hue::Blue, 0, 0},
    {IDB_QUESTION, 6, 9, Hue::White, 0, 11},  // the dot of the question mark
    {IDB_HOUSE, 6, 3, Hue::Red, 0, 11},       // the roof
    {IDB_HOUSE, 5, 10, Hue::Brown, 11, 11},   // the door
};

}  // namespace

TEST(Images, IconsLoadAtEachSizeWithATransparentCornerAndTheirColour)
{
    for (const IconCase& c : kIcons) {
        SCOPED_TRACE(::testing::Message() << "icon " << c.id << " at " << c.size);
        HICON icon = static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_ICON, c.size, c.size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP color = {};
        ::GetObjectW(info.hbmColor, sizeof(color), &color);
        EXPECT_EQ(color.bmWidth, c.size);
        EXPECT_EQ(color.bmHeight, c.size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);

        Canvas canvas(c.size, c.size);
        ::DrawIconEx(canvas.Dc(), 0, 0, icon, c.size, c.size, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
        EXPECT_EQ(::GetPixel(canvas.Dc(), 0, 0), kMagenta) << "corner not transparent";
        const COLORREF probe = ::GetPixel(canvas.Dc(), int(c.probeX * c.size), int(c.probeY * c.size));
        EXPECT_TRUE(Matches(probe, c.hue)) << std::hex << probe;
    }
}

TEST(Images, EachIconSizeIsStoredIn32BitsWithSoftEdges)
{
    struct Stored { int id; int size; };
    const Stored stored[] = {
        {IDR_MAINFRAME, 16}, {IDR_MAINFRAME, 20}, {IDR_MAINFRAME, 24}, {IDR_MAINFRAME, 32}, {IDR_MAINFRAME, 48},
        {IDI_FOLDER, 16},    {IDI_FOLDER, 20},    {IDI_FOLDER, 24},    {IDI_FOLDER, 32},    {IDI_FILE, 16},
        {IDI_FILE, 20},      {IDI_FILE, 24},      {IDI_FILE, 32},      {IDI_PARENT, 16},    {IDI_PARENT, 20},
        {IDI_PARENT, 24},    {IDI_PARENT, 32},
    };
    const HMODULE module = ::GetModuleHandleW(nullptr);
    for (const Stored& c : stored) {
        SCOPED_TRACE(::testing::Message() << "icon " << c.id << " at " << c.size);
        HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(c.id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
        ASSERT_NE(group, nullptr);
        const BYTE* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(module, group)));
        int imageId = 0;
        const WORD count = *reinterpret_cast<const WORD*>(directory + 4);
        for (WORD i = 0; i < count; ++i) {
            // 14-byte entries after a 6-byte header: width, height, colours, reserved,
            // planes, bit count, bytes, id.
            const BYTE* entry = directory + 6 + 14 * i;
            const WORD bits = *reinterpret_cast<const WORD*>(entry + 6);
            if (entry[0] == c.size % 256 && bits == 32)
                imageId = *reinterpret_cast<const WORD*>(entry + 12);
        }
        ASSERT_NE(imageId, 0) << "no 32-bit image of this size";
        HRSRC image = ::FindResourceW(module, MAKEINTRESOURCEW(imageId), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_NE(image, nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(module, image)));
        // Not stretched from another size: the file holds this one.
        EXPECT_EQ(header->biWidth, c.size);
        EXPECT_EQ(header->biHeight, 2 * c.size);  // colour and mask
        ASSERT_EQ(header->biBitCount, 32);
        const BYTE* pixels = reinterpret_cast<const BYTE*>(header + 1);
        int soft = 0;
        for (int i = 0; i < c.size * c.size; ++i)
            soft += pixels[4 * i + 3] > 0 && pixels[4 * i + 3] < 255;
        EXPECT_GT(soft, 0) << "no partly transparent edge pixels: the alpha channel is missing";
    }
}

TEST(Images, MenuBitmapsAre12By12In24BitOnWhite)
{
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(::testing::Message() << "bitmap " << c.id);
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id),
                                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        ::GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 12);
        EXPECT_EQ(info.bmHeight, 12);
        EXPECT_EQ(info.bmBitsPixel, 24);

        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        // Menus combine check bitmaps with AND: white is what shows the menu through.
        EXPECT_EQ(::GetPixel(dc, c.cornerX, c.cornerY), RGB(255, 255, 255));
        const COLORREF probe = ::GetPixel(dc, c.probeX, c.probeY);
        EXPECT_TRUE(Matches(probe, c.hue)) << std::hex << probe;
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
}

TEST(Images, MenuBitmapsForLargerScalesAreDrawnAtTheirSizeOnWhite)
{
    const std::pair<int, int> drawings[] = {
        {IDB_GLOBE_15, 15},    {IDB_GLOBE_18, 18},    {IDB_GLOBE_24, 24},    {IDB_BALLOON_15, 15},
        {IDB_BALLOON_18, 18},  {IDB_BALLOON_24, 24},  {IDB_REDCROSS_15, 15}, {IDB_REDCROSS_18, 18},
        {IDB_REDCROSS_24, 24}, {IDB_QUESTION_15, 15}, {IDB_QUESTION_18, 18}, {IDB_QUESTION_24, 24},
        {IDB_HOUSE_15, 15},    {IDB_HOUSE_18, 18},    {IDB_HOUSE_24, 24},
    };
    for (const auto& [id, size] : drawings) {
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info = {};
        ::GetObjectW(bitmap, sizeof(info), &info);
        EXPECT_EQ(std::vector<int>({info.bmWidth, info.bmHeight, info.bmBitsPixel}), std::vector<int>({size, size, 24})) << id;
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(255, 255, 255)) << id;
        EXPECT_NE(::GetPixel(dc, size / 2, size / 2), RGB(255, 255, 255)) << id << ": no picture";
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
}
