// quivex-board: a community's boards for quiv-ex. Players upload replays; the server plays each one with
// the game's own runner and ranks only what that verdict says.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "checker.h"
#include "store.h"
#include "util.h"
#include "web.h"

namespace fs = std::filesystem;
using namespace board;

namespace {

const char* const kUsage = R"(usage: quivex-board --db FILE [options]

  --db FILE                     the SQLite file of players, runs and boards (made if missing)
  --listen ADDR:PORT            where to listen (default 127.0.0.1:8470; port 0 picks a free one)
  --runner PATH                 the game's runner (default: quivex-sim beside this program, else on PATH)
  --runs DIR                    where replays are kept (default: runs/ beside the database)
  --allow-origin ORIGIN         a web page origin allowed to call the API from a browser (may repeat)
  --trust-proxy                 take the client's address from X-Real-IP set by a proxy on this machine
  --uploads-per-minute N        uploads one player may make a minute (default 6; 0: no limit)
  --address-uploads-per-minute N  uploads and registrations one address may make a minute (default 30)
  --queue N                     runs waiting for or under a check; more uploads are refused busy (default 64)
  --workers N                   checks run at once (default 2)
  --http-threads N              connections served at once (default 8)
  --io-timeout S                seconds a read or write from a client may stall (default 5)
  --request-timeout S           seconds a whole request may take (default 30)
  --check-seconds S             CPU seconds every check gets (default 5)
  --check-frames-per-second N   plus a second for every N frames the replay declares (default 5000)
  --check-max-seconds S         CPU seconds no check exceeds (default 600)
  --runner-memory MIB           address space of a check (default 1024; 0: none, for sanitizer builds)
  --remove RUN_ID               take a run off the boards for good (its replay too), then exit
  --help                        this text
)";

bool ParseInt(const char* s, long lo, long hi, long& out) {
    char* end = nullptr;
    errno = 0;
    out = strtol(s, &end, 10);
    return s[0] && !*end && errno == 0 && out >= lo && out <= hi;
}

std::string DefaultRunner() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path beside = self.parent_path() / "quivex-sim";
        if (access(beside.c_str(), X_OK) == 0) return beside;
    }
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        fs::path p = fs::path(dirs.substr(start, end - start)) / "quivex-sim";
        if (end > start && access(p.c_str(), X_OK) == 0) return fs::absolute(p);
        start = end + 1;
    }
    return "";
}

// Scratch left by a process that was killed, and replays that never got a row or whose run was refused.
void Tidy(const std::string& runs, Store& store) {
    std::error_code ec;
    fs::remove_all(runs + "/.work", ec);
    fs::create_directories(runs + "/.work", ec);
    std::set<std::string> keep;
    for (auto& id : store.RunsWithFiles()) keep.insert(id + ".qxr");
    size_t removed = 0;
    for (auto& entry : fs::directory_iterator(runs, ec)) {
        const std::string name = entry.path().filename();
        if (entry.is_regular_file() && !keep.count(name) && (name.ends_with(".qxr") || name.ends_with(".tmp"))) {
            fs::remove(entry.path(), ec);
            ++removed;
        }
    }
    if (removed) Log("removed %zu replay files no run holds", removed);
}

