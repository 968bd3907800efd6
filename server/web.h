// The board's HTTP side: routes, limits on clients, the boards page.
#pragma once

#include <string>
#include <vector>

#include "checker.h"
#include "store.h"

namespace board {

struct WebConfig {
    std::string host = "127.0.0.1";
    int port = 8470;
    std::string runs_dir;
    std::vector<std::string> allow_origins;
    int uploads_per_minute = 6;           // per player
    int address_per_minute = 30;          // uploads and registrations per address
    int http_threads = 8;
    int http_backlog = 64;                // accepted connections waiting for a thread; more are turned away
    int io_timeout = 5;                   // seconds one read or write may wait
    int request_timeout = 30;             // seconds a whole request may take, however it trickles in
    bool trust_proxy = false;             // X-Real-IP from a proxy on this machine names the client
    size_t max_replay = 1 << 20;
    size_t max_header = 16 * 1024;
};

// Serves until Stop(); false if it could not listen.
bool Serve(const WebConfig& config, Store& store, Checker& checker);
void StopServing();

// How the page and the API name a board and write a run's result.
std::string BoardTitle(const std::string& board);
std::string FormatValue(const std::string& board, const std::string& value_json);

}  // namespace board
