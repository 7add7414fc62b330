#include "tools/mkicons/IconArt.h"

namespace mkicons {
namespace {

using namespace colour;

// A sheet of paper with a folded top-right corner, optionally ruled.
void Page(Canvas& c, int x0, int y0, int x1, int y1, Rgba rule = kClear) {
    c.Fill(x0, y0, x1, y1, kWhite);
    for (int d = 0; d < 3; ++d) c.Fill(x1 - 2 + d, y0 + d, x1, y0 + d, kClear);
    c.Line(x0, y0, x1 - 3, y0, kBlack);
    c.Line(x1 - 3, y0, x1, y0 + 3, kBlack);
    c.Line(x1, y0 + 3, x1, y1, kBlack);
    c.Line(x0, y1, x1, y1, kBlack);
    c.Line(x0, y0, x0, y1, kBlack);
    c.Line(x1 - 3, y0, x1 - 3, y0 + 3, kBlack);
    c.Line(x1 - 3, y0 + 3, x1, y0 + 3, kBlack);
    c.Set(x1 - 2, y0 + 1, kSilver);
    c.Set(x1 - 2, y0 + 2, kSilver);
    c.Set(x1 - 1, y0 + 2, kSilver);
    if (rule.a)
        for (int y = y0 + 5; y <= y1 - 2; y += 2) c.Line(x0 + 2, y, x1 - 2, y, rule);
}

// A lens around (cx, cy) with a handle running down to the right.
void Magnifier(Canvas& c, double cx, double cy, double r, int handleEnd, int handleWidth) {
    const int start = static_cast<int>(cx + r * 0.62);
    c.ThickLine(start, start, handleEnd - handleWidth + 1, handleEnd - handleWidth + 1, handleWidth, kUmber);
    c.Disc(cx, cy, r, kSky);
    c.Ring(cx, cy, r - 1.1, r, kBlack);
    c.Ring(cx, cy, r - 2.3, r - 1.4, kWhite, 100, 170);
}

bool Floppy(Canvas& c) {
    return c.Map(0, 0, {
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbbsssssssbbbk.",
        ".kbbsssssgsbbbk.",
        ".kbbsssssgsbbbk.",
        ".kbbsssssssbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwggggggggwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kbwwwwwwwwwwbk.",
        ".kkkkkkkkkkkkkk.",
        "................",
    });
}

bool Printer(Canvas& c) {
    return c.Map(0, 0, {
        "................",
        "...kkkkkkkkk....",
        "...kwwwwwwwk....",
        "...kwgggggwk....",
        "...kwwwwwwwk....",
        ".kkkkkkkkkkkkkk.",
        "kssssssssssssssk",
        "ksssssssssssGGsk",
        "kssssssssssssssk",
        "kggggggggggggggk",
        "kgkkkkkkkkkkkkgk",
        "kkkwwwwwwwwwwkkk",
        "..kwwwwwwwwwwk..",
        "..kwggggggggwk..",
        "..kkkkkkkkkkkk..",
        "................",
    });
}

bool New(Canvas& c) {
    Page(c, 3, 1, 12, 14);
    return c.Map(0, 0, {
        "..y..",
        "..y..",
        "yyoyy",
        "..y..",
        "..y..",
    });
}

bool Open(Canvas& c) {
    return c.Map(0, 1, {
        "................",
        ".kkkk...........",
        "kyyyyk..........",
        "kyyyyykkkkkkk...",
        "kyyyyyyyyyyyk...",
        "kyyyyyyyyyyyk...",
        "kyyykkkkkkkkkkkk",
        "kyykoooooooooook",
        "kykoooooooooook.",
        "kkoooooooooook..",
        "koooooooooook...",
        "kkkkkkkkkkkk....",
    });
}

bool Close(Canvas& c) {
    c.Fill(1, 2, 14, 13, kWhite);
    c.Frame(1, 2, 14, 13, kBlack);
    c.Fill(2, 3, 13, 5, kBlue);
    c.Fill(10, 3, 12, 5, kRed);
    for (int y = 8; y <= 11; y += 3) c.Line(3, y, 12, y, kSilver);
    return c.Map(10, 3, {
        "w.w",
        ".w.",
        "w.w",
    });
}

bool Save(Canvas& c) { return Floppy(c); }

bool SaveAs(Canvas& c) {
    return c.Map(0, 0, {
        "kkkkkkkkkkk.....",
        "kbsssssssbk.....",
        "kbssssgssbk.....",
        "kbsssssssbk.....",
        "kbbbbbbbbbk.....",
        "kbwwwwwwwbk.....",
        "kbwgggggwbk.....",
        "kbwwwwwwwbk...kr",
        "kbwgggggwbk..kyk",
        "kbwwwwwwwbk.kyk.",
        "kkkkkkkkkkkkyk..",
        "..........kyk...",
        ".........kyk....",
        "........kmk.....",
        ".......kk.......",
        "................",
    });
}

bool Print(Canvas& c) { return Printer(c); }

bool PrintSetup(Canvas& c) {
    return Printer(c) && c.Map(9, 9, {
        "...k...",
        ".kkgkk.",
        ".kgggk.",
        "kggwggk",
        ".kgggk.",
        ".kkgkk.",
        "...k...",
    });
}

bool PrintPreview(Canvas& c) {
    Page(c, 1, 0, 10, 12, kGrey);
    Magnifier(c, 10, 10, 4, 15, 2);
    return true;
}

bool Exit(Canvas& c) {
    c.Fill(1, 1, 8, 14, kUmber);
    c.Fill(2, 2, 7, 14, kDark);
    c.Fill(2, 3, 5, 15, kBrown);
    c.Line(2, 3, 2, 15, kUmber);
    c.Set(4, 9, kYellow);
    c.Fill(6, 7, 10, 9, kGreen);
    for (int x = 11; x <= 15; ++x) c.Line(x, 4 + (x - 11), x, 12 - (x - 11), kGreen);
    return true;
}

// An arc over the top from right to left, its head pointing down at the left.
bool Undo(Canvas& c) {
    c.Ring(8.5, 9.5, 3.2, 5.4, kBlue, -40, 180);
    return c.Map(0, 9, {
        "kkkkkkkk",
        ".kbbbbk.",
        "..kbbk..",
        "...kk...",
    }) && c.Map(0, 9, {
        ".bbbbbb.",
    });
}

bool Redo(Canvas& c) {
    const bool ok = Undo(c);
    c.Mirror();
    return ok;
}

bool Refresh(Canvas& c) {
    c.Ring(8, 8, 3.3, 5.5, kGreen, 20, 165);
    c.Ring(8, 8, 3.3, 5.5, kGreen, 200, 345);
    return c.Map(0, 7, {
        "GGGGGGG",
        ".GGGGG.",
        "..GGG..",
        "...G...",
    }) && c.Map(9, 5, {
        "...G...",
        "..GGG..",
        ".GGGGG.",
        "GGGGGGG",
    });
}

bool Cut(Canvas& c) {
    c.ThickLine(4, 0, 10, 9, 2, kGrey);
    c.ThickLine(10, 0, 4, 9, 2, kGrey);
    c.Line(4, 0, 9, 8, kSilver);
    c.Line(11, 0, 6, 8, kSilver);
    c.Fill(7, 4, 8, 5, kBlack);
    c.Ring(4.5, 12.5, 1.2, 3.2, kRed);
    c.Ring(11.5, 12.5, 1.2, 3.2, kRed);
    return true;
}

bool Copy(Canvas& c) {
    Page(c, 1, 0, 9, 10, kGrey);
    Page(c, 6, 5, 14, 15, kBlue);
    return true;
}

bool Paste(Canvas& c) {
    c.Fill(1, 2, 11, 15, kBrown);
    c.Frame(1, 2, 11, 15, kUmber);
    c.Fill(4, 1, 8, 3, kSilver);
    c.Frame(4, 1, 8, 3, kDark);
    Page(c, 6, 6, 14, 15, kBlue);
    return true;
}

bool Delete(Canvas& c) {
    c.ThickLine(2, 2, 11, 11, 3, kRed);
    c.ThickLine(11, 2, 2, 11, 3, kRed);
    c.Line(2, 2, 11, 11, kMaroon);
    c.Line(13, 2, 4, 11, kMaroon);
    return true;
}

bool Find(Canvas& c) {
    Magnifier(c, 6, 6, 5.2, 15, 3);
    return true;
}

bool Replace(Canvas& c) {
    c.Fill(0, 0, 7, 7, kWhite);
    c.Frame(0, 0, 7, 7, kGrey);
    c.Fill(8, 8, 15, 15, kWhite);
    c.Frame(8, 8, 15, 15, kGrey);
    c.Fill(2, 8, 3, 12, kGreen);
    c.Fill(2, 11, 5, 12, kGreen);
    return c.Map(2, 2, {
        ".kkk.",
        "k...k",
        "kkkkk",
        "k...k",
        "k...k",
    }) && c.Map(10, 10, {
        "bbbb.",
        "b...b",
        "bbbb.",
        "b...b",
        "bbbb.",
    }) && c.Map(5, 9, {
        "G..",
        "GG.",
        "GGG",
        "GGG",
        "GG.",
        "G..",
    });
}

bool SelectAll(Canvas& c) {
    for (int i = 0; i < Canvas::kGrid; ++i)
        if (i % 2 == 0) {
            c.Set(i, 0, kBlack);
            c.Set(i, 15, kBlack);
            c.Set(0, i, kBlack);
            c.Set(15, i, kBlack);
        }
    c.Fill(2, 2, 13, 13, kSky);
    for (int y = 4; y <= 10; y += 2) c.Line(4, y, 11, y, kNavy);
    c.Line(4, 12, 8, 12, kNavy);
    return true;
}

void Badge(Canvas& c) {
    c.Disc(8, 8, 7.6, kBlue);
    c.Ring(8, 8, 6.7, 7.6, kNavy);
}

bool Help(Canvas& c) {
    Badge(c);
    return c.Map(5, 3, {
        ".wwww.",
        "ww..ww",
        "....ww",
        "...ww.",
        "..ww..",
        "..ww..",
        "......",
        "..ww..",
        "..ww..",
    });
}

bool About(Canvas& c) {
    Badge(c);
    return c.Map(6, 3, {
        ".ww.",
        ".ww.",
        "....",
        "www.",
        ".ww.",
        ".ww.",
        ".ww.",
        ".ww.",
        "wwww",
    });
}

bool ZoomIn(Canvas& c) {
    Magnifier(c, 6, 6, 5.2, 15, 3);
    c.Fill(3, 5, 8, 6, kBlack);
    c.Fill(5, 3, 6, 8, kBlack);
    return true;
}

bool ZoomOut(Canvas& c) {
    Magnifier(c, 6, 6, 5.2, 15, 3);
    c.Fill(3, 5, 8, 6, kBlack);
    return true;
}

bool Properties(Canvas& c) {
    c.Fill(0, 1, 15, 14, kWhite);
    c.Frame(0, 1, 15, 14, kBlack);
    c.Fill(1, 2, 14, 4, kBlue);
    for (int y = 6; y <= 12; y += 3) {
        c.Fill(2, y, 3, y + 1, kOchre);
        c.Line(5, y, 13, y, kGrey);
        c.Line(5, y + 1, 10, y + 1, kSilver);
    }
    return true;
}

bool CheckMark(Canvas& c) {
    c.ThickLine(2, 7, 5, 10, 2, kBlack);
    c.ThickLine(5, 10, 12, 3, 2, kBlack);
    return true;
}

}  // namespace

const std::vector<IconArt>& AllIcons() {
    static const std::vector<IconArt> icons = {
        {"New", New},
        {"Open", Open},
        {"Close", Close},
        {"Save", Save},
        {"Save_As", SaveAs},
        {"Print", Print},
        {"Print_Setup", PrintSetup},
        {"Print_Preview", PrintPreview},
        {"Exit", Exit},
        {"Undo", Undo},
        {"Redo", Redo},
        {"Cut", Cut},
        {"Copy", Copy},
        {"Paste", Paste},
        {"Delete", Delete},
        {"Find", Find},
        {"Replace", Replace},
        {"Select_All", SelectAll},
        {"Help", Help},
        {"About", About},
        {"Zoom_In", ZoomIn},
        {"Zoom_Out", ZoomOut},
        {"Refresh", Refresh},
        {"Properties", Properties},
        {"CHECKMARK", CheckMark},
    };
    return icons;
}

}  // namespace mkicons
