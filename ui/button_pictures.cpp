#include "ui/button_pictures.h"

#include <initializer_list>

namespace dx::ui {
namespace {

// Draws on a 16 x 16 grid placed at `origin`, scaled to the DPI.
class Canvas {
 public:
  Canvas(HDC dc, POINT origin, int dpi, bool grey) : dc_(dc), origin_(origin), dpi_(dpi), grey_(grey) {}

  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    HBRUSH brush = CreateSolidBrush(Tone(fill));
    HPEN pen = CreatePen(PS_SOLID, 1, Tone(edge));
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    Rectangle(dc_, X(l), Y(t), X(r), Y(b));
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }
  void Fill(int l, int t, int r, int b, COLORREF colour) { Box(l, t, r, b, colour, colour); }
  void Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, Tone(colour));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, X(x1), Y(y1), nullptr);
    LineTo(dc_, X(x2), Y(y2));
    SelectObject(dc_, old);
    DeleteObject(pen);
  }
  void Polygon(std::initializer_list<POINT> corners, COLORREF colour) {
    POINT points[8];
    int count = 0;
    for (POINT p : corners) points[count++] = {X(p.x), Y(p.y)};
    HBRUSH brush = CreateSolidBrush(Tone(colour));
    HPEN pen = CreatePen(PS_SOLID, 1, Tone(colour));
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    ::Polygon(dc_, points, count);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }

 private:
  int X(int v) const { return origin_.x + layout::Scaled(v, dpi_); }
  int Y(int v) const { return origin_.y + layout::Scaled(v, dpi_); }
  COLORREF Tone(COLORREF c) const {
    if (!grey_) return c;
    const int light = (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10;
    const int g = 128 + light / 2;
    return RGB(g, g, g);
  }

  HDC dc_;
  POINT origin_;
  int dpi_;
  bool grey_;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr COLORREF kYellow = RGB(230, 190, 0);

void DrawSheet(Canvas& c, int l, int t, int r, int b) {
  c.Box(l, t, r, b, kWhite, kBlack);
  c.Polygon({{r - 3, t}, {r - 1, t}, {r - 1, t + 2}}, RGB(192, 192, 192));
  for (int y = t + 3; y < b - 2; y += 2) c.Line(l + 2, y, r - 3, y, RGB(128, 128, 128));
}

void DrawLoad(Canvas& c) {
  DrawSheet(c, 4, 3, 12, 14);
  c.Line(1, 1, 3, 3, kYellow);
  c.Line(8, 0, 8, 2, kYellow);
  c.Line(15, 1, 13, 3, kYellow);
  c.Line(0, 8, 3, 8, kYellow);
  c.Line(13, 8, 16, 8, kYellow);
  c.Line(1, 15, 3, 13, kYellow);
  c.Line(15, 15, 13, 13, kYellow);
}

void DrawSave(Canvas& c) {
  DrawSheet(c, 1, 0, 8, 8);
  // The floppy: body, shutter and label.
  c.Box(3, 8, 16, 16, RGB(40, 40, 150), kBlack);
  c.Fill(6, 8, 12, 11, RGB(192, 192, 192));
  c.Fill(5, 12, 14, 16, kWhite);
  // The arrow down into it.
  c.Fill(10, 0, 13, 6, kRed);
  c.Polygon({{8, 5}, {15, 5}, {11, 10}}, kRed);
}

void DrawWindowFlag(Canvas& c) {
  // Four waving panes, 16 x 14.
  c.Polygon({{1, 2}, {7, 1}, {7, 7}, {1, 7}}, RGB(230, 40, 20));
  c.Polygon({{8, 1}, {15, 0}, {15, 6}, {8, 7}}, RGB(40, 170, 40));
  c.Polygon({{1, 8}, {7, 8}, {7, 14}, {1, 13}}, RGB(30, 80, 220));
  c.Polygon({{8, 8}, {15, 7}, {15, 13}, {8, 14}}, RGB(240, 200, 0));
}

}  // namespace

void DrawPictureButton(const DRAWITEMSTRUCT& item, layout::Picture picture, int dpi) {
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (pressed) DrawEdge(item.hDC, &box, BDR_SUNKENOUTER, BF_RECT);
  const int size = layout::Scaled(16, dpi);
  POINT origin{(box.left + box.right - size) / 2 + (pressed ? 1 : 0),
               (box.top + box.bottom - size) / 2 + (pressed ? 1 : 0)};
  Canvas canvas(item.hDC, origin, dpi, (item.itemState & ODS_DISABLED) != 0);
  switch (picture) {
    case layout::Picture::Load:
      DrawLoad(canvas);
      break;
    case layout::Picture::Save:
      DrawSave(canvas);
      break;
    case layout::Picture::WindowFlag:
      DrawWindowFlag(canvas);
      break;
    case layout::Picture::None:
      break;
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace dx::ui
