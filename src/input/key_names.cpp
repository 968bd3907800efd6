#include "input/key_names.h"

#include <cstdio>

#include "input/devices.h"

namespace {

struct Named {
    int16_t code;
    char name[12];
};

// DirectInput scan codes; several share a text, which is only ever shown, never read back.
constexpr Named kKeys[] = {
    {1, "ESC"},          {2, "1"},          {3, "2"},           {4, "3"},          {5, "4"},
    {6, "5"},            {7, "6"},          {8, "7"},           {9, "8"},          {10, "9"},
    {11, "0"},           {12, "-"},         {13, "="},          {14, "BKSPACE"},   {15, "TAB"},
    {16, "Q"},           {17, "W"},         {18, "E"},          {19, "R"},         {20, "T"},
    {21, "Y"},           {22, "U"},         {23, "I"},          {24, "O"},         {25, "P"},
    {26, "L BRACKET"},   {27, "R BRACKET"}, {28, "RETURN"},     {29, "L CTRL"},    {30, "A"},
    {31, "S"},           {32, "D"},         {33, "F"},          {34, "G"},         {35, "H"},
    {36, "J"},           {37, "K"},         {38, "L"},          {39, ";"},         {40, "'"},
    {41, "ACCENT"},      {42, "L SHIFT"},   {43, "BKSLSH"},     {44, "Z"},         {45, "X"},
    {46, "C"},           {47, "V"},         {48, "B"},          {49, "N"},         {50, "M"},
    {51, ","},           {52, "."},         {53, "SLSH"},       {54, "R SHIFT"},   {55, "*"},
    {56, "L ALT"},       {57, "SPACE"},     {58, "CAPS"},       {59, "F1"},        {60, "F2"},
    {61, "F3"},          {62, "F4"},        {63, "F5"},         {64, "F6"},        {65, "F7"},
    {66, "F8"},          {67, "F9"},        {68, "F10"},        {69, "NULLOCK"},   {70, "SCROLL"},
    {71, "NUMPAD7"},     {72, "NUMPAD8"},   {73, "NUMPAD9"},    {74, "NUMPAD-"},   {75, "NUMPAD4"},
    {76, "NUMPAD5"},     {77, "NUMPAD6"},   {78, "NUMPAD+"},    {79, "NUMPAD1"},   {80, "NUMPAD2"},
    {81, "NUMPAD3"},     {82, "NUMPAD0"},   {83, "NUMPAD."},    {86, "OEM102"},    {87, "F11"},
    {88, "F12"},         {100, "F13"},      {101, "F14"},       {102, "F15"},      {112, "KANA"},
    {115, "?"},          {121, "?"},        {123, "?"},         {125, "YEN"},      {126, "?"},
    {141, "NUMPAD="},    {144, "PREVTRACK"}, {145, "AT"},       {146, ":"},        {147, "_"},
    {148, "?"},          {149, "STOP"},     {150, "?"},         {151, "?"},        {153, "NEXTTRACK"},
    {156, "ENTER"},      {157, "R CTRL"},   {160, "MUTE"},      {161, "CALC"},     {162, "PLAY"},
    {164, "STOP"},       {174, "V DOWN"},   {176, "V UP"},      {178, "HOME"},     {179, ","},
    {181, "NUMPAD DIV"}, {183, "SYSRQ"},    {184, "R ALT"},     {197, "PAUSE"},    {199, "HOME"},
    {200, "UP ARROW"},   {201, "PGUP"},     {203, "LEFT ARROW"}, {205, "RIGHT ARROW"}, {207, "END"},
    {208, "DOWN ARROW"}, {209, "PG DOWN"},  {210, "INSERT"},    {211, "DEL"},      {219, "L WIN"},
    {220, "R WIN"},      {221, "APPS"},     {222, "POWER"},     {223, "SLEEP"},    {227, "WAKE"},
    {229, "WEBSEARCH"},  {230, "FAVE"},     {231, "REFRESH"},   {232, "STOP"},     {233, "FWD"},
    {234, "BACK"},       {235, "MYCOMP"},   {236, "MAIL"},      {237, "MEDIA"},
};

constexpr char kAxes[4][16] = {"axis X minus", "axis X positive", "axis Y minus", "axis Y positive"};

}  // namespace

void KeyName(int32_t code, char* out, size_t size) {
    if (!out || size == 0) return;
    out[0] = 0;
    if (code >= kButtonBase && code <= 1999) {
        std::snprintf(out, size, "button: %d", static_cast<int>(code - 999));
        return;
    }
    if (code >= kAxisXMinus && code <= kAxisYPlus) {
        std::snprintf(out, size, "%s", kAxes[code - kAxisXMinus]);
        return;
    }
    for (const Named& key : kKeys)
        if (key.code == code) {
            std::snprintf(out, size, "%s", key.name);
            return;
        }
}
