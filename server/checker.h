// Checks uploaded runs: a bounded queue, a few worker threads, and for each run the runner played in a
// child process under resource limits. A run is filed from the runner's verdict alone.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "store.h"

namespace board {

struct CheckLimits {
    double cpu_base_seconds = 5;         // CPU time every check gets
    double frames_per_cpu_second = 5000;  // plus a second per this many frames the file declares
    double cpu_max_seconds = 600;
    int64_t memory_mib = 1024;           // 0: no address-space cap (sanitizer builds reserve terabytes)
    int64_t file_mib = 16;               // largest file the runner may write in its scratch folder
};

struct Verdict {
    bool accepted = false;
    Filing filing;        // when accepted
    std::string reason;   // when refused
    bool retry = false;   // refused for a fault of ours (the check failed or ran out of limits)
};

// The runner's stdout, exit status and how it ended, read into a verdict. Trusts only what agrees.
Verdict ReadVerdict(const std::string& out, int exit_status);

class Checker {
public:
    Checker(Store& store, std::string runner, std::string runs_dir, CheckLimits limits, int workers, size_t queue);
    ~Checker();

    bool Reserve();  // a place in the queue for an upload about to be stored; false when full
    void Release();  // a reserved place the upload did not use
    void Submit(const std::string& id);  // uses a reserved place
    void Resume(const std::string& id);  // a run left checking by an earlier process: no place needed
    int RetryAfterSeconds() const;
    void Stop();

    Verdict CheckFile(const std::string& path);

private:
    void Work();

    Store& store_;
    const std::string runner_, runs_dir_;
    const CheckLimits limits_;
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> queue_;
    size_t pending_ = 0;  // reserved + queued + being checked
    bool stopping_ = false;
    std::set<pid_t> children_;
    std::atomic<double> seconds_per_check_{1.0};
    std::vector<std::thread> workers_;
};

}  // namespace board
