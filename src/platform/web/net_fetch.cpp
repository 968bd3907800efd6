// The browser's network: the page's fetch, answered between animation frames.
#include <emscripten/fetch.h>

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/net/net.h"
#include "platform/real.h"

namespace plat {
namespace {

class FetchNet;

struct Pending {
    FetchNet* net;
    uint32_t id;
    std::vector<std::string> headers;
    std::vector<const char*> headerPointers;
    std::vector<unsigned char> body;
};

class FetchNet : public Net {
public:
    bool Send(NetRequest request) override {
        if (!answers_.Reserve()) return false;
        auto* p = new Pending{this, request.id, {}, {}, std::move(request.body)};
        if (!request.bearer.empty()) p->headers.insert(p->headers.end(), {"Authorization", "Bearer " + request.bearer});
        if (!request.contentType.empty()) p->headers.insert(p->headers.end(), {"Content-Type", request.contentType});
        for (const std::string& h : p->headers) p->headerPointers.push_back(h.c_str());
        p->headerPointers.push_back(nullptr);
        emscripten_fetch_attr_t attr;
        emscripten_fetch_attr_init(&attr);
        std::strncpy(attr.requestMethod, request.method.c_str(), sizeof attr.requestMethod - 1);
        attr.attributes = EMSCRIPTEN_FETCH_LOAD_TO_MEMORY;
        attr.requestHeaders = p->headerPointers.data();
        if (!p->body.empty()) {
            attr.requestData = reinterpret_cast<const char*>(p->body.data());
            attr.requestDataSize = p->body.size();
        }
        attr.timeoutMSecs = kNetTimeoutSeconds * 1000;
        attr.userData = p;
        attr.onsuccess = Finished;
        attr.onerror = Finished;
        emscripten_fetch(&attr, request.url.c_str());
        return true;
    }

    bool Receive(NetAnswer& answer) override { return answers_.Take(answer); }

private:
    static void Finished(emscripten_fetch_t* fetch) {
        std::unique_ptr<Pending> p(static_cast<Pending*>(fetch->userData));
        NetAnswer answer;
        answer.id = p->id;
        answer.status = fetch->status;
        if (fetch->numBytes > kNetMaxAnswer) {
            answer.status = 0;
            answer.error = "the answer was too big";
        } else if (fetch->status == 0) {
            answer.error = "no answer";
        } else {
            answer.body.assign(fetch->data, fetch->data + fetch->numBytes);
            const size_t length = emscripten_fetch_get_response_headers_length(fetch);
            std::string headers(length + 1, '\0');
            emscripten_fetch_get_response_headers(fetch, headers.data(), headers.size());
            for (size_t at = 0; at < headers.size();) {
                const size_t end = headers.find('\n', at);
                const std::string line = headers.substr(at, end == std::string::npos ? std::string::npos : end - at);
                if (line.size() > 12 && strncasecmp(line.c_str(), "retry-after:", 12) == 0)
                    answer.retryAfter = std::atoi(line.c_str() + 12);
                if (end == std::string::npos) break;
                at = end + 1;
            }
        }
        emscripten_fetch_close(fetch);
        p->net->answers_.Finish(std::move(answer));
    }

    AnswerQueue answers_;
};

}  // namespace

Net& RealNet() {
    static FetchNet net;
    return net;
}

}  // namespace plat
