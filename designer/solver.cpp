#include "designer/solver.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>

#include "designer/planpolish.h"
#include "designer/planreplay.h"
#include "designer/playerhand.h"
#include "designer/reachmap.h"
#include "play/elements.h"
#include "play/rules.h"

namespace {

using Point = PlayerHand::Point;

enum Play {
    MaxTravel = 40,   // ticks a hand may take to reach the bar or bring it somewhere
    SteerSlack = 4,   // how near the carried bar need be to where it should be
    CarryBelow = 40,  // how far under the ball a carry takes up the bar
    CarryRise = 8,    // how fast a carry lifts the bar, pixels a tick
    BarHalfWidth = rules::RedBarWidth / 2,
    BarHalfHeight = rules::RedBarHeight / 2,
    BallHalf = rules::BallSize / 2,
    // Where the bar's centre can go: it keeps out of the header and the paddle's row.
    BarCentreLeft = BarHalfWidth,
    BarCentreRight = TForm1::ClientWidth - BarHalfWidth,
    BarCentreTop = rules::RedBarHighestTop + BarHalfHeight,
    BarCentreBottom = rules::RedBarLowestTop + BarHalfHeight,
};
// How fast the memory of the ball's best approach fades, pixels a tick.
constexpr double Forgetting = 0.5;
// How far ahead the ball's way is foreseen for placing the red bar, in ticks.
constexpr int Lookahead = 48;
// What a copy of the game lost to a slip of the hand costs a branch, in pixels of approach.
constexpr double SlipCost = 150;
// What a grab of the red bar costs a branch, in pixels of approach: every grab is a chance for the
// hand to slip, so of two ways the one with fewer grabs is surer, and easier.
constexpr double GrabCost = 100;
// Ticks a way to the hand goes on after reaching it, the paddle under the balls of the jittered
// copies still on their way, so that a late or slipped hand gets there too.
constexpr int AfterTheHand = 160;
constexpr int CarryDrifts[] = {-30, 0, 30};
constexpr std::size_t MaxCachedMaps = 512;
// The search's own jittered replays of a way to the hand are on draws apart from the proof's. The
// surest of many ways looks surer on them than it is, so the search goes on looking for a surer
// way until one finishes every one of them.
constexpr unsigned SureDraw = 1000;
constexpr int SureReplays = 40;
// The surest ways found are weighed again on replays of their own before one is taken.
constexpr std::size_t Leaders = 6;
constexpr unsigned LeaderDraw = 6000;
constexpr int LeaderReplays = 100;

enum class Mode { Free, Carry };

struct Trail {
    std::shared_ptr<const Trail> before;
    std::vector<InputEvent> events;
};

struct Node {
    std::unique_ptr<PlayerHand> hand;
    std::shared_ptr<const Trail> trail;
    Mode mode = Mode::Free;
    int32 drift = 0;
    double recent = ReachMap::Unreachable;  // the ball's best approach to the hand, fading
};

Point clampToBar(Point p) {
    return {std::clamp<int32>(p.x, BarCentreLeft, BarCentreRight),
            std::clamp<int32>(p.y, BarCentreTop, BarCentreBottom)};
}

Point barCentre(const TForm1& form) {
    return {form.hinder7.Left + BarHalfWidth, form.hinder7.Top + BarHalfHeight};
}

int32 ballCentreX(const TForm1& form) {
    return form.ball.Left + BallHalf;
}

int penniesTaken(const TForm1& form) {
    int taken = 0;
    for (const Element& element : Elements) {
        const Component& c = form.*element.member;
        taken += element.role == Role::Penny && rules::isTaken(c);
    }
    return taken;
}

class Search {
public:
    Search(const TForm1::LevelFileOpener& openLevelFile, int32 level, const SolverLimits& limits,
           const SolverProgress& progress)
        : openLevelFile(openLevelFile), level(level), limits(limits), progress(progress) {}

    Playthrough run();

private:
    std::unique_ptr<PlayerHand> newHand();
    Node branch(const Node& from);
    void close(Node& node);
    void retire(Node& node);

