// The desktop's network against the real boards server on loopback: answers come on a later Receive,
// whatever the server does, and a request nobody answers comes back as status 0.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/real.h"
#include "test_support.h"

namespace {

// quivex-board on a free port of 127.0.0.1; its log says which.
struct BoardServer {
    pid_t pid = -1;
    int port = 0;
    explicit BoardServer(const std::string& dir) {
        const std::string log = dir + "/board.log";
        pid = fork();
        if (pid == 0) {
            freopen(log.c_str(), "w", stderr);
            execl(QUIVEX_BOARD_PATH, QUIVEX_BOARD_PATH, "--db", (dir + "/boards.sqlite").c_str(), "--listen", "127.0.0.1:0",
                  "--runner", QUIVEX_SIM_PATH, static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int tries = 0; tries < 2000 && port == 0; ++tries) {
            const std::string text = ReadFile(log);
            const size_t at = text.find("listening on 127.0.0.1:");
            if (at != std::string::npos) port = std::atoi(text.c_str() + at + 23);
            else usleep(10000);
        }
    }
    ~BoardServer() {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
    }
};

plat::NetAnswer Await(plat::Net& net) {
    plat::NetAnswer answer;
    for (int tries = 0; tries < 3000 && !net.Receive(answer); ++tries) usleep(10000);
    return answer;
}

TEST(Net, TheDesktopsNetworkAsksAndIsAnsweredLater) {
    BoardServer server(MakeScratchDir());
    ASSERT_GT(server.port, 0);
    const std::string base = "http://127.0.0.1:" + std::to_string(server.port);
    plat::Net& net = plat::RealNet();

    plat::NetRequest reg{7, "POST", base + "/api/players", "", "application/json", {}};
    const std::string name = "{\"name\":\"Ada\"}";
    reg.body.assign(name.begin(), name.end());
    ASSERT_TRUE(net.Send(reg));
    plat::NetAnswer answer = Await(net);
    EXPECT_EQ(answer.id, 7u);
    EXPECT_EQ(answer.status, 201) << answer.error;
    const std::string body(answer.body.begin(), answer.body.end());
    const size_t at = body.find("\"token\":\"");
    ASSERT_NE(at, std::string::npos) << body;
    const std::string token = body.substr(at + 9, body.find('"', at + 9) - at - 9);

    // A token sent as a bearer names its player, whose file is looked at; a forged one is refused.
    plat::NetRequest upload{8, "POST", base + "/api/runs", token, "application/octet-stream", {'n', 'o'}};
    ASSERT_TRUE(net.Send(upload));
    upload.id = 9;
    upload.bearer = "forged";
    ASSERT_TRUE(net.Send(upload));
    plat::NetAnswer first = Await(net), second = Await(net);
    EXPECT_EQ(first.id, 8u);
    EXPECT_EQ(first.status, 422);
    EXPECT_EQ(std::string(first.body.begin(), first.body.end()), "{\"reason\":\"not a replay\"}\n");
    EXPECT_EQ(second.id, 9u);
    EXPECT_EQ(second.status, 401);

    // Nobody listening, and an address of no protocol the game speaks: no answer, said so.
    for (const std::string url : {"http://127.0.0.1:1/", "file:///etc/passwd"}) {
        ASSERT_TRUE(net.Send({10, "GET", url, "", "", {}}));
        answer = Await(net);
        EXPECT_EQ(answer.status, 0) << url;
        EXPECT_FALSE(answer.error.empty()) << url;
        EXPECT_TRUE(answer.body.empty()) << url;
    }
}

}  // namespace
