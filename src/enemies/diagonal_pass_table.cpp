#include "enemies/behaviour_tables.h"

// Behaviours 24..31: four from the top (24, 25, 28, 29), four from the bottom (26, 27, 30, 31).
const DiagonalPassRow DiagonalPassTable[8] = {
    // second move, drop at, speed, burst ages, pattern, tested after advancing
    {70, 145, 275, 5.0f, {146, 148}, 44, 0},  // 24
    {70, 145, 285, 4.0f, {244, 248}, 47, 0},  // 25
    {40, 115, 255, 5.0f, {136, 138}, 44, 0},  // 26
    {40, 115, 265, 4.0f, {220, 224}, 47, 1},  // 27
    {70, 145, 275, 5.0f, {166, 168}, 45, 0},  // 28
    {70, 145, 285, 4.0f, {256, 260}, 46, 0},  // 29
    {40, 115, 255, 5.0f, {116, 118}, 45, 0},  // 30
    {40, 115, 265, 4.0f, {208, 212}, 46, 0},  // 31
};
