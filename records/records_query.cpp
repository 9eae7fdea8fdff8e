// What the records store derives: the records of holes and courses, each
// player's statistics, and which results of a game hold records now.

#include "base/text_codepage.h"
#include "records/records_store.h"

namespace gp {

namespace {

// Every hole result that counts for a hole record, ranked within its course
// and hole: fewest strokes first, then the first to reach them (row order is
// the order results were holed). ?1: 1 for people, 0 for computers.
constexpr const char* kRankedHoles = R"sql(
  SELECT g.course AS course, h.hole AS hole, h.par AS par, h.strokes AS strokes,
         p.name AS name, p.computer AS computer, h.date AS date, h.game AS game,
         h.slot AS slot, h.number AS number,
         MIN(h.number) OVER (PARTITION BY g.course, h.hole) AS place,
         ROW_NUMBER() OVER (PARTITION BY g.course, h.hole ORDER BY h.strokes, h.id) AS rank
  FROM holes h
  JOIN games g ON g.id = h.game
  JOIN players p ON p.game = h.game AND p.slot = h.slot
  WHERE h.holed = 1 AND (p.computer = 0) = ?1
)sql";

// Every finished whole-course result, ranked within its course: fewest
// strokes first, then the first game to finish, then player order.
constexpr const char* kRankedCourses = R"sql(
  SELECT g.course AS course, p.total AS total, p.topar AS topar, p.name AS name,
         p.computer AS computer, g.finished AS date, p.game AS game, p.slot AS slot,
         ROW_NUMBER() OVER (PARTITION BY g.course ORDER BY p.total, g.endorder, p.slot) AS rank
  FROM players p
  JOIN games g ON g.id = p.game
  WHERE g.finished IS NOT NULL AND g.wholecourse = 1 AND p.total IS NOT NULL
    AND (p.computer = 0) = ?1
)sql";

std::string Sql(const char* ranked, const char* rest) {
  return std::string("SELECT * FROM (") + ranked + ") " + rest;
}

int AsInt(int64_t v) {
  return static_cast<int>(v);
}

}  // namespace

// Runs a query that fills `out`: without an open file, or when the query
// fails (told once), the list is empty and queryfailed() says so.
template <class T, class Fill>
std::vector<T> RecordsStore::Gather(Fill fill) {
  std::vector<T> out;
  queryfailed_ = !readable();
  if (queryfailed_) return out;
  try {
    fill(out);
  } catch (const sql::SqlError& e) {
    Failed(e);
    queryfailed_ = true;
    out.clear();
  }
  return out;
}

std::vector<HoleRecord> RecordsStore::HoleRecords(Who who, const std::string& course) {
  return Gather<HoleRecord>([&](std::vector<HoleRecord>& out) {
    const std::string sql = Sql(
        kRankedHoles, "WHERE rank = 1 AND (?2 = '' OR course = ?2) ORDER BY course, place, hole");
    sql::Statement st(db_, sql.c_str());
    st.BindAll(who == Who::kPeople, NameToUtf8(course));
    while (st.Step()) {
      HoleRecord r;
      r.course = PlayerName(st.Text(0));
      r.hole = st.Text(1);
      r.par = AsInt(st.Int(2));
      r.strokes = AsInt(st.Int(3));
      r.name = PlayerName(st.Text(4));
      r.computer = AsInt(st.Int(5));
      r.date = st.Text(6);
      out.push_back(r);
    }
  });
}

std::vector<CourseRecord> RecordsStore::CourseRecords(Who who, const std::string& course) {
  return Gather<CourseRecord>([&](std::vector<CourseRecord>& out) {
    const std::string sql =
        Sql(kRankedCourses, "WHERE rank = 1 AND (?2 = '' OR course = ?2) ORDER BY course");
    sql::Statement st(db_, sql.c_str());
    st.BindAll(who == Who::kPeople, NameToUtf8(course));
    while (st.Step()) {
      CourseRecord r;
      r.course = PlayerName(st.Text(0));
      r.total = AsInt(st.Int(1));
      r.topar = AsInt(st.Int(2));
      r.name = PlayerName(st.Text(3));
      r.computer = AsInt(st.Int(4));
      r.date = st.Text(5);
      out.push_back(r);
    }
  });
}

std::vector<PlayerStats> RecordsStore::Players() {
  return Gather<PlayerStats>([&](std::vector<PlayerStats>& out) {
    sql::Statement st(db_, R"sql(
        WITH games_of AS (
          SELECT p.name AS name, p.computer AS computer,
                 COUNT(DISTINCT CASE WHEN g.finished IS NOT NULL THEN g.id END) AS games,
                 COUNT(DISTINCT CASE WHEN g.finished IS NOT NULL AND p.won = 1 THEN g.id END) AS wins,
                 COUNT(DISTINCT CASE WHEN g.finished IS NULL THEN g.id END) AS unfinished
          FROM players p JOIN games g ON g.id = p.game
          GROUP BY p.name, p.computer),
        holes_of AS (
          SELECT p.name AS name, p.computer AS computer,
                 SUM(h.strokes = 1 AND h.holed = 1) AS holesinone,
                 COUNT(*) AS holes, AVG(h.strokes - h.par) AS vspar
          FROM holes h JOIN players p ON p.game = h.game AND p.slot = h.slot
          GROUP BY p.name, p.computer)
        SELECT a.name, a.computer, a.games, a.wins, a.unfinished,
               IFNULL(b.holesinone, 0), IFNULL(b.holes, 0), IFNULL(b.vspar, 0)
        FROM games_of a LEFT JOIN holes_of b ON b.name = a.name AND b.computer = a.computer
        ORDER BY a.games DESC, a.computer, a.name
      )sql");
    while (st.Step()) {
      PlayerStats p;
      p.name = PlayerName(st.Text(0));
      p.computer = AsInt(st.Int(1));
      p.games = AsInt(st.Int(2));
      p.wins = AsInt(st.Int(3));
      p.unfinished = AsInt(st.Int(4));
      p.holesinone = AsInt(st.Int(5));
      p.holes = AsInt(st.Int(6));
      p.averagevspar = st.Real(7);
      out.push_back(p);
    }
  });
}

std::vector<std::pair<int, int>> RecordsStore::HeldHoleRecords(const std::string& uid) {
  return Gather<std::pair<int, int>>([&](std::vector<std::pair<int, int>>& out) {
    const std::string sql = Sql(kRankedHoles,
                                "WHERE rank = 1 AND game = (SELECT id FROM games WHERE uid = ?2) "
                                "ORDER BY slot, number");
    sql::Statement st(db_, sql.c_str());
    st.BindAll(true, uid);
    while (st.Step()) out.emplace_back(AsInt(st.Int(8)), AsInt(st.Int(9)));
  });
}

std::vector<int> RecordsStore::HeldCourseRecords(const std::string& uid) {
  return Gather<int>([&](std::vector<int>& out) {
    const std::string sql =
        Sql(kRankedCourses, "WHERE rank = 1 AND game = (SELECT id FROM games WHERE uid = ?2)");
    sql::Statement st(db_, sql.c_str());
    st.BindAll(true, uid);
    while (st.Step()) out.push_back(AsInt(st.Int(7)));
  });
}

}  // namespace gp
