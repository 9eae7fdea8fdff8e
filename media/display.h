#pragma once
// The game's display: a software RGB565 back buffer presented through the
// platform (the platform's own frame buffer where it lends one, so that
// presenting copies nothing). Every drawing operation is clipped to the buffer; a bad pattern
// index or an unprepared item draws nothing.

#include <cstdint>
#include <vector>

#include "media/blend_rows.h"
#include "media/image_list.h"

namespace gp {

class Platform;

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// One-pixel lines and points over the back buffer (particles).
class Canvas {
 public:
  void SetPenColour(uint32_t colour);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // end point excluded
  void SetCanvasPixel(int x, int y, uint32_t colour);

 private:
  friend class Display;
  explicit Canvas(class Display* d) : display_(d) {}
  class Display* display_;
  uint16_t pen_ = 0;
  int cx_ = 0, cy_ = 0;
};

class Display {
 public:
  // Starts the display at width x height on the platform (nullptr: memory only).
  bool Start(Platform* platform, int width, int height, bool vsync);
  void Finalize();
  bool Running() const { return running_; }

  bool CanDraw();
  int SurfaceWidth() const { return width_; }
  int SurfaceHeight() const { return height_; }
  void Fill(uint16_t native);
  void Flip();
  static uint16_t ColorMatch(uint32_t colour);  // 0x00BBGGRR -> RGB565
  void SetPixelNative(int x, int y, uint16_t native);
  void FillRectAlpha(Rect r, uint32_t colour, int alpha);

  void Draw(const ImageItem& item, int pattern, int x, int y);
  void DrawAdd(const ImageItem& item, int pattern, Rect dst, int alpha);
  void DrawAlpha(const ImageItem& item, int pattern, Rect dst, int alpha);
  void DrawSub(const ImageItem& item, int pattern, Rect dst, int alpha);

  Canvas GetCanvas() { return Canvas(this); }

  // True while drawing reaches the back buffer: running and not lost.
  bool Drawable() const { return running_ && !lost_; }

  // Direct access for the ball drawing and screenshots.
  uint16_t* Pixels() { return pixels_; }
  const uint16_t* Pixels() const { return pixels_; }
  int Pitch() const { return width_; }  // in pixels

  // The pixel loops of the blends: the vector ones unless a test asks for the
  // plain ones (both draw the same pixels).
  void SetBlendPath(BlendPath path) { path_ = path; }

 private:
  void Blend(const ImageItem& item, int pattern, Rect dst, BlendKind kind, int alpha);
  void DrawKeyedRow(const ImageItem& item, size_t runs_at, const uint16_t* srow, uint16_t* drow,
                    int x, int x0, int x1);

  Platform* platform_ = nullptr;
  bool running_ = false;
  bool vsync_ = false;
  bool lost_ = false;  // surfaces lost; drawing does nothing until CanDraw restores them
  int width_ = 0, height_ = 0;
  // The back buffer: the platform's frame buffer when it lends one, else back_.
  uint16_t* pixels_ = nullptr;
  std::vector<uint16_t> back_;
  BlendPath path_ = BlendPath::kVector;
  // Scratch of one row for stretched blends, each as wide as the buffer: the
  // source column of every destination column, and the source pixels gathered.
  std::vector<int32_t> columns_;
  std::vector<uint16_t> gathered_;
};

}  // namespace gp
