#pragma once
// The game window: every variable of a game, and the controls and cells that each load of the window
// builds. The variables live as long as the program; the controls live from a load to the next unload.
// Procedures take no arguments and return nothing: they hand values to each other through the
// variables, as the game has always done (the shared loop counters `row` and `col` included).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "engine/rules/controls.h"
#include "engine/rules/values.h"

namespace blokko {

class Program;

constexpr int BoxCells = 16;
constexpr int WellRows = 22;
constexpr int WellColumns = 12;
constexpr int WellCells = WellRows * WellColumns; // 264
constexpr int PatternPieces = 17; // piece 0 (no piece) to 16
constexpr int PatternRows = 11;

// Key codes the game window acts on.
enum class Key : int {
    Left = 37,
    Down = 40,
    Right = 39,
    A = 65,
    P = 80,
    S = 83,
};

enum class TimerId { Timer1, Timer2, Timer3 };

// The controls of one load of the game window, as designed; cell arrays keep element 0 as the template.
struct Form1Controls {
    Form1Controls(); // the designed window

    // The window itself: outer size (frame and title bar included), whether it is shown, its look.
    float Width = 0;
    float Height = 0;
    bool Visible = false;
    const char* Caption = "";
    Colour BackColor = 0;

    Button Pause;
    Panel coverbottom;
    Cell cob; // inside coverbottom
    Panel covertop;
    Cell cot; // inside covertop
    Timer Timer3;
    Timer Timer2;
    Timer Timer1;
    Button Command1;
    Label Level;
    Label piecelabel;
    Label rowslabel;
    Label hscorelabel;
    Label scorelabel;
    Cell backdrop;
    Label npiece;
    std::array<Cell, BoxCells + 1> Shape3;
    std::array<Cell, WellCells + 1> Shape2;
    std::array<Cell, BoxCells + 1> Shape1;

    const Timer& timer(TimerId id) const;
    Timer& timer(TimerId id) { return const_cast<Timer&>(std::as_const(*this).timer(id)); }

    // Inner size of the window: the outer size less the frame.
    float ScaleWidth() const;
    float ScaleHeight() const;

    void bringToFront(Control& graphical) { graphical.z = ++graphicalFront; }
    void bringPanelToFront(Panel& panel) { panel.z = ++windowedFront; }
    // A new element of a cell array: a hidden copy of element 0, in front of what exists.
    void create(Cell& element, const Cell& templ);

    std::uint32_t graphicalFront = 0;
    std::uint32_t windowedFront = 0;
};

class Form1 {
public:
    explicit Form1(Program& program) : program_(program) { }
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

    Program& program_;
    std::optional<Form1Controls> controls_;
    std::uint64_t loadCount_ = 0;
};

// The frame and title bar of the game window, in twips: the inner area is the outer size less these.
// Chosen so the inner area is whole pixels at 15 twips a pixel and holds the whole well and side panel.
constexpr float Form1FrameWidth = 124;
constexpr float Form1FrameHeight = 394;

} // namespace blokko
