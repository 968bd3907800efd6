#include "web.h"

#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "util.h"

namespace board {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

// The boards a verdict can name, in the order the page shows them.
const std::vector<std::string>& AllBoards() {
    static const std::vector<std::string> boards = [] {
        std::vector<std::string> b, base = {"full"};
        for (const char* k : {"level-", "boss-"})
            for (int l = 1; l <= 4; ++l) base.push_back(k + std::to_string(l));
        base.push_back("rush");
        for (const char* suffix : {"", "-30hz"})
            for (auto& name : base) b.push_back(name + suffix);
        return b;
    }();
    return boards;
}

bool IsBoard(const std::string& name) {
    for (auto& b : AllBoards())
        if (b == name) return true;
    return false;
}

bool IsPlayerName(const std::string& name) {
    if (name.size() < 3 || name.size() > 16) return false;
    for (char c : name)
        if (!(isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.')) return false;
    return true;
}

// Sliding one-minute windows of hits per key.
class RateLimiter {
public:
    explicit RateLimiter(int per_minute) : per_minute_(per_minute) {}

    // 0 when the hit is allowed (and counted), else the seconds until one would be.
    int Take(const std::string& key) {
        if (per_minute_ <= 0) return 0;
        const double now = Seconds();
        std::lock_guard<std::mutex> lock(mutex_);
        if (now - swept_ > 60) {  // forget idle keys, so the table stays as small as the last minute's clients
            for (auto it = hits_.begin(); it != hits_.end();)
                it = (it->second.empty() || now - it->second.back() >= 60) ? hits_.erase(it) : std::next(it);
            swept_ = now;
        }
        auto& q = hits_[key];
        while (!q.empty() && now - q.front() >= 60) q.pop_front();
        if (int(q.size()) >= per_minute_) return std::max(1, int(60 - (now - q.front())) + 1);
        q.push_back(now);
        return 0;
    }

private:
    static double Seconds() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }
    const int per_minute_;
    std::mutex mutex_;
    std::unordered_map<std::string, std::deque<double>> hits_;
    double swept_ = 0;
};

// What the checks made before the body is read hand on to the route, per connection thread.
struct RequestState {
    bool early_done = false;
    bool close = false;   // the body was left unread: the connection cannot carry another request
    int status = 0;
    bool too_big = false;  // the body ran past the cap (sent chunked, so no length said so first)
    int64_t player = 0;
    std::string player_name;
};
thread_local RequestState t_request;
thread_local bool t_shed = false;
std::atomic<bool> g_stopping{false};

// A connection's socket with a deadline for each whole request on top of the wait for each read or write,
// and caps on the header and body bytes: a client trickling bytes cannot hold a thread for long.
class ConnStream : public httplib::Stream {
public:
    ConnStream(int sock, const WebConfig& c) : sock_(sock), c_(c) {}

    void BeginRequest() {
        deadline_ = Clock::now() + std::chrono::seconds(c_.request_timeout);
        header_bytes_ = body_bytes_ = 0;
        in_header_ = true;
        tail_ = 0;
    }
    bool Failed() const { return failed_; }
    bool WaitForRequest(int seconds) const { return off_ < len_ || Wait(POLLIN, seconds * 1000); }

    bool is_readable() const override { return off_ < len_ || Wait(POLLIN, Budget()); }
    bool is_writable() const override { return Wait(POLLOUT, Budget()); }

    ssize_t read(char* ptr, size_t size) override {
        if (off_ == len_) {
            if (!Wait(POLLIN, Budget())) return Fail();
            ssize_t n = recv(sock_, buf_, sizeof buf_, 0);
            if (n < 0) return Fail();
            if (n == 0) return 0;
            off_ = 0;
            len_ = size_t(n);
        }
        size_t n = std::min(size, len_ - off_);
        for (size_t i = 0; i < n; ++i) {
            const char ch = buf_[off_ + i];
            if (in_header_) {
                if (++header_bytes_ > c_.max_header) return Fail();
                tail_ = (tail_ << 8) | static_cast<unsigned char>(ch);
                if ((tail_ & 0xffffffff) == 0x0d0a0d0a) in_header_ = false;
            } else if (++body_bytes_ > c_.max_replay) {
                t_request.too_big = true;
                return Fail();
            }
        }
        memcpy(ptr, buf_ + off_, n);
        off_ += n;
        return ssize_t(n);
    }

    ssize_t write(const char* ptr, size_t size) override {
        if (!Wait(POLLOUT, Budget())) return Fail();
        ssize_t n = send(sock_, ptr, size, MSG_NOSIGNAL);
        return n < 0 ? Fail() : n;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override { Address(false, ip, port); }
    void get_local_ip_and_port(std::string& ip, int& port) const override { Address(true, ip, port); }
    socket_t socket() const override { return sock_; }

private:
    int Budget() const {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        return int(std::clamp<long long>(left, 0, c_.io_timeout * 1000LL));
    }
    // In slices, so that a stop does not wait for every slow client's timeout.
    bool Wait(short events, int ms) const {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            struct pollfd p = {sock_, events, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            int r = poll(&p, 1, int(std::clamp<long long>(left, 0, 200)));
            if (r > 0) return p.revents & (events | POLLHUP);
            if ((r < 0 && errno != EINTR) || left <= 0 || g_stopping) return false;
        }
    }
    ssize_t Fail() {
        failed_ = true;
        return -1;
    }
    void Address(bool local, std::string& ip, int& port) const {
        sockaddr_storage a = {};
        socklen_t len = sizeof a;
        ip.clear();
        port = 0;
        if ((local ? getsockname : getpeername)(sock_, reinterpret_cast<sockaddr*>(&a), &len) != 0) return;
        char text[INET6_ADDRSTRLEN] = {};
        if (a.ss_family == AF_INET) {
            auto* in = reinterpret_cast<sockaddr_in*>(&a);
            inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
            port = ntohs(in->sin_port);
        } else if (a.ss_family == AF_INET6) {
            auto* in = reinterpret_cast<sockaddr_in6*>(&a);
            inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof text);
            port = ntohs(in->sin6_port);
        }
        ip = text;
    }

    int sock_;
    const WebConfig& c_;
    char buf_[16384];
    size_t off_ = 0, len_ = 0;
    Clock::time_point deadline_ = Clock::now();
    size_t header_bytes_ = 0, body_bytes_ = 0;
    bool in_header_ = true, failed_ = false;
    uint64_t tail_ = 0;
};

class BoardHttp : public httplib::Server {
public:
    explicit BoardHttp(const WebConfig& c) : c_(c) {}

private:
    bool process_and_close_socket(socket_t sock) override {
        if (t_shed) {
            // Every thread is busy and the backlog is full: say so at once rather than queue without end.
            static const char busy[] =
                "HTTP/1.1 503 Service Unavailable\r\nRetry-After: 5\r\nContent-Type: application/json\r\n"
                "Content-Length: 38\r\nConnection: close\r\n\r\n{\"reason\":\"busy, retry after 5 s\"}\n  ";
            send(sock, busy, sizeof busy - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            close(sock);
            return false;
        }
        ConnStream strm(sock, c_);
        bool ok = true, unread = false;
        for (int n = 0; n < 100 && svr_sock_ != INVALID_SOCKET; ++n) {
            if (n > 0 && !strm.WaitForRequest(c_.io_timeout)) break;
            strm.BeginRequest();
            t_request = RequestState();
            bool closed = false;
            ok = process_request(strm, n == 99, closed, nullptr);
            // After a malformed request the stream may be anywhere inside it.
            const int st = t_request.status;
            unread = strm.Failed() || t_request.close || st == 400 || st == 413 || st == 414;
            if (!ok || closed || unread) break;
        }
        if (unread) Drain(sock);
        shutdown(sock, SHUT_RDWR);
        close(sock);
        return ok;
    }

    // Closing with the client's bytes unread would reset the connection and could destroy the answer
    // before the client reads it: stop writing, then read what is still coming, briefly.
    void Drain(int sock) {
        shutdown(sock, SHUT_WR);
        const auto end = Clock::now() + std::chrono::seconds(1);
        size_t total = 0;
        char buf[16384];
        while (total < 2 * c_.max_replay) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            struct pollfd p = {sock, POLLIN, 0};
            if (left <= 0 || poll(&p, 1, int(left)) <= 0) break;
            ssize_t n = recv(sock, buf, sizeof buf, 0);
            if (n <= 0) break;
            total += size_t(n);
        }
    }

    const WebConfig& c_;
};

// Connection threads, a bounded backlog, and connections past it answered busy by the accepting thread.
class HttpPool : public httplib::TaskQueue {
public:
    HttpPool(int threads, int backlog) : backlog_(size_t(backlog)) {
        for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
    }
    void enqueue(std::function<void()> fn) override {
        std::unique_lock<std::mutex> lock(mutex_);
        if (jobs_.size() >= backlog_) {
            lock.unlock();
            t_shed = true;
            fn();
            t_shed = false;
            return;
        }
        jobs_.push_back(std::move(fn));
        lock.unlock();
        cv_.notify_one();
    }
    void shutdown() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        cv_.notify_all();
        for (auto& t : threads_) t.join();
    }

private:
    void Work() {
        for (;;) {
            std::function<void()> fn;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                cv_.wait(lock, [&] { return stop_ || !jobs_.empty(); });
                if (jobs_.empty()) return;
                fn = std::move(jobs_.front());
                jobs_.pop_front();
            }
            fn();
        }
    }
    const size_t backlog_;
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::function<void()>> jobs_;
    std::vector<std::thread> threads_;
    bool stop_ = false;
};

