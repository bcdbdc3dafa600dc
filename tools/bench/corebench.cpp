// quirlon95-corebench: the rules' hot paths timed alone, and the solver, on the shipped level
// file; and the start of a game on a level file of 64 MiB.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "designer/proof.h"
#include "headless/headlessgame.h"

namespace {

// A game that has started its first round on level 1 of the shipped file.
struct StartedGame : HeadlessGame {
    StartedGame() : HeadlessGame(std::filesystem::path(LEVEL_FILE)) { form.Label4Click(); }

    TForm1& form = game.Form1;
};

// The ball where the round put it, so every tick is the same first tick of its fall.
struct BallState {
    explicit BallState(const TForm1& f)
        : posx(f.posx),
          posy(f.posy),
          bewx(f.bewx),
          bewy(f.bewy),
          schwung(f.schwung),
          left(f.ball.Left),
          top(f.ball.Top) {}

    void restore(TForm1& f) const {
        f.posx = posx;
        f.posy = posy;
        f.bewx = bewx;
        f.bewy = bewy;
        f.schwung = schwung;
        f.ball.Left = left;
        f.ball.Top = top;
    }

    int32 posx, posy, bewx, bewy, schwung, left, top;
};

// One frame tick in free flight: the ball moves and is tested against all 25 elements.
void frameTick(benchmark::State& state) {
    StartedGame started;
    TForm1& form = started.form;
    const BallState start(form);
    const int32 pointsBefore = form.punkte;
    for (auto _ : state) {
        start.restore(form);
        form.Timer1Timer();
        benchmark::DoNotOptimize(form.ball.Top);
    }
    if (form.halt || !form.Timer1.Enabled || form.punkte != pointsBefore) {
        state.SkipWithError("the ball hit something: the tick was not the plain one");
    }
}
BENCHMARK(frameTick);

// One step of dragging the red bar, which tests 14 elements before the bar moves.
void dragStep(benchmark::State& state) {
    StartedGame started;
    TForm1& form = started.form;
    form.hinder7MouseDown();
    // Grabbed at its centre and moved by nothing, the bar stays where it is.
    const int32 x = form.hinder7.Width / 2, y = form.hinder7.Height / 2;
    for (auto _ : state) {
        form.hinder7MouseMove(x, y);
        benchmark::DoNotOptimize(form.hinder7.Left);
    }
}
BENCHMARK(dragStep);

// Laying out level 1 from the file, which is read afresh every time.
void loadLevel(benchmark::State& state) {
    StartedGame started;
    TForm1& form = started.form;
    for (auto _ : state) {
        form.levelnr = 0;
        form.LoadLevel();
        benchmark::DoNotOptimize(form.dig11.Left);
        // Each layout reports itself; the record would grow for as long as the bench runs.
        started.platform.events.clear();
    }
    if (form.hinder1.Left == 0) {
        state.SkipWithError("level 1 was not laid out");
    }
}
BENCHMARK(loadLevel);

// A level file of 64 MiB, as a player might share one: long comments and filler sections, with
// level 1 last. Written once to a folder of its own, removed at the end.
class HugeLevelFile {
public:
    HugeLevelFile() {
        std::string pattern = std::filesystem::temp_directory_path() / "quirlon95-bench-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        folder = pattern;
        std::ofstream out(path(), std::ios::binary);
        const std::string filler = "; " + std::string(1000, 'x') + "\n[filler]\nkey=value\n";
        for (std::size_t written = 0; written < Size; written += filler.size()) {
            out << filler;
        }
        out << "[1]\nhinder1.left=80\n";
    }
    ~HugeLevelFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    HugeLevelFile(const HugeLevelFile&) = delete;
    HugeLevelFile& operator=(const HugeLevelFile&) = delete;

    std::filesystem::path path() const { return folder / "328lvd.ini"; }

private:
    static constexpr std::size_t Size = std::size_t{64} << 20;
    std::filesystem::path folder;
};

// The check at start-up and the start click on the 64 MiB file: each reads all of it.
void hugeLevelFileStart(benchmark::State& state) {
    static const HugeLevelFile file;
    int32 laidOut = 0;
    for (auto _ : state) {
        HeadlessGame headless(file.path());
        TForm1& form = headless.game.Form1;
        form.Label4Click();
        benchmark::DoNotOptimize(form.hinder1.Left);
        laidOut = form.hinder1.Left;
    }
    if (laidOut != 80) {
        state.SkipWithError("level 1 was not laid out");
    }
}
BENCHMARK(hugeLevelFileStart)->Unit(benchmark::kMillisecond);

// A person's proof of each shipped level, from the level's standard start to the hand: the search,
// whose own limit counts ticks, the replay of its find and the jittered replays; here is what that
// costs in time. A level without a proof yet is timed all the same, its whole search. The file is
// read once, as the level tool and the editor read it.
void proveLevel(benchmark::State& state) {
    const auto level = static_cast<int32>(state.range(0));
    std::ifstream in(LEVEL_FILE, std::ios::binary);
    const ProfileFile file = ProfileFile::fromText(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    LevelProof proof;
    for (auto _ : state) {
        proof = ::proveLevel([&file] { return file; }, level);
    }
    state.counters["proved"] = proof.proved();
    state.counters["searched ticks"] = double(proof.playthrough.searchTicks);
}
BENCHMARK(proveLevel)->DenseRange(1, 23)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
