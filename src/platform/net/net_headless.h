#pragma once
// The scripted network of the headless runner and the tests: each request sent is kept, and answered on
// the next Receive by `server` when one is set, else as a network that is down.
#include <deque>
#include <functional>
#include <vector>

#include "platform/net/net.h"

namespace plat {

class HeadlessNet : public Net {
public:
    bool Send(NetRequest request) override;
    bool Receive(NetAnswer& answer) override;
    void Reset();

    std::function<NetAnswer(const NetRequest&)> server;
    std::vector<NetRequest> sent;

private:
    std::deque<NetRequest> waiting_;
};

}  // namespace plat
