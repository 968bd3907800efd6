#pragma once
// The world: everything the game reads and writes from one frame to the next, as one value. Starting
// the program is its default; a snapshot is a copy of it. Each subsystem keeps its part here, under the
// name it has always had (W.Level.LevelClock, W.EnemyPool), so searching a name finds every use.
#include <cstdint>
#include <type_traits>

#include "world/entities.h"
#include "world/front_end.h"
#include "world/vars.h"

// Where the playfield and the upright front end are seen from.
struct CameraState {
    float eyeX, eyeY, eyeZ;
    float targetX, targetY;
};

// How often each effect number (1..13) and each named effect was asked for; for the headless runner.
struct SoundCounts {
    uint32_t effect[14];
    uint32_t explosion, shot, warning;
};

struct World {
    // Kept in quivex.cfg, the whole run of the program, one game, the running level.
    SavedVars Saved;
    ProgramVars Program;
    HostVars Host;
    GameVars Game;
    LevelVars Level;
    int32_t PendingBindings[kBindingSlots];  // the copy the redefine-input page edits

    // The pools. A cursor is the slot of the last search: -1 at start-up, kept between games.
    Enemy EnemyPool[kEnemyPoolSize];
    int32_t EnemyCursor = -1;
    EnemyBullet EnemyBullets[kEnemyBulletCount];
    int32_t BulletCursor = -1;
    PlayerShot PlayerShots[kPlayerShotPool];
    int32_t ShotCursor = -1;
    int32_t EnemiesKilled;  // since start-up; an enemy hit again after its destruction counts once
    Pickup Pickups[kPickupPool];
    int32_t PickupCursor = -1;
    int32_t PickupWobble[4];  // angles of the energy halos' wobble, shared by every pickup

    // The ship.
    Enemy PlayerShip;             // x, y, active (the ship is alive) and three Polys
    int32_t RespawnPending;       // the ship's last shard has faded; until the end of the grace period
    int32_t Invulnerable;         // during the grace period
    int32_t RespawnTimer;         // 0..168
    int32_t TrackedShard = -1;    // last debris shard of the ship's explosion, -1 = none
    int32_t VerticalMove;         // 0 none, 1 up, 2 down this frame (lights the thrusters)
    int32_t ShieldTimer;          // frames of shield left; 0 = down
    int32_t ShieldHits;
    int32_t FireLatch;            // a volley has been asked for and is in progress
    int32_t MainGunTimer, SideGunTimer, RearGunTimer;
    int32_t FlamePhase[2];        // the thrusters' flicker
    int32_t FlameBrightness[2];
    int32_t BossSpawnPending;     // the boss is due but the enemy pool was full: tried again each frame

    // Effects.
    Shard Shards[kShardPool];
    Spark Sparks[kSparkPool];
    Glow Glows[kGlowPool];
    int32_t ShardCursor = -1, SparkCursor = -1, GlowCursor = -1;
    float LastShipX, LastShipY;  // where the ship was when the glows last moved: they drift with it
    int32_t ShakeAmount;
    CameraState PlayfieldCamera;
    CameraState UprightCamera560, UprightCamera550;  // always upright: the front end stays readable
    float PlayfieldScroll;
    float WavePhase[4];
    int32_t ShieldRotation;
    int32_t WaveFlashRequest;  // 1: the wave bands flash red once
    int32_t WaveR, WaveG, WaveB;

    // The front end.
    int32_t EscapeLatch, MenuKeyLatch, PauseLatch, CaptureArmed;  // keys held since they last acted
    int32_t CaptureTarget;  // redefine row 0..6 being captured
    int32_t MenuPage;
    MenuItem MenuItems[kMenuItems];
    int32_t MenuItemCount;
    int32_t MenuCursor;
    MissionReportState Report;
    int32_t PilotRank;  // index of the rating title
    int32_t WarningPulseAngle, WarningPulse;  // 0..179, 6..122
    int32_t StatusPulseAngle, StatusPulse;    // the rating screen's own pulse
    int32_t HudBlink;   // 0..16
    int32_t TitleFade;  // 0..255, the level title's brightness
    int32_t BarBlink;   // 0..5
    float BarOffset;    // the boss bar's slide; its hidden value keeps it out of the way

    // Sound.
    int32_t MusicFadeLevel = 255;  // 255 = no fade; 254..1 = the volume being applied
    int32_t MusicTrack = -1;       // the track last started and not stopped since, or -1
    SoundCounts SoundsPlayed;
};

static_assert(std::is_trivially_copyable_v<World>, "a snapshot of the world is a copy of its bytes");

extern World W;

// The world back to its start-up value.
void ResetWorld();
