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

#include <array>
#include <cstdint>

namespace tessel {

struct SearchResult {
    enum class Outcome { Solved, TooDeep, OutOfNodes };
    Outcome outcome = Outcome::OutOfNodes;
    int32_t firstMove = -1;  // when solved and the board was not already solved
    int32_t length = 0;      // moves of the solution found
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
                const bool found = Search(1, bound);
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

  private:
    // A domain may offer HeuristicUpTo(limit): the heuristic where it is at most limit, otherwise any
    // value above limit, which may be quicker to tell.
    int32_t Estimate(int32_t limit) const {
        if constexpr (requires { domain_.HeuristicUpTo(limit); }) {
            return domain_.HeuristicUpTo(limit);
        } else {
            return domain_.Heuristic();
        }
    }

    bool Search(int32_t depth, int32_t bound) {
        const int32_t h = Estimate(bound - depth);
        if (depth + h > bound) return false;
        if (h == 0) return true;
        if (++nodes_ > budget_) {
            outOfNodes_ = true;
            return false;
        }
        const int32_t moves = domain_.MoveCount();
        for (int32_t move = 0; move < moves; ++move) {
            if (!domain_.Play(move)) continue;
            path_[depth] = move;
            const bool found = Search(depth + 1, bound);
            domain_.Unplay(move);
            if (found) return true;
            if (outOfNodes_) return false;
        }
        return false;
    }

    Domain& domain_;
    int64_t budget_;
    int64_t nodes_ = 0;
    bool outOfNodes_ = false;
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> path_{};
};

}  // namespace tessel
