#pragma once
// The online boards from the game's side: the player's name on them and its token ("board.cfg", readable
// by the player only), the records' replays going out by themselves through an outbox folder that
// survives a restart, and each record's standing coming back for the records page (W.Host.BoardRows).
// Nothing here waits on the network: requests go out, and their answers are read on later frames.
#include <cstdint>
#include <vector>

constexpr int kOutboxMost = 36;  // runs waiting to go out; past it the oldest is dropped

// At start-up, after the options: reads board.cfg and what the outbox holds.
void StartBoards();
// A record's replay just kept (its RecordReplay row and the file's bytes): into the outbox, while the
// boards are on.
void OfferRecordReplay(int row, const std::vector<unsigned char>& file);
// Once a frame: sends what is due and reads what was answered. Waits between tries are counted in frames.
void PumpBoards();
// Asks the server for `name`; the token it gives is kept with it in board.cfg. Its answer shows in
// BoardNameAnswer: 0 while none came, 201 taken, else the server's status (409: the name is someone's).
void RegisterBoardName(const char* name);
int BoardNameAnswer();
// The name and token the server gave, kept in board.cfg.
void SetBoardAccount(const char* name, const char* token);
const char* BoardPlayerName();  // "" before there is one
int OutboxCount();
void ResetBoards();
