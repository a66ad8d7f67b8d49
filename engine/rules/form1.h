#pragma once
// The game window: every variable of a game, and the controls and cells that each load of the window
// builds. The variables live as long as the program; the controls live from a load to the next unload.
// Procedures take no arguments and return nothing: they hand values to each other through the
// variables, as the game has always done (the shared loop counters `row` and `col` included).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/rules/form1_controls.h"
#include "engine/rules/host.h"
#include "engine/rules/values.h"

namespace blokko {

constexpr int PatternPieces = 17; // piece 0 (no piece) to 16
constexpr int PatternRows = 11;

class Form1 {
public:
    explicit Form1(Host& host) : host_(host) { }
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // --- Variables, in the order the window holds them (start values are the program-start ones) ---
    std::array<std::array<std::string, PatternRows>, PatternPieces> patterns{};
    int prow = 0;
    int pcol = 0;
    int row = 0;
    int col = 0;
    float nextpiece = 0;
    int piece = 0;
    std::int16_t level = 0;
    float cell = 0;
    int temp = 0;
    int turn = 0;
    int across = 0;
    float down = 0;
    float speed = 0;
    bool landed = false;
    std::int16_t blocked = 0;
    LooseValue hiscore;
    LooseValue score;
    LooseValue rows;
    std::string blocks;

    // --- Lifecycle (the program loads, shows and unloads the window) ---
    bool loaded() const { return controls_.has_value(); }
    Form1Controls& controls() { return *controls_; }
    const Form1Controls& controls() const { return *controls_; }
    // Counts the loads, so an observer can tell a reloaded window from the one it knew.
    std::uint64_t loadCount() const { return loadCount_; }
    void load();
    void unload();

    // --- Event handlers ---
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Form_KeyDown(int KeyCode, int Shift);
    void Pause_Click();
    void Command1_Click();

    // --- Play rules ---
    void rotate();
    void drop();
    void display();
    void verified();
    void change();
    void stack();
    void checkrow();
    void deleterow();
    void addscore();

    // --- Game window presentation ---
    void sizing();
    void loadshapes();
    void border();
    void setup();
    void nextdisplay();
    void shownext();
    void cover();

    // --- Game flow ---
    void begin();

    // The character at `position` (from 1) of a pattern row, or 0 where there is none.
    char patternChar(int number, int patternRow, int position) const;
    // The filled-cell test: the character reads "1".
    bool patternFilled(int number, int patternRow, int position) const
    {
        return patternChar(number, patternRow, position) == '1';
    }
    // Whether well cell n is occupied (shown); numbers past the floor count as occupied.
    bool wellOccupied(int n) const;

private:
    void fillPatterns();
    void paintPiece(Cell& target, int number) const;

    Host& host_;
    std::optional<Form1Controls> controls_;
    std::uint64_t loadCount_ = 0;
};

} // namespace blokko
