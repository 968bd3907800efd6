#pragma once
// The replay viewer: while a replay is watched the player pauses it, steps it a frame at a time, plays
// it at half, twice or four times its speed, rewinds it five seconds or jumps to its start. Moving back
// restores the latest snapshot of the whole state taken while it played and plays on from there unseen.

// Room for the snapshots, made once at start-up with the other replay buffers.
void PrepareReplayViewer();
// Just before a playback starts, while the player's own controls are still in force: their keys,
// controller and bindings work the viewer while the replay's work its game.
void ViewerKeepsPlayersControls();
// A playback has started: the snapshots begin again, from its first frame played.
void ViewerPlaybackStarted();

// The frame loop's pass while a replay is watched: the viewer's keys, then as many of the replay's
// frames as its speed asks for, the last of them drawn (none while paused: the moment on show is drawn
// again). False when no replay is watched or watching has just ended: the pass is an ordinary one.
bool WatchedPass();

// Moves the playback to `frame` frames played, from the latest snapshot at or before it (or from where
// it is, when that is nearer), playing the frames between unseen and unheard. False when there is no
// playback to move or `frame` is past its end.
bool SeekPlayback(long long frame);

void ResetReplayViewer();
