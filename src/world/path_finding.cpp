#include "world/path_finding.h"

#include <cmath>
#include <vector>

#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"

namespace {

struct TSearchNode {
    int32_t X = 0, Y = 0;
    int32_t Parent = -1; // index of the node it was reached from; -1 for the start
    double F = 0, G = 0, H = 0;
    bool Closed = false;
};

// The search's working memory, kept between calls so that a step allocates nothing.
// Which node stands on a square is remembered per square with a call stamp, so
// membership tests need no scans; the open list is kept exactly as the linear-list
// search keeps it (inserted before the first strictly greater F, never moved).
struct TSearch {
    std::vector<TSearchNode> nodes;
    std::vector<int32_t> open; // reversed: the first node of the list is at the back
    std::vector<int32_t> closed;
    std::vector<uint32_t> stamp = std::vector<uint32_t>(Map_Size * Map_Size, 0);
    std::vector<int32_t> node_at = std::vector<int32_t>(Map_Size * Map_Size, -1);
    uint32_t call = 0;

    int32_t& at(int32_t x, int32_t y) {
        const size_t cell = static_cast<size_t>((x - 1) * Map_Size + (y - 1));
        if (stamp[cell] != call) {
            stamp[cell] = call;
            node_at[cell] = -1;
        }
        return node_at[cell];
    }

    void insert_open(int32_t index) {
        const double f = nodes[index].F;
        // From the front of the list (the back of the vector): stop at the first F
        // strictly greater.
        size_t pos = open.size();
        while (pos > 0 && nodes[open[pos - 1]].F <= f)
            --pos;
        open.insert(open.begin() + static_cast<std::ptrdiff_t>(pos), index);
    }
};

double distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = x1 - x2, dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

// The sprites are looked up once per search; without a sprite service none moves.
double penalty(const TMap& map, int32_t x, int32_t y, uint8_t movement_mask,
               const TSprite_Service* sprites) {
    if (Game_Options && !Game_Options->Flag_4)
        return 0;
    const TMap_Square* square = map.Get_Square(x, y);
    if (!square || !square->Has_Movement_Flag(map, movement_mask))
        return 1000;
    if (sprites && sprites->Is_Missile_On_Square(x, y))
        return 1000;
    return 0;
}

} // namespace

double Step_Penalty(const TMap& map, int32_t x, int32_t y, uint8_t movement_mask) {
    return penalty(map, x, y, movement_mask, Services().Sprites);
}

bool Find_Next_Step(const TMap& map, int32_t sx, int32_t sy, int32_t tx, int32_t ty,
                    uint8_t movement_mask, int32_t& next_x, int32_t& next_y) {
    next_x = -1;
    next_y = -1;
    if (!TMap::In_Map(sx, sy))
        return false;
    // A target next to the mover is the step itself, even when a creature or a door
    // stands there: the search would price it at 1000 and wander off instead, so a
    // mover could never walk up to a monster or an adjacent door.
    if (TMap::In_Map(tx, ty) && TMap::Square_Distance(sx, sy, tx, ty) == 1) {
        next_x = tx;
        next_y = ty;
        return true;
    }
    thread_local TSearch search;
    TSearch& s = search;
    s.nodes.clear();
    s.open.clear();
    s.closed.clear();
    if (++s.call == 0) { // the stamps wrapped: forget them all
        std::fill(s.stamp.begin(), s.stamp.end(), 0);
        s.call = 1;
    }

    const TSprite_Service* sprites = Services().Sprites;
    const double start_h = distance(sx, sy, tx, ty);
    s.nodes.push_back({sx, sy, -1, 1 + start_h, 1, start_h, false});
    s.at(sx, sy) = 0;
    s.open.push_back(0);

    int32_t goal = -1;
    for (int32_t pass = 0; pass < 99 && !s.open.empty(); ++pass) {
        const int32_t n = s.open.back();
        s.open.pop_back();
        const TSearchNode current = s.nodes[n];
        if (current.X == tx && current.Y == ty) {
            s.nodes[n].Closed = true;
            s.closed.push_back(n);
            goal = n;
            break;
        }
        for (int32_t x = current.X - 1; x <= current.X + 1; ++x)
            for (int32_t y = current.Y - 1; y <= current.Y + 1; ++y) {
                if ((x == current.X && y == current.Y) || !TMap::In_Map(x, y))
                    continue;
                int32_t& here = s.at(x, y);
                if (here >= 0 && s.nodes[here].Closed)
                    continue;
                const double g = current.G + 1 + penalty(map, x, y, movement_mask, sprites);
                const double h = distance(x, y, tx, ty);
                if (here < 0) {
                    here = static_cast<int32_t>(s.nodes.size());
                    s.nodes.push_back({x, y, n, g + h, g, h, false});
                    s.insert_open(here);
                } else if (g + h < s.nodes[here].F) {
                    // Its place in the open list stays where it is.
                    TSearchNode& node = s.nodes[here];
                    node.Parent = n;
                    node.G = g;
                    node.H = h;
                    node.F = g + h;
                }
            }
        s.nodes[n].Closed = true;
        s.closed.push_back(n);
    }

    int32_t chosen = goal;
    if (chosen < 0) {
        double best = 9999999;
        for (const int32_t index : s.closed)
            if (s.nodes[index].H < best) {
                best = s.nodes[index].H;
                chosen = index;
            }
    }
    if (chosen < 0 || s.nodes[chosen].Parent < 0)
        return false;
    while (s.nodes[s.nodes[chosen].Parent].Parent >= 0)
        chosen = s.nodes[chosen].Parent;
    next_x = s.nodes[chosen].X;
    next_y = s.nodes[chosen].Y;
    return true;
}
