#include "view/records_page.h"

#include <algorithm>
#include <string_view>

#include "media/bitmap_text.h"

namespace gp {

namespace {

// menu items: the big font and the score sheet's font.
constexpr int kRecordBigFont = 0;
constexpr int kRecordTextFont = 5;
// Glyph sizes of those fonts, pixels.
constexpr int kRecordBigAdvance = 23;
constexpr int kRecordTextAdvance = 8;
// Under the big message (which stands at half the height less 30), pixels.
constexpr int kRecordLineDrop = 36;
// The page: the title's top, the first line's top and the line spacing, pixels.
constexpr int kPageTitleY = 36;
constexpr int kPageTextY = 100;
constexpr int kPageLineStep = 20;
constexpr std::string_view kPageFooter = "CLICK OR PRESS A KEY TO PLAY ON";
constexpr int kPageFooterDrop = 48;  // the footer's top above the bottom edge, pixels
// The mark of a record on the score sheet, and its legend under the sheet.
constexpr std::string_view kMark = "*";
constexpr std::string_view kLegend = "* NEW RECORD";
constexpr int kSheetHeight = 352;

void RecordText(const Scene& sc, std::string_view text, int x, int y) {
  if (const ImageItem* font = sc.menu.Item(kRecordTextFont)) {
    DrawMenuText(sc.display, *font, text, x, y);
  }
}

// Where a text of `n` glyphs starts to stand centred: DrawMenuText leaves one
// glyph's advance before the first.
int CentredText(const Scene& sc, size_t n) {
  return (sc.display.SurfaceWidth() - kRecordTextAdvance * static_cast<int>(n + 2)) / 2;
}

int Digits(int v) {
  return static_cast<int>(std::to_string(v).size());
}

}  // namespace

void DrawRecordLine(const Scene& sc) {
  const GameState& g = gs();
  const RecordsView* r = sc.records;
  if (r == nullptr || r->line.empty() || g.bigmessagefade <= 0 || g.bigmessage != r->linefor) {
    return;
  }
  Display& d = sc.display;
  const int n = static_cast<int>(r->line.size());
  const int x = (d.SurfaceWidth() - kRecordBigAdvance * n) / 2;
  const int y = d.SurfaceHeight() / 2 - 30 + kRecordLineDrop;
  const int alpha = g.bigmessagefade * 3 / 4;
  if (const ImageItem* font = sc.menu.Item(kRecordBigFont)) {
    DrawBigText(d, *font, r->line, x + g.shimmerx1, y, alpha);
    DrawBigText(d, *font, r->line, x + g.shimmerx2, y + g.shimmery2, alpha);
  }
}

void DrawRecordsPage(const Scene& sc) {
  if (gs().gamestate != kRecordsPage) return;
  Display& d = sc.display;
  d.Fill(0);
  constexpr std::string_view kTitle = "RECORDS";
  if (const ImageItem* font = sc.menu.Item(kRecordBigFont)) {
    const int x = (d.SurfaceWidth() - kRecordBigAdvance * static_cast<int>(kTitle.size() + 2)) / 2;
    DrawBigText(d, *font, kTitle, x, kPageTitleY, 255);
  }
  if (sc.records == nullptr) return;
  size_t widest = 0;
  for (const std::string& line : sc.records->page) widest = std::max(widest, line.size());
  const int x = std::max(0, CentredText(sc, widest));
  int y = kPageTextY;
  for (const std::string& line : sc.records->page) {
    RecordText(sc, line, x, y);
    y += kPageLineStep;
  }
  RecordText(sc, kPageFooter, CentredText(sc, kPageFooter.size()),
             d.SurfaceHeight() - kPageFooterDrop);
}

void DrawRecordMarks(const Scene& sc, int ox, int oy) {
  const GameState& g = gs();
  const RecordsView* r = sc.records;
  if (r == nullptr || !g.gameover) return;
  bool any = false;
  for (int k = 1; k <= std::min(g.numplayers, kMaxPlayers); ++k) {
    const Ball& p = g.players[k];
    const int y = oy + 36 * k + 139;
    for (int j = 1; j <= kMaxHoles; ++j) {
      if (!r->hole[static_cast<size_t>(k)][static_cast<size_t>(j)] || p.holestrokes[j] == 0)
        continue;
      RecordText(sc, kMark, ox + 39 * j + 128 + kRecordTextAdvance * Digits(p.holestrokes[j]), y);
      any = true;
    }
    if (r->course[static_cast<size_t>(k)]) {
      const int tx = p.total >= 10 ? ox + 526 : ox + 534;
      RecordText(sc, kMark, tx + kRecordTextAdvance * Digits(p.total), y);
      any = true;
    }
  }
  if (any) RecordText(sc, kLegend, CentredText(sc, kLegend.size()), oy + kSheetHeight + 8);
}

}  // namespace gp
