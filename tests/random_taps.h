// Random taps with tick counts: a third anywhere, a third on the picture, a third on or beside the lines
// where regions meet, where off-by-one faults hide.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/layout.h"

namespace tessel::testing {

class RandomTaps {
  public:
    struct Tap {
        int32_t x, y;
        uint32_t ticks;
    };

    explicit RandomTaps(uint32_t seed) : random_(seed) {
        for (const int32_t origin :
             {LIGHTS_OUT_GRID_ORIGIN.x, NORMAL_GRID_ORIGIN.x, UNEVEN_GRID_ORIGIN.y, NORMAL_GRID_ORIGIN.y}) {
            for (int32_t k = 0; k <= 7; ++k) AddAround(origin + k * CELL_SIZE, 8);
        }
        for (const int32_t edge :
             {NORMAL_LABEL_X, NORMAL_LABEL_Y, UNEVEN_LABEL_Y, UNMOVABLE_LABEL_Y, ALMOST_IMPOSSIBLE_LABEL_Y,
              FIFTEEN_LABEL_Y, LIGHTS_OUT_LABEL_Y, QUIT_X, QUIT_Y}) {
            AddAround(edge, 1);
            AddAround(edge + LABEL_HEIGHT, 1);
        }
        AddAround(QUIT_X + QUIT_WIDTH, 1);
        AddAround(QUIT_Y + QUIT_HEIGHT, 1);
    }

    Tap Next() {
        const uint32_t kind = random_() % 3;
        return {Coordinate(kind, SURFACE_WIDTH), Coordinate(kind, SURFACE_HEIGHT),
                static_cast<uint32_t>(random_())};
    }

  private:
    // The line, the pixels beside it, and the pixels `reach` and one less away on either side.
    void AddAround(int32_t line, int32_t reach) {
        for (const int32_t d : {-reach, 1 - reach, -1, 0, 1, reach - 1, reach}) edges_.push_back(line + d);
    }

    int32_t Coordinate(uint32_t kind, int32_t extent) {
        if (kind == 0) return static_cast<int32_t>(random_() % 65536);
        if (kind == 1) return static_cast<int32_t>(random_() % extent);
        return edges_[random_() % edges_.size()];
    }

    std::mt19937 random_;
    std::vector<int32_t> edges_;
};

}  // namespace tessel::testing
