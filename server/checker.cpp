#include "checker.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "util.h"

namespace board {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

constexpr size_t kMaxStdout = 64 * 1024;
constexpr size_t kMaxStderr = 4 * 1024;
const char* const kFailed = "the check failed";
const char* const kExceeded = "the check exceeded its limits";

Verdict Refused(std::string reason, bool retry = false) {
    Verdict v;
    v.reason = std::move(reason);
    v.retry = retry;
    return v;
}

// A reason fit to show: printable, one line, not too long.
std::string Printable(std::string s) {
    std::string out;
    for (char c : s) {
        if (out.size() >= 300) break;
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
    }
    return out;
}

bool GetInt(const json& o, const char* key, int64_t lo, int64_t hi, int64_t& out) {
    auto it = o.find(key);
    if (it == o.end() || !it->is_number_integer()) return false;
    out = it->get<int64_t>();
    return out >= lo && out <= hi;
}

std::string GetString(const json& o, const char* key) {
    auto it = o.find(key);
    return it != o.end() && it->is_string() ? it->get<std::string>() : std::string();
}

uint32_t DeclaredFrames(const std::string& path) {
    unsigned char h[20] = {};
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    ssize_t n = pread(fd, h, sizeof h, 0);
    close(fd);
    if (n != ssize_t(sizeof h)) return 0;
    return uint32_t(h[16]) | uint32_t(h[17]) << 8 | uint32_t(h[18]) << 16 | uint32_t(h[19]) << 24;
}

void Limit(int resource, rlim_t soft, rlim_t hard) {
    struct rlimit r = {soft, hard};
    setrlimit(resource, &r);
}

}  // namespace

Verdict ReadVerdict(const std::string& out, int exit_status) {
    const json v = json::parse(out.substr(0, out.find('\n')), nullptr, false);
    if (!v.is_object()) return Refused(kFailed, true);
    const std::string verdict = GetString(v, "verdict");
    static const std::pair<const char*, int> kStatus[] = {
        {"valid", 20}, {"unreadable", 21}, {"ends-elsewhere", 22}, {"ineligible", 23}};
    bool agrees = false;
    for (auto& [name, status] : kStatus) agrees |= verdict == name && exit_status == status;
    if (!agrees) return Refused(kFailed, true);

    std::string reason = Printable(GetString(v, "reason"));
    if (verdict == "unreadable") return Refused(reason.empty() ? "not a replay this game can read" : reason);
    if (verdict == "ends-elsewhere")
        return Refused(reason.empty() ? "it ends in another state than recorded" : reason);
    if (verdict == "ineligible") {
        if (reason.empty()) {
            auto it = v.find("ineligible");
            if (it != v.end() && it->is_array())
                for (auto& r : *it)
                    if (r.is_string()) reason += (reason.empty() ? "" : ", ") + r.get<std::string>();
        }
        return Refused(reason.empty() ? "ineligible" : "ineligible: " + Printable(reason));
    }

    // Valid: the board must be the one its kind, level and rate make, and the result must fit the kind.
    const std::string kind = GetString(v, "kind");
    int64_t level = 0, hz = 0;
    auto er = v.find("ended_as_recorded");
    auto outcome = v.find("outcome");
    if (!GetInt(v, "level", 0, 4, level) || !GetInt(v, "hz", 30, 60, hz) || (hz != 30 && hz != 60) ||
        er == v.end() || *er != true || outcome == v.end() || !outcome->is_object())
        return Refused(kFailed, true);
    std::string board;
    if ((kind == "full" || kind == "rush") && level == 0)
        board = kind;
    else if ((kind == "level" || kind == "boss") && level >= 1)
        board = kind + "-" + std::to_string(level);
    else
        return Refused(kFailed, true);
    if (hz == 30) board += "-30hz";
    if (GetString(v, "board") != board) return Refused(kFailed, true);

    constexpr int64_t kBig = int64_t(1) << 40;
    Verdict ok;
    ok.accepted = true;
    ok.filing.board = board;
    int64_t a = 0, b = 0;
    if (kind == "full") {
        if (!GetInt(*outcome, "score", 0, kBig, a) || !GetInt(*outcome, "level", 0, 5, b)) return Refused(kFailed, true);
        ok.filing = {board, json{{"score", a}, {"level", b}}.dump(), a, b};
    } else if (kind == "level") {
        if (!GetInt(*outcome, "collected", 0, kBig, a) || !GetInt(*outcome, "held", 0, kBig, b))
            return Refused(kFailed, true);
        ok.filing = {board, json{{"collected", a}, {"held", b}}.dump(), a, b};
    } else {
        if (!GetInt(*outcome, "frames", 1, kBig, a)) return Refused(kFailed, true);
        ok.filing = {board, json{{"frames", a}}.dump(), -a, 0};  // fewer frames is better
    }
    return ok;
}

