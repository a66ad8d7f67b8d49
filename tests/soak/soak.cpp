// Soak test: complete games played automatically in the engine, from the first piece to game over,
// at every difficulty and through restarts, with every invariant checked after every event. The
// player steers each piece to a place it picks (now a good one, now a random one), hurries, turns,
// pauses and resumes now and then, and presses stray keys; late in each game it plays recklessly so
// that every game ends. Prints the count of games, pieces and rows.
//
//   ctest --test-dir build/ci -R soak                       the short run of CI (a few seconds)
//   build/ci/tests/soak/blokko_soak --games 20000           a long run (or BLOKKO_SOAK_GAMES=20000)
//   build/ci/tests/soak/blokko_soak --seed 7 --games 50 --script soak.trace
//                                                           another seed; all events as a blokko-trace script

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "tests/support/invariants.h"

namespace {

using blokko::TimerId;
using blokko::checks::boxCellFilled;
using blokko::checks::CheckedProgram;

constexpr int DefaultGames = 150;
constexpr int GamesPerSession = 6; // then the program starts afresh
constexpr std::uint64_t MostTicksPerGame = 200000;
constexpr int AnyKeyCode = 65535;

enum : int { KeyLeft = 37, KeyRight = 39, KeyDown = 40, KeyA = 65, KeyP = 80, KeyS = 83 };

// The game's piece choice: uniform values in [0, 1) with 24 bits, as the game's own source makes them.
class SoakRandom final : public blokko::RandomSource {
public:
    explicit SoakRandom(std::uint32_t seed) : generator_(seed) { }
    void seedFromTimeOfDay() override { }
    float next() override { return static_cast<float>(generator_() >> 8) / 16777216.0f; }

private:
    std::mt19937 generator_;
};

struct Target {
    int turn = 1;
    int across = 3;
};

// Where a piece would come to rest if dropped straight down at (turn, across), and how good the
// well looks afterwards: complete rows are good, height, holes and unevenness bad.
class Planner {
public:
    explicit Planner(const blokko::Form1& form)
    {
        const auto& c = form.controls();
        for (int r = 0; r < blokko::WellRows; ++r)
            for (int col = 0; col < blokko::WellColumns; ++col)
                well_[r][col] = c.Shape2[static_cast<std::size_t>(12 * r + col + 1)].Visible;
    }

    Target best(int piece) const
    {
        Target chosen;
        double bestScore = -1e18;
        for (int turn = 1; turn <= 4; ++turn) {
            for (int across = -3; across <= 10; ++across) {
                double score = 0;
                if (evaluate(piece, turn, across, score) && score > bestScore) {
                    bestScore = score;
                    chosen = {turn, across};
                }
            }
        }
        return chosen;
    }

    // Any place where the whole piece lies between the side walls.
    bool fits(int piece, int turn, int across) const
    {
        for (int r = 1; r <= 4; ++r)
            for (int col = 1; col <= 4; ++col)
                if (boxCellFilled(piece, turn, r, col) && (across + col < 1 || across + col > 10))
                    return false;
        return true;
    }

private:
    bool evaluate(int piece, int turn, int across, double& score) const
    {
        if (!fits(piece, turn, across))
            return false;
        int rest = -4;
        while (!touches(piece, turn, across, rest))
            ++rest;
        auto well = well_;
        for (int r = 1; r <= 4; ++r) {
            for (int col = 1; col <= 4; ++col) {
                if (!boxCellFilled(piece, turn, r, col))
                    continue;
                if (rest + r < 1)
                    return false; // would end the game
                well[rest + r][across + col] = true;
            }
        }
        int full = 0;
        for (int r = 2; r <= 20; ++r) {
            bool rowFull = true;
            for (int col = 1; col <= 10; ++col)
                rowFull = rowFull && well[r][col];
            full += rowFull ? 1 : 0;
        }
        int height = 0;
        int holes = 0;
        int bumps = 0;
        int previous = -1;
        for (int col = 1; col <= 10; ++col) {
            int top = 21;
            for (int r = 1; r <= 20; ++r) {
                if (well[r][col]) {
                    top = r;
                    break;
                }
            }
            for (int r = top + 1; r <= 20; ++r)
                holes += well[r][col] ? 0 : 1;
            const int columnHeight = 21 - top;
            height += columnHeight;
            if (previous >= 0)
                bumps += std::abs(columnHeight - previous);
            previous = columnHeight;
        }
        score = 0.76 * full - 0.51 * height - 0.36 * holes - 0.18 * bumps;
        return true;
    }

