#include "store.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <memory>

namespace board {
namespace {

const char* const kSchema = R"(
CREATE TABLE IF NOT EXISTS players(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  name_key TEXT NOT NULL UNIQUE,
  token_sha TEXT NOT NULL UNIQUE,
  created INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS runs(
  seq INTEGER PRIMARY KEY,
  id TEXT NOT NULL UNIQUE,
  player INTEGER NOT NULL REFERENCES players(id),
  sha256 TEXT NOT NULL UNIQUE,
  state TEXT NOT NULL CHECK (state IN ('checking', 'accepted', 'refused')),
  uploaded INTEGER NOT NULL,
  checked INTEGER,
  board TEXT, k1 INTEGER, k2 INTEGER, value TEXT,
  reason TEXT,
  retry INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS runs_checking ON runs(state) WHERE state = 'checking';
CREATE INDEX IF NOT EXISTS runs_best ON runs(player, board, k1 DESC, k2 DESC, seq) WHERE state = 'accepted';
CREATE TABLE IF NOT EXISTS entries(
  board TEXT NOT NULL,
  player INTEGER NOT NULL REFERENCES players(id),
  seq INTEGER NOT NULL REFERENCES runs(seq),
  k1 INTEGER NOT NULL,
  k2 INTEGER NOT NULL,
  PRIMARY KEY (board, player));
CREATE INDEX IF NOT EXISTS entries_rank ON entries(board, k1 DESC, k2 DESC, seq);
PRAGMA user_version = 1;
)";

const char* const kRunColumns =
    "SELECT r.seq, r.id, r.player, p.name, r.state, coalesce(r.board, ''), coalesce(r.value, ''), "
    "coalesce(r.reason, ''), coalesce(r.k1, 0), coalesce(r.k2, 0), r.uploaded, r.retry "
    "FROM runs r JOIN players p ON p.id = r.player ";

// The order of a board, as a condition: the entry (?k1, ?k2, ?seq) is behind the row.
const char* const kAhead = "(k1 > ?2 OR (k1 = ?2 AND (k2 > ?3 OR (k2 = ?3 AND seq < ?4))))";

struct Conn {
    sqlite3* db = nullptr;
    std::map<const char*, sqlite3_stmt*> cache;  // keyed by the literal's address: each SQL text is a constant
    ~Conn() {
        for (auto& [sql, st] : cache) sqlite3_finalize(st);
        sqlite3_close_v2(db);
    }
};

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw DbError(what + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}

void Exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "?";
        sqlite3_free(err);
        throw DbError(std::string(sql).substr(0, 40) + ": " + msg);
    }
}

thread_local std::unique_ptr<Conn> t_conn;
thread_local std::string t_conn_path;

Conn& Open(const std::string& path) {
    if (t_conn && t_conn_path == path) return *t_conn;
    auto c = std::make_unique<Conn>();
    if (sqlite3_open_v2(path.c_str(), &c->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        Fail(c->db, "open " + path);
    sqlite3_extended_result_codes(c->db, 1);
    sqlite3_busy_timeout(c->db, 15000);
    // FULL: an upload answered 202 must survive a power cut, not only a crash of this process.
    Exec(c->db, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
    t_conn = std::move(c);
    t_conn_path = path;
    return *t_conn;
}

class Stmt {
public:
    Stmt(Conn& c, const char* sql) : db_(c.db) {
        auto it = c.cache.find(sql);
        if (it == c.cache.end()) {
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v3(c.db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
                Fail(c.db, std::string("prepare ") + sql);
            it = c.cache.emplace(sql, st).first;
        }
        st_ = it->second;
    }
    ~Stmt() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    Stmt& Bind(int i, int64_t v) {
        Check(sqlite3_bind_int64(st_, i, v));
        return *this;
    }
    Stmt& Bind(int i, const std::string& v) {
        Check(sqlite3_bind_text(st_, i, v.data(), int(v.size()), SQLITE_TRANSIENT));
        return *this;
    }
    bool Step() {  // true: a row
        int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        Fail(db_, "step");
    }
    // Runs the statement; false if it broke a UNIQUE constraint.
    bool TryRun() {
        int rc = sqlite3_step(st_);
        if (rc == SQLITE_DONE || rc == SQLITE_ROW) return true;
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY) return false;
        Fail(db_, "step");
    }
    void Run() { Step(); }
    int64_t Int(int col) { return sqlite3_column_int64(st_, col); }
    std::string Text(int col) {
        auto p = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
        return p ? std::string(p, size_t(sqlite3_column_bytes(st_, col))) : std::string();
    }

private:
    void Check(int rc) {
        if (rc != SQLITE_OK) Fail(db_, "bind");
    }
    sqlite3* db_;
    sqlite3_stmt* st_;
};

// BEGIN IMMEDIATE takes the write lock at once, so two writers wait for each other instead of failing.
class Tx {
public:
    explicit Tx(Conn& c) : c_(c) { Stmt(c_, "BEGIN IMMEDIATE").Run(); }
    void Commit() {
        Stmt(c_, "COMMIT").Run();
        done_ = true;
    }
    ~Tx() {
        if (!done_) sqlite3_exec(c_.db, "ROLLBACK", nullptr, nullptr, nullptr);
    }

private:
    Conn& c_;
    bool done_ = false;
};

Run ReadRun(Stmt& s) {
    Run r;
    r.seq = s.Int(0);
    r.id = s.Text(1);
    r.player = s.Int(2);
    r.player_name = s.Text(3);
    r.state = s.Text(4);
    r.board = s.Text(5);
    r.value = s.Text(6);
    r.reason = s.Text(7);
    r.k1 = s.Int(8);
    r.k2 = s.Int(9);
    r.uploaded = s.Int(10);
    r.retry = s.Int(11) != 0;
    return r;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// The player's best accepted run on the board becomes their entry (or they have none).
void RefreshEntry(Conn& c, const std::string& board, int64_t player) {
    static const char* del = "DELETE FROM entries WHERE board = ?1 AND player = ?2";
    Stmt(c, del).Bind(1, board).Bind(2, player).Run();
    static const char* ins =
        "INSERT INTO entries(board, player, seq, k1, k2) SELECT board, player, seq, k1, k2 FROM runs "
        "WHERE player = ?2 AND board = ?1 AND state = 'accepted' ORDER BY k1 DESC, k2 DESC, seq LIMIT 1";
    Stmt(c, ins).Bind(1, board).Bind(2, player).Run();
}

}  // namespace

Store::Store(const std::string& path) : path_(path) {
    Conn& c = Open(path_);
    Exec(c.db, "PRAGMA journal_mode = WAL;");
    Exec(c.db, kSchema);
}

bool Store::AddPlayer(const std::string& name, const std::string& token_sha) {
    Conn& c = Open(path_);
    static const char* sql = "INSERT INTO players(name, name_key, token_sha, created) VALUES(?1, ?2, ?3, ?4)";
    return Stmt(c, sql).Bind(1, name).Bind(2, Lower(name)).Bind(3, token_sha).Bind(4, int64_t(time(nullptr))).TryRun();
}

std::optional<Player> Store::PlayerByToken(const std::string& token_sha) {
    Conn& c = Open(path_);
    Stmt s(c, "SELECT id, name FROM players WHERE token_sha = ?1");
    s.Bind(1, token_sha);
    if (!s.Step()) return std::nullopt;
    return Player{s.Int(0), s.Text(1)};
}

std::optional<Run> Store::RunById(const std::string& id) {
    Conn& c = Open(path_);
    static const std::string sql = std::string(kRunColumns) + "WHERE r.id = ?1";
    Stmt s(c, sql.c_str());
    s.Bind(1, id);
    if (!s.Step()) return std::nullopt;
    return ReadRun(s);
}

std::optional<Run> Store::RunBySha(const std::string& sha) {
    Conn& c = Open(path_);
    static const std::string sql = std::string(kRunColumns) + "WHERE r.sha256 = ?1";
    Stmt s(c, sql.c_str());
    s.Bind(1, sha);
    if (!s.Step()) return std::nullopt;
    return ReadRun(s);
}

bool Store::AddRun(const std::string& id, int64_t player, const std::string& sha, int64_t now) {
    Conn& c = Open(path_);
    static const char* sql =
        "INSERT INTO runs(id, player, sha256, state, uploaded) VALUES(?1, ?2, ?3, 'checking', ?4)";
    return Stmt(c, sql).Bind(1, id).Bind(2, player).Bind(3, sha).Bind(4, now).TryRun();
}

bool Store::Recheck(const std::string& id) {
    Conn& c = Open(path_);
    static const char* sql =
        "UPDATE runs SET state = 'checking', reason = NULL, retry = 0 WHERE id = ?1 AND state = 'refused' AND retry = 1";
    Stmt(c, sql).Bind(1, id).Run();
    return sqlite3_changes(c.db) == 1;
}

static std::vector<std::string> Ids(Conn& c, const char* sql) {
    std::vector<std::string> ids;
    Stmt s(c, sql);
    while (s.Step()) ids.push_back(s.Text(0));
    return ids;
}

std::vector<std::string> Store::RunsChecking() {
    return Ids(Open(path_), "SELECT id FROM runs WHERE state = 'checking' ORDER BY seq");
}

std::vector<std::string> Store::RunsWithFiles() {
    return Ids(Open(path_), "SELECT id FROM runs WHERE state IN ('checking', 'accepted')");
}

bool Store::Accept(const std::string& id, const Filing& f, int64_t now) {
    Conn& c = Open(path_);
    Tx tx(c);
    Stmt s(c, "SELECT seq, player FROM runs WHERE id = ?1 AND state = 'checking'");
    s.Bind(1, id);
    if (!s.Step()) return false;
    const int64_t seq = s.Int(0), player = s.Int(1);
    static const char* upd =
        "UPDATE runs SET state = 'accepted', board = ?2, k1 = ?3, k2 = ?4, value = ?5, checked = ?6, reason = NULL "
        "WHERE seq = ?1";
    Stmt(c, upd).Bind(1, seq).Bind(2, f.board).Bind(3, f.k1).Bind(4, f.k2).Bind(5, f.value).Bind(6, now).Run();
    // The entry changes only when this run beats the player's current one (it may have been checked later
    // than a later upload, after a restart: the earlier upload still wins a tie).
    static const std::string ins = std::string(
        "INSERT INTO entries(board, player, seq, k1, k2) VALUES(?1, ?5, ?4, ?2, ?3) "
        "ON CONFLICT(board, player) DO UPDATE SET seq = excluded.seq, k1 = excluded.k1, k2 = excluded.k2 "
        "WHERE NOT ") + kAhead;
    Stmt(c, ins.c_str()).Bind(1, f.board).Bind(2, f.k1).Bind(3, f.k2).Bind(4, seq).Bind(5, player).Run();
    tx.Commit();
    return true;
}

bool Store::Refuse(const std::string& id, const std::string& reason, bool retry, int64_t now) {
    Conn& c = Open(path_);
    static const char* sql =
        "UPDATE runs SET state = 'refused', reason = ?2, retry = ?3, checked = ?4 WHERE id = ?1 AND state = 'checking'";
    Stmt(c, sql).Bind(1, id).Bind(2, reason).Bind(3, int64_t(retry)).Bind(4, now).Run();
    return sqlite3_changes(c.db) == 1;
}

Store::Withdrawal Store::Withdraw(const std::string& id, int64_t player, const std::string& reason) {
    Conn& c = Open(path_);
    Tx tx(c);
    Stmt s(c, "SELECT player, state, coalesce(board, '') FROM runs WHERE id = ?1");
    s.Bind(1, id);
    if (!s.Step()) return Withdrawal::NotFound;
    const int64_t owner = s.Int(0);
    if (player != 0 && owner != player) return Withdrawal::NotYours;
    const std::string state = s.Text(1), board = s.Text(2);
    static const char* upd =
        "UPDATE runs SET state = 'refused', reason = ?2, retry = 0 WHERE id = ?1 AND state <> 'refused'";
    Stmt(c, upd).Bind(1, id).Bind(2, reason).Run();
    if (state == "accepted") RefreshEntry(c, board, owner);
    tx.Commit();
    return Withdrawal::Done;
}

std::vector<Store::BoardCount> Store::Boards() {
    Conn& c = Open(path_);
    std::vector<BoardCount> out;
    Stmt s(c, "SELECT board, COUNT(*) FROM entries GROUP BY board ORDER BY board");
    while (s.Step()) out.push_back({s.Text(0), s.Int(1)});
    return out;
}

int64_t Store::Entries(const std::string& board) {
    Conn& c = Open(path_);
    Stmt s(c, "SELECT COUNT(*) FROM entries WHERE board = ?1");
    s.Bind(1, board);
    s.Step();
    return s.Int(0);
}

std::vector<Entry> Store::Top(const std::string& board, int64_t n) {
    Conn& c = Open(path_);
    static const char* sql =
        "SELECT r.id, p.name, r.value, r.uploaded FROM entries e JOIN runs r ON r.seq = e.seq "
        "JOIN players p ON p.id = e.player WHERE e.board = ?1 ORDER BY e.k1 DESC, e.k2 DESC, e.seq LIMIT ?2";
    Stmt s(c, sql);
    s.Bind(1, board).Bind(2, n);
    std::vector<Entry> out;
    while (s.Step()) out.push_back({int64_t(out.size()) + 1, s.Text(0), s.Text(1), s.Text(2), s.Int(3)});
    return out;
}

std::optional<Entry> Store::EntryOf(const std::string& board, const std::string& player_name) {
    Conn& c = Open(path_);
    static const char* sql =
        "SELECT r.id, p.name, r.value, r.uploaded, e.k1, e.k2, e.seq FROM entries e "
        "JOIN runs r ON r.seq = e.seq JOIN players p ON p.id = e.player WHERE e.board = ?1 AND p.name_key = ?2";
    Stmt s(c, sql);
    s.Bind(1, board).Bind(2, Lower(player_name));
    if (!s.Step()) return std::nullopt;
    static const std::string ahead = std::string("SELECT COUNT(*) FROM entries WHERE board = ?1 AND ") + kAhead;
    Stmt a(c, ahead.c_str());
    a.Bind(1, board).Bind(2, s.Int(4)).Bind(3, s.Int(5)).Bind(4, s.Int(6));
    a.Step();
    return Entry{a.Int(0) + 1, s.Text(0), s.Text(1), s.Text(2), s.Int(3)};
}

int64_t Store::RankOf(const Run& run) {
    Conn& c = Open(path_);
    static const std::string sql =
        std::string("SELECT COUNT(*) FROM entries WHERE board = ?1 AND player <> ?5 AND ") + kAhead;
    Stmt s(c, sql.c_str());
    s.Bind(1, run.board).Bind(2, run.k1).Bind(3, run.k2).Bind(4, run.seq).Bind(5, run.player);
    s.Step();
    return s.Int(0) + 1;
}

std::string Store::IntegrityCheck() {
    Conn& c = Open(path_);
    Stmt s(c, "PRAGMA integrity_check");
    std::string out;
    while (s.Step()) out += s.Text(0);
    return out;
}

}  // namespace board
