#include "online/boards.h"

#include <dirent.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/platform.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "shell/name_value_file.h"
#include "shell/options.h"
#include "world/world.h"

namespace {

constexpr int kFramesPerSecond = 60;
constexpr int kLongestWait = 300;  // seconds between tries, at most
constexpr size_t kMostRows = std::tuple_size_v<decltype(HostVars{}.BoardRows)>;

struct Account {
    char name[20];
    char token[80];
};

struct Entry {
    bool used;
    uint32_t seq;     // its place in the outbox, older first; also its requests' id
    int32_t row;      // the RecordReplay it is the replay of
    char run[40];     // the server's id once it took the upload
    bool inFlight;
    long long nextTry;  // frame
    int32_t wait;       // seconds before the next try after a failure
};

struct BoardsState {
    Account account;
    std::array<Entry, kOutboxMost> outbox;
    uint32_t nextSeq = 1;
    long long frame = 0;
    char asked[20];        // the name asked for, until the server answers
    int nameAnswer = 0;
};

constexpr uint32_t kNameRequest = 0;  // the registration's request id; the outbox's start at 1
BoardsState B;

const NamedValue kAccountValues[] = {
    {"name", nullptr, 0, 0, 0, nullptr, B.account.name, sizeof B.account.name},
    {"token", nullptr, 0, 0, 0, nullptr, B.account.token, sizeof B.account.token},
};

void EntryPath(const Entry& e, char* out, size_t size) {
    std::snprintf(out, size, "outbox/%08u-%02d.qxr", static_cast<unsigned>(e.seq), static_cast<int>(e.row));
}

void SetRow(int32_t row, int32_t state, int32_t rank = 0, int32_t of = 0, const std::string& reason = "") {
    if (row < 0 || static_cast<size_t>(row) >= kMostRows) return;
    BoardRowInfo& info = W.Host.BoardRows[static_cast<size_t>(row)];
    info.state = state;
    info.rank = rank;
    info.of = of;
    std::snprintf(info.reason.data(), info.reason.size(), "%s", reason.c_str());
}

// Gone from the outbox once the server has given its word on it.
void Drop(Entry& e) {
    char path[64];
    EntryPath(e, path, sizeof path);
    std::remove(DataPath(path));
    e = Entry{};
}

void TryAgainLater(Entry& e, int retryAfter) {
    e.wait = std::clamp(std::max(e.wait * 2, retryAfter), 2, kLongestWait);
    e.nextTry = B.frame + static_cast<long long>(e.wait) * kFramesPerSecond;
}

bool Ready() { return Options.OnlineBoards && IsBoardAddress(Options.BoardAddress) && B.account.token[0]; }

std::string Url(const std::string& path) {
    std::string base = Options.BoardAddress;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base + path;
}

Entry* Find(uint32_t seq) {
    for (Entry& e : B.outbox)
        if (e.used && e.seq == seq) return &e;
    return nullptr;
}

// A run id as the server makes them: hex only, so it can go in a path.
bool IsRunId(const std::string& id) {
    return !id.empty() && id.size() < sizeof Entry{}.run &&
           std::all_of(id.begin(), id.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

void Answered(Entry& e, const plat::NetAnswer& answer) {
    e.inFlight = false;
    const nlohmann::json body = nlohmann::json::parse(answer.body.begin(), answer.body.end(), nullptr, false);
    auto text = [&body](const char* key) {
        return body.is_object() && body.contains(key) && body[key].is_string() ? body[key].get<std::string>() : std::string();
    };
    auto number = [&body](const char* key) {
        return body.is_object() && body.contains(key) && body[key].is_number_integer() ? body[key].get<int32_t>() : 0;
    };
    const int status = answer.status;
    if (status == 200 || status == 201 || status == 202) {
        const std::string state = text("state"), id = text("id");
        if (state == "accepted") {
            SetRow(e.row, BoardRow::Ranked, number("rank"), number("of"));
            Drop(e);
        } else if (state == "refused") {
            SetRow(e.row, BoardRow::Refused, 0, 0, text("reason"));
            Drop(e);
        } else if (state == "checking" && IsRunId(id)) {
            std::snprintf(e.run, sizeof e.run, "%s", id.c_str());
            SetRow(e.row, BoardRow::Checking);
            e.wait = 1;
            e.nextTry = B.frame + kFramesPerSecond;
        } else {
            TryAgainLater(e, 0);  // not an answer of a board server
        }
    } else if (status == 401) {
        SetRow(e.row, BoardRow::NameUnknown);
        TryAgainLater(e, kLongestWait);
    } else if (status == 400 || status == 403 || status == 404 || status == 409 || status == 413 || status == 422) {
        // The server's word on this run: it will never take it.
        SetRow(e.row, BoardRow::Refused, 0, 0, text("reason").empty() ? "refused" : text("reason"));
        Drop(e);
    } else {
        TryAgainLater(e, answer.retryAfter);  // down, busy, too many requests, or garbage
    }
}

bool ReadFile(const char* path, std::vector<unsigned char>& out) {
    std::FILE* f = std::fopen(DataPath(path), "rb");
    if (!f) return false;
    out.clear();
    unsigned char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && out.size() <= plat::kNetMaxAnswer;)
        out.insert(out.end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

void NameAnswered(const plat::NetAnswer& answer) {
    const nlohmann::json body = nlohmann::json::parse(answer.body.begin(), answer.body.end(), nullptr, false);
    const bool token = body.is_object() && body.contains("token") && body["token"].is_string();
    const std::string given = token ? body["token"].get<std::string>() : "";
    if (answer.status == 201 && !given.empty() && given.size() < sizeof B.account.token &&
        std::all_of(given.begin(), given.end(), [](char c) { return std::isgraph(static_cast<unsigned char>(c)); })) {
        SetBoardAccount(B.asked, given.c_str());
        B.nameAnswer = 201;
    } else {
        B.nameAnswer = answer.status > 0 ? answer.status : -1;
    }
}

void Send(Entry& e) {
    plat::NetRequest request;
    request.id = e.seq;
    request.bearer = B.account.token;
    if (e.run[0]) {
        request.method = "GET";
        request.url = Url(std::string("/api/runs/") + e.run);
    } else {
        char path[64];
        EntryPath(e, path, sizeof path);
        if (!ReadFile(path, request.body)) {
            Drop(e);  // gone from the disk: nothing left to send
            return;
        }
        request.method = "POST";
        request.url = Url("/api/runs");
        request.contentType = "application/octet-stream";
        SetRow(e.row, BoardRow::Sending);
    }
    if (plat::net().Send(std::move(request))) e.inFlight = true;
}

}  // namespace

void StartBoards() {
    LoadNamedValueFile("board.cfg", kAccountValues, std::size(kAccountValues));
    B.outbox = {};
    // The outbox's files, oldest first, as a restart finds them.
    DIR* dir = opendir(DataPath("outbox"));
    size_t n = 0;
    for (dirent* d; dir && (d = readdir(dir)) && n < B.outbox.size();) {
        unsigned seq = 0;
        int row = 0;
        char tail[8] = {};
        if (std::sscanf(d->d_name, "%8u-%2d%7s", &seq, &row, tail) != 3 || std::strcmp(tail, ".qxr") != 0 || row < 0 ||
            static_cast<size_t>(row) >= kMostRows)
            continue;
        B.outbox[n++] = Entry{true, seq, row, {}, false, 0, 0};
        B.nextSeq = std::max(B.nextSeq, seq + 1);
    }
    if (dir) closedir(dir);
    std::sort(B.outbox.begin(), B.outbox.begin() + static_cast<long>(n), [](const Entry& a, const Entry& b) { return a.seq < b.seq; });
    for (size_t i = 0; i < n; ++i) SetRow(B.outbox[i].row, BoardRow::Sending);
}

void OfferRecordReplay(int row, const std::vector<unsigned char>& file) {
    if (!Options.OnlineBoards || row < 0 || static_cast<size_t>(row) >= kMostRows || file.empty()) return;
    // A newer record of the same row replaces the one still waiting; a full outbox drops its oldest.
    Entry* slot = nullptr;
    for (Entry& e : B.outbox)
        if (e.used && e.row == row && !e.inFlight && !e.run[0]) Drop(e);
    for (Entry& e : B.outbox)
        if (!e.used) {
            slot = &e;
            break;
        }
    if (!slot) {
        slot = &*std::min_element(B.outbox.begin(), B.outbox.end(), [](const Entry& a, const Entry& b) { return a.seq < b.seq; });
        Drop(*slot);
    }
    *slot = Entry{true, B.nextSeq++, row, {}, false, B.frame, 0};
    char path[64], temp[72];
    EntryPath(*slot, path, sizeof path);
    std::snprintf(temp, sizeof temp, "%s.tmp", path);
    if (!MakeDataFolder("outbox") || !WriteDataFileAtomically(path, temp, file.data(), file.size())) {
        *slot = Entry{};
        return;
    }
    SetRow(row, BoardRow::Sending);
}

void PumpBoards() {
    ++B.frame;
    for (plat::NetAnswer answer; plat::net().Receive(answer);) {
        if (answer.id == kNameRequest) NameAnswered(answer);
        else if (Entry* e = Find(answer.id)) Answered(*e, answer);
    }
    if (!Ready()) return;
    for (Entry& e : B.outbox)
        if (e.used && !e.inFlight && B.frame >= e.nextTry) Send(e);
}

void SetBoardAccount(const char* name, const char* token) {
    std::snprintf(B.account.name, sizeof B.account.name, "%s", name);
    std::snprintf(B.account.token, sizeof B.account.token, "%s", token);
    SaveNamedValueFile("board.cfg", "board.cfg.tmp", kAccountValues, std::size(kAccountValues), true, true);
}

void RegisterBoardName(const char* name) {
    if (!IsBoardAddress(Options.BoardAddress)) {
        B.nameAnswer = -1;
        return;
    }
    std::snprintf(B.asked, sizeof B.asked, "%s", name);
    const std::string body = nlohmann::json{{"name", B.asked}}.dump();
    plat::NetRequest request{kNameRequest, "POST", Url("/api/players"), "", "application/json", {body.begin(), body.end()}};
    B.nameAnswer = plat::net().Send(std::move(request)) ? 0 : -1;
}

int BoardNameAnswer() { return B.nameAnswer; }

const char* BoardPlayerName() { return B.account.name; }

int OutboxCount() {
    return static_cast<int>(std::count_if(B.outbox.begin(), B.outbox.end(), [](const Entry& e) { return e.used; }));
}

void ResetBoards() { B = BoardsState{}; }