// The keeper's removal of a run, beside a running server or not (SQLite takes care of both writing).
int Remove(const std::string& db, std::string runs, const std::string& id) {
    if (!IsRunId(id)) {
        fprintf(stderr, "quivex-board: %s is not a run id\n", id.c_str());
        return 2;
    }
    if (runs.empty()) runs = (fs::absolute(db).parent_path() / "runs").string();
    try {
        Store store(db);
        if (store.Withdraw(id, 0, "removed by the board's keepers") == Store::Withdrawal::NotFound) {
            fprintf(stderr, "quivex-board: no run %s\n", id.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        Log("%s", e.what());
        return 1;
    }
    std::error_code ec;
    fs::remove(runs + "/" + id + ".qxr", ec);
    Log("run %s removed", id.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string db, runner, runs, remove;
    WebConfig web;
    CheckLimits limits;
    long workers = 2, queue = 64;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        long n = 0;
        auto number = [&](long lo, long hi) {
            if (!v || !ParseInt(v, lo, hi, n)) {
                fprintf(stderr, "quivex-board: %s needs a number from %ld to %ld\n", arg.c_str(), lo, hi);
                exit(2);
            }
            ++i;
            return n;
        };
        auto text = [&]() -> std::string {
            if (!v) {
                fprintf(stderr, "quivex-board: %s needs a value\n", arg.c_str());
                exit(2);
            }
            ++i;
            return v;
        };
        if (arg == "--help" || arg == "-h") {
            fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--db") {
            db = text();
        } else if (arg == "--listen") {
            const std::string l = text();
            const size_t colon = l.rfind(':');
            if (colon == std::string::npos || !ParseInt(l.c_str() + colon + 1, 0, 65535, n)) {
                fprintf(stderr, "quivex-board: --listen needs ADDR:PORT\n");
                return 2;
            }
            web.host = l.substr(0, colon);
            if (web.host.size() > 2 && web.host.front() == '[' && web.host.back() == ']')
                web.host = web.host.substr(1, web.host.size() - 2);
            web.port = int(n);
        } else if (arg == "--remove") {
            remove = text();
        } else if (arg == "--runner") {
            runner = text();
        } else if (arg == "--runs") {
            runs = text();
        } else if (arg == "--allow-origin") {
            web.allow_origins.push_back(text());
        } else if (arg == "--trust-proxy") {
            web.trust_proxy = true;
        } else if (arg == "--uploads-per-minute") {
            web.uploads_per_minute = int(number(0, 1000000));
        } else if (arg == "--address-uploads-per-minute") {
            web.address_per_minute = int(number(0, 1000000));
        } else if (arg == "--queue") {
            queue = number(1, 1000000);
        } else if (arg == "--workers") {
            workers = number(1, 256);
        } else if (arg == "--http-threads") {
            web.http_threads = int(number(1, 1024));
        } else if (arg == "--io-timeout") {
            web.io_timeout = int(number(1, 3600));
        } else if (arg == "--request-timeout") {
            web.request_timeout = int(number(1, 3600));
        } else if (arg == "--check-seconds") {
            limits.cpu_base_seconds = double(number(1, 3600));
        } else if (arg == "--check-frames-per-second") {
            limits.frames_per_cpu_second = double(number(1, 1000000000));
        } else if (arg == "--check-max-seconds") {
            limits.cpu_max_seconds = double(number(1, 86400));
        } else if (arg == "--runner-memory") {
            limits.memory_mib = number(0, 1 << 20);
        } else {
            fprintf(stderr, "quivex-board: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (db.empty()) {
        fprintf(stderr, "quivex-board: --db FILE is required\n%s", kUsage);
        return 2;
    }
    if (!remove.empty()) return Remove(db, runs, remove);
    if (runner.empty()) runner = DefaultRunner();
    if (runner.empty() || access(runner.c_str(), X_OK) != 0) {
        fprintf(stderr, "quivex-board: no runner to check replays with: give --runner PATH\n");
        return 2;
    }
    std::error_code ec;
    if (runs.empty()) runs = (fs::absolute(db).parent_path() / "runs").string();
    runs = fs::absolute(runs).string();
    runner = fs::absolute(runner).string();
    if (!fs::create_directories(runs, ec) && ec) {
        fprintf(stderr, "quivex-board: cannot make %s: %s\n", runs.c_str(), ec.message().c_str());
        return 1;
    }
    web.runs_dir = runs;

    // Signals are taken by one thread; every other thread, and so every check's child, starts with them
    // blocked (the child unblocks them before it runs the runner).
    signal(SIGPIPE, SIG_IGN);
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    try {
        Store store(db);
        Tidy(runs, store);
        Checker checker(store, runner, runs, limits, int(workers), size_t(queue));
        const auto left = store.RunsChecking();
        for (auto& id : left) checker.Resume(id);
        if (!left.empty()) Log("%zu runs left checking are queued again", left.size());
        Log("runner %s, %ld workers, replays in %s", runner.c_str(), workers, runs.c_str());

        std::thread([stop_signals] {
            int sig = 0;
            sigwait(&stop_signals, &sig);
            Log("stopping on signal %d", sig);
            StopServing();
        }).detach();
        if (!Serve(web, store, checker)) {
            Log("cannot listen on %s:%d: %s", web.host.c_str(), web.port, strerror(errno));
            checker.Stop();
            return 1;
        }
        checker.Stop();
    } catch (const std::exception& e) {
        Log("%s", e.what());
        return 1;
    }
    Log("stopped");
    return 0;
}