std::atomic<BoardHttp*> g_server{nullptr};

void Reply(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump() + "\n", "application/json");
}

void Refuse(httplib::Response& res, int status, const std::string& reason, int retry_after = 0) {
    if (retry_after > 0) res.set_header("Retry-After", std::to_string(retry_after));
    Reply(res, status, json{{"reason", reason}});
}

std::string BearerToken(const httplib::Request& req) {
    const std::string h = req.get_header_value("Authorization");
    const std::string prefix = "Bearer ";
    if (h.size() <= prefix.size() || h.compare(0, prefix.size(), prefix) != 0) return "";
    std::string token = h.substr(prefix.size());
    if (token.size() != 64 || token.find_first_not_of("0123456789abcdef") != std::string::npos) return "";
    return token;
}

json EntryJson(const Entry& e) {
    return {{"rank", e.rank},
            {"player", e.player},
            {"value", json::parse(e.value, nullptr, false)},
            {"run", e.run},
            {"uploaded", e.uploaded},
            {"replay", "/runs/" + e.run + ".qxr"}};
}

class Routes {
public:
    Routes(const WebConfig& c, Store& store, Checker& checker)
        : c_(c), store_(store), checker_(checker), players_(c.uploads_per_minute), addresses_(c.address_per_minute) {}

