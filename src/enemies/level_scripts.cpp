// The level schedules, one function a level, each event written as its row of the schedule.
#include "enemies/level_scripts.h"

#include <initializer_list>

#include "enemies/enemy_pool.h"
#include "game/level_state.h"
#include "world/world.h"

const int kBossApproachFrame[kLevelCount] = {6200, 13100, 7740, 15340};
const int kBossSpawnFrame[kLevelCount] = {6600, 13500, 8140, 15740};

namespace {

// The schedules read the level clock as it was when the frame's script began (an event may move it).
struct LevelSchedule {
    int t;  // LevelClock of this frame

    bool At(int frame) { return t == frame; }
    // first..last every period: the first and last frames on which the event fires.
    bool Every(int first, int last, int period) { return t >= first && t <= last && (t - first) % period == 0; }
    bool Between(int first, int last) { return t >= first && t <= last; }
    bool Guard() { return W.Level.MidBossActive == 0; }

    // model/behaviour, hit points, position, velocity, Poly spin and orbit step s.
    void Spawn(int model, int behaviour, int hp, int x, int y, float vx, float vy, int s = 0, int drop = 0) {
        SpawnEnemy(model, behaviour, hp, drop, x, y, vx, vy, s, s, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    // An enemy of an orbiting ring: it moves about the pivot from its base point.
    void SpawnOrbiting(int model, int behaviour, int hp, float vx, float vy, int s, int orbitAngle, int orbitStep,
                       float pivotX, float pivotY, float baseX, float baseY) {
        SpawnEnemy(model, behaviour, hp, 0, static_cast<int>(baseX), static_cast<int>(baseY), vx, vy, s, s, 0, 0,
                   orbitAngle, orbitStep, pivotX, pivotY, baseX, baseY);
    }

    void ChargeBossBar(int first) {
        if (Between(first, first + 89)) W.Level.BossBar -= 2.0f;
    }

    void Level1() {
        // The mid-boss gone early: the level moves straight on.
        if (Between(3700, 4159) && W.Level.MidBossSlot[0] == -1) {
            W.Level.LevelClock = 4160;
            return;
        }
        if (Every(0, 200, 50)) Spawn(4, 8, 30, 158, -20, 0, 2);
        if (Every(350, 550, 50)) Spawn(4, 7, 30, 482, -20, 0, 2);
        if (Every(750, 950, 50)) {
            Spawn(4, 8, 30, 258, -20, 0, 2);
            Spawn(4, 7, 30, 382, -20, 0, 2);
        }
        if (At(1200)) Spawn(6, 10, 100, 545, 400, -2, 0, -3);
        if (At(1300)) Spawn(6, 10, 100, 95, 200, 2, 0, 3);
        if (At(1400)) Spawn(6, 10, 100, 545, 300, -2, 0, -3);
        if (At(1500)) Spawn(6, 10, 100, 95, 100, 2, 0, 3);
        if (At(1600)) Spawn(6, 10, 100, 320, 545, 0, -2, 3);
        if (At(1800)) Spawn(6, 10, 100, 426, -33, 0, 2, 3);
        if (At(1900)) Spawn(6, 10, 100, 224, -33, 0, 2, -3);
        if (At(2100)) Spawn(6, 10, 100, 426, 545, 0, -2, -3);
        if (At(2200)) Spawn(6, 10, 100, 224, 545, 0, -2, 3);
        ChargeBossBar(2370);
        if (At(2460)) Spawn(0, 0, 2100, 320, -40, 0, 3, 2, 1);
        if (At(3240) || At(3300)) Spawn(2, 4, 50, 269, -25, 0, 3);
        if (At(3480) || At(3540)) Spawn(2, 5, 50, 371, -25, 0, 3);
        if (Every(4200, 4380, 60)) Spawn(2, 4, 50, 192, -25, 0, 3);
        if (Every(4500, 4680, 60)) Spawn(2, 5, 50, 448, -25, 0, 3);
        if (Every(4800, 4980, 60)) Spawn(2, 4, 50, 212, -25, 0, 3);
        if (Every(5100, 5280, 60)) Spawn(2, 5, 50, 428, -25, 0, 3);
        if (At(5400)) {
            // Six converging from a hexagon around the centre.
            Spawn(5, 9, 100, 635, 256, -2, 0, -3);
            Spawn(5, 9, 100, 477, 528, -1, -1.732f, -3);
            Spawn(5, 9, 100, 162, 528, 1, -1.732f, 3);
            Spawn(5, 9, 100, 5, 256, 2, 0, 3);
            Spawn(5, 9, 100, 162, -16, 1, 1.732f, 3);
            Spawn(5, 9, 100, 477, -16, -1, 1.732f, -3);
        }
    }

    void Level2() {
        if (At(100)) Spawn(1, 2, 100, 540, 420, -2, 0, -10);
        if (At(200)) Spawn(1, 2, 100, 192, -50, 0, 2, 10);
        if (At(350)) Spawn(1, 3, 100, 448, -50, 0, 2, -10);
        if (At(500)) Spawn(1, 3, 100, 100, 120, 2, 0, 10);
        if (At(600)) Spawn(1, 2, 100, 224, 540, 0, -2, 10);
        if (At(750)) Spawn(1, 3, 100, 416, 540, 0, -2, -10);
        if (Every(1110, 1290, 30)) {
            Spawn(5, 12, 70, 384, -20, 0, 2);
            Spawn(5, 13, 70, 256, -20, 0, 2);
        }
        if (At(1800) || At(2200) || At(2600)) Spawn(3, 6, 100, 542, 100, -2, 0, -7);
        if (At(2000) || At(2400) || At(2800)) Spawn(3, 6, 100, 98, 200, 2, 0, 7);
        if (Every(3000, 3180, 30)) {
            Spawn(5, 14, 70, 384, 532, 0, -2);
            Spawn(5, 15, 70, 256, 532, 0, -2);
        }
        ChargeBossBar(3750);
        if (At(3840)) Spawn(8, 16, 9000, 320, -90, 0, 2, -3, 1);

        // After the mid-boss: nothing here happens while it lives.
        if (!Guard()) return;
        if (At(8150)) Spawn(9, 17, 130, 542, -40, -1.5f, 1.5f, -4);
        if (At(8300)) Spawn(9, 17, 130, 542, 552, -1.5f, -1.5f, -4);
        if (At(8450)) Spawn(9, 17, 130, 98, -40, 1.5f, 1.5f, 4);
        if (At(8600)) Spawn(9, 17, 130, 98, 552, 1.5f, -1.5f, 4);
        if (At(8800)) {
            Spawn(9, 17, 130, 98, -40, 1.5f, 1.5f, 4);
            Spawn(9, 17, 130, 542, -40, -1.5f, 1.5f, -4);
        }
        if (At(9000)) {
            Spawn(9, 17, 130, 98, 256, 1.5f, 0, 4);
            Spawn(9, 17, 130, 542, 256, -1.5f, 0, -4);
        }
        if (At(9200)) Spawn(9, 17, 130, 98, 128, 1.5f, 0, 4);
        if (At(9350)) Spawn(9, 17, 130, 542, 384, -1.5f, 0, 4);
        if (At(9500)) Spawn(9, 17, 130, 98, 256, 1.5f, 0, 4);
        if (At(9650)) Spawn(9, 17, 130, 542, 64, -1.5f, 0, 4);
        if (At(9800)) {
            Spawn(9, 17, 130, 192, -40, 0, 1.5f, 4);
            Spawn(9, 17, 130, 448, -40, 0, 1.5f, -4);
        }
        if (At(9900)) {
            Spawn(9, 17, 130, 256, -40, 0, 1.5f, 4);
            Spawn(9, 17, 130, 384, -40, 0, 1.5f, -4);
        }
        if (At(10000)) Spawn(9, 17, 130, 320, -40, 0, 1.5f, 4);
        if (Every(10240, 10560, 80)) Spawn(10, 18, 100, 232, -40, 0, 1.5f);
        if (Every(10720, 11040, 80)) Spawn(10, 18, 100, 408, -40, 0, 1.5f);
        if (Every(11200, 11840, 160)) Spawn(10, 18, 100, 270, -40, 0, 1.5f);
        if (Every(11280, 11760, 160)) Spawn(10, 18, 100, 370, -40, 0, 1.5f);
        if (At(12000)) Spawn(1, 2, 100, 192, -50, 0, 2, 10);
        if (At(12060)) Spawn(9, 17, 130, 542, -40, -1.5f, 1.5f, -4);
        if (At(12120)) Spawn(1, 2, 100, 98, 542, 1.5f, -1.5f, 10);
        if (At(12180)) Spawn(9, 17, 130, 542, 542, -1.5f, -1.5f, -4);
        if (At(12240)) Spawn(1, 2, 100, 192, -50, 0, 2, 10);
        if (At(12320)) Spawn(9, 17, 130, 448, 542, 0, -2, -4);
        if (At(12440)) Spawn(1, 2, 100, 320, -40, 0, 2, 10);
        if (At(12480)) {
            Spawn(9, 17, 130, 542, -40, -1.5f, 1.5f, -4);
            Spawn(9, 17, 130, 98, -40, 1.5f, 1.5f, 4);
        }
        if (At(12600)) Spawn(9, 17, 130, 542, 542, -1.5f, -1.5f, -4);
        if (At(12680)) Spawn(9, 17, 130, 98, 542, 1.5f, -1.5f, 4);
        if (At(12800)) Spawn(9, 17, 130, 320, -40, 0, 2, 4);
        if (At(12840)) {
            Spawn(1, 2, 100, 542, -40, -1.5f, 1.5f, -10);
            Spawn(1, 2, 100, 98, -40, 1.5f, 1.5f, 10);
        }
    }

    // The four-craft groups of level 3 (model 12 or 13).
    void Level3Group(int model) {
        Spawn(model, 20, 170, 290, -80, -0.5f, 2);
        SpawnEnemy(model, 21, 170, 0, 320, -66, 0, 2, 0, 0, 180, 180, 0, 0, 0, 0, 0, 0);
        Spawn(model, 22, 170, 350, -80, 0.5f, 2);
        Spawn(model, 23, 170, 320, -33, 0, 2);
    }

    void Level3CornerFour() {
        Spawn(9, 17, 150, 542, -40, -1.5f, 1.5f, -4);
        Spawn(9, 17, 150, 542, 552, -1.5f, -1.5f, -4);
        Spawn(9, 17, 150, 98, -40, 1.5f, 1.5f, 4);
        Spawn(9, 17, 150, 98, 552, 1.5f, -1.5f, 4);
    }

    void Level3() {
        if (At(100) || At(1620)) Level3Group(12);
        if (At(470)) {
            Spawn(14, 24, 130, 265, -47, 0.8f, 4.4f, 3);
            Spawn(14, 28, 130, 375, -47, -0.8f, 4.4f, -3);
            Spawn(14, 25, 130, 113, -47, 3, 4.4f, 3);
            Spawn(14, 29, 130, 527, -47, -3, 4.4f, -3);
        }
        if (At(500)) {
            Spawn(14, 26, 130, 265, 559, 0.8f, -4.4f, 3);
            Spawn(14, 30, 130, 375, 559, -0.8f, -4.4f, -3);
            Spawn(14, 27, 130, 113, 559, 3, -4.4f, 3);
            Spawn(14, 31, 130, 527, 559, -3, -4.4f, -3);
        }
        if (At(860)) Level3Group(13);
        if (Every(1200, 1280, 20)) Spawn(14, 32, 130, 128, -20, 0, 3);
        if (Every(1340, 1420, 20)) Spawn(15, 33, 130, 512, -20, 0, 3);
        if (Every(2000, 2040, 20) || Every(2560, 2600, 20)) Spawn(14, 34, 100, 320, -20, 0, 3);
        if (Every(2140, 2180, 20) || Every(2700, 2740, 20)) Spawn(15, 36, 100, 320, -20, 0, 3);
        if (Every(2280, 2320, 20)) Spawn(15, 35, 100, 320, -20, 0, 3);
        if (Every(2420, 2460, 20)) Spawn(14, 37, 100, 320, -20, 0, 3);
        if (At(3000) || At(3500))
            for (int a = 0; a < 360; a += 90) SpawnOrbiting(16, 38, 100, 0, 0, 5, a, 2, 320, -83, 260, -83);
        if (At(3140) || At(3640))
            for (int a = 0; a < 360; a += 45) SpawnOrbiting(17, 39, 50, 0, 0, 5, a, 2, 256, -80, 210, -80);
        if (At(3320) || At(3820))
            for (int a = 0; a < 360; a += 45) SpawnOrbiting(17, 39, 50, 0, 0, 5, a, 2, 384, -80, 338, -80);
        ChargeBossBar(4110);
        if (At(4200)) Spawn(18, 40, 26000, 320, -95, 0, 2, 0, 1);

        if (!Guard()) return;
        for (int base : {5000, 6200}) {
            if (At(base)) {
                Spawn(5, 41, 200, 160, 526, 5, 0, 4);
                Spawn(5, 41, 200, 480, 526, -5, 0, -4);
            }
            if (At(base + 50)) {
                Spawn(5, 42, 200, 190, 526, 5, 0, 4);
                Spawn(5, 45, 200, 450, 526, -5, 0, -4);
            }
            if (At(base + 100)) {
                Spawn(5, 43, 200, 220, 526, 5, 0, 4);
                Spawn(5, 46, 200, 420, 526, -5, 0, -4);
            }
            if (At(base + 150)) {
                Spawn(5, 44, 200, 250, 526, 5, 0, 4);
                Spawn(5, 47, 200, 390, 526, -5, 0, -4);
            }
        }
        if (Between(5400, 5500) || Between(5800, 5900)) {
            if (t % 40 == 0) {
                Spawn(14, 48, 100, 280, -20, 0, 4, -4);
                Spawn(14, 49, 100, 360, -20, 0, 4, 4);
            }
            if (t % 40 == 20) {
                Spawn(15, 50, 100, 280, -20, 0, 4, -4);
                Spawn(15, 51, 100, 360, -20, 0, 4, 4);
            }
        }
        if (At(6640)) Level3Group(13);
        if (Every(6640, 6660, 20) || Every(7200, 7220, 20)) {
            Spawn(2, 4, 50, 224, -25, 0, 3);
            Spawn(2, 5, 50, 416, -25, 0, 3);
        }
        if (At(6940) || At(7500)) Level3CornerFour();
        if (At(7200)) Level3Group(12);
    }

    void Level4() {
        static const int kLeftX[3] = {224, 160, 288}, kRightX[3] = {416, 352, 480};
        for (int i = 0; i < 3; ++i) {
            if (At(280 * i) || At(840 + 280 * i)) Spawn(20, 53, 190, kLeftX[i], -20, 0, 0, 3);
            if (At(140 + 280 * i) || At(980 + 280 * i)) Spawn(21, 54, 190, kRightX[i], -20, 0, 0, -3);
        }
        if (Every(1800, 2430, 90)) Spawn(15, 56, 100, 352, -20, 0, 2);
        if (Every(1845, 2475, 90)) Spawn(14, 57, 100, 288, -20, 0, 2);
        if (Every(2640, 2880, 80)) {
            Spawn(14, 60, 430, 108, 488, 2, 0);
            Spawn(14, 58, 430, 532, 488, -2, 0);
        }
        if (Every(2680, 2920, 80)) {
            Spawn(15, 61, 430, 108, 488, 2, 0);
            Spawn(15, 59, 430, 532, 488, -2, 0);
        }
        if (At(3240) || At(3960) || At(4680)) Spawn(22, 55, 1700, 224, -50, 0, 0);
        if (At(3420) || At(4140) || At(4860)) Spawn(22, 55, 1700, 416, -50, 0, 0);
        ChargeBossBar(5710);
        if (At(5800)) Spawn(23, 62, 40000, 320, -95, 0, 2, -2, 1);

        if (!Guard()) return;
        if (At(10100)) {
            // Two columns of seven, models alternating down each column.
            for (int i = 0; i < 7; ++i) {
                int model = i % 2 == 0 ? 20 : 21;
                int y = 65 * (i + 1);
                Spawn(model, 77 + i, 700, 80, y, 2, 0, 3);
                Spawn(model, 84 + i, 700, 560, y, -2, 0, -3);
            }
        }
        if (Every(11100, 11400, 50))
            SpawnOrbiting(14, 70 + (t - 11100) / 50, 1350, 0, -2, -4, 180, -1, 320, -22, 218, -22);
        if (Every(11200, 11500, 50))
            SpawnOrbiting(15, 63 + (t - 11200) / 50, 1350, 0, 2, 4, 0, 1, 320, -22, 170, -22);
        static const float kRingPivotX[7] = {284, 384, 184, 334, 434, 234, 384};
        if (Every(13100, 14900, 300)) {
            float px = kRingPivotX[(t - 13100) / 300];
            for (int i = 0; i < 8; ++i) {
                bool first = i % 2 == 0;
                int model = first ? 20 : 21;
                float baseX = px - (first ? 26 : 23);
                SpawnOrbiting(model, first ? 91 : 92, 130, 0, 0, 5, 45 * i, 2, px, -80, baseX, -80);
            }
        }
    }
};

}  // namespace

bool RunLevelScript() {
    LevelSchedule schedule{W.Level.LevelClock};
    switch (W.Game.CurrentLevel) {
        case 0: schedule.Level1(); break;
        case 1: schedule.Level2(); break;
        case 2: schedule.Level3(); break;
        case 3: schedule.Level4(); break;
        default: return false;
    }
    return W.Level.LevelClock == schedule.t;
}
