#include "play/form1.h"

namespace {

enum class Face { Left, Right, Top, Bottom };

// Takes a yellow bar's thickness off the face that was hit; a bar worn to nothing is put aside.
// True when this hit wore it away.
bool wear(Component& bar, Wear wear, Face face) {
    if (wear == Wear::Height && (face == Face::Top || face == Face::Bottom)) {
        const bool whole = bar.Height > 0;
        bar.Height = sub32(bar.Height, WearPerHit);
        if (face == Face::Top) {
            bar.Top = add32(bar.Top, WearPerHit);
        }
        if (bar.Height <= 0) {
            bar.Top = WornOutPosition;
            return whole;
        }
    }
    if (wear == Wear::Width && (face == Face::Left || face == Face::Right)) {
        const bool whole = bar.Width > 0;
        bar.Width = sub32(bar.Width, WearPerHit);
        if (face == Face::Left) {
            bar.Left = add32(bar.Left, WearPerHit);
        }
        if (bar.Width <= 0) {
            bar.Left = WornOutPosition;
            return whole;
        }
    }
    return false;
}

}  // namespace

void TForm1::CheckBar(Component& bar, BarKind kind) {
    const BarKindParams& params = BarKinds[kind];
    // Each face reads the geometry afresh: an earlier face of the same call may have moved the
    // ball or worn the bar.
    // A depth below 0 is a face the ball has not reached; it can only come up once a worn-out
    // bar has been put aside, and must not pull the ball after it.
    auto hit = [](std::int64_t depth) { return depth >= 0 && depth <= MaxHitDepth; };
    auto bounce = [&](Face face, bool across_x) {
        if (params.reverseBoth || across_x) {
            bewx = neg32(bewx);
        }
        if (params.reverseBoth || !across_x) {
            bewy = neg32(bewy);
        }
        if (wear(bar, params.wear, face)) {
            platform.report({GameEvent::BarWornAway, levelnr, 0, baelle, bar.Name});
        }
    };

    if (hit(std::int64_t{ball.Left} + ball.Width - bar.Left)) {
        ball.Left = wrap32(std::int64_t{bar.Left} - ball.Width - params.gapX);
        posx = mul32(ball.Left, teiler);
        bounce(Face::Left, true);
    }
    if (hit(std::int64_t{bar.Left} + bar.Width - ball.Left)) {
        ball.Left = wrap32(std::int64_t{bar.Left} + bar.Width + params.gapX);
        posx = mul32(ball.Left, teiler);
        bounce(Face::Right, true);
    }
    if (hit(std::int64_t{ball.Top} + ball.Height - bar.Top)) {
        ball.Top = wrap32(std::int64_t{bar.Top} - ball.Height - params.gapY);
        posy = mul32(ball.Top, teiler);
        bounce(Face::Top, false);
    }
    if (hit(std::int64_t{bar.Top} + bar.Height - ball.Top)) {
        ball.Top = wrap32(std::int64_t{bar.Top} + bar.Height + params.gapY);
        posy = mul32(ball.Top, teiler);
        bounce(Face::Bottom, false);
    }
}
