#pragma once

#include "support/card_image.h"

#include <gtest/gtest.h>
#include <optional>

namespace kadoru::test {

// A test on a card image of the parameter's format, skipped where none can be mounted.
class CardTest : public ::testing::TestWithParam<CardImage::Format> {
protected:
    void SetUp() override {
        card.emplace(dir, GetParam());
        if (!card->mounted())
            GTEST_SKIP() << card->why_not();
    }

    ScratchFolder dir;
    std::optional<CardImage> card;
};

// The test name part of a card format.
inline std::string format_name(const ::testing::TestParamInfo<CardImage::Format>& info) {
    return info.param == CardImage::Format::fat16   ? "Fat16"
           : info.param == CardImage::Format::fat32 ? "Fat32"
                                                    : "Exfat";
}

} // namespace kadoru::test