    // One action of the hand, then a look at where the ball is; false once the branch has ended.
    template <typename Action>
    bool act(Node& node, Action action);
    bool ended(const Node& node) const;
    void observe(Node& node);
    const ReachMap& mapFor(const TForm1& form);

    bool follow(Node& node, int ticks);
    bool grab(Node& node);
    bool dragTo(Node& node, Point target);
    bool place(Node& node, Point target);
    bool startCarry(Node& node, int32 drift);
    bool carry(Node& node, int32 rise, bool followBall);

    void expand(const Node& node, std::vector<Node>& children);
    std::vector<Point> placements(const Node& node);
    std::uint64_t signature(const Node& node) const;
    Playthrough result(const Node& node) const;
    Playthrough polished(Playthrough way, long budget);
    Playthrough surest();
    // Keeps the surest of the ways to the hand among `children`, which it drops; true once one is
    // sure enough.
    bool weighFinishes(std::vector<Node>& children);
    void finishLate(Node& node);
    bool outOfTicks() const { return used >= limits.searchTicks; }

    const TForm1::LevelFileOpener& openLevelFile;
    int32 level;
    SolverLimits limits;
    SolverProgress progress;
    long used = 0;
    bool stopped = false;
    std::vector<std::unique_ptr<PlayerHand>> spare;
    std::map<std::uint64_t, std::unique_ptr<ReachMap>> maps;
    std::vector<Playthrough> leaders;  // the surest ways to the hand, surest first
};

std::unique_ptr<PlayerHand> Search::newHand() {
    if (spare.empty()) {
        return std::make_unique<PlayerHand>(openLevelFile, limits.hand, limits.shadows);
    }
    std::unique_ptr<PlayerHand> hand = std::move(spare.back());
    spare.pop_back();
    return hand;
}

Node Search::branch(const Node& from) {
    Node node;
    node.hand = newHand();
    node.hand->copyFrom(*from.hand);
    node.trail = from.trail;
    node.mode = from.mode;
    node.drift = from.drift;
    node.recent = from.recent;
    return node;
}

// Keeps what the hand did on the node's trail.
void Search::close(Node& node) {
    if (!node.hand->events().empty()) {
        node.trail = std::make_shared<const Trail>(Trail{node.trail, node.hand->events()});
    }
}

void Search::retire(Node& node) {
    if (node.hand) {
        spare.push_back(std::move(node.hand));
    }
}

template <typename Action>
bool Search::act(Node& node, Action action) {
    const long before = node.hand->ticks();
    action(*node.hand);
    used += (node.hand->ticks() - before) * (1 + limits.shadows);
    observe(node);
    return !ended(node);
}

bool Search::ended(const Node& node) const {
    return node.hand->handReached() || node.hand->failed() || outOfTicks();
}

const ReachMap& Search::mapFor(const TForm1& form) {
    const std::uint64_t key = ReachMap::key(form);
    auto found = maps.find(key);
    if (found == maps.end()) {
        if (maps.size() >= MaxCachedMaps) {
            maps.clear();
        }
        found = maps.emplace(key, std::make_unique<ReachMap>(form)).first;
    }
    return *found->second;
}

// The approach is taken over the game and its jittered copies that still play, halfway between
// their mean and the farthest, so that no copy is left far behind; every copy lost costs on top.
void Search::observe(Node& node) {
    const TForm1& form = node.hand->form();
    double sum = mapFor(form).distance(form.ball.Left, form.ball.Top);
    double farthest = sum;
    int counted = 1;
    for (const auto& shadow : node.hand->shadowHands().copies()) {
        if (!shadow->failed) {
            const TForm1& copy = shadow->headless.game.Form1;
            const double distance = ShadowHands::reached(*shadow)
                                        ? 0
                                        : mapFor(copy).distance(copy.ball.Left, copy.ball.Top);
            sum += distance;
            farthest = std::max(farthest, distance);
            ++counted;
        }
    }
    const double now =
        (sum / counted + farthest) / 2 + SlipCost * node.hand->shadowHands().failures();
    node.recent = std::min(node.recent + Forgetting, now);
}

bool Search::follow(Node& node, int ticks) {
    for (int i = 0; i < ticks; ++i) {
        if (!act(node, [](PlayerHand& hand) { hand.followBall(); })) {
            return false;
        }
    }
    return true;
}

bool Search::grab(Node& node) {
    for (int i = 0; i < MaxTravel; ++i) {
        const Point centre = barCentre(node.hand->form());
        const std::optional<Point> at = node.hand->pointer();
        if (at && at->x == centre.x && at->y == centre.y) {
            return act(node, [](PlayerHand& hand) { hand.press(); }) && node.hand->form().ziehen;
        }
        if (!act(node, [centre](PlayerHand& hand) { hand.moveToward(centre); })) {
            return false;
        }
    }
    return false;
}

bool Search::dragTo(Node& node, Point target) {
    target = clampToBar(target);
    for (int i = 0; i < MaxTravel; ++i) {
        const std::optional<Point> at = node.hand->pointer();
        if (at && at->x == target.x && at->y == target.y) {
            return true;
        }
        if (!act(node, [target](PlayerHand& hand) { hand.moveToward(target); })) {
            return false;
        }
    }
    return true;
}

// The red bar taken, put down with its centre at `target` and let go.
bool Search::place(Node& node, Point target) {
    return grab(node) && dragTo(node, target) &&
           act(node, [](PlayerHand& hand) { hand.release(); }) && follow(node, limits.pace);
}

// The red bar taken and brought under the ball, to lift it.
bool Search::startCarry(Node& node, int32 drift) {
    if (!grab(node)) {
        return false;
    }
    node.mode = Mode::Carry;
    node.drift = drift;
    for (int i = 0; i < MaxTravel; ++i) {
        const TForm1& form = node.hand->form();
        const Point target =
            clampToBar({ballCentreX(form) + drift,
                        form.ball.Top + form.ball.Height + CarryBelow + BarHalfHeight});
        const Point at = node.hand->pointer().value_or(target);
        if (std::abs(at.x - target.x) <= SteerSlack && std::abs(at.y - target.y) <= SteerSlack) {
            return true;
        }
        if (!act(node, [target](PlayerHand& hand) { hand.moveToward(target); })) {
            return false;
        }
    }
    return true;
}

// The held bar goes on under the ball: rising by `rise` a tick, or staying at its height; it
// follows the ball sideways, or stands still.
bool Search::carry(Node& node, int32 rise, bool followBall) {
    for (int i = 0; i < limits.pace; ++i) {
        const TForm1& form = node.hand->form();
        const Point bar = barCentre(form);
        const int32 lead = form.bewx > 0 ? 4 : -4;
        const Point target =
            clampToBar({followBall ? ballCentreX(form) + node.drift + lead : bar.x, bar.y - rise});
        const bool still = target.x == bar.x && target.y == bar.y;
        if (!act(node, [target, still](PlayerHand& hand) {
                still ? hand.tick() : hand.moveToward(target);
            })) {
            return false;
        }
    }
    return true;
}

// Where the red bar would stand in the ball's way: across its path ahead of it, and above or
// under it, at a few moments of the way it takes if nothing changes.
std::vector<Point> Search::placements(const Node& node) {
    Node ahead = branch(node);
    std::vector<Point> out;
    for (int t = limits.pace; t <= Lookahead; t += limits.pace) {
        if (!follow(ahead, limits.pace)) {
            break;
        }
        const TForm1& form = ahead.hand->form();
        const int32 left = form.ball.Left;
        const int32 top = form.ball.Top;
        const int32 wallX =
            form.bewx > 0 ? left + 2 * BallHalf + 6 + BarHalfWidth : left - 6 - BarHalfWidth;
        const int32 floorY =
            form.bewy > 0 ? top + 2 * BallHalf + 10 + BarHalfHeight : top - 10 - BarHalfHeight;
        out.push_back(clampToBar({wallX, top + BallHalf}));
        out.push_back(clampToBar({left + BallHalf, floorY}));
    }
    retire(ahead);
    return out;
}

void Search::expand(const Node& node, std::vector<Node>& children) {
    auto tryOut = [&](auto&& play) {
        if (outOfTicks()) {
            return;
        }
        Node child = branch(node);
        play(child);
        if ((child.hand->failed() && !child.hand->handReached()) ||
            child.hand->shadowHands().failures() > limits.shadows / 2) {
            retire(child);
            return;
        }
        if (child.hand->handReached()) {
            finishLate(child);
        }
        close(child);
        children.push_back(std::move(child));
    };
    if (node.mode == Mode::Free) {
        tryOut([this](Node& child) { follow(child, limits.pace); });
        if (!limits.redBar) {
            return;
        }
        for (const int drift : CarryDrifts) {
            tryOut([this, drift](Node& child) { startCarry(child, drift); });
        }
        for (const Point target : placements(node)) {
            tryOut([this, target](Node& child) { place(child, target); });
        }
        return;
    }
    tryOut([this](Node& child) { carry(child, CarryRise, true); });
    tryOut([this](Node& child) { carry(child, 0, true); });
    tryOut([this](Node& child) { carry(child, 0, false); });
    tryOut([this](Node& child) {
        child.mode = Mode::Free;
        act(child, [](PlayerHand& hand) { hand.release(); }) && follow(child, limits.pace);
    });
}

std::uint64_t Search::signature(const Node& node) const {
    const TForm1& form = node.hand->form();
    std::uint64_t hash = 1469598103934665603u;
    auto mix = [&hash](std::int64_t value) {
        hash = (hash ^ static_cast<std::uint64_t>(value)) * 1099511628211u;
    };
    mix(form.ball.Left / 3);
    mix(form.ball.Top / 3);
    mix(form.bewx > 0);
    mix(form.bewy / 1000);
    mix(form.schwung / 3000);
    mix(form.hinder7.Left / 6);
    mix(form.hinder7.Top / 6);
    mix(static_cast<int>(node.mode));
    mix(node.drift);
    mix(ReachMap::key(form));
    mix(penniesTaken(form));
    return hash;
}

Playthrough Search::result(const Node& node) const {
    Playthrough found;
    found.solved = node.hand->handReached();
    std::vector<const Trail*> trails;
    for (const Trail* trail = node.trail.get(); trail; trail = trail->before.get()) {
        trails.push_back(trail);
    }
    for (auto trail = trails.rbegin(); trail != trails.rend(); ++trail) {
        found.events.insert(found.events.end(), (*trail)->events.begin(), (*trail)->events.end());
    }
    found.ticks = node.hand->ticks() - 1;  // the first tick comes before the start click
    found.searchTicks = used;
    return found;
}

Playthrough Search::run() {
    Node root;
    root.hand = newHand();
    // The ball falls from the top-left corner and drifts right: the paddle waits there for it.
    root.hand->startLevel(level, {2 * BallHalf + 60, 200});
    if (root.hand->failed()) {
        return result(root);
    }
    close(root);
    std::vector<Node> beam;
    beam.push_back(std::move(root));
    while (!beam.empty() && !outOfTicks() && !stopped) {
        std::vector<Node> children;
        for (const Node& node : beam) {
            expand(node, children);
        }
        for (Node& node : beam) {
            retire(node);
        }
        beam.clear();
        // The nearest approach first; among equals the shortest play, then the order of trying.
        std::stable_sort(children.begin(), children.end(), [](const Node& a, const Node& b) {
            const bool aDone = a.hand->handReached(), bDone = b.hand->handReached();
            if (aDone != bDone) {
                return aDone;
            }
            if (aDone) {
                return a.hand->ticks() < b.hand->ticks();
            }
            return a.recent + GrabCost * a.hand->grabs() < b.recent + GrabCost * b.hand->grabs();
        });
        if (weighFinishes(children)) {
            for (Node& child : children) {
                retire(child);
            }
            break;
        }
        std::unordered_set<std::uint64_t> seen;
        for (Node& child : children) {
            if (int(beam.size()) < limits.beamWidth && seen.insert(signature(child)).second) {
                beam.push_back(std::move(child));
            } else {
                retire(child);
            }
        }
        if (progress && !progress(std::min(1.0, double(used) / double(limits.searchTicks)))) {
            stopped = true;
        }
    }
    Playthrough found;
    if (!leaders.empty()) {
        const long searched = used;
        Playthrough way = surest();
        found = polished(std::move(way), limits.polishTicks - (used - searched));
    } else if (!beam.empty()) {
        found = result(beam.front());  // the attempt that came nearest
    }
    found.searchTicks = used;
    for (Node& node : beam) {
        retire(node);
    }
    return found;
}

// The leader surest on replays apart from those that made it one: the surest of many ways on the
// same replays owes some of its lead to them.
Playthrough Search::surest() {
    Playthrough* best = nullptr;
    int bestSure = -1;
    for (Playthrough& way : leaders) {
        const int sure = jitteredFinishes(openLevelFile, level, way.events, limits.hand, LeaderDraw,
                                          LeaderReplays, used);
        if (sure > bestSure) {
            best = &way;
            bestSure = sure;
        }
    }
    return *best;
}

Playthrough Search::polished(Playthrough way, long budget) {
    PolishedPlan plan = polishPlan(openLevelFile, level, way.events, limits.hand, budget);
    used += plan.ticks;
    way.events = std::move(plan.events);
    way.sure = plan.sure;
    way.ticks = replayPlan(openLevelFile, level, way.events).ticks - 1;  // as in result()
    return way;
}

// The game of the search itself has ended at the hand; from there the pointer serves the copies
// still in play, steering under the middle one of their balls.
void Search::finishLate(Node& node) {
    for (int i = 0; i < AfterTheHand; ++i) {
        std::vector<int32> behind;
        for (const auto& shadow : node.hand->shadowHands().copies()) {
            if (!shadow->failed && !ShadowHands::reached(*shadow)) {
                behind.push_back(ballCentreX(shadow->headless.game.Form1));
            }
        }
        if (behind.empty()) {
            return;
        }
        std::ranges::nth_element(behind, behind.begin() + behind.size() / 2);
        node.hand->steerUnder(behind[behind.size() / 2]);
        used += 1 + limits.shadows;
    }
}

bool Search::weighFinishes(std::vector<Node>& children) {
    auto finished = children.begin();
    for (; finished != children.end() && finished->hand->handReached(); ++finished) {
        if (outOfTicks()) {
            retire(*finished);
            continue;
        }
        Playthrough way = result(*finished);
        way.sure = jitteredFinishes(openLevelFile, level, way.events, limits.hand, SureDraw,
                                    SureReplays, used);
        leaders.push_back(std::move(way));
        std::ranges::stable_sort(leaders, std::greater{}, &Playthrough::sure);
        if (leaders.size() > Leaders) {
            leaders.pop_back();
        }
        retire(*finished);
    }
    children.erase(children.begin(), finished);
    return !leaders.empty() && leaders.front().sure >= SureReplays;
}

}  // namespace

Playthrough solveLevel(const TForm1::LevelFileOpener& openLevelFile, int32 level,
                       const SolverLimits& limits, const SolverProgress& progress) {
    return Search(openLevelFile, level, limits, progress).run();
}

std::string playthroughScript(int32 level, const Playthrough& playthrough) {
    std::string script = "level " + std::to_string(level) + "\n";
    long ticks = 0;
    auto flushTicks = [&] {
        if (ticks > 0) {
            script += ticks == 1 ? "tick\n" : "tick " + std::to_string(ticks) + "\n";
            ticks = 0;
        }
    };
    for (const InputEvent& event : playthrough.events) {
        if (event.kind == InputEvent::Tick) {
            ticks += event.count;
            continue;
        }
        flushTicks();
        script += describe(event) + "\n";
    }
    flushTicks();
    return script;
}
