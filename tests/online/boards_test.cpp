// Records going out to the online boards through the outbox, against a scripted server: a record is
// kept until the server has given its word, tried again later when it is down or busy, followed while it
// is checked, and its standing shown on its row; a restart finds what was left.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "game/records.h"
#include "online/boards.h"
#include "shell/options.h"
#include "test_support.h"
#include "world/world.h"

namespace {

plat::NetAnswer Say(int status, const std::string& body, int retryAfter = 0) {
    plat::NetAnswer a;
    a.status = status;
    a.body.assign(body.begin(), body.end());
    a.retryAfter = retryAfter;
    return a;
}

class BoardsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Options.OnlineBoards = 1;
        std::snprintf(Options.BoardAddress, sizeof Options.BoardAddress, "http://127.0.0.1:8470/");
        h().net.server = [this](const plat::NetRequest& r) {
            asked.push_back(r.method + " " + r.url + " " + r.bearer);
            const plat::NetAnswer a = answers.empty() ? Say(0, "") : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return a;
        };
    }
    // Frames until the scripted server has been asked `n` more times (a bounded wait on that signal).
    void PumpUntilAsked(size_t n) {
        const size_t target = asked.size() + n;
        for (int i = 0; i < 60 * 700 && asked.size() < target; ++i) PumpBoards();
        PumpBoards();  // its answer read
    }
    const BoardRowInfo& Row(int row) { return W.Host.BoardRows[row]; }
    std::vector<plat::NetAnswer> answers;
    std::vector<std::string> asked;
};

TEST_F(BoardsTest, ARecordIsSentUntilTheServerHasGivenItsWord) {
    // A name someone has is refused; the next is taken, and its token kept for the player's eyes only.
    answers = {Say(409, "{\"reason\":\"that name is taken\"}"), Say(201, "{\"name\":\"Ada\",\"token\":\"t0ken\"}")};
    RegisterBoardName("Bob");
    PumpBoards();
    EXPECT_EQ(BoardNameAnswer(), 409);
    EXPECT_STREQ(BoardPlayerName(), "");
    RegisterBoardName("Ada");
    PumpBoards();
    EXPECT_EQ(BoardNameAnswer(), 201);
    EXPECT_EQ(asked.back(), "POST http://127.0.0.1:8470/api/players ");
    asked.clear();
    struct stat st {};
    ASSERT_EQ(stat(DataFile("board.cfg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadFile(DataFile("board.cfg")), "name = Ada\ntoken = t0ken\n");

    const std::vector<unsigned char> replay = {'Q', 'X', 'R', 'P', 1, 2, 3};
    OfferRecordReplay(ReplayBoss1 + 2, replay);
    EXPECT_EQ(Row(ReplayBoss1 + 2).state, BoardRow::Sending);
    EXPECT_EQ(OutboxCount(), 1);

    // Down, then busy for 5 s: the run stays, and is tried again no sooner than it was told.
    answers = {Say(0, ""), Say(503, "{\"reason\":\"busy, retry after 5 s\"}", 5)};
    PumpUntilAsked(2);
    EXPECT_EQ(asked[0], "POST http://127.0.0.1:8470/api/runs t0ken");
    EXPECT_EQ(Row(ReplayBoss1 + 2).state, BoardRow::Sending);
    int frames = 0;
    answers = {Say(202, "{\"id\":\"0a1b\",\"state\":\"checking\"}")};
    for (const size_t before = asked.size(); asked.size() == before && frames < 60 * 700; ++frames) PumpBoards();
    EXPECT_GE(frames, 5 * 60);
    PumpBoards();
    EXPECT_EQ(Row(ReplayBoss1 + 2).state, BoardRow::Checking);

    // Followed while it is checked, then ranked: only then does it leave the outbox.
    answers = {Say(200, "{\"id\":\"0a1b\",\"state\":\"checking\"}"), Say(200, "{\"id\":\"0a1b\",\"state\":\"accepted\",\"rank\":3,\"of\":41}")};
    PumpUntilAsked(2);
    EXPECT_EQ(asked.back(), "GET http://127.0.0.1:8470/api/runs/0a1b t0ken");
    EXPECT_EQ(Row(ReplayBoss1 + 2).state, BoardRow::Ranked);
    EXPECT_EQ(Row(ReplayBoss1 + 2).rank, 3);
    EXPECT_EQ(Row(ReplayBoss1 + 2).of, 41);
    EXPECT_EQ(OutboxCount(), 0);

    // A record set while the boards are off waits in no outbox; one set while the server is away
    // outlives a restart, and a refusal is the server's word too.
    Options.OnlineBoards = 0;
    OfferRecordReplay(ReplayRush, replay);
    EXPECT_EQ(OutboxCount(), 0);
    Options.OnlineBoards = 1;
    OfferRecordReplay(ReplayRush, replay);
    OfferRecordReplay(ReplayLevel1, replay);
    ResetBoards();
    StartBoards();
    EXPECT_STREQ(BoardPlayerName(), "Ada");
    EXPECT_EQ(OutboxCount(), 2);
    answers = {Say(409, "{\"reason\":\"a copy of a run already on file\"}"), Say(401, "{\"reason\":\"unknown token\"}")};
    PumpUntilAsked(2);
    EXPECT_EQ(Row(ReplayRush).state, BoardRow::Refused);  // the older first
    EXPECT_STREQ(Row(ReplayRush).reason.data(), "a copy of a run already on file");
    EXPECT_EQ(Row(ReplayLevel1).state, BoardRow::NameUnknown);
    EXPECT_EQ(OutboxCount(), 1);  // a name the server does not know keeps the run for a name it does
}

}  // namespace