    void Install(httplib::Server& s) {
        s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
            AddCors(req, res);
            return EarlyRefusal(req, res) ? httplib::Server::HandlerResponse::Handled
                                          : httplib::Server::HandlerResponse::Unhandled;
        });
        s.set_expect_100_continue_handler([this](const httplib::Request& req, httplib::Response& res) {
            AddCors(req, res);
            return EarlyRefusal(req, res) ? res.status : 100;
        });
        s.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
            if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
            if (t_request.too_big) res.status = 413;
            const char* reason = res.status == 404   ? "not found"
                                 : res.status == 413 ? "too big: a replay is at most 1 MB"
                                 : res.status == 405 ? "method not allowed"
                                 : res.status >= 500 ? "the server failed"
                                                     : "bad request";
            Refuse(res, res.status, reason);
            return httplib::Server::HandlerResponse::Handled;
        }));
        s.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
            try {
                std::rethrow_exception(ep);
            } catch (const std::exception& e) {
                Log("%s %s failed: %s", req.method.c_str(), req.path.c_str(), e.what());
            } catch (...) {
            }
            Refuse(res, 500, "the server failed");
        });
        s.set_logger([](const httplib::Request& req, const httplib::Response& res) {
            t_request.status = res.status;
            if (req.method != "GET" || res.status >= 400)
                Log("%s %s %s %d", req.remote_addr.c_str(), req.method.c_str(), req.path.c_str(), res.status);
        });
        s.Options(".*", [this](const httplib::Request& req, httplib::Response& res) {
            res.status = 204;
            if (res.has_header("Access-Control-Allow-Origin")) {
                res.set_header("Access-Control-Allow-Methods", "GET, POST, DELETE, OPTIONS");
                res.set_header("Access-Control-Allow-Headers", "Authorization, Content-Type");
                res.set_header("Access-Control-Max-Age", "600");
            }
        });
        s.Post("/api/players", [this](const httplib::Request& req, httplib::Response& res) { Register(req, res); });
        s.Post("/api/runs", [this](const httplib::Request& req, httplib::Response& res) { Upload(req, res); });
        s.Get("/api/runs/(.*)", [this](const httplib::Request& req, httplib::Response& res) { GetRun(req, res); });
        s.Delete("/api/runs/(.*)", [this](const httplib::Request& req, httplib::Response& res) { Withdraw(req, res); });
        s.Get("/api/boards", [this](const httplib::Request& req, httplib::Response& res) { ListBoards(req, res); });
        s.Get("/api/boards/(.*)", [this](const httplib::Request& req, httplib::Response& res) { GetBoard(req, res); });
        s.Get("/runs/(.*)", [this](const httplib::Request& req, httplib::Response& res) { Download(req, res); });
        s.Get("/", [this](const httplib::Request& req, httplib::Response& res) { Page(req, res); });
    }

