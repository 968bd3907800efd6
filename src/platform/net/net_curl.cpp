// The desktop's network: libcurl on a worker thread of its own, one request at a time, so that a slow
// or hostile server costs the game nothing but a late answer.
#include <curl/curl.h>

#include <strings.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/net/net.h"
#include "platform/real.h"

namespace plat {
namespace {

class CurlNet : public Net {
public:
    CurlNet() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlNet() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (worker_.joinable()) worker_.join();
    }

    bool Send(NetRequest request) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_ || !answers_.Reserve()) return false;
        todo_.push_back(std::move(request));
        if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
        wake_.notify_one();
        return true;
    }

    bool Receive(NetAnswer& answer) override { return answers_.Take(answer); }

private:
    void Work() {
        for (;;) {
            NetRequest request;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !todo_.empty(); });
                if (stopping_) return;
                request = std::move(todo_.front());
                todo_.pop_front();
            }
            answers_.Finish(Perform(request));
        }
    }

    struct Transfer {
        NetAnswer* answer;
        const CurlNet* net;
        bool tooBig = false;
    };

    static size_t Body(char* data, size_t size, size_t count, void* user) {
        Transfer& t = *static_cast<Transfer*>(user);
        const size_t n = size * count;
        if (t.answer->body.size() + n > kNetMaxAnswer) {
            t.tooBig = true;
            return 0;  // ends the transfer
        }
        t.answer->body.insert(t.answer->body.end(), data, data + n);
        return n;
    }

    static size_t Header(char* data, size_t size, size_t count, void* user) {
        Transfer& t = *static_cast<Transfer*>(user);
        const size_t n = size * count;
        static const char kRetry[] = "retry-after:";
        if (n > sizeof kRetry - 1 && strncasecmp(data, kRetry, sizeof kRetry - 1) == 0)
            t.answer->retryAfter = std::atoi(std::string(data + sizeof kRetry - 1, n - (sizeof kRetry - 1)).c_str());
        return n;
    }

    // Quitting the game does not wait for a slow server.
    static int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        const Transfer& t = *static_cast<const Transfer*>(user);
        std::lock_guard<std::mutex> lock(t.net->mutex_);
        return t.net->stopping_ ? 1 : 0;
    }

    NetAnswer Perform(const NetRequest& request) const {
        NetAnswer answer;
        answer.id = request.id;
        Transfer transfer{&answer, this};
        CURL* curl = curl_easy_init();
        if (!curl) {
            answer.error = "the network could not be used";
            return answer;
        }
        curl_slist* headers = nullptr;
        if (!request.bearer.empty()) headers = curl_slist_append(headers, ("Authorization: Bearer " + request.bearer).c_str());
        if (!request.contentType.empty()) headers = curl_slist_append(headers, ("Content-Type: " + request.contentType).c_str());
        headers = curl_slist_append(headers, "Expect:");  // no 100-continue round trip
        curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 5L);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(kNetTimeoutSeconds));
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "quiv-ex");
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Body);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, Header);
        curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, Progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        if (request.method == "POST") {
            curl_easy_setopt(curl, CURLOPT_POST, 1L);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, reinterpret_cast<const char*>(request.body.data()));
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
        } else if (request.method != "GET") {
            curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        }
        const CURLcode result = curl_easy_perform(curl);
        long status = 0;
        if (result == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        if (result != CURLE_OK) {
            answer.status = 0;
            answer.error = transfer.tooBig ? "the answer was too big" : curl_easy_strerror(result);
            answer.body.clear();
        } else {
            answer.status = static_cast<int>(status);
        }
        return answer;
    }

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<NetRequest> todo_;
    AnswerQueue answers_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace

Net& RealNet() {
    static CurlNet net;
    return net;
}

}  // namespace plat
