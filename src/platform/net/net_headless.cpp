#include "platform/net/net_headless.h"

namespace plat {

bool HeadlessNet::Send(NetRequest request) {
    if (waiting_.size() >= static_cast<size_t>(kNetMaxInFlight)) return false;
    sent.push_back(request);
    waiting_.push_back(std::move(request));
    return true;
}

bool HeadlessNet::Receive(NetAnswer& answer) {
    if (waiting_.empty()) return false;
    const NetRequest request = std::move(waiting_.front());
    waiting_.pop_front();
    if (server) {
        answer = server(request);
    } else {
        answer = NetAnswer{};
        answer.error = "no network";
    }
    answer.id = request.id;
    return true;
}

void HeadlessNet::Reset() {
    server = nullptr;
    sent.clear();
    waiting_.clear();
}

}  // namespace plat