private:
    std::string Address(const httplib::Request& req) const {
        if (c_.trust_proxy && (req.remote_addr == "127.0.0.1" || req.remote_addr == "::1")) {
            std::string real = req.get_header_value("X-Real-IP");
            if (!real.empty() && real.size() < 64) return real;
        }
        return req.remote_addr;
    }

    void AddCors(const httplib::Request& req, httplib::Response& res) const {
        const std::string origin = req.get_header_value("Origin");
        if (origin.empty() || res.has_header("Access-Control-Allow-Origin")) return;
        for (auto& o : c_.allow_origins)
            if (o == origin) {
                res.set_header("Access-Control-Allow-Origin", origin);
                res.set_header("Vary", "Origin");
            }
    }

    // The refusals that need no body, made before it is read: a client that will be refused anyway does
    // not get to send a megabyte first. Each request is counted once, whichever hook sees it first.
    bool EarlyRefusal(const httplib::Request& req, httplib::Response& res) {
        if (t_request.early_done) return false;
        t_request.early_done = true;
        bool refused = Early(req, res);
        if (refused) {
            t_request.close = true;
            res.set_header("Connection", "close");
        }
        return refused;
    }

    bool Early(const httplib::Request& req, httplib::Response& res) {
        if (req.method != "POST" && req.method != "DELETE") return false;
        if (req.get_header_value_count("Content-Length") > 0 &&
            req.get_header_value<uint64_t>("Content-Length") > c_.max_replay) {
            Refuse(res, 413, "too big: a replay is at most 1 MB");
            return true;
        }
        if (req.method == "DELETE") return false;
        if (int wait = addresses_.Take(Address(req))) {
            Refuse(res, 429, "too many requests", wait);
            return true;
        }
        if (req.path != "/api/runs") return false;
        const std::string token = BearerToken(req);
        auto player = token.empty() ? std::nullopt : store_.PlayerByToken(Sha256Hex(token));
        if (!player) {
            Refuse(res, 401, "unknown token");
            return true;
        }
        if (int wait = players_.Take(std::to_string(player->id))) {
            Refuse(res, 429, "too many requests", wait);
            return true;
        }
        t_request.player = player->id;
        t_request.player_name = player->name;
        return false;
    }

    void Register(const httplib::Request& req, httplib::Response& res) {
        if (req.body.size() > 1024) return Refuse(res, 413, "too big");
        const json body = json::parse(req.body, nullptr, false);
        std::string name;
        if (body.is_object() && body.contains("name") && body["name"].is_string()) name = body["name"];
        if (!IsPlayerName(name))
            return Refuse(res, 400, "a name is 3 to 16 letters, digits, '_', '-' or '.'");
        const std::string token = RandomHex(32);
        if (!store_.AddPlayer(name, Sha256Hex(token))) return Refuse(res, 409, "that name is taken");
        Log("player %s registered", name.c_str());
        Reply(res, 201, json{{"name", name}, {"token", token}});
    }

    json RunJson(const Run& r) {
        json j = {{"id", r.id}, {"player", r.player_name}, {"state", r.state}};
        if (r.state == "accepted") {
            j["board"] = r.board;
            j["value"] = json::parse(r.value, nullptr, false);
            j["rank"] = store_.RankOf(r);
            j["of"] = store_.Entries(r.board);
            j["replay"] = "/runs/" + r.id + ".qxr";
        } else if (r.state == "refused") {
            j["reason"] = r.reason;
        }
        return j;
    }

    // A place in the check queue, given back unless the run was handed to the checker.
    struct Place {
        Checker& checker;
        bool held = false;
        ~Place() {
            if (held) checker.Release();
        }
    };

    bool StoreFile(const std::string& id, const std::string& bytes, httplib::Response& res) {
        std::string error;
        if (WriteFileDurably(c_.runs_dir, id + ".qxr", bytes, error)) return true;
        Log("could not store run %s: %s", id.c_str(), error.c_str());
        Refuse(res, 500, "the server could not store the run");
        return false;
    }

    void Upload(const httplib::Request& req, httplib::Response& res) {
        if (t_request.player == 0) return Refuse(res, 401, "unknown token");
        const std::string& bytes = req.body;
        if (bytes.size() > c_.max_replay) return Refuse(res, 413, "too big: a replay is at most 1 MB");
        if (bytes.size() < 20 || bytes.compare(0, 4, "QXRP") != 0) return Refuse(res, 422, "not a replay");
        const std::string sha = Sha256Hex(bytes);
        Place place{checker_};
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (auto old = store_.RunBySha(sha)) {
                if (old->player != t_request.player) return Refuse(res, 409, "a copy of a run already on file");
                if (!(old->state == "refused" && old->retry)) return Reply(res, 200, RunJson(*old));
                // Refused for a fault of ours: sending it again checks it again.
                if (!(place.held = checker_.Reserve())) return Busy(res);
                if (!StoreFile(old->id, bytes, res)) return;
                if (store_.Recheck(old->id)) {
                    place.held = false;
                    checker_.Submit(old->id);
                    old->state = "checking";
                    return Reply(res, 202, RunJson(*old));
                }
                continue;
            }
            if (!place.held && !(place.held = checker_.Reserve())) return Busy(res);
            const std::string id = RandomHex(16);
            if (!StoreFile(id, bytes, res)) return;
            if (!store_.AddRun(id, t_request.player, sha, UnixNow())) {
                unlink((c_.runs_dir + "/" + id + ".qxr").c_str());  // the same bytes arrived at once twice
                continue;
            }
            place.held = false;
            checker_.Submit(id);
            return Reply(res, 202, json{{"id", id}, {"player", t_request.player_name}, {"state", "checking"}});
        }
        Refuse(res, 409, "a copy of a run already on file");
    }

    void Busy(httplib::Response& res) {
        const int wait = checker_.RetryAfterSeconds();
        Refuse(res, 503, "busy, retry after " + std::to_string(wait) + " s", wait);
    }

    void GetRun(const httplib::Request& req, httplib::Response& res) {
        const std::string id = req.matches[1];
        if (!IsRunId(id)) return Refuse(res, 400, "not a run id");
        auto run = store_.RunById(id);
        if (!run) return Refuse(res, 404, "no such run");
        Reply(res, 200, RunJson(*run));
    }

    void Withdraw(const httplib::Request& req, httplib::Response& res) {
        const std::string id = req.matches[1];
        if (!IsRunId(id)) return Refuse(res, 400, "not a run id");
        const std::string token = BearerToken(req);
        auto player = token.empty() ? std::nullopt : store_.PlayerByToken(Sha256Hex(token));
        if (!player) return Refuse(res, 401, "unknown token");
        switch (store_.Withdraw(id, player->id, "withdrawn by its player")) {
            case Store::Withdrawal::NotFound: return Refuse(res, 404, "no such run");
            case Store::Withdrawal::NotYours: return Refuse(res, 403, "not your run");
            case Store::Withdrawal::Done: break;
        }
        unlink((c_.runs_dir + "/" + id + ".qxr").c_str());
        Log("run %s withdrawn by %s", id.c_str(), player->name.c_str());
        Reply(res, 200, RunJson(*store_.RunById(id)));
    }

    static int64_t Top(const httplib::Request& req, int64_t fallback) {
        if (!req.has_param("top")) return fallback;
        const std::string t = req.get_param_value("top");
        if (t.empty() || t.size() > 4 || t.find_first_not_of("0123456789") != std::string::npos) return -1;
        const int64_t n = std::stoll(t);
        return n >= 1 && n <= 1000 ? n : -1;
    }

    json BoardJson(const std::string& board, int64_t top) {
        json entries = json::array();
        for (auto& e : store_.Top(board, top)) entries.push_back(EntryJson(e));
        return {{"board", board}, {"title", BoardTitle(board)}, {"of", store_.Entries(board)}, {"top", entries}};
    }

    void ListBoards(const httplib::Request& req, httplib::Response& res) {
        const int64_t top = Top(req, 10);
        if (top < 0) return Refuse(res, 400, "top is 1 to 1000");
        json boards = json::array();
        for (auto& b : store_.Boards()) boards.push_back(BoardJson(b.board, top));
        Reply(res, 200, json{{"boards", boards}});
    }

    void GetBoard(const httplib::Request& req, httplib::Response& res) {
        const std::string board = req.matches[1];
        if (!IsBoard(board)) return Refuse(res, 404, "no such board");
        const int64_t top = Top(req, 10);
        if (top < 0) return Refuse(res, 400, "top is 1 to 1000");
        json j = BoardJson(board, top);
        if (req.has_param("player")) {
            const std::string name = req.get_param_value("player");
            auto e = IsPlayerName(name) ? store_.EntryOf(board, name) : std::nullopt;
            j["player"] = e ? EntryJson(*e) : json(nullptr);
        }
        Reply(res, 200, j);
    }

    void Download(const httplib::Request& req, httplib::Response& res) {
        std::string name = req.matches[1];
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".qxr") != 0) return Refuse(res, 404, "not found");
        const std::string id = name.substr(0, name.size() - 4);
        if (!IsRunId(id)) return Refuse(res, 400, "not a run id");
        auto run = store_.RunById(id);
        std::string bytes;
        if (!run || run->state != "accepted" || !ReadFile(c_.runs_dir + "/" + id + ".qxr", bytes, c_.max_replay))
            return Refuse(res, 404, "no such replay");
        res.set_header("Content-Disposition", "attachment; filename=\"" + id + ".qxr\"");
        res.set_content(bytes, "application/octet-stream");
    }

    void Page(const httplib::Request& req, httplib::Response& res) {
        int64_t top = Top(req, 100);
        if (top < 0) top = 100;
        std::string html =
            "<!doctype html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
            "<title>quiv-ex boards</title><style>"
            "body{font-family:sans-serif;margin:2em auto;max-width:48em;padding:0 1em}"
            "table{border-collapse:collapse;width:100%;margin-bottom:2em}"
            "th,td{text-align:left;padding:.2em .6em;border-bottom:1px solid #ccc}"
            "td.n{text-align:right}</style></head><body>\n<h1>quiv-ex boards</h1>\n";
        size_t shown = 0;
        for (auto& board : AllBoards()) {
            auto entries = store_.Top(board, top);
            if (entries.empty()) continue;
            ++shown;
            html += "<section id=\"" + board + "\"><h2>" + HtmlEscape(BoardTitle(board)) + "</h2>\n<table>"
                    "<thead><tr><th class=\"n\">Rank</th><th>Player</th><th>Result</th><th>Date</th><th>Replay</th></tr></thead>"
                    "<tbody>\n";
            for (auto& e : entries) {
                html += "<tr><td class=\"n\">" + std::to_string(e.rank) + "</td><td class=\"player\">" +
                        HtmlEscape(e.player) + "</td><td>" + HtmlEscape(FormatValue(board, e.value)) + "</td><td>" +
                        IsoDate(e.uploaded) + "</td><td><a href=\"/runs/" + e.run + ".qxr\">replay</a></td></tr>\n";
            }
            html += "</tbody></table></section>\n";
        }
        if (!shown) html += "<p>No runs on the boards yet.</p>\n";
        html += "</body></html>\n";
        res.set_header("Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'");
        res.set_content(html, "text/html; charset=utf-8");
    }

    const WebConfig& c_;
    Store& store_;
    Checker& checker_;
    RateLimiter players_, addresses_;
};

}  // namespace

