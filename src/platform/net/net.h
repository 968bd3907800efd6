#pragma once
// HTTP for the online boards: a request is handed over and its answer read on a later frame; nothing the
// game does waits on the network. Only http and https addresses are asked, answers are capped in size and
// time, and a request that gets no answer (down, timed out, too big, cut short) is answered with status 0.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace plat {

struct NetRequest {
    uint32_t id = 0;          // the caller's, given back with the answer
    std::string method;       // "GET", "POST", "DELETE"
    std::string url;
    std::string bearer;       // sent as "Authorization: Bearer ..." when not empty
    std::string contentType;  // of the body, when there is one
    std::vector<unsigned char> body;
};

struct NetAnswer {
    uint32_t id = 0;
    int status = 0;      // the HTTP status, or 0 when no whole answer came
    std::string error;   // why not, when status is 0
    int retryAfter = 0;  // seconds, from a Retry-After header
    std::vector<unsigned char> body;
};

constexpr size_t kNetMaxAnswer = 2u << 20;  // a replay is at most 1 MB; anything larger is no answer of ours
constexpr int kNetTimeoutSeconds = 20;
constexpr int kNetMaxInFlight = 8;

class Net {
public:
    virtual ~Net() = default;
    // Hands the request over; false when kNetMaxInFlight are already out (ask again later).
    virtual bool Send(NetRequest request) = 0;
    // One finished request's answer, if there is one; never waits.
    virtual bool Receive(NetAnswer& answer) = 0;
};

// What the backends share: requests counted out, answers queued as they finish (on any thread), taken
// one at a time by the game.
class AnswerQueue {
public:
    bool Reserve() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (inFlight_ >= kNetMaxInFlight) return false;
        ++inFlight_;
        return true;
    }
    void Finish(NetAnswer answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        done_.push_back(std::move(answer));
    }
    bool Take(NetAnswer& answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (done_.empty()) return false;
        answer = std::move(done_.front());
        done_.pop_front();
        --inFlight_;
        return true;
    }

private:
    std::mutex mutex_;
    std::deque<NetAnswer> done_;
    int inFlight_ = 0;
};

}  // namespace plat
