#pragma once
// What the game shows of the records: a line under the big message when a
// hole result sets a record, the marks on the final score details, and the
// records page (game state 5, opened by F2). The game window fills
// RecordsView from the records file; drawing only reads it.

#include <array>
#include <string>
#include <vector>

#include "game/state.h"
#include "view/scene.h"

namespace gp {

struct RecordsView {
  // Drawn under the big message while the big message is `linefor` (the
  // result that set the record) and has not faded.
  std::string line;
  std::string linefor;
  // Results of this game that hold their hole's record: [player][hole number].
  std::array<std::array<bool, kMaxHoles + 1>, kMaxPlayers + 1> hole{};
  // Players of this game who hold the course's record with this game.
  std::array<bool, kMaxPlayers + 1> course{};
  // The records page, one line per entry; an empty line leaves a gap.
  std::vector<std::string> page;
};

// The line under the big message (after DrawMessages).
void DrawRecordLine(const Scene& sc);
// The records page when `gamestate` is kRecordsPage (part of DrawPages).
void DrawRecordsPage(const Scene& sc);
// The marks of new records on the score sheet whose top left is (ox, oy).
void DrawRecordMarks(const Scene& sc, int ox, int oy);

}  // namespace gp
