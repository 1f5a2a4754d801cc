#pragma once
// A picture against its reference picture, one a person has looked at,
// compared by ImageMagick through the view tests' helper script.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/vek/view/Peers.h"

namespace vektest {

enum class PictureFuzz {
    // At most one pixel in 200 of the whole picture may differ.
    kOfPicture,
    // At most one in 50 of the reference's drawn pixels: a picture of a few
    // thin lines on the background, where a line missing is few pixels of
    // the whole.
    kOfDrawing,
};

// Room for the fonts' and the rasteriser's rounding, never for a member,
// symbol or label moved or missing.
inline void ExpectLikeReferencePicture(const std::string& png, const std::string& ref,
                                       PictureFuzz fuzz = PictureFuzz::kOfPicture)
{
    const std::string out = png + ".txt";
    ASSERT_TRUE(RunPeers("compare " + PeerArg(ref) + " " + PeerArg(png) + " " + PeerArg(out), out));
    auto answer = ReadPeerAnswer(out);
    std::remove(out.c_str());
    ASSERT_EQ(answer.count("missing"), 0u) << "no reference picture " << ref << "; this run's is " << png;
    const int differ = std::stoi(answer["differ"]), total = std::stoi(answer["total"]);
    const int inked = std::stoi(answer["inked"]);
    ASSERT_GE(differ, 0) << png << " and " << ref << " could not be compared (sizes?)";
    if (fuzz == PictureFuzz::kOfPicture)
        EXPECT_LE(differ * 200, total) << differ << " of " << total << " pixels of " << png << " differ from " << ref;
    else
        EXPECT_LE(differ * 50, inked) << differ << " pixels of " << png << " differ from " << ref << ", which has "
                                      << inked << " drawn";
}

}  // namespace vektest