    // Whether a cell of the piece, with its box's top row at well row rest + 1, sits on something.
    bool touches(int piece, int turn, int across, int rest) const
    {
        for (int r = 1; r <= 4; ++r) {
            for (int col = 1; col <= 4; ++col) {
                if (!boxCellFilled(piece, turn, r, col))
                    continue;
                const int below = rest + r + 1;
                if (below >= 21 || (below >= 1 && well_[below][across + col]))
                    return true;
            }
        }
        return false;
    }

    std::array<std::array<bool, blokko::WellColumns>, blokko::WellRows> well_{};
};

struct Options {
    int games = DefaultGames;
    std::uint32_t seed = 1;
    std::string script;
};

struct Report {
    std::uint64_t games = 0;
    std::uint64_t pieces = 0;
    std::uint64_t rows = 0;
    std::uint64_t events = 0;
    std::uint64_t sessions = 0;
    std::array<std::uint64_t, 5> gamesByDifficulty{};
};

class Player {
public:
    Player(CheckedProgram& game, std::mt19937& dice) : game_(game), dice_(dice) { }

    // Plays one game from the start of the program or from a restart to its game over.
    void playGame(int difficulty, bool firstOfSession)
    {
        int chooseAfter = 0; // play ticks before "GO!" after a restart; -1 never
        if (firstOfSession) {
            if (chance(0.3))
                game_.keyDown(pick(0, AnyKeyCode)); // no window takes it yet
            choose(difficulty);
            // Keys before the first parade step: the turn is still 0 and the piece 0.
            if (chance(0.3))
                for (int i = pick(1, 4); i > 0; --i)
                    game_.keyDown(chance(0.5) ? KeyS : pickKey());
        } else {
            chooseAfter = chance(0.2) ? -1 : chance(0.5) ? 0 : pick(1, 300);
            if (chooseAfter == 0)
                choose(difficulty);
        }

        std::uint64_t ticks = 0;
        std::uint64_t plannedPiece = ~std::uint64_t{0};
        std::uint64_t piecesThisGame = 0;
        const std::uint64_t firstPiece = game_.totals().pieces;
        const std::uint64_t recklessFrom = static_cast<std::uint64_t>(pick(5, 120));
        Target target;
        bool hurry = false;
        while (!game_.gameOver()) {
            if (++ticks > MostTicksPerGame) {
                std::cerr << "soak: a game ran " << MostTicksPerGame << " ticks without ending\n";
                std::abort();
            }
            if (chooseAfter > 0 && ticks == static_cast<std::uint64_t>(chooseAfter))
                choose(difficulty);
            // A stray P paused the game: resume it after a few silent ticks.
            if (game_.program().form1.controls().Pause.Visible && chance(0.3))
                game_.clickPause();
            if (!game_.playBegan()) {
                if (chance(0.02))
                    game_.keyDown(pickKey());
                game_.tick(ticks % 3 == 0 ? TimerId::Timer3 : TimerId::Timer2);
                continue;
            }
            piecesThisGame = game_.totals().pieces - firstPiece;
            if (plannedPiece != game_.totals().pieces) {
                plannedPiece = game_.totals().pieces;
                target = plan(piecesThisGame >= recklessFrom);
                hurry = chance(0.3);
            }
            steer(target, hurry);
            // Second thoughts: a turn late in the fall, also one that would reach below the floor.
            if (chance(0.04))
                game_.keyDown(chance(0.5) ? KeyA : KeyS);
            if (chance(0.004))
                pauseAWhile();
            if (chance(0.003))
                game_.keyDown(pick(0, AnyKeyCode));
            if (chance(0.002))
                game_.clickPause(); // not shown: nothing happens
            game_.tick(ticks % 4 == 0 ? TimerId::Timer3 : TimerId::Timer1);
            if (chance(0.01))
                game_.tick(TimerId::Timer2);
        }

        // Over: the keys, the pause and the clock change nothing that matters now.
        for (int i = pick(0, 6); i > 0; --i) {
            if (chance(0.5))
                game_.keyDown(pickKey());
            else
                game_.tick(static_cast<TimerId>(pick(0, 2)));
        }
        if (chance(0.2)) {
            game_.keyDown(KeyP);
            game_.tick(TimerId::Timer1);
            game_.clickPause();
        }
    }

