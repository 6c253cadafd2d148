#include "core/platform.h"
#include "tests/test_support.h"

namespace tessel {

uint32_t TickCount() {
    return testing::Platform().ticks;
}
int64_t UtcMs() {
    return testing::Platform().utcMs;
}
void SeedRandom(uint32_t seed) {
    testing::Platform().random.Seed(seed);
}
int32_t DrawRandom() {
    testing::FakePlatform& platform = testing::Platform();
    return platform.draws.emplace_back(platform.random.Draw());
}
void testing::KeepPicture(const Game& game, void*) {
    FakePlatform& platform = Platform();
    static BackBuffer scratch;
    if (platform.keepPictures) platform.presented.push_back(PictureShown(game, scratch));
}

testing::FakePlatform& testing::Platform() {
    static FakePlatform platform;
    return platform;
}

}  // namespace tessel