Checker::Checker(Store& store, std::string runner, std::string runs_dir, CheckLimits limits, int workers,
                 size_t queue)
    : store_(store), runner_(std::move(runner)), runs_dir_(std::move(runs_dir)), limits_(limits), capacity_(queue) {
    for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
}

Checker::~Checker() { Stop(); }

bool Checker::Reserve() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (pending_ >= capacity_ || stopping_) return false;
    ++pending_;
    return true;
}

void Checker::Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    --pending_;
}

void Checker::Submit(const std::string& id) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(id);
    }
    wake_.notify_one();
}

void Checker::Resume(const std::string& id) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++pending_;
        queue_.push_back(id);
    }
    wake_.notify_one();
}

int Checker::RetryAfterSeconds() const {
    size_t pending;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending = pending_;
    }
    const double s = double(pending) * seconds_per_check_.load() / double(std::max<size_t>(workers_.size(), 1));
    return std::clamp(int(std::ceil(s)), 1, 120);
}

void Checker::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ && workers_.empty()) return;
        stopping_ = true;
        for (pid_t pid : children_) kill(-pid, SIGKILL);
    }
    wake_.notify_all();
    for (auto& t : workers_) t.join();
    workers_.clear();
}

void Checker::Work() {
    for (;;) {
        std::string id;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            id = queue_.front();
            queue_.pop_front();
        }
        const auto start = Clock::now();
        const std::string path = runs_dir_ + "/" + id + ".qxr";
        Verdict v = CheckFile(path);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        seconds_per_check_ = 0.9 * seconds_per_check_.load() + 0.1 * took;
        bool stopping;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping = stopping_;
        }
        // A check cut short by our own stop is no verdict: the run stays checking for the next start.
        if (stopping) return;
        try {
            if (v.accepted) {
                store_.Accept(id, v.filing, UnixNow());
                Log("run %s accepted on %s: %s (%.2f s)", id.c_str(), v.filing.board.c_str(),
                    v.filing.value.c_str(), took);
            } else {
                if (store_.Refuse(id, v.reason, v.retry, UnixNow())) unlink(path.c_str());
                Log("run %s refused: %s (%.2f s)", id.c_str(), v.reason.c_str(), took);
            }
        } catch (const std::exception& e) {
            // Left checking: the next start checks it again.
            Log("run %s could not be filed: %s", id.c_str(), e.what());
        }
        std::lock_guard<std::mutex> lock(mutex_);
        --pending_;
    }
}

