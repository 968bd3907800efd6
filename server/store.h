// The board's one SQLite file: players, runs and each player's best run per board. Every thread gets its
// own connection (WAL lets readers go on while one writer commits); every statement is prepared and bound.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace board {

struct DbError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Player {
    int64_t id = 0;
    std::string name;
};

struct Run {
    int64_t seq = 0;  // upload order; ties go to the lower
    std::string id;
    int64_t player = 0;
    std::string player_name;
    std::string state;  // checking | accepted | refused
    std::string board, value, reason;
    int64_t k1 = 0, k2 = 0;  // sort keys, higher is better
    int64_t uploaded = 0;
    bool retry = false;  // refused for a reason of ours, not the run's: the same upload checks it again
};

struct Entry {
    int64_t rank = 0;
    std::string run, player, value;
    int64_t uploaded = 0;
};

struct Filing {
    std::string board, value;
    int64_t k1 = 0, k2 = 0;
};

class Store {
public:
    explicit Store(const std::string& path);

    // False when the name is taken (names are unique whatever their case).
    bool AddPlayer(const std::string& name, const std::string& token_sha);
    std::optional<Player> PlayerByToken(const std::string& token_sha);

    std::optional<Run> RunById(const std::string& id);
    std::optional<Run> RunBySha(const std::string& sha);
    // False when a run with these bytes is already on file.
    bool AddRun(const std::string& id, int64_t player, const std::string& sha, int64_t now);
    // A run refused for a reason of ours goes back to checking; false if it was not such a run.
    bool Recheck(const std::string& id);
    std::vector<std::string> RunsChecking();
    std::vector<std::string> RunsWithFiles();  // checking or accepted

    // Both only act on a run still checking; they return false otherwise.
    bool Accept(const std::string& id, const Filing& f, int64_t now);
    bool Refuse(const std::string& id, const std::string& reason, bool retry, int64_t now);

    enum class Withdrawal { Done, NotFound, NotYours };
    // Off the boards for good, with the reason shown for it. A player of 0 is the board's keeper: any run.
    Withdrawal Withdraw(const std::string& id, int64_t player, const std::string& reason);

    struct BoardCount {
        std::string board;
        int64_t entries = 0;
    };
    std::vector<BoardCount> Boards();
    int64_t Entries(const std::string& board);
    std::vector<Entry> Top(const std::string& board, int64_t n);
    std::optional<Entry> EntryOf(const std::string& board, const std::string& player_name);
    // Where the run stands among the other players' best runs.
    int64_t RankOf(const Run& run);

    std::string IntegrityCheck();

private:
    std::string path_;
};

}  // namespace board