std::string BoardTitle(const std::string& board) {
    std::string base = board, suffix;
    if (base.size() > 5 && base.compare(base.size() - 5, 5, "-30hz") == 0) {
        base.resize(base.size() - 5);
        suffix = " (30 Hz)";
    }
    if (base == "full") return "Full game" + suffix;
    if (base == "rush") return "Boss rush" + suffix;
    if (base.rfind("level-", 0) == 0) return "Level " + base.substr(6) + suffix;
    if (base.rfind("boss-", 0) == 0) return "Boss " + base.substr(5) + suffix;
    return board;
}

std::string FormatValue(const std::string& board, const std::string& value_json) {
    const json v = json::parse(value_json, nullptr, false);
    auto num = [&](const char* key) -> int64_t {
        return v.is_object() && v.contains(key) && v[key].is_number_integer() ? v[key].get<int64_t>() : 0;
    };
    if (board.rfind("full", 0) == 0) {
        const int64_t level = num("level");
        return std::to_string(num("score")) + " points, " +
               (level >= 5 ? std::string("game cleared") : "level " + std::to_string(level));
    }
    if (board.rfind("level-", 0) == 0)
        return std::to_string(num("collected")) + " collected, " + std::to_string(num("held")) + " held";
    // As the game's records page shows a time: game frames as sixtieths (a 30 Hz game's too), the rush in
    // minutes.
    const int64_t hundredths = (num("frames") * 100 + 30) / 60;
    char buf[64];
    if (board.rfind("rush", 0) == 0)
        snprintf(buf, sizeof buf, "%lld:%02lld.%02lld", (long long)(hundredths / 6000), (long long)(hundredths / 100 % 60),
                 (long long)(hundredths % 100));
    else
        snprintf(buf, sizeof buf, "%lld.%02lld s", (long long)(hundredths / 100), (long long)(hundredths % 100));
    return buf;
}

bool Serve(const WebConfig& c, Store& store, Checker& checker) {
    BoardHttp server(c);
    Routes routes(c, store, checker);
    routes.Install(server);
    server.new_task_queue = [&c] { return new HttpPool(c.http_threads, c.http_backlog); };
    server.set_payload_max_length(c.max_replay);
    server.set_read_timeout(c.io_timeout, 0);
    server.set_write_timeout(c.io_timeout, 0);
    server.set_default_headers({{"X-Content-Type-Options", "nosniff"}, {"Referrer-Policy", "no-referrer"}});
    int port = c.port;
    if (port == 0) {
        port = server.bind_to_any_port(c.host);
        if (port < 0) return false;
    } else if (!server.bind_to_port(c.host, port)) {
        return false;
    }
    g_server = &server;
    const bool v6 = c.host.find(':') != std::string::npos;
    Log("listening on %s%s%s:%d", v6 ? "[" : "", c.host.c_str(), v6 ? "]" : "", port);
    const bool ok = server.listen_after_bind();
    g_server = nullptr;
    return ok;
}

void StopServing() {
    g_stopping = true;
    if (BoardHttp* s = g_server.load()) s->stop();
}

}  // namespace board