Verdict Checker::CheckFile(const std::string& path) {
    const double cpu = std::min(limits_.cpu_max_seconds,
                                limits_.cpu_base_seconds + DeclaredFrames(path) / limits_.frames_per_cpu_second);
    const rlim_t cpu_limit = rlim_t(std::max(1.0, std::round(cpu)));
    const auto deadline = Clock::now() + std::chrono::duration<double>(2 * cpu + 5);

    std::error_code ec;
    std::filesystem::create_directories(runs_dir_ + "/.work", ec);
    std::string work = runs_dir_ + "/.work/check-XXXXXX";
    if (!mkdtemp(work.data())) {
        Log("no scratch folder for a check: %s", strerror(errno));
        return Refused(kFailed, true);
    }

    // Everything the child needs is made before fork: after it, only async-signal-safe calls.
    std::vector<std::string> args = {runner_, "--verify", path, "--dir", work};
    std::vector<std::string> env = {"PATH=/usr/bin:/bin", "HOME=" + work, "LC_ALL=C"};
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
        if (const char* v = getenv(name)) env.push_back(std::string(name) + "=" + v);
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    for (auto& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const rlim_t as = rlim_t(limits_.memory_mib) << 20, fsize = rlim_t(limits_.file_mib) << 20;
    struct rlimit files = {};
    getrlimit(RLIMIT_NOFILE, &files);
    const int max_fd = int(std::min<rlim_t>(files.rlim_cur, 1 << 20));

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return Refused(kFailed, true);
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return Refused(kFailed, true);
    }
    pid_t pid;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pid = stopping_ ? -1 : fork();
        if (pid == 0) {
            setpgid(0, 0);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            signal(SIGPIPE, SIG_DFL);
            int null = open("/dev/null", O_RDONLY);
            dup2(null, 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            Limit(RLIMIT_CPU, cpu_limit, cpu_limit + 1);
            if (as) Limit(RLIMIT_AS, as, as);
            Limit(RLIMIT_FSIZE, fsize, fsize);
            Limit(RLIMIT_NOFILE, 64, 64);
            Limit(RLIMIT_NPROC, 256, 256);
            Limit(RLIMIT_CORE, 0, 0);
            // The connections' sockets are not close-on-exec: none of them may reach the runner.
            if (syscall(SYS_close_range, 3U, ~0U, 0U) != 0)
                for (int fd = 3; fd < max_fd; ++fd) close(fd);
            if (chdir(argv[4]) == 0) execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        if (pid > 0) {
            setpgid(pid, pid);
            children_.insert(pid);
        }
    }
    close(out[1]);
    close(err[1]);
    std::string stdout_text, stderr_text;
    bool timed_out = false, overflow = false;
    int status = 0;
    struct rusage usage = {};
    if (pid > 0) {
        struct pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        // Its group is killed while it is still unreaped: until then its pid, and so the group's id, cannot
        // be reused by another process.
        auto reap = [&] {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                children_.erase(pid);
            }
            kill(-pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
        };
        bool reaped = false;
        // Done when the child is gone and both pipes are read to their end.
        while (!reaped || fds[0].fd >= 0 || fds[1].fd >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                timed_out = true;
                break;
            }
            if (fds[0].fd >= 0 || fds[1].fd >= 0) {
                if (poll(fds, 2, int(std::min<long long>(left, 100))) < 0 && errno != EINTR) break;
                for (int i = 0; i < 2; ++i) {
                    if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                    char buf[8192];
                    ssize_t n = read(fds[i].fd, buf, sizeof buf);
                    if (n > 0) {
                        std::string& text = i == 0 ? stdout_text : stderr_text;
                        const size_t cap = i == 0 ? kMaxStdout : kMaxStderr;
                        if (text.size() + size_t(n) > cap) overflow |= i == 0;
                        text.append(buf, std::min(size_t(n), cap - std::min(cap, text.size())));
                    } else if (n == 0 || errno != EINTR) {
                        close(fds[i].fd);
                        fds[i].fd = -1;
                    }
                }
            } else {
                usleep(1000);
            }
            siginfo_t info = {};
            if (!reaped && waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) {
                reap();
                reaped = true;
            }
        }
        if (!reaped) reap();
        for (auto& f : fds)
            if (f.fd >= 0) close(f.fd);
    } else {
        close(out[0]);
        close(err[0]);
    }
    std::filesystem::remove_all(work, ec);
    if (pid < 0) return Refused(kFailed, true);

    const double used = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                        (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    const bool limited_signal = WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU ||
                                                        WTERMSIG(status) == SIGKILL || WTERMSIG(status) == SIGXFSZ);
    if (timed_out || limited_signal || used >= double(cpu_limit)) {
        Log("check of %s stopped by its limits (%.1f s of CPU, %llu allowed)", path.c_str(), used,
            (unsigned long long)cpu_limit);
        return Refused(kExceeded, true);
    }
    Verdict v = overflow || !WIFEXITED(status) ? Refused(kFailed, true) : ReadVerdict(stdout_text, WEXITSTATUS(status));
    if (v.retry) {
        Log("check of %s failed (status %d): %s", path.c_str(), status,
            Printable(stderr_text.substr(0, stderr_text.find('\n'))).c_str());
    }
    return v;
}

}  // namespace board