    void restart() { game_.clickGameOver(); }

private:
    bool chance(double probability) { return std::uniform_real_distribution<double>(0, 1)(dice_) < probability; }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(dice_); }
    int pickKey()
    {
        constexpr std::array<int, 6> keys = {KeyLeft, KeyRight, KeyDown, KeyA, KeyS, KeyP};
        return keys[static_cast<std::size_t>(pick(0, 5))];
    }

    void choose(int difficulty)
    {
        game_.scrollTo(difficulty);
        game_.clickGo();
    }

    Target plan(bool reckless)
    {
        const blokko::Form1& f = game_.program().form1;
        Planner planner(f);
        if (!reckless && !chance(0.15))
            return planner.best(f.piece);
        Target target;
        do {
            target = {pick(1, 4), pick(-3, 10)};
        } while (!planner.fits(f.piece, target.turn, target.across));
        return target;
    }

    // At most one turn and one shift a tick, as fast as a quick player; refused moves are tried again.
    void steer(const Target& target, bool hurry)
    {
        const blokko::Form1& f = game_.program().form1;
        const int steps = (target.turn - f.turn + 4) % 4;
        if (steps == 3)
            game_.keyDown(KeyS);
        else if (steps != 0)
            game_.keyDown(KeyA);
        if (f.across < target.across)
            game_.keyDown(KeyRight);
        else if (f.across > target.across)
            game_.keyDown(KeyLeft);
        else if (steps == 0 && hurry)
            game_.keyDown(KeyDown);
    }

    // P, a few ticks that must change nothing, now and then P again, then the "Pause" button.
    void pauseAWhile()
    {
        game_.keyDown(KeyP);
        for (int i = pick(0, 8); i > 0; --i)
            game_.tick(static_cast<TimerId>(pick(0, 2)));
        if (chance(0.3))
            game_.keyDown(KeyP);
        if (chance(0.3))
            game_.keyDown(pickKey());
        game_.clickPause();
    }

    CheckedProgram& game_;
    std::mt19937& dice_;
};

Options parse(int argc, char** argv)
{
    Options options;
    if (const char* games = std::getenv("BLOKKO_SOAK_GAMES"))
        options.games = std::atoi(games);
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--games")
            options.games = std::atoi(argv[i + 1]);
        else if (name == "--seed")
            options.seed = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (name == "--script")
            options.script = argv[i + 1];
        else
            std::cerr << "soak: unknown option " << name << " ignored\n";
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    std::ofstream script;
    if (!options.script.empty())
        script.open(options.script);

    std::mt19937 dice(options.seed);
    Report report;
    int played = 0;
    while (played < options.games) {
        // A program run from its start; its games follow each other through "Game Over".
        SoakRandom random(options.seed * 7919u + static_cast<std::uint32_t>(report.sessions));
        CheckedProgram game(random);
        if (script.is_open()) {
            script << "# program start (a new blokko-trace run begins here)\n";
            game.recordScript(&script);
        }
        ++report.sessions;
        for (int inSession = 0; inSession < GamesPerSession && played < options.games; ++inSession, ++played) {
            if (inSession > 0)
                Player(game, dice).restart();
            const int difficulty = played % 4 + 1;
            Player(game, dice).playGame(difficulty, inSession == 0);
            ++report.gamesByDifficulty[static_cast<std::size_t>(game.program().module1.difficulty)];
        }
        report.games += game.totals().gamesOver;
        report.pieces += game.totals().pieces;
        report.rows += game.totals().rows;
        report.events += game.totals().events;
    }

    std::printf("soak: seed %u, %llu games to game over in %llu program runs, %llu pieces, %llu rows, %llu events\n",
        options.seed, static_cast<unsigned long long>(report.games), static_cast<unsigned long long>(report.sessions),
        static_cast<unsigned long long>(report.pieces), static_cast<unsigned long long>(report.rows),
        static_cast<unsigned long long>(report.events));
    std::printf("soak: games by difficulty at their end: none chosen %llu, Easy %llu, Medium %llu, Hard %llu, "
                "Intense %llu\n",
        static_cast<unsigned long long>(report.gamesByDifficulty[0]),
        static_cast<unsigned long long>(report.gamesByDifficulty[1]),
        static_cast<unsigned long long>(report.gamesByDifficulty[2]),
        static_cast<unsigned long long>(report.gamesByDifficulty[3]),
        static_cast<unsigned long long>(report.gamesByDifficulty[4]));
    if (report.games != static_cast<std::uint64_t>(options.games)) {
        std::fprintf(stderr, "soak: %llu of %d games reached game over\n",
            static_cast<unsigned long long>(report.games), options.games);
        return 1;
    }
    return 0;
}
