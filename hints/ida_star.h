// Iterative-deepening A*: depth-first searches under a rising bound on moves made plus the heuristic, the
// moves tried in a fixed order, so the first solution found is a shortest one and always the same one for
// the same board. The work is capped by a count of nodes, never by time.
//
// A domain holds the board being searched and offers:
//   int32_t Heuristic() const      a lower bound on the moves left; 0 only on the solved board
//   int32_t MoveCount() const      moves are numbered 0 to MoveCount() - 1
//   bool Play(int32_t move)        makes the move if the domain allows it here (it may refuse moves that
//                                  cannot start a shortest solution, like undoing the move before)
//   void Unplay(int32_t move)      takes back the last move made
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

template <typename Domain>
class IdaStar {
  public:
    IdaStar(Domain& domain, int64_t nodeBudget) : domain_(domain), budget_(nodeBudget) {}

    // A shortest solution of at most maxDepth moves, or why there is none.
    SearchResult Run(int32_t maxDepth) {
        SearchResult result;
        int32_t bound = domain_.Heuristic();
        while (bound <= maxDepth) {
            next_ = INFINITE;
            if (Search(0, bound)) {
                result.outcome = SearchResult::Outcome::Solved;
                result.length = bound;
                result.firstMove = bound > 0 ? path_[0] : -1;
                result.nodes = nodes_;
                return result;
            }
            if (outOfNodes_) {
                result.outcome = SearchResult::Outcome::OutOfNodes;
                result.nodes = nodes_;
                return result;
            }
            if (next_ == INFINITE) break;
            bound = next_;
        }
        result.outcome = SearchResult::Outcome::TooDeep;
        result.nodes = nodes_;
        return result;
    }

  private:
    static constexpr int32_t INFINITE = 1 << 20;

    bool Search(int32_t depth, int32_t bound) {
        const int32_t h = domain_.Heuristic();
        if (depth + h > bound) {
            if (depth + h < next_) next_ = depth + h;
            return false;
        }
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
    int32_t next_ = INFINITE;
    bool outOfNodes_ = false;
    std::array<int32_t, MAX_SEARCH_DEPTH + 1> path_{};
};

}  // namespace tessel
