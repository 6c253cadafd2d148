// Iterative-deepening A*: depth-first searches under a rising bound on moves made plus the heuristic, the
// moves tried in a fixed order, so the first solution found is a shortest one and always the same one for
// the same board. The work is capped by a count of nodes, never by time.
//
// RunByFirstMove searches the solutions through each first move on its own, the bound rising by a fixed
// step, each within the whole node budget. A domain whose Play refuses moves by the move before alone, and
// whose heuristic changes by at most one per move, then keeps this promise: when the search of a board
// finds a solution, the search of the board its first move leads to finds one a move shorter within the
// same budget. The second search's tree through the solution's second move is, node for node, the first
// search's tree below the first move, and it stops at the same node; so a hint that follows such
// solutions comes nearer the goal with every move, and never falls back on anything else on the way.
//
// RunWeightedByFirstMove bounds a * moves + c * heuristic instead, c > a, and tries the moves with the
// lowest heuristic first: it finds a solution sooner, not always a shortest one. The bound starts at
// c * the board's heuristic and stops at a * the heuristic + reach; each bound's search of each first move
// has its own node budget. It keeps the promise with the bound in place of the length: when the search of
// a board finds a solution at bound L, the search of the board its first move leads to finds one at bound
// L - a at the latest. That board's heuristic passed the first search's test at bound L, so its own bounds
// start at L - a or below; its heuristic is at most one less, so they reach L - a; and its search at bound
// L - a through the solution's second move is, node for node, the first search's at bound L below the
// first move, within the same budget. This needs Play to refuse moves by the move before alone, the
// heuristic to change by at most one per move, and the moves' order at a node to depend on its board and
// the move before alone.
//
// A domain holds the board being searched and offers:
//   int32_t Heuristic() const      a lower bound on the moves left; 0 only on the solved board
//   int32_t MoveCount() const      moves are numbered 0 to MoveCount() - 1
//   bool Play(int32_t move)        makes the move if the domain allows it here (it may refuse moves that
//                                  cannot start a shortest solution, like undoing the move before)
//   void Unplay(int32_t move)      takes back the last move made
//   int32_t HeuristicUpTo(int32_t)  (optional) see Estimate below
//   BOUND_STEP                     (RunByFirstMove) how far the bound rises: 1, or 2 where every
//                                  solution of a board has the length's parity of the heuristic
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace tessel {

struct SearchResult {
    enum class Outcome { Solved, TooDeep, OutOfNodes };
    Outcome outcome = Outcome::OutOfNodes;
    int32_t firstMove = -1;  // when solved and the board was not already solved
    int32_t length = 0;      // moves of the solution found
    int32_t bound = 0;       // the bound it was found at (RunWeightedByFirstMove)
    int32_t pass = 0;        // which of several searches found it, for a domain that runs several
    int64_t nodes = 0;
};

inline constexpr int32_t MAX_SEARCH_DEPTH = 64;
inline constexpr int32_t MAX_FIRST_MOVES = 16;

template <typename Domain>
class IdaStar {
  public:
    IdaStar(Domain& domain, int64_t nodeBudget) : domain_(domain), budget_(nodeBudget) {}

    // A shortest solution of at most maxDepth moves among those whose first move's search ends within the
    // budget, or why there is none (OutOfNodes when a search ran out of nodes). The first moves' searches
    // go bound by bound side by side, so the work stops at the bound of the shortest solution.
    SearchResult RunByFirstMove(int32_t maxDepth) {
        SearchResult result;
        result.outcome = SearchResult::Outcome::TooDeep;
        if (domain_.Heuristic() == 0) {
            result.outcome = SearchResult::Outcome::Solved;
            return result;
        }
        std::array<int64_t, MAX_FIRST_MOVES> used{};
        std::array<bool, MAX_FIRST_MOVES> ranOut{};
        const int32_t moves = domain_.MoveCount();
        // No first move's solution is shorter than the board's heuristic, and every bound from it keeps
        // its parity.
        for (int32_t bound = domain_.Heuristic(); bound <= maxDepth; bound += Domain::BOUND_STEP) {
            for (int32_t move = 0; move < moves; ++move) {
                if (ranOut[move] || !domain_.Play(move)) continue;
                path_[0] = move;
                nodes_ = used[move];
                outOfNodes_ = false;
                const bool found = Search(1, bound) > 0;
                used[move] = nodes_;
                ranOut[move] = outOfNodes_;
                domain_.Unplay(move);
                if (found) {
                    result.outcome = SearchResult::Outcome::Solved;
                    result.firstMove = move;
                    result.length = bound;
                    break;
                }
            }
            if (result.outcome == SearchResult::Outcome::Solved) break;
        }
        for (int32_t move = 0; move < moves; ++move) {
            result.nodes += used[move];
            if (ranOut[move] && result.outcome != SearchResult::Outcome::Solved)
                result.outcome = SearchResult::Outcome::OutOfNodes;
        }
        return result;
    }

    // A solution whose a * moves + c * heuristic along the way stays within the lowest bound that finds one,
    // bounds from c * heuristic up to a * heuristic + reach and at most maxBound, each first move searched
    // within the node budget at each bound.
    SearchResult RunWeightedByFirstMove(int32_t maxBound, int32_t a, int32_t c, int32_t reach) {
        SearchResult result;
        result.outcome = SearchResult::Outcome::TooDeep;
        moveCost_ = a;
        estimateCost_ = c;
        const int32_t h = domain_.Heuristic();
        if (h == 0) {
            result.outcome = SearchResult::Outcome::Solved;
            return result;
        }
        const int32_t moves = domain_.MoveCount();
        for (int32_t bound = c * h; bound <= std::min(maxBound, a * h + reach); ++bound) {
            for (int32_t move = 0; move < moves; ++move) {
                if (!domain_.Play(move)) continue;
                path_[0] = move;
                nodes_ = 0;
                outOfNodes_ = false;
                const int32_t found = SearchNearestFirst(1, bound, Estimate((bound - a) / c));
                result.nodes += nodes_;
                domain_.Unplay(move);
                if (found > 0) {
                    result.outcome = SearchResult::Outcome::Solved;
                    result.firstMove = move;
                    result.length = found;
                    result.bound = bound;
                    return result;
                }
                if (outOfNodes_) result.outcome = SearchResult::Outcome::OutOfNodes;
            }
        }
        return result;
    }

  private:
    // The weighted search's node at `depth` with heuristic h: its moves are tried the lowest heuristic
    // first, ties in their order.
    int32_t SearchNearestFirst(int32_t depth, int32_t bound, int32_t h) {
        if (moveCost_ * depth + estimateCost_ * h > bound) return 0;
        if (h == 0) return depth;
        if (++nodes_ > budget_) {
            outOfNodes_ = true;
            return 0;
        }
        std::array<std::pair<int32_t, int32_t>, MAX_FIRST_MOVES> next{};  // (heuristic, move)
        int32_t count = 0;
        const int32_t limit = (bound - moveCost_ * (depth + 1)) / estimateCost_;
        const int32_t moves = domain_.MoveCount();
        for (int32_t move = 0; move < moves; ++move) {
            if (!domain_.Play(move)) continue;
            const int32_t after = Estimate(limit);
            domain_.Unplay(move);
            if (after <= limit) next[static_cast<std::size_t>(count++)] = {after, move};
        }
        for (int32_t i = 1; i < count; ++i) {  // a few moves: in order by insertion
            for (int32_t j = i;
                 j > 0 && next[static_cast<std::size_t>(j)] < next[static_cast<std::size_t>(j - 1)]; --j)
                std::swap(next[static_cast<std::size_t>(j)], next[static_cast<std::size_t>(j - 1)]);
        }
        for (int32_t i = 0; i < count; ++i) {
            const auto [after, move] = next[static_cast<std::size_t>(i)];
            domain_.Play(move);
            path_[depth] = move;
            const int32_t found = SearchNearestFirst(depth + 1, bound, after);
            domain_.Unplay(move);
            if (found > 0) return found;
            if (outOfNodes_) return 0;
        }
        return 0;
    }

    // A domain may offer HeuristicUpTo(limit): the heuristic where it is at most limit, otherwise any
    // value above limit, which may be quicker to tell.
    int32_t Estimate(int32_t limit) const {
        if constexpr (requires { domain_.HeuristicUpTo(limit); }) {
            return domain_.HeuristicUpTo(limit);
        } else {
            return domain_.Heuristic();
        }
    }

    // The moves of the solution found below this node, or 0 when none is within the bound.
    int32_t Search(int32_t depth, int32_t bound) {
        const int32_t spent = moveCost_ * depth;
        const int32_t h = Estimate((bound - spent) / estimateCost_);
        if (spent + estimateCost_ * h > bound) return 0;
        if (h == 0) return depth;
        if (++nodes_ > budget_) {
            outOfNodes_ = true;
            return 0;
        }
        const int32_t moves = domain_.MoveCount();
        for (int32_t move = 0; move < moves; ++move) {
            if (!domain_.Play(move)) continue;
            path_[depth] = move;
            const int32_t found = Search(depth + 1, bound);
            domain_.Unplay(move);
            if (found > 0) return found;
            if (outOfNodes_) return 0;
        }
        return 0;
    }

    Domain& domain_;
    int64_t budget_;
    int64_t nodes_ = 0;
    bool outOfNodes_ = false;
    int32_t moveCost_ = 1;
    int32_t estimateCost_ = 1;
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> path_{};
};

}  // namespace tessel
