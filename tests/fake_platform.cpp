#include "tests/test_support.h"

namespace tessel {

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
